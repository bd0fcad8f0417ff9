#pragma once
// A simulated flash boot loader (standard serial I/O mode) on the master side of a
// pseudo-terminal: baud codes with echo, version, status (SRD, SRD1), clear status, ID
// check, erase all with a busy period, page read and page program over a 64 KiB flash at
// 0xF0000..0xFFFFF. Bytes that arrive while the program's line runs at another rate than
// the loader's are lost, as on a real line. Faults can be switched on to test failures.
// The generations start the loader differently: the first with the baud code 0xB0 alone,
// the second with a sync of 0x00 bytes (17, 20 ms apart), which the loader answers with
// one 0xB0 once it has heard 16 in a row.

#include "support/Pty.h"

#include <QString>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace sim {

class FlashLoaderSim {
public:
    static constexpr int FLASH_SIZE = 0x10000;
    using Id = std::array<uint8_t, 7>;
    enum class Generation { First, Second };
    static constexpr int SYNC_ZEROS = 16;

    struct Faults {
        bool neverEcho = false;          // baud codes get no echo
        bool neverSync = false;          // the second generation's sync gets no answer
        bool noVersion = false;          // the version request gets no answer
        bool refuseId = false;           // every ID check fails
        int eraseErrors = 0;             // this many erases end with the erase error bit
        bool stayBusyAfterErase = false; // the status never shows ready again
        bool stayBusyAfterProgram = false;
        int programErrorPage = -1; // programming this page (offset / 256) fails
        int wrongPage = -1;        // a read of this page returns the next page
        int eraseLeavesPage = -1;  // erase all leaves this page as it was
        // The reply to this page read (counted from 0 over the loader's life) comes
        // lateReplyMs late; the commands sent meanwhile are answered after it, in order.
        int lateRead = -1;
        int dropStatusReplies = 0; // this many read-status replies are never sent
        int lateReplyMs = 1300;
    };

    explicit FlashLoaderSim(Generation generation = Generation::First);
    ~FlashLoaderSim();
    FlashLoaderSim(const FlashLoaderSim&) = delete;
    FlashLoaderSim& operator=(const FlashLoaderSim&) = delete;

    // The device path the program opens.
    QString slavePath() const { return line.slavePath(); }

    void setFaults(const Faults& faults);
    void setId(const Id& id);
    void setFlash(const std::vector<uint8_t>& contents);
    void setEraseBusy(std::chrono::milliseconds period);
    // Delays each reply by the time its command and the reply take on the line.
    void setLineTiming(bool on);

    std::vector<uint8_t> flash() const;
    int rate() const { return loaderRate.load(); }
    // The rate the program set on its end of the line.
    int programRate() const { return slaveRate(); }
    bool idVerified() const;
    // Number of commands received, by first byte.
    int commandCount(uint8_t command) const;
    // Page offsets programmed, in order.
    std::vector<int> programmedPages() const;
    int lostBytes() const { return lost.load(); }

private:
    void run();
    void receive(const uint8_t* bytes, int count);
    // Length of the complete command at the front of `pending`, 0 while incomplete.
    size_t commandLength() const;
    void execute(const std::vector<uint8_t>& command);
    void pageProgram(int page, const uint8_t* data);
    void eraseAll();
    uint8_t statusRegister() const;
    void reply(const std::vector<uint8_t>& bytes);
    int slaveRate() const;
    bool busy() const;

    const Generation generation;
    testsupport::PtyPair line;
    std::thread worker;
    std::atomic<bool> stopping{false};
    std::atomic<int> loaderRate{9600};
    std::atomic<int> lost{0};
    std::atomic<bool> lineTiming{false};

    mutable std::mutex mutex; // guards everything below
    Faults faults;
    Id id{};
    std::vector<uint8_t> memory;
    std::vector<uint8_t> pending;
    std::chrono::steady_clock::time_point lastByte;
    std::chrono::steady_clock::time_point busyUntil;
    std::chrono::milliseconds eraseBusy{150};
    bool stuckBusy = false;
    bool idOk = false;
    uint8_t srd = 0x80;
    uint8_t srd1 = 0x00;
    int erasesFailed = 0;
    int statusDropped = 0;
    int zeroRun = 0;   // 0x00 bytes heard in a row (the second generation's sync)
    int lineBytes = 0; // bytes of the command being answered, for line timing
    std::map<uint8_t, int> counts;
    std::vector<int> programmed;
};

} // namespace sim
