#include "Flashrom.h"

#include "platform/SerialDevice.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr int HOME_RATE = 9600;
constexpr uint8_t SYNC_BYTE = 0x00;
constexpr int SYNC_COUNT = 17;
constexpr int SYNC_GAP_MS = 20;
constexpr uint8_t SYNC_REPLY = 0xB0;
constexpr int READ_INTERVAL_MS = 5;
constexpr int READ_TOTAL_MS = 100;
constexpr int READ_MS_PER_BYTE = 1;
constexpr int READY_POLLS = 10;
constexpr int READY_POLL_MS = 40;

// The borrowed port; the UI thread alone uses the link.
struct FlashLinkState {
    platform::SerialDevice* port = nullptr;
    bool active = false;
} link;

using Clock = std::chrono::steady_clock;

void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int MsUntil(Clock::time_point when) {
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(when - Clock::now()).count());
}

// One read as the port's time-outs end it: bytes until 5 ms pass without one, or until
// 100 ms + 1 ms a byte pass in all. The count read, or FLASH_READ_FAILED/_STOPPED.
int ReadOnce(uint8_t* buffer, int n) {
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(READ_TOTAL_MS + READ_MS_PER_BYTE * n);
    int got = 0;
    while (got < n) {
        const int left = MsUntil(deadline);
        if (left <= 0)
            break;
        const auto wait =
            link.port->waitReadable(got > 0 ? std::min(left, READ_INTERVAL_MS) : left);
        if (wait == platform::SerialDevice::Wait::Stopped)
            return FLASH_READ_STOPPED;
        if (wait == platform::SerialDevice::Wait::Failed)
            return FLASH_READ_FAILED;
        if (wait == platform::SerialDevice::Wait::TimedOut) {
            if (got > 0)
                break; // the loader paused: the read ends with what came
            continue;
        }
        const int count = link.port->readAvailable(buffer + got, n - got);
        if (count < 0)
            return FLASH_READ_FAILED;
        got += count;
    }
    return got;
}

int Send(const std::vector<uint8_t>& bytes) {
    return FlashWrite(bytes.data(), int(bytes.size()));
}

// Purge, send the command; 1 when it went out.
int Command(const std::vector<uint8_t>& bytes) {
    FlashPurge();
    return Send(bytes) == 0 ? 1 : 0;
}

// Purge, send one byte, read one: 1 when it is `expected`, 0 for another, else the read's
// result.
int ByteExchange(uint8_t sent, uint8_t expected) {
    FlashPurge();
    if (FlashSendByte(sent) != 0)
        return FLASH_READ_FAILED;
    uint8_t reply = 0;
    const int got = FlashRead(&reply, 1);
    if (got < 0)
        return got;
    return reply == expected ? 1 : 0;
}

uint32_t PageOffset(uint32_t pageAddress) {
    return pageAddress - srecord::FLASH_BASE;
}

} // namespace

bool FlashOpen(platform::SerialDevice* port) {
    if (!port || !port->isOpen() || link.active)
        return false;
    if (!port->setBaudRate(HOME_RATE))
        return false;
    port->clearStop();
    port->purge();
    link.port = port;
    link.active = true;
    return true;
}

bool FlashClose() {
    link.active = false;
    link.port = nullptr;
    return true;
}

bool FlashActive() {
    return link.active;
}

int FlashSetRate(int rate) {
    return link.active && link.port->setBaudRate(rate) ? rate : 0;
}

// Received bytes only: a command written just before (one without a reply) must still go
// out, where a real port would have finished sending it before its write returned.
void FlashPurge() {
    if (link.active)
        link.port->purgeInput();
}

int FlashSendByte(uint8_t byte) {
    return FlashWrite(&byte, 1);
}

int FlashWrite(const uint8_t* bytes, int n) {
    if (!link.active || n <= 0)
        return -1;
    return link.port->writeAll(bytes, n) == n ? 0 : -1;
}

int FlashRead(uint8_t* buffer, int n) {
    if (!link.active || n <= 0 || n > FLASH_READ_MAX)
        return FLASH_READ_FAILED;
    int got = 0;
    while (got < n) {
        const int count = ReadOnce(buffer + got, n - got);
        if (count == 0 || count < 0) {
            FlashPurge();
            return count == 0 ? FLASH_READ_NOTHING : count;
        }
        got += count;
    }
    return n;
}

int FlashSync() {
    FlashPurge();
    for (int i = 0; i < SYNC_COUNT; ++i) {
        if (FlashSendByte(SYNC_BYTE) != 0)
            return FLASH_READ_FAILED;
        Sleep(SYNC_GAP_MS);
    }
    uint8_t reply = 0;
    const int got = FlashRead(&reply, 1);
    if (got < 0)
        return got;
    return reply == SYNC_REPLY ? 1 : 0;
}

int FlashSetBaud(int rate) {
    const int code = boot::BaudCode(rate);
    if (code < 0)
        return -1;
    return ByteExchange(uint8_t(code), uint8_t(code));
}

int FlashGetVersion(char* buffer) {
    if (!Command({boot::BOOT_VERSION}))
        return 0;
    uint8_t text[boot::VERSION_LENGTH];
    if (FlashRead(text, boot::VERSION_LENGTH) != boot::VERSION_LENGTH)
        return 0;
    std::memcpy(buffer, text, boot::VERSION_LENGTH);
    buffer[boot::VERSION_LENGTH] = '\0';
    return 1;
}

int FlashReadStatus(int& status) {
    if (!Command({boot::BOOT_READ_STATUS}))
        return 0;
    uint8_t reply[boot::STATUS_LENGTH];
    if (FlashRead(reply, boot::STATUS_LENGTH) != boot::STATUS_LENGTH)
        return 0;
    status = reply[0] + 256 * reply[1];
    return 1;
}

int FlashClearStatus() {
    return Command({boot::BOOT_CLEAR_STATUS});
}

int FlashIdCheck(const boot::IdCode& id) {
    return Command(boot::IdCheckCommand(id));
}

int FlashEraseAll() {
    return Command({boot::BOOT_ERASE_ALL, boot::BOOT_ERASE_CONFIRM});
}

int FlashPageRead(uint32_t pageAddress, uint8_t* buffer) {
    if (!Command(boot::PageReadCommand(int(PageOffset(pageAddress)))))
        return 0;
    return FlashRead(buffer, boot::PAGE_SIZE) == boot::PAGE_SIZE ? 1 : 0;
}

int FlashSendPage(uint32_t pageAddress, const uint8_t* data) {
    return Command(boot::PageProgramCommand(int(PageOffset(pageAddress)), data));
}

int FlashProgramPage(uint32_t pageAddress, const uint8_t* data) {
    if (boot::PageIsBlank(data))
        return 1;
    FlashPurge();
    if (!FlashClearStatus() || !FlashSendPage(pageAddress, data))
        return 0;
    int status = 0;
    bool ready = false;
    for (int poll = 0; poll < READY_POLLS && !ready; ++poll) {
        Sleep(READY_POLL_MS);
        ready = FlashReadStatus(status) && (status & boot::SRD_READY);
    }
    if (!ready)
        return 0;
    if (status & boot::SRD_PROGRAM_ERROR) {
        FlashClearStatus();
        return 0;
    }
    return 1;
}
