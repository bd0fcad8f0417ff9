// The serial worker and the block jobs against a simulated radio: reads, writes, the
// failures each step reports, Cancel, and a line that drops.

#include "Link_fixture.h"

#include "Main.h"
#include "Radio_rw.h"
#include "Rs232_com.h"
#include "Ser_com.h"
#include "support/Waits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>

using testsupport::FirstGenRadio;

namespace {

class RadioJobs : public LinkFixture {};

// The addresses of the block requests, in order; a request repeated at once (a retry after
// a time-out that came early) counts once.
QList<int> blockAddresses(const FirstGenRadio& radio, uint8_t command) {
    QList<int> addresses;
    for (const testsupport::RadioFrame& frame : radio.frames()) {
        if (frame.sync != FirstGenRadio::SYNC_CMD || frame.command != command)
            continue;
        const int address =
            command == 5 ? uint8_t(frame.data[9]) * 256 + uint8_t(frame.data[8]) : frame.address();
        if (addresses.isEmpty() || addresses.last() != address)
            addresses << address;
    }
    return addresses;
}

} // namespace

TEST_F(RadioJobs, CalibrationReadFetchesSixBlocksAndCopiesOnlyThem) {
    radio.setMemory(pattern(1));
    setImage(pattern(2));
    int mode = 0;
    const JobOutcome outcome = runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_DONE);
    EXPECT_TRUE(outcome.message.isEmpty()) << outcome.message.toStdString();
    EXPECT_FALSE(outcome.watchdog);
    EXPECT_FALSE(frmReadWrite->isVisible()) << "a good end closes the dialog";
    EXPECT_EQ(image().left(48), pattern(1).left(48));
    EXPECT_EQ(image().mid(48), pattern(2).mid(48)) << "nothing beyond the range";
    EXPECT_EQ(blockAddresses(radio, 4), (QList<int>{0, 8, 16, 24, 32, 40}));
    EXPECT_GE(radio.count(1), 1);
    EXPECT_GE(radio.count(2), 1);
    // The disconnect is the job's last frame: the radio may still be taking it in.
    EXPECT_TRUE(radio.waitForFrames(3, 1, testsupport::WAIT_LIMIT_MS))
        << "the job ends with a disconnect";
    EXPECT_EQ(radio.count(3), 1);
    EXPECT_EQ(frmBelmar->RadioVersion, QString::fromLatin1(FirstGenRadio::DEFAULT_VERSION));
    EXPECT_EQ(frmReadWrite->gaugeProgress->value(), 100);
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(RadioJobs, RadioThatCannotBeHeardIsTriedSixTimes) {
    for (bool badChecksum : {false, true}) {
        SCOPED_TRACE(badChecksum ? "bad checksums" : "silent");
        radio.clearFrames();
        host.beeps = 0;
        FirstGenRadio::Faults faults;
        faults.silent = !badChecksum;
        faults.badChecksum = badChecksum;
        radio.setFaults(faults);
        setImage(pattern(3));
        QElapsedTimer clock;
        clock.start();
        int mode = 0;
        const JobOutcome outcome = runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
        EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
        EXPECT_EQ(outcome.message, "Can't find Radio. Check COM port and leads.");
        EXPECT_EQ(radio.count(1), 6);
        EXPECT_GE(clock.elapsed(), 2000) << "about half a second between connects";
        EXPECT_TRUE(radio.waitForFrames(3, 1, testsupport::WAIT_LIMIT_MS))
            << "a failure still disconnects";
        EXPECT_EQ(radio.count(4), 0);
        EXPECT_EQ(host.beeps, 1);
        EXPECT_EQ(image(), pattern(3));
    }
}

TEST_F(RadioJobs, BlockForAnotherAddressIsIgnoredUntilTheTimeOut) {
    radio.setMemory(pattern(4));
    FirstGenRadio::Faults faults;
    faults.wrongAddress = true;
    radio.setFaults(faults);
    int mode = 0;
    const JobOutcome outcome = runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(outcome.message, "Failed while trying to read data from the radio.");
    EXPECT_EQ(radio.count(4), 6) << "block 0 asked six times";
    EXPECT_EQ(blockAddresses(radio, 4), QList<int>{0});
    EXPECT_EQ(host.beeps, 0) << "this failure shows without a beep";
    EXPECT_EQ(image(), QByteArray(IMAGE_SIZE, '\0'));
}

