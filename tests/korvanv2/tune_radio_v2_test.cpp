// Alignment of a second-generation radio against the simulated radio: live byte writes,
// BAL tracking, typed limits, firmware gating, channel display, S-meter points, transmit
// keys and the block write.

#include "Chdata.h"
#include "Korvanv2_fixture.h"
#include "Radio_rw.h"
#include "Radioabout.h"
#include "Serial.h"
#include "Tune_radio.h"
#include "Up_down.h"
#include "support/AlignmentBoxes.h"
#include "support/SecondGenRadio.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

using testsupport::SecondGenRadio;

namespace {

class TuneRadioV2 : public Korvanv2Fixture {
protected:
    void SetUp() override {
        Korvanv2Fixture::SetUp();
        ASSERT_TRUE(radio.isRunning());
        radio.mapToPort(1);
        frmBelmar->FormShow();
        host.messages.clear();
        ASSERT_TRUE(serialPort && serialPort->IsOpen());
        for (int i = 0; i < 48; ++i)
            eeprom.SetByte(i, uint8_t(10 + i));
        eeprom.SetByte(cal::RADIO_TYPE, 0x80);
        eeprom.SetByte(cal::MOD, 100);
        eeprom.SetByte(cal::BAL, 80);
        eeprom.SetByte(cal::FLAGS, 0x00);
        form = frmTuneRadio;
        for (QPushButton* button : form->findChildren<QPushButton*>())
            QObject::connect(button, &QPushButton::clicked, [this] { ++buttonClicks; });
    }
    void TearDown() override {
        form->hide();
        Korvanv2Fixture::TearDown();
    }

    void Open(int online) {
        form->Online = online;
        form->show();
        radio.clearFrames();
    }

