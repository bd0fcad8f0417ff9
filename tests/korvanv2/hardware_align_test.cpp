// The hardware screen's way into alignment: on-line only after the model check and a whole
// calibration read, off-line when the user agrees, and from a calibration file only when
// the file holds a whole block.

#include "Adv_edit.h"
#include "Korvanv2_fixture.h"
#include "Serial.h"
#include "Tune_radio.h"
#include "support/SecondGenRadio.h"
#include "support/Waits.h"

#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using testsupport::SecondGenRadio;

class HardwareAlign : public Korvanv2Fixture {
protected:
    void SetUp() override {
        Korvanv2Fixture::SetUp();
        ASSERT_TRUE(radio.isRunning());
        radio.mapToPort(1);
        frmBelmar->FormShow();
        host.messages.clear();
        for (int i = 0; i < CALIBRATION_SIZE; ++i)
            radio.setByte(i, uint8_t(100 + i));
        FillImage(4);
        frmAdvanced->show();
    }
    void TearDown() override {
        frmAdvanced->hide();
        Korvanv2Fixture::TearDown();
    }
    // Runs `click` and notes whether alignment opened, and on-line or not.
    void Align(const std::function<void()>& click) {
        opened = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (frmTuneRadio->isVisible()) {
                opened = true;
                online = frmTuneRadio->Online == 1;
                frmTuneRadio->done(2);
            }
        });
        watch.start(20);
        click();
    }
    QByteArray Block() const { return Image().left(CALIBRATION_SIZE); }

    SecondGenRadio radio;
    bool opened = false;
    bool online = false;
};

} // namespace

TEST_F(HardwareAlign, AWholeReadGoesOnLineAndAnotherModelIsNotAligned) {
    Align([] { frmAdvanced->btnReadCalRadioClick(); });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(online);
    EXPECT_EQ(Block(), radio.image().left(CALIBRATION_SIZE));
    EXPECT_TRUE(host.messages.isEmpty());

    radio.setVersion("Bravo v2.02a");
    Align([] { frmAdvanced->btnReadCalRadioClick(); });
    EXPECT_FALSE(opened);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Radio type is incorrect.\nCannot align Bravo");
    EXPECT_EQ(host.messages[0].caption, "Firmware Check");
}

TEST_F(HardwareAlign, AHalfReadBlockIsGivenBackAndOffLineIsOffered) {
    const QByteArray before = Block();
    SecondGenRadio::Faults faults;
    faults.stopAfterBlocks = 1;
    radio.setFaults(faults);
    host.messageAnswers.enqueue(platform::IDOK); // "Error reading from radio."
    host.messageAnswers.enqueue(platform::IDOK); // continue off-line
    Align([] { frmAdvanced->btnReadCalRadioClick(); });
    EXPECT_TRUE(opened);
    EXPECT_FALSE(online) << "only a complete read goes on-line";
    EXPECT_EQ(Block(), before);
    ASSERT_FALSE(host.messages.isEmpty());
    EXPECT_EQ(host.messages.back().text,
              "Error reading calibration from radio.\nContinue in Off-line Mode?");

    SecondGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    host.messages.clear();
    host.messageAnswers.enqueue(platform::IDCANCEL);
    Align([] { frmAdvanced->btnReadCalRadioClick(); });
    EXPECT_FALSE(opened);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text,
              "Unable to read calibration from radio.\nContinue in Off-line Mode?");
}

TEST_F(HardwareAlign, OnlyAWholeCalibrationFileOpensAlignmentOffLine) {
    const QByteArray before = Block();
    WriteFile(FilePath("short.cal"), QByteArray(47, '\x11'));
    host.fileAnswers.enqueue(FilePath("short.cal"));
    Align([] { frmAdvanced->btnReadCalFileClick(); });
    EXPECT_FALSE(opened);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].caption, "File Error");
    EXPECT_EQ(Block(), before);

    host.fileAnswers.enqueue(QString()); // the dialog cancelled
    Align([] { frmAdvanced->btnReadCalFileClick(); });
    EXPECT_FALSE(opened);

    WriteFile(FilePath("radio.cal"), QByteArray(48, '\x22'));
    host.fileAnswers.enqueue(FilePath("radio.cal"));
    Align([] { frmAdvanced->btnReadCalFileClick(); });
    EXPECT_TRUE(opened);
    EXPECT_FALSE(online);
    EXPECT_EQ(Block(), QByteArray(48, '\x22'));
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BYTE), 0);
}

// The radio was switched off and on (or its lead replugged) while the program ran: alignment
// opens the dropped line again instead of telling the user the radio does not answer.
TEST_F(HardwareAlign, ARadioReconnectedSinceTheLastSessionGoesOnLine) {
    auto firstLead = std::make_unique<SecondGenRadio>();
    firstLead->mapToPort(2);
    serialPort->Stop();
    serialPort->Close();
    ASSERT_TRUE(serialPort->Open(QStringLiteral("COM2"), 9600));
    ASSERT_TRUE(serialPort->Start());
    Align([] { frmAdvanced->btnReadCalRadioClick(); });
    ASSERT_TRUE(opened);

    firstLead.reset();
    radio.mapToPort(2);
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return serialPort->GetHandle() && serialPort->GetHandle()->hasDropped(); },
        testsupport::WAIT_LIMIT_MS))
        << "the reader sees the hang-up";
    Align([] { frmAdvanced->btnReadCalRadioClick(); });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(online);
    EXPECT_EQ(Block(), radio.image().left(CALIBRATION_SIZE));
    EXPECT_TRUE(host.messages.isEmpty());
}
