// The flash boot-loader link on the port that serialPort lends it, against the simulated
// loader of the second generation.
#include "Flashrom.h"
#include "Serial.h"
#include "support/FlashLoaderSim.h"
#include "support/Pty.h"
#include "support/Waits.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <vector>

using sim::FlashLoaderSim;

namespace {

constexpr int LOADER_PORT = 6;
constexpr uint32_t FIRST_PAGE = 0xF0000;

std::vector<uint8_t> pageOf(uint8_t seed) {
    std::vector<uint8_t> page(boot::PAGE_SIZE);
    for (int i = 0; i < boot::PAGE_SIZE; ++i)
        page[size_t(i)] = uint8_t(seed + i * 13);
    return page;
}

// Commands without a reply are counted once the loader has read them.
bool heard(const FlashLoaderSim& loader, uint8_t command, int count) {
    QElapsedTimer clock;
    clock.start();
    while (loader.commandCount(command) < count && clock.elapsed() < testsupport::WAIT_LIMIT_MS)
        QThread::msleep(2);
    return loader.commandCount(command) == count;
}

// The loader changes its rate just after its echo has gone out.
bool rateBecomes(const FlashLoaderSim& loader, int rate) {
    QElapsedTimer clock;
    clock.start();
    while (loader.rate() != rate && clock.elapsed() < testsupport::WAIT_LIMIT_MS)
        QThread::msleep(2);
    return loader.rate() == rate;
}

} // namespace

class V2FlashLink : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::mapComPort(LOADER_PORT, loader.slavePath());
        serialPort = new SerialPort;
        ASSERT_TRUE(serialPort->Open(QStringLiteral("COM%1").arg(LOADER_PORT), 9600));
        ASSERT_TRUE(serialPort->Start());
        ASSERT_TRUE(serialPort->Stop());
        ASSERT_TRUE(FlashOpen(serialPort->GetHandle()));
    }

    void TearDown() override {
        FlashClose();
        delete serialPort;
        serialPort = nullptr;
    }

    // Sync, 57600 on both ends, the loader's ID.
    void connectAt57600() {
        ASSERT_EQ(FlashSync(), 1);
        ASSERT_EQ(FlashSetBaud(57600), 1);
        ASSERT_EQ(FlashSetRate(57600), 57600);
        ASSERT_EQ(FlashIdCheck(id), 1);
    }

    FlashLoaderSim loader{FlashLoaderSim::Generation::Second};
    boot::IdCode id{1, 2, 3, 4, 5, 6, 7};
};

TEST_F(V2FlashLink, WholeExchangeProgramsAndReadsBackAPage) {
    loader.setId(id);
    EXPECT_FALSE(FlashOpen(serialPort->GetHandle())); // already active
    connectAt57600();
    EXPECT_TRUE(rateBecomes(loader, 57600));
    char version[9];
    EXPECT_EQ(FlashGetVersion(version), 1);
    EXPECT_STREQ(version, "VER.1.00");
    int status = 0;
    EXPECT_EQ(FlashReadStatus(status), 1);
    EXPECT_EQ(status & 0x0C00, 0x0C00); // ID verified: bits 10 and 11

    // The status is busy while the loader erases (half a second, for a busy machine to
    // ask within) and ready once it has done.
    loader.setEraseBusy(std::chrono::milliseconds(500));
    EXPECT_EQ(FlashEraseAll(), 1);
    EXPECT_EQ(FlashReadStatus(status), 1);
    EXPECT_EQ(status & boot::SRD_READY, 0); // busy erasing
    QElapsedTimer erasing;
    erasing.start();
    while (FlashReadStatus(status) == 1 && !(status & boot::SRD_READY) &&
           erasing.elapsed() < testsupport::WAIT_LIMIT_MS)
        QThread::msleep(20);
    EXPECT_NE(status & boot::SRD_READY, 0);

    const std::vector<uint8_t> page = pageOf(9);
    EXPECT_EQ(FlashProgramPage(FIRST_PAGE + 0x1200, page.data()), 1);
    std::vector<uint8_t> back(boot::PAGE_SIZE);
    EXPECT_EQ(FlashPageRead(FIRST_PAGE + 0x1200, back.data()), 1);
    EXPECT_EQ(back, page);
    EXPECT_EQ(loader.programmedPages(), std::vector<int>{0x1200});
    EXPECT_EQ(loader.flash()[0x12FF], page[255]);

    // A blank page is not sent at all.
    const std::vector<uint8_t> blank(boot::PAGE_SIZE, 0xFF);
    EXPECT_EQ(FlashProgramPage(FIRST_PAGE + 0x1300, blank.data()), 1);
    EXPECT_EQ(loader.commandCount(boot::BOOT_PAGE_PROGRAM), 1);
    EXPECT_EQ(loader.lostBytes(), 0);

    // Given back: the port serves serialPort's threads again at its own rate.
    EXPECT_TRUE(FlashClose());
    EXPECT_FALSE(FlashActive());
    EXPECT_TRUE(serialPort->Start());
    EXPECT_EQ(serialPort->BaudRate(), 9600);
    EXPECT_TRUE(serialPort->Stop());
    EXPECT_TRUE(FlashOpen(serialPort->GetHandle()));
}