    void TypeAndEnter(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QList<QPair<int, int>> ByteWrites() const {
        QList<QPair<int, int>> writes;
        for (const auto& frame : radio.frames())
            if (frame.sync == SecondGenRadio::SYNC_CMD &&
                frame.command == SecondGenRadio::WRITE_BYTE)
                writes.append({frame.address(), uint8_t(frame.data[0])});
        return writes;
    }

    SecondGenRadio radio;
    TfrmTuneRadio* form = nullptr;
    int buttonClicks = 0;
};

} // namespace

TEST_F(TuneRadioV2, LiveWritesReachTheRadioByteForByteAndEnterClicksNothing) {
    Open(1);
    EXPECT_EQ(form->lblOnlineStatus->text(), "Aligning Radio LIVE");
    EXPECT_EQ(form->lbl_txpwr_f2->text(), "475 MHz");
    EXPECT_EQ(form->rgAlignFreq->Item(3)->text(), "510 MHz");
    EXPECT_FALSE(form->PageControl1->isTabVisible(form->PageControl1->indexOf(form->tabRemote)));
    EXPECT_FALSE(form->txtTempCompGain->property("Tag").isValid());
    EXPECT_FALSE(form->txt625Cal->property("Tag").isValid());

    TypeAndEnter(form->txtTxPower450, QStringLiteral("1.2-3")); // '.' and '-' swallowed
    EXPECT_EQ(form->txtTxPower450->text(), "123");
    TypeAndEnter(form->txtSqlOpen2, QStringLiteral("300"));
    EXPECT_EQ(form->txtSqlOpen2->text(), "255");
    TypeAndEnter(form->txtTune520_4, QString());
    EXPECT_EQ(form->txtTune520_4->text(), "0");
    TypeAndEnter(form->txtRxRefOffset, QStringLiteral("20")); // typed offsets stop at 15
    EXPECT_EQ(form->txtRxRefOffset->text(), "15");
    form->udRxRefOffset->setPosition(0);
    form->udRxRefOffset->step(-1);
    form->chkLowPwr->setChecked(true);
    form->chkLowPwr->setChecked(true); // already set: nothing more

    const QList<QPair<int, int>> expected{{15, 123}, {5, 255},   {39, 0},
                                          {23, 15},  {23, 0xFF}, {2, 1}};
    EXPECT_EQ(ByteWrites(), expected);
    for (const auto& [address, value] : expected) {
        if (address != 23) {
            EXPECT_EQ(eeprom.GetByte(address), value) << address;
            EXPECT_EQ(radio.byteAt(address), value) << address;
        }
    }
    EXPECT_EQ(eeprom.GetByte(23), 0xFF);
    EXPECT_EQ(radio.byteAt(23), 0xFF);
    EXPECT_EQ(buttonClicks, 0);
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(TuneRadioV2, EveryBoxKeepsItsValueWhenLeft) {
    const testsupport::AlignmentProgram program{
        [this] {
            Open(1);
            form->chkTrackMod->setChecked(false); // BAL takes keys of its own
        },
        [](int address) { return eeprom.GetByte(address); },
        [](int address, uint8_t value) { eeprom.SetByte(address, value); },
        [this](int address) { return radio.byteAt(address); }};
    testsupport::ExpectEveryBoxKeepsItsValueWhenLeft(form, cal::Generation::Second, program, host,
                                                     FilePath("left.cal"));
}

TEST_F(TuneRadioV2, BalanceFollowsModulationInProportion) {
    Open(0);
    EXPECT_TRUE(form->chkTrackMod->isChecked());
    EXPECT_FALSE(form->txtBal->isEnabled());
    EXPECT_EQ(form->ModReference, 100);
    EXPECT_EQ(form->BalReference, 80);
    TypeAndEnter(form->txtMod, QStringLiteral("150"));
    EXPECT_EQ(eeprom.GetByte(cal::BAL), 120);
    EXPECT_EQ(form->txtBal->text(), "120");
    TypeAndEnter(form->txtMod, QStringLiteral("0"));
    EXPECT_EQ(eeprom.GetByte(cal::BAL), 0);
    form->udMod->setPosition(254);
    form->udMod->step(+1); // 255 * 0.8 = 204
    EXPECT_EQ(eeprom.GetByte(cal::MOD), 255);
    EXPECT_EQ(eeprom.GetByte(cal::BAL), 204);
    EXPECT_EQ(buttonClicks, 0);

    form->chkTrackMod->setChecked(false);
    EXPECT_TRUE(form->txtBal->isEnabled());
    TypeAndEnter(form->txtMod, QStringLiteral("10"));
    EXPECT_EQ(eeprom.GetByte(cal::BAL), 204);

    // Starting from MOD 0 the balance stays where it was; large ratios stop at 255.
    form->ModReference = 0;
    form->BalReference = 77;
    EXPECT_EQ(form->ScaleBalance(200), 77);
    form->ModReference = 10;
    form->BalReference = 200;
    EXPECT_EQ(form->ScaleBalance(200), 255);
    EXPECT_EQ(form->ScaleBalance(1), 20);
    form->ModReference = 3;
    form->BalReference = 1;
    EXPECT_EQ(form->ScaleBalance(2), 0); // 0.666 truncated
    EXPECT_TRUE(ByteWrites().isEmpty());

    // MOD back where tracking started gives BAL back, for every pair.
    for (int mod = 1; mod <= 255; ++mod) {
        for (int bal = 0; bal <= 255; ++bal) {
            form->ModReference = mod;
            form->BalReference = bal;
            ASSERT_EQ(form->ScaleBalance(mod), bal) << "MOD " << mod;
        }
    }
    // Keys in MOD that leave it at 7 keep BAL 61 on the radio.
    form->hide();
    eeprom.SetByte(cal::MOD, 7);
    eeprom.SetByte(cal::BAL, 61);
    Open(1);
    form->txtMod->end(false);
    QTest::keyClick(form->txtMod, Qt::Key_Backspace);
    QTest::keyClicks(form->txtMod, QStringLiteral("7"));
    QTest::keyClick(form->txtMod, Qt::Key_Return);
    EXPECT_EQ(ByteWrites(), (QList<QPair<int, int>>{{8, 61}, {8, 61}, {6, 7}, {8, 61}}));
    EXPECT_EQ(radio.byteAt(cal::BAL), 61);
}

TEST_F(TuneRadioV2, FirmwareBelow202DisablesToneAndAlignmentFrequency) {
    radio.setVersion("Korvan V2.01c");
    Open(1);
    EXPECT_EQ(form->FirmwareVersion, 201);
    EXPECT_EQ(versionInfo.minor, 1);
    EXPECT_FALSE(form->rgTestTone->isEnabled());
    EXPECT_FALSE(form->rgAlignFreq->isEnabled());
    form->FocusHelp(form->panelAlignCommon);
    EXPECT_EQ(form->HelpText->toPlainText(),
              "Alignment Frequencies requires firmware v2.02 or higher.");
    form->FocusHelp(form->gbModulation);
    EXPECT_TRUE(form->HelpText->toPlainText().endsWith("requires firmware v2.02 or higher."));
    EXPECT_TRUE(form->HelpText->toPlainText().contains("BAL with change in proportion to MOD."));
    form->hide();

    radio.setVersion("Korvan V2.02a");
    Open(1);
    EXPECT_EQ(form->FirmwareVersion, 202);
    EXPECT_TRUE(form->rgTestTone->isEnabled());
    EXPECT_TRUE(form->rgAlignFreq->isEnabled());
    form->FocusHelp(form->panelAlignCommon);
    EXPECT_TRUE(form->HelpText->toPlainText().isEmpty());
    form->rgTestTone->Item(2)->click();
    EXPECT_EQ(radio.lastTestTone(), 1000 * 65536 / 16000);
    form->rgAlignFreq->Item(1)->click();
    EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::ALIGN_FREQ, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(radio.lastAlignFrequency(), 475000000 / 12500);
    EXPECT_FALSE(form->lblChnl->isEnabled());
    form->CancelBtn->click(); // closing puts the tone off
    EXPECT_EQ(radio.lastTestTone(), 0);

    // No version reply: no firmware number, and the last parsed version stays.
    SecondGenRadio::Faults faults;
    faults.noVersionReply = true;
    radio.setFaults(faults);
    Open(1);
    EXPECT_EQ(form->FirmwareVersion, 0);
    EXPECT_EQ(versionInfo.minor, 2);
    EXPECT_FALSE(form->rgTestTone->isEnabled());
}

TEST_F(TuneRadioV2, ChannelLabelsShowCbChannelsAndRecords) {
    const int record = chlayout::Record(11);
    const uint8_t bytes[15] = {0x01, 0, 0x62, 0x94, 7,   0x62, 0x94, 5,
                               0,    0, 'T',  'A',  'G', '1',  '2'};
    for (int i = 0; i < 15; ++i)
        eeprom.SetByte(record + i, bytes[i]);
    radio.setChannel(11);
    Open(1);
    EXPECT_EQ(form->lblChnl->text(), "012");
    EXPECT_EQ(form->lblAlphaTag->text(), "TAG12");
    EXPECT_EQ(form->lblTxFreq->text(), "474.83125"); // 37986 x 12.5 kHz + 6.25 kHz
    EXPECT_EQ(form->lblRxFreq->text(), "474.82500"); // step 5 adds nothing

    form->ShowChannelInfo(512);
    EXPECT_EQ(form->lblAlphaTag->text(), "CB13");
    EXPECT_EQ(form->lblTxFreq->text(), "476.72500");
    EXPECT_EQ(form->lblRxFreq->text(), "476.72500");
    form->ShowChannelInfo(540);
    form->ShowChannelInfo(-1);
    EXPECT_EQ(form->lblAlphaTag->text(), "CB13");
    eeprom.SetByte(record, 0x03); // a vote group
    form->ShowChannelInfo(11);
    EXPECT_TRUE(form->lblTxFreq->text().isEmpty());
    EXPECT_EQ(TfrmTuneRadio::ChannelFrequency(100, 6), 1250000u);
    EXPECT_EQ(TfrmTuneRadio::ChannelFrequency(100, 3), 1265000u);

    radio.setChannel(499);
    form->ChannelUp();
    EXPECT_EQ(radio.keys(), QList<uint8_t>{0x31});
    EXPECT_EQ(form->lblChnl->text(), "500");
    EXPECT_EQ(form->CurrentChannel, 499);
}

TEST_F(TuneRadioV2, SMeterPointIsTheMeanOfTenReadings) {
    radio.setMeter(57, 9);
    Open(1);
    form->SetSMeter(form->btnSetS10);
    EXPECT_EQ(radio.count(SecondGenRadio::METER), 10);
    EXPECT_EQ(eeprom.GetByte(cal::S9_POINT), 57);
    EXPECT_EQ(form->udS10->value(), 57);
    EXPECT_EQ(ByteWrites(), (QList<QPair<int, int>>{{10, 57}}));

    form->chkRSSI->setChecked(true);
    form->Timer1Timer();
    EXPECT_EQ(form->editRSSI_3->text(), "57");
    EXPECT_EQ(form->editNoise_3->text(), "9");

    // A radio that stops answering: the first failure ends it, nothing stored.
    SecondGenRadio::Faults faults;
    faults.silent = true;
    radio.setFaults(faults);
    radio.clearFrames();
    const uint8_t before = eeprom.GetByte(cal::S1_POINT);
    form->SetSMeter(form->btnSetS0);
    EXPECT_EQ(radio.count(SecondGenRadio::METER), 1);
    EXPECT_EQ(eeprom.GetByte(cal::S1_POINT), before);
}

TEST_F(TuneRadioV2, TransmitKeysAndNeverLeftKeyedSilently) {
    Open(1);
    form->btnTxOn->click();
    EXPECT_EQ(form->Transmitting, 1);
    EXPECT_FALSE(form->btnTxOn->isEnabled());
    EXPECT_TRUE(form->btnTxOff->isEnabled());
    form->btnTxOff->click();
    form->btnTxOn->click();
    form->close(); // closing while transmitting
    EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::KEY_PRESS, 4, testsupport::WAIT_LIMIT_MS,
                                    SecondGenRadio::SYNC_KEY));
    EXPECT_EQ(radio.keys(), (QList<uint8_t>{0x36, 0x16, 0x36, 0x16}));

