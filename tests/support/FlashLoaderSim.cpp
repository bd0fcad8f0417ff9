#include "support/FlashLoaderSim.h"

#include <algorithm>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr uint8_t READY = 0x80;
constexpr uint8_t ERASE_ERROR = 0x20;
constexpr uint8_t PROGRAM_ERROR = 0x10;
constexpr uint8_t ID_MATCHED = 0x0C;
constexpr uint8_t ID_MISMATCH = 0x04;
const char VERSION_TEXT[] = "VER.1.00";
// A command cut short by a silence this long is dropped, as the loader's receive
// time-out does.
constexpr auto COMMAND_TIMEOUT = std::chrono::milliseconds(500);

int rateOfSpeed(speed_t speed) {
    switch (speed) {
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    default:
        return 0;
    }
}

} // namespace

FlashLoaderSim::FlashLoaderSim(Generation generation)
    : generation(generation), memory(FLASH_SIZE, 0xFF) {
    if (!line.isOpen())
        throw std::runtime_error("no pseudo-terminal");
    // Old firmware is in the flash until it is erased.
    for (int i = 0; i < FLASH_SIZE; ++i)
        memory[size_t(i)] = uint8_t(i * 7 + 3);
    worker = std::thread([this] { run(); });
}

FlashLoaderSim::~FlashLoaderSim() {
    stopping = true;
    worker.join();
}

void FlashLoaderSim::setFaults(const Faults& f) {
    std::lock_guard lock(mutex);
    faults = f;
}

void FlashLoaderSim::setId(const Id& newId) {
    std::lock_guard lock(mutex);
    id = newId;
}

void FlashLoaderSim::setFlash(const std::vector<uint8_t>& contents) {
    std::lock_guard lock(mutex);
    memory = contents;
    memory.resize(FLASH_SIZE, 0xFF);
}

void FlashLoaderSim::setEraseBusy(std::chrono::milliseconds period) {
    std::lock_guard lock(mutex);
    eraseBusy = period;
}

void FlashLoaderSim::setLineTiming(bool on) {
    lineTiming = on;
}

std::vector<uint8_t> FlashLoaderSim::flash() const {
    std::lock_guard lock(mutex);
    return memory;
}

bool FlashLoaderSim::idVerified() const {
    std::lock_guard lock(mutex);
    return idOk;
}

int FlashLoaderSim::commandCount(uint8_t command) const {
    std::lock_guard lock(mutex);
    const auto found = counts.find(command);
    return found == counts.end() ? 0 : found->second;
}

std::vector<int> FlashLoaderSim::programmedPages() const {
    std::lock_guard lock(mutex);
    return programmed;
}

int FlashLoaderSim::slaveRate() const {
    termios tio{};
    if (tcgetattr(line.masterFd(), &tio) != 0)
        return 0;
    return rateOfSpeed(cfgetospeed(&tio));
}

