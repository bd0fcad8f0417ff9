// Full firmware upgrade of a 64 KiB image at 57600 baud against the simulated boot loader,
// whose replies take the time the line would. Prints the time and the pages per second.
#include "Adv_edit.h"
#include "Forms.h"
#include "Main.h"
#include "Ser_com.h"
#include "platform/ScriptedHost.h"
#include "support/BenchFolder.h"
#include "support/FirmwareFile.h"
#include "support/FlashLoaderSim.h"
#include "support/Pty.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
    testsupport::BenchFolder folder;
    QApplication app(argc, argv);
    platform::ScriptedHost host;
    CreateForms();

    const std::vector<uint8_t> image = testsupport::EveryPageFirmware(srecord::FLASH_SIZE);
    sim::FlashLoaderSim loader;
    loader.setId(boot::IdCodeCandidate(0, image.data())); // the radio runs this product's firmware
    loader.setLineTiming(true);

    const QString file = folder.filePath(QStringLiteral("bench.mot"));
    if (!testsupport::WriteFirmwareFile(file, image))
        return 1;

    testsupport::mapComPort(9, loader.slavePath());
    if (!frmSerial->OpenPort(9))
        return 1;
    frmBelmar->maxBdRate = 57600;
    frmAdvanced->show();
    frmAdvanced->pageEngOptions->setCurrentWidget(frmAdvanced->tabFirmware);

    host.fileAnswers.enqueue(file);
    QElapsedTimer clock;
    clock.start();
    frmAdvanced->btnNextClick();
    const bool ended = QTest::qWaitFor(
        [] { return frmAdvanced->FlashState == 0 && frmAdvanced->btnNext->isEnabled(); },
        10 * 60 * 1000);
    const double seconds = clock.elapsed() / 1000.0;
    const bool passed = ended && loader.flash() == image;
    std::printf("firmware upgrade, 64 KiB at 57600 baud: %s in %.1f s\n",
                passed ? "passed" : "FAILED", seconds);
    // Bytes on the line per page: read request and page (blank check and verify), clear
    // status, program command and page, read status and reply (write).
    const double lineSeconds = 256.0 * (2 * (3 + 256) + 1 + 259 + 1 + 2) * 10 / 57600;
    std::printf("  %zu pages programmed, %.1f pages/s over blank check, write and verify\n",
                loader.programmedPages().size(), 3 * 256 / seconds);
    std::printf("  the line alone needs %.1f s\n", lineSeconds);
    DestroyForms();
    return passed ? 0 : 1;
}