    // A live write without reply while keyed: transmit off goes out and the user is told.
    Open(1);
    form->btnTxOn->click();
    SecondGenRadio::Faults faults;
    faults.silent = true;
    radio.setFaults(faults);
    TypeAndEnter(form->txtTxPower470, QStringLiteral("77"));
    EXPECT_EQ(eeprom.GetByte(16), 77);
    EXPECT_EQ(form->HelpText->toPlainText(), "Error writing to radio");
    EXPECT_EQ(form->Transmitting, 0);
    EXPECT_TRUE(form->btnTxOn->isEnabled());
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].text.contains("may still be transmitting"));
    EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::KEY_PRESS, 2, testsupport::WAIT_LIMIT_MS,
                                    SecondGenRadio::SYNC_KEY));
    EXPECT_EQ(radio.keys(), (QList<uint8_t>{0x36, 0x16}));
    EXPECT_EQ(buttonClicks, 4); // the transmit buttons only
}

TEST_F(TuneRadioV2, ALostLinkIsShownAndTransmitOffIsTriedUntilItGoesOut) {
    // Writes without reply: said once, and shown until the radio answers again.
    Open(1);
    SecondGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    TypeAndEnter(form->txtTxPower470, QStringLiteral("77"));
    TypeAndEnter(form->txtTxPower470, QStringLiteral("78"));
    EXPECT_EQ(form->lblOnlineStatus->text(), "Link to radio lost");
    EXPECT_EQ(form->HelpText->toPlainText(), "Error writing to radio");
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to send to the radio. Check COM port and leads.\n"
                                     "Changes are kept; use \"Write to Radio\" to send them.");
    EXPECT_EQ(host.messages[0].caption, "Align Radio");
    radio.setFaults({});
    TypeAndEnter(form->txtTxPower470, QStringLiteral("79"));
    EXPECT_EQ(form->lblOnlineStatus->text(), "Aligning Radio LIVE");
    EXPECT_EQ(radio.byteAt(16), 79);

    // Transmit off with the lead gone: said, the buttons keep showing transmit, and
    // closing tries again, on the lead plugged back in.
    form->btnTxOn->click();
    radio.hangUp();
    ASSERT_TRUE(testsupport::WaitUntil([] { return serialPort->GetHandle()->hasDropped(); }));
    host.messages.clear();
    form->btnTxOff->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(
        host.messages[0].text.contains("The radio may still be transmitting: switch it off now."));
    EXPECT_EQ(form->lblOnlineStatus->text(), "Link to radio lost");
    EXPECT_EQ(form->Transmitting, 1);
    EXPECT_FALSE(form->btnTxOn->isEnabled());
    EXPECT_TRUE(form->btnTxOff->isEnabled());
    SecondGenRadio pluggedBackIn;
    pluggedBackIn.mapToPort(1);
    form->close();
    EXPECT_TRUE(
        pluggedBackIn.waitForFrames(SecondGenRadio::KEY_PRESS, 1, 5000, SecondGenRadio::SYNC_KEY));
    EXPECT_EQ(pluggedBackIn.keys(), QList<uint8_t>{0x16});
    EXPECT_EQ(host.messages.size(), 1);
}

