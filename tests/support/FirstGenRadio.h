#pragma once
// A simulated first-generation radio on the master side of a pseudo-terminal. It answers
// the programmer's frames from a 4096-byte memory of its own: connect, version, block read
// and write, location read and write, byte write, meter requests and the display request,
// and it records every frame it hears. Faults can be switched on to make it misbehave.
//
//   FirstGenRadio radio;                 // starts answering at once
//   radio.mapToPort(7);                  // settings: COM7 is this radio
//   radio.setMemory(bytes);              // what a read will find
//   FirstGenRadio::Faults faults;
//   faults.stopAfterBlocks = 3;
//   radio.setFaults(faults);             // misbehave from now on
//   ... run the programmer on COM7 ...
//   radio.count(4), radio.frames()       // what it was sent
//
// Frames on the wire: data bytes, checksum (one's complement of their 8-bit sum), command,
// sync (0xCC; 0xAA for key frames and the display frame). Block data runs from the
// highest address down, then the address low and high.

#include "support/RadioLine.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <map>
#include <mutex>

namespace testsupport {

class FirstGenRadio {
public:
    static constexpr int MEMORY_SIZE = 4096;
    static constexpr uint8_t SYNC_CMD = 0xCC;
    static constexpr uint8_t SYNC_KEY = 0xAA;
    // A version text in the radio's format: model, blank, version; characters 8..13 are
    // the version the programmer shows ("V1.07A").
    static const QByteArray DEFAULT_VERSION;
    // Sent before each reply when Faults::noise is on: stray bytes, sync values among them,
    // that never form a valid frame.
    static const QByteArray NOISE;

    struct Faults {
        bool silent = false;       // hears and records everything, answers nothing
        bool badChecksum = false;  // every reply's checksum is off by one
        bool wrongAddress = false; // block replies carry the next block's address
        int stopAfterBlocks = -1;  // answers this many block requests, then falls silent
        int dropAfterBlocks = -1;  // answers this many block requests, then hangs up the line
        bool noise = false;        // NOISE before every reply
        int replyDelayMs = 0;      // waits this long before each reply
        bool noVersion = false;    // the version request goes unanswered, all else is answered
        bool noBlockReads = false; // block reads go unanswered, all else is answered
    };

    FirstGenRadio();  // opens the pseudo-terminal and starts answering
    ~FirstGenRadio(); // stops and closes the line

    bool isRunning() const;
    QString devicePath() const;
    // Settings "\Tarq\Ports" value COM<n> := this radio's device.
    void mapToPort(int portNumber) const;

    // Memory (4096 bytes).
    QByteArray memory() const;
    void setMemory(const QByteArray& bytes); // the first 4096 bytes; shorter leaves the rest
    uint8_t byteAt(int address) const;
    void setByte(int address, uint8_t value);

    // Any text up to 255 bytes; its length goes out as the reply's last data byte.
    void setVersion(const QByteArray& text);
    void setFaults(const Faults& faults);
    // Drops the connection now, as a lead pulled out: the programmer's port fails.
    void hangUp();
    // A new line after a hang-up, as the lead plugged back in: the device path changes,
    // so map the port again.
    bool plugBackIn();

    // Answers for the tuning requests.
    void setMeter(uint8_t rssi, uint8_t noise);
    void setSMeterPoints(uint8_t s1, uint8_t s9);
    void setDisplay(const QByteArray& displayBytes); // 10 bytes, DisplayBytes order
    // The next request with `command` is answered with these wire bytes instead.
    void queueReply(uint8_t command, const QByteArray& wireBytes);
    // Sends bytes now, unasked.
    void sendRaw(const QByteArray& wireBytes);

    // What the radio heard.
    QList<RadioFrame> frames() const;
    int count(uint8_t command, uint8_t sync = SYNC_CMD) const;
    void clearFrames();
    // Waits until `count` frames with the command were heard; false on time-out.
    bool waitForFrames(uint8_t command, int count, int timeoutMs, uint8_t sync = SYNC_CMD) const;

    // A frame as it goes on the wire.
    static QByteArray frame(const QByteArray& data, uint8_t command, uint8_t sync = SYNC_CMD);

private:
    void send(const QByteArray& bytes);
    void feed(uint8_t byte);
    bool parse(RadioFrame& frame) const;
    void answer(const RadioFrame& frame);
    bool answerBlock(const RadioFrame& frame);
    QByteArray reply(const RadioFrame& frame);
    QByteArray blockReply(int address) const;

    RadioLine line;
    FrameLog log;

    mutable std::mutex mutex; // everything below
    uint8_t mem[MEMORY_SIZE] = {};
    QByteArray version;
    Faults faults;
    int blocksAnswered = 0;
    uint8_t meterRssi = 0, meterNoise = 0, pointS1 = 0, pointS9 = 0;
    QByteArray display = QByteArray(10, '\0');
    std::multimap<uint8_t, QByteArray> queued;

    QByteArray pending; // bytes heard since the last frame (radio thread only)
};

} // namespace testsupport
