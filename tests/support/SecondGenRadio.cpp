#include "support/SecondGenRadio.h"

#include <chrono>
#include <thread>

namespace testsupport {

namespace {

constexpr int PENDING_LIMIT = 128;
constexpr int BLOCK_BYTES = 16;
constexpr int BLOCK_DATA = BLOCK_BYTES + 2;
constexpr int VERSION_LIMIT = 60; // the whole reply fits the programmer's 64-byte window
constexpr uint8_t METER_READ = 6;
constexpr int HOME_RATE = 9600;
constexpr uint8_t ESCAPE_FLIP = 0x20;

bool needsEscape(uint8_t byte) {
    return byte == SecondGenRadio::FRAME_ESC || byte == SecondGenRadio::SYNC_CMD ||
           byte == SecondGenRadio::SYNC_KEY;
}

void appendEscaped(QByteArray& wire, uint8_t byte, bool escape) {
    if (escape && needsEscape(byte)) {
        wire.append(char(SecondGenRadio::FRAME_ESC));
        wire.append(char(byte ^ ESCAPE_FLIP));
    } else {
        wire.append(char(byte));
    }
}

bool isLineRate(int rate) {
    return rate == 9600 || rate == 19200 || rate == 38400 || rate == 57600;
}

// What the radio sends back: nothing when `command` is 0.
struct Reply {
    QByteArray data;
    uint8_t command = 0;
    bool escape = false;
};

// `checksumError` is added to the checksum before it is escaped.
QByteArray wireFrame(const QByteArray& data, uint8_t command, bool escape, uint8_t sync,
                     int checksumError) {
    QByteArray wire;
    for (char c : data)
        appendEscaped(wire, uint8_t(c), escape);
    appendEscaped(wire, uint8_t(frameChecksum(data) + checksumError), escape);
    wire.append(char(command));
    wire.append(char(sync));
    return wire;
}

QByteArray fourBytes(uint8_t d0, uint8_t d1, int word) {
    QByteArray data(4, '\0');
    data[0] = char(d0);
    data[1] = char(d1);
    data[2] = char(word & 0xFF);
    data[3] = char((word >> 8) & 0xFF);
    return data;
}

} // namespace

const QByteArray SecondGenRadio::DEFAULT_VERSION = QByteArrayLiteral("Korvan v2.02a");
const QByteArray SecondGenRadio::NOISE = QByteArray::fromHex("1337cc4204cc99aa00");

SecondGenRadio::SecondGenRadio() : version(DEFAULT_VERSION) {
    mem[SIZE_BYTE] = 16;
    line.start([this](uint8_t byte) { feed(byte); });
}

SecondGenRadio::~SecondGenRadio() {
    line.stop();
}

bool SecondGenRadio::isRunning() const {
    return line.isRunning();
}

QString SecondGenRadio::devicePath() const {
    return line.devicePath();
}

void SecondGenRadio::mapToPort(int portNumber) const {
    mapComPort(portNumber, line.devicePath());
}

QByteArray SecondGenRadio::image() const {
    std::lock_guard<std::mutex> lock(mutex);
    return QByteArray(reinterpret_cast<const char*>(mem), IMAGE_SIZE);
}

void SecondGenRadio::setImage(const QByteArray& bytes) {
    std::lock_guard<std::mutex> lock(mutex);
    for (int i = 0; i < bytes.size() && i < IMAGE_SIZE; ++i)
        mem[i] = uint8_t(bytes[i]);
}

uint8_t SecondGenRadio::byteAt(int address) const {
    std::lock_guard<std::mutex> lock(mutex);
    return mem[index(address)];
}

void SecondGenRadio::setByte(int address, uint8_t value) {
    std::lock_guard<std::mutex> lock(mutex);
    mem[index(address)] = value;
}

void SecondGenRadio::setSize(int bytes) {
    std::lock_guard<std::mutex> lock(mutex);
    size = bytes == IMAGE_SIZE / 2 ? bytes : IMAGE_SIZE;
    mem[SIZE_BYTE] = uint8_t(size >> 10);
}

void SecondGenRadio::setVersion(const QByteArray& text) {
    std::lock_guard<std::mutex> lock(mutex);
    version = text.left(VERSION_LIMIT);
}

void SecondGenRadio::setMeter(uint8_t rssi, uint8_t noise) {
    std::lock_guard<std::mutex> lock(mutex);
    meterRssi = rssi;
    meterNoise = noise;
}

void SecondGenRadio::setChannel(int newChannel) {
    std::lock_guard<std::mutex> lock(mutex);
    channel = newChannel;
}

void SecondGenRadio::setFaults(const Faults& newFaults) {
    std::lock_guard<std::mutex> lock(mutex);
    faults = newFaults;
    blocksAnswered = 0;
}

void SecondGenRadio::setPacing(bool on) {
    std::lock_guard<std::mutex> lock(mutex);
    pacing = on;
}

void SecondGenRadio::hangUp() {
    line.hangUp();
}

void SecondGenRadio::sendRaw(const QByteArray& wireBytes) {
    line.send(wireBytes);
}

int SecondGenRadio::rate() const {
    std::lock_guard<std::mutex> lock(mutex);
    return radioRate;
}

int SecondGenRadio::lostBytes() const {
    std::lock_guard<std::mutex> lock(mutex);
    return lost;
}

QList<RadioFrame> SecondGenRadio::frames() const {
    return log.frames();
}

int SecondGenRadio::count(uint8_t command, uint8_t sync) const {
    return log.count(command, sync);
}

void SecondGenRadio::clearFrames() {
    log.clear();
}

bool SecondGenRadio::waitForFrames(uint8_t command, int wanted, int timeoutMs, uint8_t sync) const {
    return log.waitFor(command, wanted, timeoutMs, sync);
}

QList<uint8_t> SecondGenRadio::keys() const {
    QList<uint8_t> pressed;
    for (const RadioFrame& f : log.frames())
        if (f.sync == SYNC_KEY && f.command == KEY_PRESS && !f.data.isEmpty())
            pressed.append(uint8_t(f.data[0]));
    return pressed;
}

int SecondGenRadio::lastTestTone() const {
    std::lock_guard<std::mutex> lock(mutex);
    return testTone;
}

int SecondGenRadio::lastAlignFrequency() const {
    std::lock_guard<std::mutex> lock(mutex);
    return alignFrequency;
}

QByteArray SecondGenRadio::frame(const QByteArray& data, uint8_t command, bool escape,
                                 uint8_t sync) {
    return wireFrame(data, command, escape, sync, 0);
}

int SecondGenRadio::index(int address) const {
    return ((address % size) + size) % size;
}

// Frames end with their sync byte: at each sync value, try the frame that ends here.
void SecondGenRadio::feed(uint8_t byte) {
    if (line.programmerRate() != rate()) {
        std::lock_guard<std::mutex> lock(mutex);
        ++lost; // a framing error: the two ends run at different rates
        return;
    }
    pending.append(char(byte));
    if (pending.size() > PENDING_LIMIT)
        pending.remove(0, pending.size() - PENDING_LIMIT);
    if (byte != SYNC_CMD && byte != SYNC_KEY)
        return;
    RadioFrame request;
    if (!parse(request))
        return;
    const int requestBytes = pending.size();
    pending.clear();
    answer(request, requestBytes);
}

// Reads the frame backwards from its sync byte, undoing escapes in block frames.
bool SecondGenRadio::parse(RadioFrame& request) const {
    const int end = pending.size();
    if (end < 4)
        return false;
    request.sync = uint8_t(pending[end - 1]);
    request.command = uint8_t(pending[end - 2]);
    int n = 4;
    bool escaped = false;
    if (request.sync == SYNC_KEY) {
        if (request.command != KEY_PRESS)
            return false;
        n = 1;
    } else if (request.command == READ_BLOCK || request.command == WRITE_BLOCK) {
        escaped = true;
        n = request.command == WRITE_BLOCK ? BLOCK_DATA : 4;
    }
    QByteArray backwards; // checksum, then the data last to first
    int at = end - 3;
    while (at >= 0 && backwards.size() < n + 1) {
        uint8_t value = uint8_t(pending[at]);
        if (escaped && at > 0 && uint8_t(pending[at - 1]) == FRAME_ESC) {
            value ^= ESCAPE_FLIP;
            --at;
        }
        backwards.append(char(value));
        --at;
    }
    if (backwards.size() < n + 1)
        return false;
    request.data.clear();
    for (int i = n; i >= 1; --i)
        request.data.append(backwards[i]);
    return frameChecksum(request.data) == uint8_t(backwards[0]);
}

// The request is recorded once it has changed what it changes and before its reply goes
// out: a test that sees the frame heard sees its effect, and one that got the reply sees
// the frame heard.
void SecondGenRadio::answer(const RadioFrame& request, int requestBytes) {
    struct RecordOnce {
        FrameLog& log;
        const RadioFrame& frame;
        bool done = false;
        void operator()() {
            if (!done)
                log.append(frame);
            done = true;
        }
        ~RecordOnce() { (*this)(); }
    } record{log, request};
    QByteArray wire;
    int newRate = 0, delayMs, lineRate;
    bool noise, paced;
    {
        std::lock_guard<std::mutex> lock(mutex);
        const bool isBlock = request.sync == SYNC_CMD &&
                             (request.command == READ_BLOCK || request.command == WRITE_BLOCK);
        if (faults.silent ||
            (faults.stopAfterBlocks >= 0 && blocksAnswered >= faults.stopAfterBlocks))
            return;
        if (isBlock && faults.hangUpAfterBlocks >= 0 &&
            blocksAnswered >= faults.hangUpAfterBlocks) {
            line.hangUp();
            return;
        }
        wire = faults.lateReply.isEmpty() ? reply(request, newRate) : faults.lateReply;
        blocksAnswered += isBlock ? 1 : 0;
        delayMs = faults.replyDelayMs;
        noise = faults.noise;
        paced = pacing;
        lineRate = radioRate;
    }
    record();
    if (!wire.isEmpty()) {
        if (noise)
            wire.prepend(NOISE);
        if (delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        if (paced)
            line.pace(requestBytes + wire.size(), lineRate);
        line.send(wire);
    }
    if (newRate) {
        std::lock_guard<std::mutex> lock(mutex);
        radioRate = newRate; // after the answer went out at the old rate
    }
}

// The wire bytes of the answer (mutex held); empty when the radio does not answer.
QByteArray SecondGenRadio::reply(const RadioFrame& request, int& newRate) {
    if (request.sync == SYNC_KEY)
        return QByteArray();
    const int address = request.address();
    const uint8_t d0 = uint8_t(request.data[0]), d1 = uint8_t(request.data[1]);
    Reply out;
    out.command = request.command;
    switch (request.command) {
    case CONNECT:
        out.data = QByteArray(4, '\0');
        break;
    case GET_VERSION:
        if (faults.noVersionReply)
            return QByteArray();
        out.data = version + char(uint8_t(version.size()));
        break;
    case DISCONNECT:
        newRate = HOME_RATE;
        return QByteArray();
    case READ_BLOCK:
        out.data = blockReply(address);
        out.escape = true;
        break;
    case WRITE_BLOCK: {
        const int block =
            uint8_t(request.data[BLOCK_DATA - 1]) * 256 + uint8_t(request.data[BLOCK_DATA - 2]);
        for (int i = 0; i < BLOCK_BYTES; ++i)
            mem[index(block + i)] = uint8_t(request.data[BLOCK_BYTES - 1 - i]);
        out.data = fourBytes(0, 0, block);
        out.escape = true;
        break;
    }
    case METER:
        if ((address & 0xFF) != METER_READ)
            return QByteArray();
        out.data = fourBytes(meterNoise, meterRssi, METER_READ);
        break;
    case SET_BAUD:
        if (faults.ignoreSetBaud || !isLineRate(address))
            return QByteArray();
        out.data = request.data;
        newRate = address;
        break;
    case GET_CHANNEL:
        out.data = fourBytes(0, 0, channel);
        break;
    case TEST_TONE:
        testTone = d1 * 256 + d0;
        out.data = request.data;
        break;
    case ALIGN_FREQ:
        alignFrequency = d1 * 256 + d0;
        return QByteArray();
    case READ_BYTE:
        out.data = addressReply(mem[index(address)], address);
        break;
    case WRITE_BYTE:
        mem[index(address)] = d0;
        out.data = addressReply(d0, address);
        break;
    default:
        return QByteArray();
    }
    return wireFrame(out.data, out.command, out.escape, SYNC_CMD, faults.badChecksum ? 1 : 0);
}

QByteArray SecondGenRadio::blockReply(int address) const {
    const int carried = faults.wrongAddress ? address + BLOCK_BYTES : address;
    QByteArray data(BLOCK_DATA, '\0');
    for (int i = 0; i < BLOCK_BYTES; ++i)
        data[i] = char(mem[index(address + BLOCK_BYTES - 1 - i)]);
    data[BLOCK_BYTES] = char(carried & 0xFF);
    data[BLOCK_BYTES + 1] = char((carried >> 8) & 0xFF);
    return data;
}

QByteArray SecondGenRadio::addressReply(uint8_t value, int address) const {
    return fourBytes(value, 0, faults.wrongAddress ? address + 1 : address);
}

} // namespace testsupport