// The radio's band is read before the question, which names a block made for the other
// band; Cancel writes nothing, OK bytes 0..47 and nothing beyond. A radio that does not
// answer is asked nothing and written nothing.
TEST_F(TuneRadioV2, WriteToRadioSendsBytes0To47Exactly) {
    eeprom.SetByte(cal::RADIO_TYPE, 0x00); // a VHF block
    Open(0);
    const QString named = "\r\rThe data was made for a VHF radio; this radio is UHF.\n"
                          "The radio's own calibration block will be replaced by the data's.";
    const struct {
        uint8_t radioBand;
        int answer;
        QString band;
    } rows[] = {{0x3C, platform::IDCANCEL, ""},
                {0xB3, platform::IDCANCEL, named},
                {0xB3, platform::IDOK, named}};
    for (const auto& row : rows) {
        QByteArray memory(SecondGenRadio::IMAGE_SIZE, char(0x5A));
        for (int i = 0; i < 48; ++i)
            memory[i] = char(0xC5 ^ (i * 29));
        memory[cal::RADIO_TYPE] = char(row.radioBand);
        radio.setImage(memory);
        radio.clearFrames();
        host.messages.clear();
        host.messageAnswers.enqueue(row.answer);
        QTest::mouseClick(form->btnWriteRadio, Qt::LeftButton);
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].caption, "Load calibration data to radio?");
        EXPECT_EQ(host.messages[0].text, cal::WriteRadioWarning + row.band);
        const bool written = row.answer == platform::IDOK;
        EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), written ? 3 : 0);
        const QByteArray image = radio.image();
        for (int i = 0; i < 64; ++i)
            EXPECT_EQ(uint8_t(image[i]), written && i < 48 ? eeprom.GetByte(i) : uint8_t(memory[i]))
                << i;
    }
    EXPECT_FALSE(frmReadWrite->isVisible());

    SecondGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    radio.clearFrames();
    host.messages.clear();
    QTest::mouseClick(form->btnWriteRadio, Qt::LeftButton);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to write to radio.\n");
    EXPECT_EQ(host.messages[0].caption, "Write Error");
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 0);
}

