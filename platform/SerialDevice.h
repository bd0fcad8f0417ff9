#pragma once
// A serial port on termios: exclusive, raw 8N1, non-blocking reads of what is waiting,
// complete writes, purge, and a wait for "readable or stop requested".

#include <QString>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace platform {

class SerialDevice {
public:
    SerialDevice();
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // COMn -> device path: registry "\Tarq\Ports" value "COMn", else /dev/ttyS<n-1>.
    // Returns "" for n outside 1..256.
    static QString devicePathForPort(int portNumber);

    // Opens the device exclusively at 9600 baud, 8N1, raw. On failure returns false and
    // sets errorText to a sentence for the user.
    bool open(const QString& path);
    void close();
    bool isOpen() const;
    QString errorText() const;
    // True once a read, write or wait found the line gone (a lead or adapter pulled out);
    // the device stays open until close() and can then be opened again.
    bool hasDropped() const;

    // 9600, 19200, 38400 or 57600; anything else (or a failure) returns false and
    // leaves the line as it was.
    bool setBaudRate(int rate);
    int baudRate() const;

    // Copies up to `capacity` waiting bytes without blocking. Returns the count (0 when
    // nothing waits), or -1 when the port is closed or the device failed (unplugged).
    int readAvailable(uint8_t* buffer, int capacity);
    // Writes all `count` bytes (waiting for the line as needed, at most about 2 s).
    // Returns the count written, or -1 on failure or when the port is closed.
    int writeAll(const uint8_t* bytes, int count);
    // Discards bytes waiting in both directions.
    void purge();
    // Discards received bytes not yet read; bytes already written still go out.
    void purgeInput();

    enum class Wait { Readable, Stopped, TimedOut, Failed };
    // Waits until bytes wait, stop() is called, or the time passes.
    Wait waitReadable(int timeoutMs);
    // Wakes every waitReadable and makes it return Stopped until clearStop().
    void stop();
    void clearStop();

private:
    std::atomic<int> fd{-1};
    int wakeFd = -1; // eventfd for stop()
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> dropped{false};
    std::atomic<int> rate{0};
    QString lastError;
    mutable std::mutex writeMutex; // writes from two threads never interleave
};

} // namespace platform
