#include "support/FirstGenRadio.h"

namespace testsupport {

namespace {

enum : uint8_t {
    CONNECT = 1,
    GET_VERSION = 2,
    DISCONNECT = 3,
    READ_BLOCK = 4,
    WRITE_BLOCK = 5,
    READ_LOCATION = 6,
    WRITE_LOCATION = 7,
    METER = 10,
    GET_DISPLAY = 26,
    WRITE_BYTE = 71,
};
constexpr uint8_t KEY_PRESS = 4;
constexpr uint8_t DISPLAY_FRAME = 2;
constexpr uint8_t METER_READ = 6, METER_CAL_S1 = 2, METER_CAL_S9 = 3;
constexpr int PENDING_LIMIT = 64;

QByteArray addressData(uint8_t value, int address) {
    QByteArray data(4, '\0');
    data[0] = char(value);
    data[2] = char(address & 0xFF);
    data[3] = char((address >> 8) & 0xFF);
    return data;
}

int memoryIndex(int address) {
    return ((address % FirstGenRadio::MEMORY_SIZE) + FirstGenRadio::MEMORY_SIZE) %
           FirstGenRadio::MEMORY_SIZE;
}

} // namespace

const QByteArray FirstGenRadio::DEFAULT_VERSION = QByteArrayLiteral("Korvan V1.07A UHF");
const QByteArray FirstGenRadio::NOISE = QByteArray::fromHex("1337cc4204cc99aa00");

FirstGenRadio::FirstGenRadio() : version(DEFAULT_VERSION) {
    line.start([this](uint8_t byte) { feed(byte); });
}

FirstGenRadio::~FirstGenRadio() {
    line.stop();
}

bool FirstGenRadio::isRunning() const {
    return line.isRunning();
}

QString FirstGenRadio::devicePath() const {
    return line.devicePath();
}

void FirstGenRadio::mapToPort(int portNumber) const {
    mapComPort(portNumber, line.devicePath());
}

QByteArray FirstGenRadio::memory() const {
    std::lock_guard<std::mutex> lock(mutex);
    return QByteArray(reinterpret_cast<const char*>(mem), MEMORY_SIZE);
}

void FirstGenRadio::setMemory(const QByteArray& bytes) {
    std::lock_guard<std::mutex> lock(mutex);
    for (int i = 0; i < bytes.size() && i < MEMORY_SIZE; ++i)
        mem[i] = uint8_t(bytes[i]);
}

uint8_t FirstGenRadio::byteAt(int address) const {
    std::lock_guard<std::mutex> lock(mutex);
    return mem[memoryIndex(address)];
}

void FirstGenRadio::setByte(int address, uint8_t value) {
    std::lock_guard<std::mutex> lock(mutex);
    mem[memoryIndex(address)] = value;
}

void FirstGenRadio::setVersion(const QByteArray& text) {
    std::lock_guard<std::mutex> lock(mutex);
    version = text.left(255);
}

void FirstGenRadio::setFaults(const Faults& newFaults) {
    std::lock_guard<std::mutex> lock(mutex);
    faults = newFaults;
    blocksAnswered = 0;
}

void FirstGenRadio::hangUp() {
    line.hangUp();
}

bool FirstGenRadio::plugBackIn() {
    return line.plugBackIn();
}

void FirstGenRadio::setMeter(uint8_t rssi, uint8_t noise) {
    std::lock_guard<std::mutex> lock(mutex);
    meterRssi = rssi;
    meterNoise = noise;
}

void FirstGenRadio::setSMeterPoints(uint8_t s1, uint8_t s9) {
    std::lock_guard<std::mutex> lock(mutex);
    pointS1 = s1;
    pointS9 = s9;
}

void FirstGenRadio::setDisplay(const QByteArray& displayBytes) {
    std::lock_guard<std::mutex> lock(mutex);
    display = displayBytes.leftJustified(10, '\0', true);
}

void FirstGenRadio::queueReply(uint8_t command, const QByteArray& wireBytes) {
    std::lock_guard<std::mutex> lock(mutex);
    queued.emplace(command, wireBytes);
}

void FirstGenRadio::sendRaw(const QByteArray& wireBytes) {
    send(wireBytes);
}

QList<RadioFrame> FirstGenRadio::frames() const {
    return log.frames();
}

int FirstGenRadio::count(uint8_t command, uint8_t sync) const {
    return log.count(command, sync);
}

void FirstGenRadio::clearFrames() {
    log.clear();
}

bool FirstGenRadio::waitForFrames(uint8_t command, int wanted, int timeoutMs, uint8_t sync) const {
    return log.waitFor(command, wanted, timeoutMs, sync);
}

QByteArray FirstGenRadio::frame(const QByteArray& data, uint8_t command, uint8_t sync) {
    QByteArray wire = data;
    wire.append(char(frameChecksum(data)));
    wire.append(char(command));
    wire.append(char(sync));
    return wire;
}

// Frames end with their sync byte: at each sync value, try the frame that ends here.
void FirstGenRadio::feed(uint8_t byte) {
    pending.append(char(byte));
    if (pending.size() > PENDING_LIMIT)
        pending.remove(0, pending.size() - PENDING_LIMIT);
    if (byte != SYNC_CMD && byte != SYNC_KEY)
        return;
    RadioFrame frame;
    if (!parse(frame))
        return;
    pending.clear();
    // Answered first, so a test that sees the frame heard also sees what it changed.
    answer(frame);
    log.append(frame);
}

bool FirstGenRadio::parse(RadioFrame& frame) const {
    const int size = pending.size();
    if (size < 4)
        return false;
    frame.sync = uint8_t(pending[size - 1]);
    frame.command = uint8_t(pending[size - 2]);
    int count = 4;
    if (frame.sync == SYNC_KEY)
        count = frame.command == KEY_PRESS ? 1 : -1;
    else if (frame.command == WRITE_BLOCK)
        count = 10;
    if (count < 0 || size < count + 3)
        return false;
    frame.data = pending.mid(size - 3 - count, count);
    return frameChecksum(frame.data) == uint8_t(pending[size - 3]);
}

void FirstGenRadio::answer(const RadioFrame& frame) {
    int delayMs;
    bool noise, badChecksum;
    QByteArray wire;
    {
        std::lock_guard<std::mutex> lock(mutex);
        const bool isBlock =
            frame.sync == SYNC_CMD && (frame.command == READ_BLOCK || frame.command == WRITE_BLOCK);
        const bool dropped =
            frame.sync == SYNC_CMD && ((faults.noVersion && frame.command == GET_VERSION) ||
                                       (faults.noBlockReads && frame.command == READ_BLOCK));
        if (faults.silent || dropped ||
            (faults.stopAfterBlocks >= 0 && blocksAnswered >= faults.stopAfterBlocks))
            return;
        if (isBlock && faults.dropAfterBlocks >= 0 && blocksAnswered >= faults.dropAfterBlocks) {
            line.hangUp();
            return;
        }
        auto next = frame.sync == SYNC_CMD ? queued.find(frame.command) : queued.end();
        if (next != queued.end()) {
            wire = next->second;
            queued.erase(next);
        } else {
            wire = reply(frame);
        }
        blocksAnswered += isBlock ? 1 : 0;
        delayMs = faults.replyDelayMs;
        noise = faults.noise;
        badChecksum = faults.badChecksum;
    }
    if (wire.isEmpty())
        return;
    if (badChecksum)
        wire[wire.size() - 3] = char(uint8_t(wire[wire.size() - 3]) + 1);
    if (delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    send(noise ? NOISE + wire : wire);
}

// The normal answer to a request (mutex held); empty when the radio does not answer.
QByteArray FirstGenRadio::reply(const RadioFrame& frame) {
    if (frame.sync == SYNC_KEY)
        return QByteArray();
    const int address = frame.address();
    const uint8_t value = frame.data.isEmpty() ? 0 : uint8_t(frame.data[0]);
    switch (frame.command) {
    case CONNECT:
        return FirstGenRadio::frame(QByteArray(4, '\0'), CONNECT);
    case GET_VERSION:
        return FirstGenRadio::frame(version + char(uint8_t(version.size())), GET_VERSION);
    case READ_BLOCK:
        return blockReply(address);
    case WRITE_BLOCK: {
        const int block = uint8_t(frame.data[9]) * 256 + uint8_t(frame.data[8]);
        for (int i = 0; i < 8; ++i)
            mem[memoryIndex(block + i)] = uint8_t(frame.data[7 - i]);
        return FirstGenRadio::frame(addressData(0, block), WRITE_BLOCK);
    }
    case READ_LOCATION:
        return FirstGenRadio::frame(addressData(mem[memoryIndex(address)], address), READ_LOCATION);
    case WRITE_LOCATION:
    case WRITE_BYTE:
        mem[memoryIndex(address)] = value;
        return FirstGenRadio::frame(addressData(value, address), frame.command);
    case METER: {
        QByteArray data = addressData(0, frame.address() & 0xFF);
        if (data[2] == char(METER_READ)) {
            data[0] = char(meterNoise);
            data[1] = char(meterRssi);
        } else if (data[2] == char(METER_CAL_S1) || data[2] == char(METER_CAL_S9)) {
            data[0] = char(data[2] == char(METER_CAL_S1) ? pointS1 : pointS9);
        } else {
            return QByteArray();
        }
        return FirstGenRadio::frame(data, METER);
    }
    case GET_DISPLAY: {
        QByteArray data(10, '\0');
        for (int j = 0; j < 10; ++j)
            data[j] = display[9 - j];
        return FirstGenRadio::frame(data, DISPLAY_FRAME, SYNC_KEY);
    }
    case DISCONNECT:
    default:
        return QByteArray();
    }
}

QByteArray FirstGenRadio::blockReply(int address) const {
    const int carried = faults.wrongAddress ? address + 8 : address;
    QByteArray data(10, '\0');
    for (int i = 0; i < 8; ++i)
        data[i] = char(mem[memoryIndex(address + 7 - i)]);
    data[8] = char(carried & 0xFF);
    data[9] = char((carried >> 8) & 0xFF);
    return FirstGenRadio::frame(data, READ_BLOCK);
}

void FirstGenRadio::send(const QByteArray& bytes) {
    line.send(bytes);
}

} // namespace testsupport
