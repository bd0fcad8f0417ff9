#pragma once
// The second generation's radio link frames: escaping of block frames, the frame builder,
// the reply recogniser that the serial reader feeds byte by byte (newest byte first) and
// what a request takes as its reply.

#include <cstdint>

constexpr uint8_t SYNC_CMD = 0xCC;
constexpr uint8_t SYNC_KEY = 0xAA;
constexpr uint8_t FRAME_ESC = 0x7E;

constexpr uint8_t CMD_CONNECT = 1;
constexpr uint8_t CMD_GET_VERSION = 2;
constexpr uint8_t CMD_DISCONNECT = 3;
constexpr uint8_t CMD_READ_BLOCK = 4;
constexpr uint8_t CMD_WRITE_BLOCK = 5;
constexpr uint8_t CMD_METER = 10;
constexpr uint8_t METER_READ = 6;
constexpr uint8_t CMD_SET_BAUD = 16;
constexpr uint8_t CMD_GET_CHANNEL = 27;
constexpr uint8_t CMD_TEST_TONE = 45;
constexpr uint8_t CMD_READ_BYTE = 70;
constexpr uint8_t CMD_WRITE_BYTE = 71;
constexpr uint8_t CMD_ALIGN_FREQ = 77;
constexpr uint8_t KEY_PRESS = 4; // command byte of a key frame (sync 0xAA)

// Largest frame the builder writes: 18 data bytes and the checksum all escaped, command, sync.
constexpr int MAX_FRAME = 40;

bool NeedsEscape(uint8_t byte);
// ~(8-bit sum of the bytes).
uint8_t Checksum(const uint8_t* bytes, int n);
// Data (escaped when asked), checksum (likewise), command, sync; returns the length written.
int BuildFrame(uint8_t* out, const uint8_t* data, int n, uint8_t command, uint8_t sync,
               bool escape);

// Request frames; each writes into out (MAX_FRAME bytes) and returns the length.
int BuildConnect(uint8_t* out);
int BuildGetVersion(uint8_t* out);
int BuildDisconnect(uint8_t* out);
int BuildReadBlock(uint8_t* out, int address);
// data: the 16 image bytes from the address up.
int BuildWriteBlock(uint8_t* out, int address, const uint8_t* data);
int BuildSetBaudRate(uint8_t* out, int rate);
int BuildSetTestTone(uint8_t* out, int value);
int BuildSetFrequency(uint8_t* out, int value);
// Data value, 0, address low, address high: byte reads and writes, meter, channel.
int BuildAddressRequest(uint8_t* out, uint8_t command, int address, uint8_t value = 0);
int BuildKeyPress(uint8_t* out, uint8_t key);

// Block frames carry 16 image bytes, highest address first, then the address.
constexpr int BLOCK_BYTES = 16;
constexpr int BLOCK_DATA = BLOCK_BYTES + 2;

// The 16-bit word a recognised reply carries in D3 and D2 (sync, command and checksum come
// first): D3 * 256 + D2.
constexpr int REPLY_WORD_HIGH = 3;
int ReplyWord(const uint8_t* reply);

// What a request takes as its answer, as the recogniser hands replies out: a command frame
// (sync 0xCC, never a key frame) with the request's command, the reply's length and, where
// the reply carries it, the request's 16-bit word (D3 * 256 + D2: the address of a byte or
// block, the rate of a set-baud). A late reply to another request does not fit. Left at
// ANY, a part is not tested; an expectation with every part ANY takes any frame.
struct ReplyExpectation {
    static constexpr int ANY = -1;
    int command = ANY;
    int length = ANY;
    int word = ANY;

    bool Fits(const uint8_t* reply, int replyLength) const;
};

class tarq1_protocol {
public:
    static constexpr int WINDOW = 64;

    tarq1_protocol();
    // The new byte goes to position 0, the older ones move up.
    void AddByte(uint8_t byte);
    // Length of the frame that ends with the newest byte, 0 when none.
    int FindFrame();
    // Copies the found frame (sync, command, checksum, data last to first); returns its length.
    int GetFrame(uint8_t* out) const;
    void Reset();

private:
    void Shift();
    // Fill `unescaped`; the number of bytes it then holds.
    int CopyWindow();
    int Unescape();

    uint8_t window[WINDOW];
    int length = 0;
    uint8_t unescaped[WINDOW];
};
