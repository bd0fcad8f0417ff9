// The second program's whole firmware upgrade of a full 64 KiB image at 57600 baud, with
// blank check and verify, against the simulated boot loader paced at the line rate. Prints
// the time and its ratio to the floor: the bytes' time on the wire plus the loader
// protocol's own waits (the sync's gaps, one status poll wait a programmed page, the erase
// polls).
#include "Adv_edit.h"
#include "Forms.h"
#include "Main.h"
#include "Serial.h"
#include "platform/ScriptedHost.h"
#include "support/BenchFolder.h"
#include "support/FirmwareFile.h"
#include "support/FlashLoaderSim.h"
#include "support/Pty.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <chrono>
#include <cstdio>

namespace {

constexpr int PORT = 9;
constexpr int RATE = 57600;
constexpr int HOME_RATE = 9600;
constexpr int SYNC_BYTES = 17;
constexpr int SYNC_GAP_MS = 20;
constexpr int PROGRAM_POLL_MS = 40;
constexpr int ERASE_BUSY_MS = 150;

// Seconds the bytes of the run take on the line, from the commands the loader heard: the
// sync and the baud code with its echo at the home rate, everything else at `RATE`.
double WireSeconds(const sim::FlashLoaderSim& loader) {
    const double home = (SYNC_BYTES + 1 + 2) * 10.0 / HOME_RATE;
    const int bytes = loader.commandCount(0xFF) * (3 + 256) + // page reads
                      loader.commandCount(0x41) * (3 + 256) + // page programs
                      loader.commandCount(0x70) * (1 + 2) +   // status reads
                      loader.commandCount(0x50) +             // clear status
                      loader.commandCount(0xF5) * (5 + 7) +   // ID checks
                      loader.commandCount(0xA7) * 2 +         // erase all
                      loader.commandCount(0xFB) * (1 + 8);    // version
    return home + bytes * 10.0 / RATE;
}

double WaitSeconds(const sim::FlashLoaderSim& loader) {
    const int erasePolls =
        (ERASE_BUSY_MS + TfrmAdvanced::ERASE_POLL_MS - 1) / TfrmAdvanced::ERASE_POLL_MS;
    return (SYNC_BYTES * SYNC_GAP_MS + int(loader.programmedPages().size()) * PROGRAM_POLL_MS +
            erasePolls * TfrmAdvanced::ERASE_POLL_MS) /
           1000.0;
}

} // namespace

int main(int argc, char** argv) {
    testsupport::BenchFolder folder;
    QApplication app(argc, argv);
    platform::ScriptedHost host;
    CreateForms();

    const std::vector<uint8_t> image = testsupport::EveryPageFirmware(srecord::FLASH_SIZE);
    sim::FlashLoaderSim loader(sim::FlashLoaderSim::Generation::Second);
    loader.setId(boot::IdCodeCandidate(0, image.data()));
    loader.setEraseBusy(std::chrono::milliseconds(ERASE_BUSY_MS));
    loader.setLineTiming(true);

    const QString file = folder.filePath(QStringLiteral("bench.mot"));
    if (!testsupport::WriteFirmwareFile(file, image))
        return 1;

    testsupport::mapComPort(PORT, loader.slavePath());
    frmBelmar->ComPort = PORT;
    if (!frmBelmar->OpenComPort(PORT)) {
        std::fprintf(stderr, "cannot open the simulated loader's port\n");
        return 1;
    }
    frmBelmar->maxBdRate = RATE;
    frmAdvanced->show();
    frmAdvanced->pageEngOptions->setCurrentWidget(frmAdvanced->tabFirmware);
    frmAdvanced->chkBlankCheck->setChecked(true);
    frmAdvanced->chkVerify->setChecked(true);

    host.fileAnswers.enqueue(file);
    QElapsedTimer clock;
    clock.start();
    frmAdvanced->btnNextClick(); // the run ends before it returns
    const double seconds = clock.elapsed() / 1000.0;

    const bool passed = host.messages.isEmpty() && loader.flash() == image &&
                        loader.commandCount(0xFF) == 2 * boot::PAGE_COUNT;
    const double wire = WireSeconds(loader);
    const double waits = WaitSeconds(loader);
    const double floor = wire + waits;
    std::printf("firmware upgrade, 64 KiB at %d baud with blank check and verify: %s, %.2f s\n",
                RATE, passed ? "passed" : "FAILED", seconds);
    std::printf("  %zu pages programmed; floor %.2f s (wire %.2f s, waits %.2f s), ratio %.3f\n",
                loader.programmedPages().size(), floor, wire, waits, seconds / floor);
    frmAdvanced->hide();
    frmBelmar->FormClose();
    DestroyForms();
    return passed ? 0 : 1;
}