TEST_F(TuneRadioV2, MeterPollingRestsWhileTheCalibrationGoesOut) {
    Open(1);
    form->chkRSSI->setChecked(true);
    SecondGenRadio::Faults slow;
    slow.replyDelayMs = 150; // the write outlasts the meter's 500 ms tick
    radio.setFaults(slow);
    form->btnWriteRadioClick();
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 3);
    EXPECT_EQ(radio.count(SecondGenRadio::METER), 0);
    EXPECT_TRUE(form->Timer1->isActive()) << "polling goes on after the write";
}

TEST_F(TuneRadioV2, OfflineEditsStayInTheImage) {
    Open(0);
    EXPECT_EQ(form->lblOnlineStatus->text(), "Editing file data");
    EXPECT_FALSE(form->btnTxOn->isEnabled());
    EXPECT_FALSE(form->ChannelChange->isEnabled());
    EXPECT_TRUE(form->rgTestTone->isEnabled());
    EXPECT_EQ(form->FirmwareVersion, 0);
    TypeAndEnter(form->txtS0Value, QStringLiteral("42"));
    form->udTune450_1->step(+1);
    form->chkSquelch->setChecked(true);
    form->btnTxOnClick();
    form->ChannelUp();
    form->SetSMeter(form->btnSetS0);
    form->chkRSSI->setChecked(true);
    form->Timer1Timer();
    form->close();
    EXPECT_EQ(eeprom.GetByte(cal::S1_POINT), 42);
    EXPECT_EQ(eeprom.GetByte(24), 35);
    EXPECT_EQ(eeprom.GetByte(cal::FLAGS), 0x02);
    EXPECT_TRUE(ByteWrites().isEmpty());
    EXPECT_EQ(radio.count(SecondGenRadio::METER), 0);
    EXPECT_TRUE(radio.keys().isEmpty());
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 0);
    EXPECT_EQ(buttonClicks, 0);
}
