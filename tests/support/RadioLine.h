#pragma once
// What the simulated radios of both generations share: the master side of a pseudo-terminal
// with a thread that hands each byte the programmer sends to the radio, writes back to the
// programmer (paced at a line rate when asked), and the log of the frames the radio heard.

#include "support/Pty.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace testsupport {

struct RadioFrame {
    uint8_t sync = 0;
    uint8_t command = 0;
    QByteArray data; // D[0..n-1], escapes undone
    // D[3] * 256 + D[2], the address of an address request.
    int address() const;
};

// ~(8-bit sum of the bytes).
uint8_t frameChecksum(const QByteArray& data);

class FrameLog {
public:
    void append(const RadioFrame& frame);
    // A deep copy: nothing of it stays shared with the radio's thread, which goes on appending.
    QList<RadioFrame> frames() const;
    int count(uint8_t command, uint8_t sync) const;
    void clear();
    // Waits until `wanted` frames with the command were heard; false on time-out.
    bool waitFor(uint8_t command, int wanted, int timeoutMs, uint8_t sync) const;

private:
    int countLocked(uint8_t command, uint8_t sync) const;

    mutable std::mutex mutex;
    mutable std::condition_variable heard;
    QList<RadioFrame> received;
};

class RadioLine {
public:
    using ByteHandler = std::function<void(uint8_t)>;

    RadioLine();  // opens the pseudo-terminal; nothing is read before start()
    ~RadioLine(); // stops the thread and closes the line

    // The handler runs on the line's thread for every byte, in order.
    void start(ByteHandler handler);
    // Joins the thread; an owner calls it before its own members go.
    void stop();
    bool isRunning() const;
    QString devicePath() const { return slavePath; }
    // Drops the connection now, as a lead pulled out: the programmer's port fails.
    void hangUp();
    // A new line in place of a hung-up one, as a lead plugged back in; false when no
    // pseudo-terminal could be made. The device path changes.
    bool plugBackIn();
    // The rate the programmer's side of the line is set to (0 when unknown).
    int programmerRate() const;

    // Writes within a second; a line whose other end is gone drops the bytes.
    void send(const QByteArray& bytes);
    // Waits the time `byteCount` bytes take at `rate` baud (10 bits a byte), measured from
    // the end of the previous wait when the line was busy since, so waits do not add up
    // their oversleep.
    void pace(int byteCount, int rate);

private:
    void run();

    PtyPair pty;
    QString slavePath;
    std::thread thread;
    std::atomic<bool> stopping{false};
    int wakeFd = -1;
    ByteHandler handler;
    mutable std::mutex lineMutex; // the master side of the line
    std::chrono::steady_clock::time_point lineFreeAt;
};

} // namespace testsupport
