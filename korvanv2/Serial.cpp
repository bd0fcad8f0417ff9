#include "Serial.h"

#include <algorithm>
#include <chrono>

SerialPort* serialPort = nullptr;

namespace {

constexpr int READ_CHUNK = 256;
constexpr int WRITE_CHUNK = 512;
constexpr int ERROR_ALREADY_OPEN = 2;
// The reader looks at its stop flag at least this often, beside the device's own wake-up.
constexpr int READER_POLL_MS = 200;

// "COM" + number -> the device it stands for; empty for any other name.
QString DevicePathOf(const QString& name) {
    if (!name.startsWith(QStringLiteral("COM")))
        return QString();
    bool isNumber = false;
    const int number = name.mid(3).toInt(&isNumber);
    return isNumber ? platform::SerialDevice::devicePathForPort(number) : QString();
}

} // namespace

int MTdeque::Put(const uint8_t* bytes, int n) {
    if (n < 0)
        return -1;
    std::lock_guard<std::mutex> guard(lock);
    int stored = 0;
    while (stored < n && count < STORE) {
        store[writePos] = bytes[stored++];
        writePos = (writePos + 1) % STORE;
        ++count;
    }
    return stored;
}

int MTdeque::Get(uint8_t* buffer, int n) {
    if (n < 0)
        return -1;
    std::lock_guard<std::mutex> guard(lock);
    const int taken = std::min(n, count);
    for (int i = 0; i < taken; ++i) {
        buffer[i] = store[readPos];
        readPos = (readPos + 1) % STORE;
    }
    count -= taken;
    return taken;
}

int MTdeque::Count() const {
    std::lock_guard<std::mutex> guard(lock);
    return count;
}

SerialPort::SerialPort() : txQueue(std::make_unique<MTdeque>()) {}

SerialPort::~SerialPort() {
    Stop();
    Close();
}

bool SerialPort::Open(const QString& name, int rate) {
    if (device.isOpen()) {
        lastError = ERROR_ALREADY_OPEN;
        return false;
    }
    portName = name;
    baudRate = rate;
    nameGiven = true;
    const QString path = DevicePathOf(name);
    return !path.isEmpty() && device.open(path);
}

bool SerialPort::Start() {
    if (!device.isOpen())
        return false;
    if (running)
        return true;
    if (!device.setBaudRate(baudRate))
        return false;
    device.purge();
    uint8_t stale[MTdeque::STORE];
    txQueue->Get(stale, MTdeque::STORE);
    framer.Reset();
    DropFrame();
    device.clearStop();
    readerStop = false;
    writerStop = false;
    writeRequest.reset();
    readerThread = std::thread([this] { ReaderThread(); });
    writerThread = std::thread([this] { WriterThread(); });
    running = 1;
    return true;
}

bool SerialPort::Stop() {
    if (!device.isOpen())
        return false;
    readerStop = true;
    writerStop = true;
    writeRequest.set();
    device.stop();
    if (readerThread.joinable())
        readerThread.join();
    if (writerThread.joinable())
        writerThread.join();
    device.clearStop(); // the flash link may wait on the device while the threads rest
    running = 0;
    return true;
}

bool SerialPort::Close() {
    if (!device.isOpen())
        return false;
    Stop(); // never leave threads on a closed device
    device.close();
    return true;
}

bool SerialPort::EnsurePortOpen() {
    if (device.isOpen() && !device.hasDropped())
        return running || Start();
    if (!nameGiven)
        return false;
    Close();
    return Open(portName, baudRate) && Start();
}

bool SerialPort::SetBaudRate(int rate) {
    return device.setBaudRate(rate);
}

int SerialPort::Send(const uint8_t* bytes, int n) {
    if (!device.isOpen())
        return -1;
    DropFrame(); // a late reply to an earlier request never answers this one
    const int queued = txQueue->Put(bytes, n);
    writeRequest.set();
    return queued;
}

int SerialPort::Receive(uint8_t* buffer) {
    return ReceiveWithin(buffer, RECEIVE_WAIT_MS);
}

int SerialPort::ReceiveWithin(uint8_t* buffer, int waitMs) {
    std::unique_lock<std::mutex> guard(frameMutex);
    frameArrived.wait_for(guard, std::chrono::milliseconds(std::max(waitMs, 0)),
                          [this] { return frameReady; });
    if (!frameReady)
        return -1;
    std::copy(frame, frame + frameLength, buffer);
    frameReady = false;
    return frameLength;
}

platform::SerialDevice* SerialPort::GetHandle() {
    return device.isOpen() ? &device : nullptr;
}

bool SerialPort::IsOpen() const {
    return device.isOpen();
}

int SerialPort::LastError() const {
    return lastError;
}

QString SerialPort::PortName() const {
    return portName;
}

int SerialPort::BaudRate() const {
    return device.isOpen() ? device.baudRate() : baudRate;
}

// Ends when told to stop or when the line drops (it is reopened before the next job).
void SerialPort::ReaderThread() {
    uint8_t received[READ_CHUNK];
    while (!readerStop) {
        const auto wait = device.waitReadable(READER_POLL_MS);
        if (wait == platform::SerialDevice::Wait::Stopped ||
            wait == platform::SerialDevice::Wait::Failed)
            return;
        if (wait != platform::SerialDevice::Wait::Readable)
            continue;
        const int count = device.readAvailable(received, READ_CHUNK);
        if (count < 0)
            return;
        for (int i = 0; i < count; ++i) {
            framer.AddByte(received[i]);
            if (framer.FindFrame() > 0)
                Publish();
        }
    }
}

void SerialPort::Publish() {
    {
        std::lock_guard<std::mutex> guard(frameMutex);
        frameLength = framer.GetFrame(frame);
        frameReady = true;
    }
    framer.Reset();
    frameArrived.notify_all();
}

void SerialPort::DropFrame() {
    std::lock_guard<std::mutex> guard(frameMutex);
    frameReady = false;
}

// Drains the whole queue at each request; a line that fails drops the bytes.
void SerialPort::WriterThread() {
    uint8_t chunk[WRITE_CHUNK];
    for (;;) {
        writeRequest.wait();
        if (writerStop)
            return;
        writeRequest.reset();
        int count;
        while (!writerStop && (count = txQueue->Get(chunk, WRITE_CHUNK)) > 0)
            device.writeAll(chunk, count);
    }
}