TEST_F(V2FlashLink, FailuresAreReturnedWithinTheirBounds) {
    // A rate the loader has no code for: nothing sent.
    EXPECT_EQ(FlashSetBaud(4800), -1);
    EXPECT_EQ(loader.commandCount(0xB0) + loader.commandCount(0xB1), 0);

    // No answer to the sync, or to a baud code: the read gives up instead of waiting on.
    FlashLoaderSim::Faults faults;
    faults.neverSync = true;
    faults.neverEcho = true;
    loader.setFaults(faults);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(FlashSync(), FLASH_READ_NOTHING);
    EXPECT_LT(clock.elapsed(), testsupport::WAIT_LIMIT_MS);
    clock.restart();
    EXPECT_EQ(FlashSetBaud(57600), FLASH_READ_NOTHING);
    EXPECT_LT(clock.elapsed(), testsupport::WAIT_LIMIT_MS);
    EXPECT_EQ(loader.rate(), 9600);

    // A wrong ID: no erase, no page read (the loader answers nothing); the status says so.
    loader.setFaults({});
    loader.setId(boot::IdCode{9, 9, 9, 9, 9, 9, 9});
    connectAt57600();
    int status = 0;
    EXPECT_EQ(FlashReadStatus(status), 1);
    EXPECT_NE(status & 0x0C00, 0x0C00);
    std::vector<uint8_t> back(boot::PAGE_SIZE);
    clock.restart();
    EXPECT_EQ(FlashPageRead(FIRST_PAGE, back.data()), 0);
    EXPECT_LT(clock.elapsed(), testsupport::WAIT_LIMIT_MS);

    // A page that never gets ready fails after 10 polls of 40 ms; a program error fails
    // and clears the status.
    loader.setId(id);
    ASSERT_EQ(FlashIdCheck(id), 1);
    faults = {};
    faults.stayBusyAfterProgram = true;
    loader.setFaults(faults);
    const std::vector<uint8_t> page = pageOf(3);
    clock.restart();
    EXPECT_EQ(FlashProgramPage(FIRST_PAGE + 0x100, page.data()), 0);
    EXPECT_GE(clock.elapsed(), 10 * 40);
    EXPECT_LT(clock.elapsed(), testsupport::WAIT_LIMIT_MS);
    EXPECT_EQ(loader.commandCount(boot::BOOT_READ_STATUS), 1 + 10);
}

TEST_F(V2FlashLink, ProgramErrorAndADroppedLine) {
    loader.setId(id);
    connectAt57600();
    FlashLoaderSim::Faults faults;
    faults.programErrorPage = 2;
    loader.setFaults(faults);
    const std::vector<uint8_t> page = pageOf(5);
    const int clearsBefore = loader.commandCount(boot::BOOT_CLEAR_STATUS);
    EXPECT_EQ(FlashProgramPage(FIRST_PAGE + 0x200, page.data()), 0);
    EXPECT_TRUE(heard(loader, boot::BOOT_CLEAR_STATUS, clearsBefore + 2));
    EXPECT_EQ(FlashProgramPage(FIRST_PAGE + 0x300, page.data()), 1);

    // A lead pulled out of a plain line: every command fails, none waits on.
    testsupport::PtyPair line;
    testsupport::mapComPort(7, line.slavePath());
    SerialPort port;
    ASSERT_TRUE(port.Open(QStringLiteral("COM7"), 9600));
    FlashClose();
    ASSERT_TRUE(FlashOpen(port.GetHandle()));
    line.hangUp();
    QElapsedTimer clock;
    clock.start();
    char version[9];
    EXPECT_EQ(FlashGetVersion(version), 0);
    EXPECT_LT(FlashSync(), 1);
    EXPECT_EQ(FlashProgramPage(FIRST_PAGE, page.data()), 0);
    EXPECT_LT(clock.elapsed(), testsupport::WAIT_LIMIT_MS);
    FlashClose();
    EXPECT_FALSE(FlashOpen(nullptr));
    EXPECT_EQ(FlashSetRate(57600), 0); // not active
    EXPECT_EQ(FlashClearStatus(), 0);
}