TEST_F(RadioJobs, NoiseAndSlowAnswersBetweenFramesStillReadCorrectly) {
    QByteArray memory = pattern(5);
    for (int i = 0; i < 512; i += 7)
        memory[i] = char(i % 2 ? 0xCC : 0xAA); // sync values inside the data, too
    radio.setMemory(memory);
    FirstGenRadio::Faults faults;
    faults.noise = true;
    radio.setFaults(faults);
    int mode = 0;
    runJob(0, 511, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_DONE);
    EXPECT_EQ(image().left(512), memory.left(512));

    faults.noise = false;
    faults.replyDelayMs = 120;
    radio.setFaults(faults);
    setImage(QByteArray(IMAGE_SIZE, '\0'));
    runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_DONE);
    EXPECT_EQ(image().left(48), memory.left(48));
}

TEST_F(RadioJobs, VersionLongerThanNineteenCharactersIsCut) {
    const QByteArray texts[] = {"Korvan V2.31B UHF and a much longer tail of text",
                                QByteArray(255, 'x')};
    for (const QByteArray& text : texts) {
        radio.setVersion(text);
        int mode = 0;
        runJob(0, 7, TfrmReadWrite::MODE_READ, &mode);
        EXPECT_EQ(mode, TfrmReadWrite::MODE_DONE);
        EXPECT_EQ(frmBelmar->RadioVersion, QString::fromLatin1(text.left(19)));
        EXPECT_EQ(frmSerial->ReceivedVersion(), QString::fromLatin1(text.left(19)));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(frmBelmar->lblVersion->text(), "xxxxxx");
}

TEST_F(RadioJobs, CancelMidReadStopsTheJobAndKeepsTheImage) {
    radio.setMemory(pattern(6));
    setImage(pattern(7));
    int mode = 0;
    const JobOutcome outcome =
        runJob([&] { mode = frmReadWrite->RunJob(0, 4095, TfrmReadWrite::MODE_READ); }, 20000,
               [&] {
                   if (radio.count(4) >= 10)
                       frmReadWrite->btnCancel->click();
               });
    EXPECT_FALSE(outcome.watchdog);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(frmReadWrite->Mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(image(), pattern(7));
    EXPECT_TRUE(radio.waitForFrames(3, 1, testsupport::WAIT_LIMIT_MS)) << "Cancel disconnects";
    const int asked = radio.count(4);
    QThread::msleep(200);
    EXPECT_EQ(radio.count(4), asked) << "no request after Cancel";
}

TEST_F(RadioJobs, WriteSendsOnlyChangedBlocksAndVerifiesThem) {
    const QByteArray memory = pattern(8);
    radio.setMemory(memory);
    QByteArray changed = memory;
    for (int address : {64, 200, 504, 511})
        changed[address] = char(~changed[address]);
    setImage(changed);
    int mode = 0;
    const JobOutcome outcome = runJob(48, 511, TfrmReadWrite::MODE_WRITE, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_DONE) << outcome.message.toStdString();
    EXPECT_EQ(radio.memory(), changed.left(512) + memory.mid(512));
    EXPECT_EQ(blockAddresses(radio, 5), (QList<int>{64, 200, 504}));
    EXPECT_GE(radio.count(4), (512 - 48) / 8 + 3) << "every written block is read back";

    radio.clearFrames();
    runJob(48, 511, TfrmReadWrite::MODE_WRITE, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_DONE);
    EXPECT_EQ(radio.count(5), 0) << "a radio already equal gets no block write";
}

TEST_F(RadioJobs, WriteThatStopsOrIsNotKeptIsAFailure) {
    radio.setMemory(pattern(9));
    setImage(pattern(10));
    FirstGenRadio::Faults faults;
    faults.stopAfterBlocks = 5; // read, write, read back block 48; read, write block 56
    radio.setFaults(faults);
    int mode = 0;
    JobOutcome outcome = runJob(48, 4095, TfrmReadWrite::MODE_WRITE, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    // Without early time-outs the read-back of block 56 is the request left unanswered.
    EXPECT_TRUE(outcome.message == "Failed while trying to verify last data write to radio." ||
                outcome.message == "Failed while trying to write data to the radio.")
        << outcome.message.toStdString();
    EXPECT_EQ(radio.memory().mid(48, 8), pattern(10).mid(48, 8));
    EXPECT_EQ(radio.memory().mid(64), pattern(9).mid(64));

    // A radio that acknowledges a block but does not keep it fails the read-back.
    radio.setFaults(FirstGenRadio::Faults());
    radio.queueReply(5, FirstGenRadio::frame(QByteArray::fromHex("00004000"), 5));
    setImage(pattern(11));
    outcome = runJob(64, 71, TfrmReadWrite::MODE_WRITE, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(outcome.message, "Failed while trying to verify last data write to radio.");
}

// A radio that connects but leaves one kind of request unanswered: each step says which.
TEST_F(RadioJobs, EachUnansweredStepNamesItself) {
    radio.setMemory(pattern(14));
    setImage(pattern(15));
    FirstGenRadio::Faults faults;
    faults.noVersion = true;
    radio.setFaults(faults);
    int mode = 0;
    for (int jobMode : {TfrmReadWrite::MODE_READ, TfrmReadWrite::MODE_WRITE}) {
        const JobOutcome outcome = runJob(48, 55, jobMode, &mode);
        EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED) << jobMode;
        EXPECT_EQ(outcome.message, "Failed while trying to read radio version.") << jobMode;
        EXPECT_EQ(radio.count(CMD_READ_BLOCK), 0) << "no block before the version";
    }

    faults = FirstGenRadio::Faults();
    faults.noBlockReads = true;
    radio.setFaults(faults);
    const JobOutcome outcome = runJob(48, 55, TfrmReadWrite::MODE_WRITE, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(outcome.message, "Failed while trying to read data before a write.");
    EXPECT_EQ(radio.count(CMD_WRITE_BLOCK), 0) << "nothing written unread";
    EXPECT_EQ(radio.memory(), pattern(14));
    EXPECT_EQ(image(), pattern(15));
}

TEST_F(RadioJobs, LineThatDropsMidJobFailsAndThePortStillCloses) {
    radio.setMemory(pattern(12));
    setImage(pattern(13));
    FirstGenRadio::Faults faults;
    faults.dropAfterBlocks = 2;
    radio.setFaults(faults);
    int mode = 0;
    const JobOutcome outcome = runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(outcome.message, "Failed while trying to read data from the radio.");
    EXPECT_EQ(image(), pattern(13));
    frmSerial->ClosePort();
    EXPECT_EQ(frmSerial->PortOpen, 0);

    // Without an open port no worker will answer: the job says so at once instead of
    // waiting for a reply until the test's watchdog cancels it.
    const JobOutcome closed = runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(closed.message, "Can't find Radio. Check COM port and leads.");
    EXPECT_FALSE(closed.watchdog);
}

TEST_F(RadioJobs, ALeadPulledOutAndPluggedBackInIsOpenedAgainForTheNextJob) {
    radio.hangUp();
    ASSERT_TRUE(
        QTest::qWaitFor([] { return frmSerial->device.hasDropped(); }, testsupport::WAIT_LIMIT_MS))
        << "the worker notices the line go";
    int mode = 0;
    const JobOutcome gone = runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(gone.message, "Can't find Radio. Check COM port and leads.");

    // The adapter comes back (here under another device name, which the settings name).
    FirstGenRadio replugged;
    replugged.setMemory(pattern(26));
    replugged.mapToPort(RADIO_PORT);
    const JobOutcome back = runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_DONE) << back.message.toStdString();
    EXPECT_EQ(image().left(48), pattern(26).left(48));
    EXPECT_TRUE(frmSerial->PortOpen);
}
