#include "Tarq_1.h"

#include <cstring>

namespace {

constexpr int ADDRESS_DATA = 4;   // value (or 0), 0, address low, address high
constexpr int VERSION_LENGTH = 3; // window position of a version reply's length byte
constexpr uint8_t ESCAPE_FLIP = 0x20;

// Commands whose replies carry four plain data bytes.
bool IsPlainReply(uint8_t command) {
    switch (command) {
    case CMD_CONNECT:
    case 6:
    case 7:
    case CMD_METER:
    case CMD_SET_BAUD:
    case CMD_GET_CHANNEL:
    case CMD_READ_BYTE:
    case CMD_WRITE_BYTE:
        return true;
    default:
        return false;
    }
}

int PutEscaped(uint8_t* out, uint8_t byte, bool escape) {
    if (escape && NeedsEscape(byte)) {
        out[0] = FRAME_ESC;
        out[1] = uint8_t(byte ^ ESCAPE_FLIP);
        return 2;
    }
    out[0] = byte;
    return 1;
}

int BuildFourBytes(uint8_t* out, uint8_t command, uint8_t d0, uint8_t d1, uint8_t d2, uint8_t d3) {
    const uint8_t data[ADDRESS_DATA] = {d0, d1, d2, d3};
    return BuildFrame(out, data, ADDRESS_DATA, command, SYNC_CMD, false);
}

uint8_t Low(int value) {
    return uint8_t(value & 0xFF);
}

uint8_t High(int value) {
    return uint8_t((value >> 8) & 0xFF);
}

} // namespace

bool NeedsEscape(uint8_t byte) {
    return byte == FRAME_ESC || byte == SYNC_KEY || byte == SYNC_CMD;
}

uint8_t Checksum(const uint8_t* bytes, int n) {
    uint8_t sum = 0;
    for (int i = 0; i < n; ++i)
        sum = uint8_t(sum + bytes[i]);
    return uint8_t(~sum);
}

int BuildFrame(uint8_t* out, const uint8_t* data, int n, uint8_t command, uint8_t sync,
               bool escape) {
    int length = 0;
    for (int i = 0; i < n; ++i)
        length += PutEscaped(out + length, data[i], escape);
    length += PutEscaped(out + length, Checksum(data, n), escape);
    out[length++] = command;
    out[length++] = sync;
    return length;
}

int BuildConnect(uint8_t* out) {
    return BuildFourBytes(out, CMD_CONNECT, 0, 0, 0, 0);
}

int BuildGetVersion(uint8_t* out) {
    return BuildFourBytes(out, CMD_GET_VERSION, 0, 0, 0, 0);
}

int BuildDisconnect(uint8_t* out) {
    return BuildFourBytes(out, CMD_DISCONNECT, 0, 0, 0, 0);
}

int BuildReadBlock(uint8_t* out, int address) {
    const uint8_t data[ADDRESS_DATA] = {0, 0, Low(address), High(address)};
    return BuildFrame(out, data, ADDRESS_DATA, CMD_READ_BLOCK, SYNC_CMD, true);
}

int BuildWriteBlock(uint8_t* out, int address, const uint8_t* bytes) {
    uint8_t data[BLOCK_DATA];
    for (int i = 0; i < BLOCK_BYTES; ++i)
        data[i] = bytes[BLOCK_BYTES - 1 - i];
    data[BLOCK_BYTES] = Low(address);
    data[BLOCK_BYTES + 1] = High(address);
    return BuildFrame(out, data, BLOCK_DATA, CMD_WRITE_BLOCK, SYNC_CMD, true);
}

int BuildSetBaudRate(uint8_t* out, int rate) {
    return BuildFourBytes(out, CMD_SET_BAUD, 0, 0, Low(rate), High(rate));
}

int BuildSetTestTone(uint8_t* out, int value) {
    return BuildFourBytes(out, CMD_TEST_TONE, Low(value), High(value), 0, 0);
}

int BuildSetFrequency(uint8_t* out, int value) {
    return BuildFourBytes(out, CMD_ALIGN_FREQ, Low(value), High(value), 0, 0);
}

int BuildAddressRequest(uint8_t* out, uint8_t command, int address, uint8_t value) {
    return BuildFourBytes(out, command, value, 0, Low(address), High(address));
}

int BuildKeyPress(uint8_t* out, uint8_t key) {
    return BuildFrame(out, &key, 1, KEY_PRESS, SYNC_KEY, false);
}

int ReplyWord(const uint8_t* reply) {
    return reply[REPLY_WORD_HIGH] * 256 + reply[REPLY_WORD_HIGH + 1];
}

bool ReplyExpectation::Fits(const uint8_t* reply, int replyLength) const {
    if (command != ANY && (replyLength < 3 || reply[0] != SYNC_CMD || reply[1] != command))
        return false;
    if (length != ANY && replyLength != length)
        return false;
    return word == ANY || (replyLength > REPLY_WORD_HIGH + 1 && ReplyWord(reply) == word);
}

tarq1_protocol::tarq1_protocol() {
    Reset();
}

void tarq1_protocol::Shift() {
    std::memmove(window + 1, window, WINDOW - 1);
}

void tarq1_protocol::AddByte(uint8_t byte) {
    Shift();
    window[0] = byte;
}

int tarq1_protocol::FindFrame() {
    length = 0;
    int n = 0;
    bool escaped = false;
    if (window[0] == SYNC_KEY) {
        n = window[1] == CMD_CONNECT ? ADDRESS_DATA : 0;
    } else if (window[0] == SYNC_CMD) {
        if (IsPlainReply(window[1])) {
            n = ADDRESS_DATA;
        } else if (window[1] == CMD_GET_VERSION) {
            n = window[VERSION_LENGTH] + 1;
        } else if (window[1] == CMD_READ_BLOCK) {
            n = BLOCK_DATA;
            escaped = true;
        } else if (window[1] == CMD_WRITE_BLOCK) {
            n = ADDRESS_DATA;
            escaped = true;
        }
    }
    // A frame must fit the window whole (a long version text claims more than it can hold).
    if (n == 0 || n + 3 > WINDOW)
        return 0;
    const int available = escaped ? Unescape() : CopyWindow();
    if (n + 3 > available || unescaped[2] != Checksum(unescaped + 3, n))
        return 0;
    length = n + 3;
    return length;
}

int tarq1_protocol::CopyWindow() {
    std::memcpy(unescaped, window, WINDOW);
    return WINDOW;
}

// The window runs newest first, so an escape byte follows the byte it changes.
int tarq1_protocol::Unescape() {
    int count = 0;
    for (int i = 0; i < WINDOW; ++i) {
        if (i >= 3 && window[i] == FRAME_ESC)
            unescaped[count - 1] ^= ESCAPE_FLIP;
        else
            unescaped[count++] = window[i];
    }
    std::memset(unescaped + count, 0, size_t(WINDOW - count));
    return count;
}

int tarq1_protocol::GetFrame(uint8_t* out) const {
    std::memcpy(out, unescaped, size_t(length));
    return length;
}

void tarq1_protocol::Reset() {
    std::memset(window, 0, sizeof window);
    std::memset(unescaped, 0, sizeof unescaped);
    length = 0;
}
