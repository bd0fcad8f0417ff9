#pragma once
// The second generation's serial link: one port with a reader thread that feeds the reply
// recogniser and a writer thread that drains a locked byte queue. Requests are synchronous
// for the caller: Send a frame, then Receive the next recognised one (at most 250 ms).

#include "Tarq_1.h"

#include "platform/Event.h"
#include "platform/SerialDevice.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

// A locked ring of at most 1024 bytes.
class MTdeque {
public:
    static constexpr int STORE = 1024;

    // Appends while fewer than 1024 are queued; returns the number stored (-1 for n < 0).
    int Put(const uint8_t* bytes, int n);
    // Takes up to n bytes; returns the number taken (-1 for n < 0).
    int Get(uint8_t* buffer, int n);
    int Count() const;

private:
    uint8_t store[STORE] = {};
    int writePos = 0;
    int readPos = 0;
    mutable std::mutex lock;
    int count = 0;
};

class SerialPort {
public:
    static constexpr int RECEIVE_WAIT_MS = 250;

    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // name is "COM" + number; false when a port is already open (lastError 2) or the device
    // cannot be opened.
    bool Open(const QString& name, int rate);
    // Line settings, purge, reader and writer threads; false when closed.
    bool Start();
    // Stops and joins both threads; the port stays open. False when closed.
    bool Stop();
    bool Close();
    bool SetBaudRate(int rate);
    // Queues the bytes for the writer; -1 when closed, else n.
    int Send(const uint8_t* bytes, int n);
    // The next recognised frame (at most 128 bytes) within 250 ms; its length, or -1.
    int Receive(uint8_t* buffer);
    // The same with a wait of the caller's choosing (a reply that did not fit its request
    // was passed over and the rest of the 250 ms is left).
    int ReceiveWithin(uint8_t* buffer, int waitMs);
    // Opens the port again (same name and rate, threads running) when its line has
    // dropped, a lead pulled out and plugged back in. True when it is open and running.
    bool EnsurePortOpen();
    // The open device, for the flash boot-loader link while the threads are stopped; null
    // while closed.
    platform::SerialDevice* GetHandle();

    bool IsOpen() const;
    int LastError() const;
    QString PortName() const;
    // The line's present rate while open, else the rate given to Open.
    int BaudRate() const;

    static constexpr int FRAME_STORE = 128;

private:
    void ReaderThread();
    void WriterThread();
    void Publish();
    void DropFrame();

    QString portName = QStringLiteral("COM1");
    int baudRate = 9600;
    bool nameGiven = false; // Open was called: there is a port to reopen
    int lastError = 0;
    std::unique_ptr<MTdeque> txQueue;
    tarq1_protocol framer; // reader thread only

    std::mutex frameMutex; // guards frame, frameLength and frameReady
    std::condition_variable frameArrived;
    uint8_t frame[FRAME_STORE] = {};
    int frameLength = 0;
    bool frameReady = false;

    std::atomic<int> running{0};
    platform::SerialDevice device;
    std::thread readerThread;
    std::thread writerThread;
    std::atomic<bool> readerStop{false};
    std::atomic<bool> writerStop{false};
    platform::Event writeRequest;
};

extern SerialPort* serialPort;
