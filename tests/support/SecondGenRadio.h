#pragma once
// A simulated second-generation radio on the master side of a pseudo-terminal. It answers
// the programmer's frames from a 16384-byte image of its own and records every frame it
// hears; faults can be switched on to make it misbehave.
//
//   SecondGenRadio radio;                // answers at once, 9600 baud, 16 KiB
//   radio.mapToPort(3);                  // settings: COM3 is this radio
//   radio.setImage(bytes);               // what a read will find
//   radio.setSize(8192);                 // size byte 128 := 8, addresses wrap at 8 KiB
//   SecondGenRadio::Faults faults;
//   faults.stopAfterBlocks = 5;
//   radio.setFaults(faults);             // misbehave from now on
//   ... run the programmer on COM3 ...
//   radio.count(CMD_WRITE_BYTE), radio.frames(), radio.image()
//
// Frames: data, checksum (~8-bit sum of the data), command, sync (0xCC; 0xAA for key
// frames). Block frames (commands 4 and 5, both ways) escape data and checksum bytes 0x7E,
// 0xAA and 0xCC as 0x7E, value ^ 0x20. Block data runs from the highest address down, then
// the address low and high. The radio listens only at its own rate: bytes the programmer
// sends at another rate are lost, as on a real line. A set-baud request is answered at the
// old rate, then the radio switches; a disconnect puts it back at 9600.
// A test tone is answered with a frame of command 45 (which the programmer's recogniser
// does not know); alignment frequencies, disconnects and keys get no answer.

#include "support/RadioLine.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <mutex>

namespace testsupport {

class SecondGenRadio {
public:
    static constexpr int IMAGE_SIZE = 16384;
    static constexpr int SIZE_BYTE = 128; // 16 for 16 KiB, 8 for 8 KiB
    static constexpr uint8_t SYNC_CMD = 0xCC;
    static constexpr uint8_t SYNC_KEY = 0xAA;
    static constexpr uint8_t FRAME_ESC = 0x7E;
    enum Command : uint8_t {
        CONNECT = 1,
        GET_VERSION = 2,
        DISCONNECT = 3,
        READ_BLOCK = 4,
        WRITE_BLOCK = 5,
        METER = 10,
        SET_BAUD = 16,
        GET_CHANNEL = 27,
        TEST_TONE = 45,
        READ_BYTE = 70,
        WRITE_BYTE = 71,
        ALIGN_FREQ = 77,
        KEY_PRESS = 4, // with sync 0xAA
    };
    // Model "Korvan", firmware 2.02, suffix 'a'.
    static const QByteArray DEFAULT_VERSION;
    // Sent before each reply when Faults::noise is on: stray bytes, sync values among them,
    // that never form a frame.
    static const QByteArray NOISE;

    struct Faults {
        bool silent = false;        // hears and records everything, answers nothing
        bool badChecksum = false;   // every reply's checksum is off by one
        bool wrongAddress = false;  // block and byte replies carry the next address
        int stopAfterBlocks = -1;   // answers this many block requests, then falls silent
        int hangUpAfterBlocks = -1; // answers this many block requests, then hangs up
        bool noise = false;         // NOISE before every reply
        int replyDelayMs = 0;       // waits this long before each reply
        bool noVersionReply = false;
        bool ignoreSetBaud = false; // set-baud requests get no answer and change nothing
        // Not empty: every request is answered with these wire bytes alone and has no
        // effect, as a radio that missed it while a late reply to another request went out.
        QByteArray lateReply;
    };

    SecondGenRadio();
    ~SecondGenRadio();
    SecondGenRadio(const SecondGenRadio&) = delete;
    SecondGenRadio& operator=(const SecondGenRadio&) = delete;

    bool isRunning() const;
    QString devicePath() const;
    // Settings "\Tarq\Ports" value COM<n> := this radio's device.
    void mapToPort(int portNumber) const;

    // The image (always 16384 bytes; an 8 KiB radio uses the first half).
    QByteArray image() const;
    void setImage(const QByteArray& bytes); // from byte 0; a shorter one leaves the rest
    uint8_t byteAt(int address) const;
    void setByte(int address, uint8_t value);
    // 8192 or 16384: the size byte and where addresses wrap.
    void setSize(int bytes);

    void setVersion(const QByteArray& text); // up to 60 characters
    void setMeter(uint8_t rssi, uint8_t noise);
    void setChannel(int channel);
    void setFaults(const Faults& faults); // also restarts the block count
    // Bytes go out at the radio's rate, 10 bits a byte, and a reply waits for its request
    // to have come in at that rate: transfer times are those of a real line.
    void setPacing(bool on);
    // Drops the connection now, as a lead pulled out.
    void hangUp();
    // Sends bytes now, unasked.
    void sendRaw(const QByteArray& wireBytes);

    // The radio's own line rate.
    int rate() const;
    // Bytes lost because the programmer sent at another rate.
    int lostBytes() const;

    // What the radio heard (escapes undone).
    QList<RadioFrame> frames() const;
    int count(uint8_t command, uint8_t sync = SYNC_CMD) const;
    void clearFrames();
    bool waitForFrames(uint8_t command, int count, int timeoutMs, uint8_t sync = SYNC_CMD) const;
    // Keys pressed, in order.
    QList<uint8_t> keys() const;
    // The value of the last test tone (Hz * 65536 / 16000) and alignment frequency (Hz /
    // 12500) requests; -1 before any.
    int lastTestTone() const;
    int lastAlignFrequency() const;

    // A frame as the radio sends it (escaped when asked).
    static QByteArray frame(const QByteArray& data, uint8_t command, bool escape = false,
                            uint8_t sync = SYNC_CMD);

private:
    void feed(uint8_t byte);
    bool parse(RadioFrame& frame) const;
    void answer(const RadioFrame& frame, int requestBytes);
    QByteArray reply(const RadioFrame& frame, int& newRate);
    QByteArray blockReply(int address) const;
    QByteArray addressReply(uint8_t value, int address) const;
    int index(int address) const;

    RadioLine line;
    FrameLog log;

    mutable std::mutex mutex; // everything below
    uint8_t mem[IMAGE_SIZE] = {};
    int size = IMAGE_SIZE;
    QByteArray version;
    Faults faults;
    int blocksAnswered = 0;
    uint8_t meterRssi = 0, meterNoise = 0;
    int channel = 1;
    int testTone = -1, alignFrequency = -1;
    bool pacing = false;
    int radioRate = 9600;
    int lost = 0;

    QByteArray pending; // bytes heard since the last frame (line thread only)
};

} // namespace testsupport
