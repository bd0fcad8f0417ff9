// Full firmware upgrade of a 64 KiB image at 57600 baud against the simulated boot loader,
// whose replies take the time the line would. Prints the time and the pages per second.
#include "Adv_edit.h"
#include "Forms.h"
#include "Main.h"
#include "Ser_com.h"
#include "platform/ScriptedHost.h"
#include "support/FlashLoaderSim.h"
#include "support/Pty.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

QByteArray Hex(int value) {
    return QByteArray(1, char(value)).toHex().toUpper();
}

// S2 records of 32 bytes covering the whole flash window.
QByteArray FirmwareFile(const std::vector<uint8_t>& image) {
    QByteArray text = "S00600004844521B\r\n";
    for (int i = 0; i < int(image.size()); i += 32) {
        const uint32_t address = 0xF0000 + uint32_t(i);
        int sum = 32 + 4 + int(address >> 16) + int((address >> 8) & 0xFF) + int(address & 0xFF);
        text += "S2" + Hex(32 + 4) + Hex(int(address >> 16)) + Hex(int(address >> 8) & 0xFF) +
                Hex(int(address & 0xFF));
        for (int j = 0; j < 32; ++j) {
            text += Hex(image[size_t(i + j)]);
            sum += image[size_t(i + j)];
        }
        text += Hex(~sum & 0xFF) + "\r\n";
    }
    return text + "S804000000FB\r\n";
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::ScriptedHost host;
    CreateForms();

    std::vector<uint8_t> image(srecord::FLASH_SIZE);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 31 + 7); // no page is all 0xFF: every page is programmed
    sim::FlashLoaderSim loader;
    loader.setId(boot::IdCodeCandidate(0, image.data())); // the radio runs this product's firmware
    loader.setLineTiming(true);

    const QString file = settings.filePath("bench.mot");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(FirmwareFile(image)) < 0)
        return 1;
    out.close();

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