void FlashLoaderSim::run() {
    uint8_t buffer[1024];
    while (!stopping) {
        pollfd p{line.masterFd(), POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        const ssize_t n = ::read(line.masterFd(), buffer, sizeof buffer);
        if (n <= 0) { // no program on the line (hang-up): wait for the next one
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        if (slaveRate() != loaderRate) {
            lost += int(n); // framing errors: the two ends run at different rates
            continue;
        }
        receive(buffer, int(n));
    }
}

void FlashLoaderSim::receive(const uint8_t* bytes, int count) {
    std::vector<std::vector<uint8_t>> commands;
    {
        std::lock_guard lock(mutex);
        const auto now = std::chrono::steady_clock::now();
        if (!pending.empty() && now - lastByte > COMMAND_TIMEOUT)
            pending.clear();
        lastByte = now;
        pending.insert(pending.end(), bytes, bytes + count);
        while (const size_t length = commandLength()) {
            commands.emplace_back(pending.begin(), pending.begin() + long(length));
            pending.erase(pending.begin(), pending.begin() + long(length));
        }
    }
    for (const auto& command : commands)
        execute(command);
}

size_t FlashLoaderSim::commandLength() const {
    if (pending.empty())
        return 0;
    size_t length = 1;
    switch (pending[0]) {
    case 0xF5: // ID check: address (3), count, ID bytes
        length = pending.size() >= 5 ? 5 + pending[4] : 5;
        break;
    case 0xA7: // erase all, confirmed by 0xD0
        length = 2;
        break;
    case 0xFF: // page read
        length = 3;
        break;
    case 0x41: // page program
        length = 3 + 256;
        break;
    default:
        break;
    }
    return pending.size() >= length ? length : 0;
}

bool FlashLoaderSim::busy() const {
    return stuckBusy || std::chrono::steady_clock::now() < busyUntil;
}

uint8_t FlashLoaderSim::statusRegister() const {
    return uint8_t((srd & ~READY) | (busy() ? 0 : READY));
}

void FlashLoaderSim::execute(const std::vector<uint8_t>& command) {
    std::vector<uint8_t> answer;
    int newRate = 0;
    int lateMs = 0;
    {
        std::lock_guard lock(mutex);
        const uint8_t code = command[0];
        ++counts[code];
        lineBytes += int(command.size());
        const bool ready = !busy();
        zeroRun = code == 0x00 ? zeroRun + 1 : 0;
        switch (code) {
        case 0x00:
            if (generation == Generation::Second && zeroRun >= SYNC_ZEROS) {
                zeroRun = 0;
                if (!faults.neverSync)
                    answer = {0xB0};
            }
            break;
        case 0xB0:
        case 0xB1:
        case 0xB2:
        case 0xB3:
            if (!faults.neverEcho) {
                static const int rates[] = {9600, 19200, 38400, 57600};
                answer = {code};
                newRate = rates[code - 0xB0];
            }
            break;
        case 0xFB:
            if (!faults.noVersion)
                answer.assign(VERSION_TEXT, VERSION_TEXT + 8);
            break;
        case 0x70:
            if (statusDropped < faults.dropStatusReplies)
                ++statusDropped;
            else
                answer = {statusRegister(), srd1};
            break;
        case 0x50:
            srd &= uint8_t(~(ERASE_ERROR | PROGRAM_ERROR));
            break;
        case 0xF5: {
            const uint32_t address = command[1] | command[2] << 8 | command[3] << 16;
            const bool match = address == 0x0FFFDF && command[4] == 7 &&
                               std::equal(id.begin(), id.end(), command.begin() + 5) &&
                               !faults.refuseId;
            idOk = match;
            srd1 = uint8_t((srd1 & ~ID_MATCHED) | (match ? ID_MATCHED : ID_MISMATCH));
            break;
        }
        case 0xA7:
            if (idOk && ready && command[1] == 0xD0)
                eraseAll();
            break;
        case 0xFF:
            if (idOk && ready && command[2] == 0x0F) {
                const int page = command[1];
                const int source = page == faults.wrongPage ? (page + 1) & 0xFF : page;
                answer.assign(memory.begin() + source * 256, memory.begin() + source * 256 + 256);
                if (counts[code] - 1 == faults.lateRead)
                    lateMs = faults.lateReplyMs;
            }
            break;
        case 0x41:
            if (idOk && ready && command[2] == 0x0F)
                pageProgram(command[1], command.data() + 3);
            break;
        default:
            break;
        }
    }
    if (lateMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(lateMs));
    if (!answer.empty())
        reply(answer);
    if (newRate)
        loaderRate = newRate; // after the echo went out at the old rate
}

void FlashLoaderSim::eraseAll() {
    busyUntil = std::chrono::steady_clock::now() + eraseBusy;
    stuckBusy = faults.stayBusyAfterErase;
    if (erasesFailed < faults.eraseErrors) {
        ++erasesFailed;
        srd |= ERASE_ERROR;
        return;
    }
    for (int page = 0; page < 256; ++page)
        if (page != faults.eraseLeavesPage)
            std::fill(memory.begin() + page * 256, memory.begin() + page * 256 + 256, 0xFF);
}

void FlashLoaderSim::pageProgram(int page, const uint8_t* data) {
    programmed.push_back(page * 256);
    busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(2);
    stuckBusy = faults.stayBusyAfterProgram;
    if (page == faults.programErrorPage) {
        srd |= PROGRAM_ERROR;
        return;
    }
    for (int i = 0; i < 256; ++i)
        memory[size_t(page * 256 + i)] &= data[i]; // flash bits only go from 1 to 0
}

void FlashLoaderSim::reply(const std::vector<uint8_t>& bytes) {
    int bytesOnLine = 0;
    {
        std::lock_guard lock(mutex);
        bytesOnLine = lineBytes + int(bytes.size());
        lineBytes = 0;
    }
    if (lineTiming) // 10 bits a byte
        std::this_thread::sleep_for(
            std::chrono::microseconds(int64_t(bytesOnLine) * 10 * 1000000 / loaderRate.load()));
    line.send(QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())));
}

} // namespace sim
