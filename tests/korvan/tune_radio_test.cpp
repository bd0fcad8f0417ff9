// The alignment dialog against a simulated radio: live writes, the remote keypad, the
// meters, the display mirror and the calibration block write.

#include "Adv_edit.h"
#include "Main.h"
#include "Radio_rw.h"
#include "Tune_radio.h"
#include "Tuning_fixture.h"
#include "Up_down.h"
#include "support/AlignmentBoxes.h"
#include "support/Waits.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <set>

using testsupport::FirstGenRadio;

namespace {

constexpr int WAIT_MS = testsupport::WAIT_LIMIT_MS;

// Types at the end of the box.
void Type(QLineEdit* edit, const QString& text) {
    edit->end(false);
    QTest::keyClicks(edit, text);
}

// Selects the box's text and types over it.
void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void ClearByKeys(QLineEdit* edit) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
}

void SetChannelRecord(int slot, uint16_t tx, uint16_t rx, uint8_t flags6, uint8_t flags7) {
    uint8_t* record = frmBelmar->RadioData + 1247 + 8 * (slot - 1);
    record[0] = uint8_t(tx);
    record[1] = uint8_t(tx >> 8);
    record[2] = uint8_t(rx);
    record[3] = uint8_t(rx >> 8);
    record[6] = flags6;
    record[7] = flags7;
}

// DisplayBytes order: 1 flags, 2 indicators, 7..3 lower text, 9 and 8 the channel.
QByteArray DisplayBytes(const char channel[2], const char lower[5], uint8_t byte1, uint8_t byte2) {
    QByteArray bytes(10, '\0');
    bytes[1] = char(byte1);
    bytes[2] = char(byte2);
    for (int i = 0; i < 5; ++i)
        bytes[7 - i] = lower[i];
    bytes[9] = channel[0];
    bytes[8] = channel[1];
    return bytes;
}

// While `dialog` is shown modally: runs `check` once, then closes the dialog. Stops
// looking after `limitMs`, so a dialog that never shows cannot hold the test.
class CloseWhenShown {
public:
    CloseWhenShown(QDialog* dialog, std::function<void()> check, int limitMs = 20000) {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this, dialog, check, limitMs] {
            if (dialog->isVisible()) {
                timer.stop();
                shown = true;
                check();
                dialog->close();
            } else if ((waited += 20) > limitMs) {
                timer.stop();
            }
        });
        timer.start();
    }
    bool shown = false;

private:
    QTimer timer;
    int waited = 0;
};

} // namespace

class TuneRadioTest : public TuningFixture {
protected:
    void ShowDialog(bool online) { ShowTuningDialog(online); }
    void TearDown() override {
        frmTuneRadio->hide();
        TuningFixture::TearDown();
    }
};

TEST_F(TuneRadioTest, ShowsBandPointsAndTheModeItWasOpenedIn) {
    frmBelmar->RadioData[40] = 0x00;
    ShowDialog(false);
    EXPECT_EQ(frmTuneRadio->lbl_txpwr_f1->text(), "144 MHz");
    EXPECT_EQ(frmTuneRadio->lbl_rxtune_f4->text(), "174 MHz");
    EXPECT_EQ(frmTuneRadio->lblOnlineStatus->text(), "Editing file data");
    EXPECT_TRUE(frmTuneRadio->btnWriteRadio->isVisible());
    EXPECT_FALSE(frmTuneRadio->btnWriteFile->isVisible());
    EXPECT_FALSE(frmTuneRadio->PageControl1->isTabVisible(
        frmTuneRadio->PageControl1->indexOf(frmTuneRadio->tabRemote)));
    EXPECT_FALSE(frmTuneRadio->btnTxOn->isEnabled());
    EXPECT_FALSE(frmTuneRadio->btnTxOff->isEnabled());
    EXPECT_FALSE(frmTuneRadio->ChannelChange->isEnabled());
    EXPECT_EQ(frmTuneRadio->LinkActive, 1);
    frmTuneRadio->close();
    EXPECT_EQ(frmTuneRadio->LinkActive, 0);

    frmBelmar->RadioData[40] = 0x80;
    frmBelmar->RadioData[23] = 0xF1;
    frmBelmar->RadioData[3] = 42;
    ShowDialog(true);
    const QString uhf[] = {"460 MHz", "475 MHz", "490 MHz", "510 MHz"};
    QLabel* tx[] = {frmTuneRadio->lbl_txpwr_f1, frmTuneRadio->lbl_txpwr_f2,
                    frmTuneRadio->lbl_txpwr_f3, frmTuneRadio->lbl_txpwr_f4};
    QLabel* rx[] = {frmTuneRadio->lbl_rxtune_f1, frmTuneRadio->lbl_rxtune_f2,
                    frmTuneRadio->lbl_rxtune_f3, frmTuneRadio->lbl_rxtune_f4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tx[i]->text(), uhf[i]);
        EXPECT_EQ(rx[i]->text(), uhf[i]);
    }
    EXPECT_EQ(frmTuneRadio->txtRxRefOffset->text(), "-15");
    EXPECT_EQ(frmTuneRadio->txtSqlOpen1->text(), "42");
    EXPECT_EQ(frmTuneRadio->lblOnlineStatus->text(), "Aligning Radio LIVE");
    EXPECT_EQ(frmTuneRadio->lblOnlineStatus->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_TRUE(frmTuneRadio->btnWriteFile->isVisible());
    EXPECT_FALSE(frmTuneRadio->btnWriteRadio->isVisible());
    EXPECT_TRUE(frmTuneRadio->btnTxOn->isEnabled());
    EXPECT_FALSE(frmTuneRadio->btnTxOff->isEnabled());
    EXPECT_EQ(frmTuneRadio->txtTune450_1->property("Tag").toInt(), 24);
    EXPECT_EQ(frmTuneRadio->udTune520_4->property("Tag").toInt(), 39);
}

TEST_F(TuneRadioTest, OnlineEditsAreWrittenToTheRadioAtOnce) {
    frmBelmar->RadioData[24] = 100;
    ShowDialog(true);

    Retype(frmTuneRadio->txtTxPower450, "123");
    ASSERT_TRUE(radio.waitForFrames(CMD_WRITE_BYTE, 3, WAIT_MS));
    EXPECT_EQ(ByteWritesHeard(), (QList<QPair<int, int>>{{15, 1}, {15, 12}, {15, 123}}));
    EXPECT_EQ(frmBelmar->RadioData[15], 123);
    EXPECT_EQ(radio.byteAt(15), 123);

    radio.clearFrames();
    ClearByKeys(frmTuneRadio->txtTxPower450);
    ASSERT_TRUE(radio.waitForFrames(CMD_WRITE_BYTE, 1, WAIT_MS));
    EXPECT_EQ(frmTuneRadio->txtTxPower450->text(), "0");
    EXPECT_EQ(frmBelmar->RadioData[15], 0);
    EXPECT_EQ(ByteWritesHeard().last(), qMakePair(15, 0));

    radio.clearFrames();
    frmTuneRadio->udTune450_1->buttons()->upButton()->click();
    ASSERT_TRUE(radio.waitForFrames(CMD_WRITE_BYTE, 1, WAIT_MS));
    EXPECT_EQ(ByteWritesHeard(), (QList<QPair<int, int>>{{24, 101}}));
    EXPECT_EQ(frmTuneRadio->txtTune450_1->text(), "101");
    EXPECT_EQ(frmBelmar->RadioData[24], 101);

    // A value beyond a byte is limited and shown as stored.
    radio.clearFrames();
    Retype(frmTuneRadio->txtMod, "9999");
    EXPECT_EQ(frmTuneRadio->txtMod->text(), "255");
    EXPECT_EQ(frmBelmar->RadioData[6], 255);
}

TEST_F(TuneRadioTest, ALeadPulledWhileAligningIsReportedAndGoesOffline) {
    frmBelmar->RadioData[24] = 100;
    ShowDialog(true);
    radio.hangUp();
    ASSERT_TRUE(WaitForHangUp());

    frmTuneRadio->udTune450_1->buttons()->upButton()->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to send to the radio. Check COM port and leads.\n"
                                     "Changes are kept; use \"Write to Radio\" to send them.");
    EXPECT_EQ(host.messages[0].caption, "Align Radio");
    EXPECT_EQ(frmBelmar->RadioData[24], 101) << "the change is kept";
    EXPECT_EQ(frmTuneRadio->Online, 0);
    EXPECT_EQ(frmTuneRadio->lblOnlineStatus->text(), "Link to radio lost");
    EXPECT_NE(frmTuneRadio->lblOnlineStatus->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_TRUE(frmTuneRadio->btnWriteRadio->isVisible());

    // Off-line now: further edits stay in the image without another message.
    frmTuneRadio->udTune450_1->buttons()->upButton()->click();
    EXPECT_EQ(frmBelmar->RadioData[24], 102);
    EXPECT_EQ(host.messages.size(), 1);
}

TEST_F(TuneRadioTest, ALinkLostWhileTransmittingSwitchesTheRadioOffOrSaysSo) {
    // The lead is back by the time the write fails: the key goes out on the port opened
    // again, before the dialog goes off-line.
    ShowDialog(true);
    frmTuneRadio->btnTxOn->click();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 1, WAIT_MS, FirstGenRadio::SYNC_KEY));
    radio.hangUp();
    ASSERT_TRUE(radio.plugBackIn());
    radio.mapToPort(PORT);
    Pump(200);
    radio.clearFrames();
    frmTuneRadio->udMod->buttons()->upButton()->click();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 1, WAIT_MS, FirstGenRadio::SYNC_KEY));
    EXPECT_EQ(KeysHeard(), (QList<int>{0x16}));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to send to the radio. Check COM port and leads.\n"
                                     "Changes are kept; use \"Write to Radio\" to send them.");
    EXPECT_EQ(frmTuneRadio->Online, 0);
    frmTuneRadio->close();
    frmTuneRadio->hide();

    // No line at all: the user is told the radio may still be keyed.
    ASSERT_TRUE(frmSerial->OpenPort(PORT));
    host.messages.clear();
    ShowDialog(true);
    frmTuneRadio->btnTxOn->click();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 1, WAIT_MS, FirstGenRadio::SYNC_KEY));
    radio.hangUp();
    ASSERT_TRUE(WaitForHangUp());
    frmTuneRadio->udMod->buttons()->upButton()->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to send to the radio. Check COM port and leads.\n"
                                     "The radio may still be transmitting: switch it off now.\n"
                                     "Changes are kept; use \"Write to Radio\" to send them.");
    EXPECT_EQ(host.messages[0].caption, "Align Radio");
    EXPECT_FALSE(frmTuneRadio->btnTxOn->isEnabled()) << "the buttons keep showing transmit";
    EXPECT_TRUE(frmTuneRadio->btnTxOff->isEnabled());
    // Closing tries again, and finds the lead plugged back in.
    ASSERT_TRUE(radio.plugBackIn());
    radio.mapToPort(PORT);
    radio.clearFrames();
    frmTuneRadio->close();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 1, WAIT_MS, FirstGenRadio::SYNC_KEY));
    EXPECT_EQ(KeysHeard(), (QList<int>{0x16}));
    EXPECT_EQ(host.messages.size(), 1);

    // Not transmitting: no key is tried, and the plain message.
    ASSERT_TRUE(frmSerial->OpenPort(PORT));
    host.messages.clear();
    ShowDialog(true);
    radio.hangUp();
    ASSERT_TRUE(WaitForHangUp());
    frmTuneRadio->udMod->buttons()->upButton()->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_FALSE(host.messages[0].text.contains("transmitting"));
}

TEST_F(TuneRadioTest, TransmitOffThatCannotGoOutIsTriedAgainUntilItDoes) {
    ShowDialog(true);
    frmTuneRadio->btnTxOn->click();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 1, WAIT_MS, FirstGenRadio::SYNC_KEY));
    radio.hangUp();
    Pump(200);
    frmTuneRadio->btnTxOff->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to send to the radio. Check COM port and leads.\n"
                                     "The radio may still be transmitting: switch it off now.\n"
                                     "Changes are kept; use \"Write to Radio\" to send them.");
    EXPECT_EQ(frmTuneRadio->lblOnlineStatus->text(), "Link to radio lost");
    EXPECT_FALSE(frmTuneRadio->btnTxOn->isEnabled());
    EXPECT_TRUE(frmTuneRadio->btnTxOff->isEnabled());

    // Still no lead: said again.
    frmTuneRadio->btnTxOff->click();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_TRUE(frmTuneRadio->btnTxOff->isEnabled());

    // The lead back in: the key goes out, and the radio is shown receiving.
    ASSERT_TRUE(radio.plugBackIn());
    radio.mapToPort(PORT);
    radio.clearFrames();
    frmTuneRadio->btnTxOff->click();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 1, WAIT_MS, FirstGenRadio::SYNC_KEY));
    EXPECT_EQ(KeysHeard(), (QList<int>{0x16}));
    EXPECT_EQ(host.messages.size(), 2);
    EXPECT_FALSE(frmTuneRadio->btnTxOff->isEnabled());
    frmTuneRadio->close();
    Pump(200);
    EXPECT_EQ(KeysHeard(), (QList<int>{0x16})) << "closing has nothing more to send";
}

TEST_F(TuneRadioTest, ReceiverOffsetTakesNegativeNumbersAsTwosComplement) {
    ShowDialog(true);
    QLineEdit* offset = frmTuneRadio->txtRxRefOffset;
    Retype(offset, "-20");
    EXPECT_EQ(frmBelmar->RadioData[23], 0xEC);
    EXPECT_TRUE(host.exceptions.isEmpty()); // the minus alone is a number on its way
    ASSERT_TRUE(radio.waitForFrames(CMD_WRITE_BYTE, 2, WAIT_MS));
    EXPECT_EQ(ByteWritesHeard().first(), qMakePair(23, 0xFE));
    EXPECT_EQ(ByteWritesHeard().last(), qMakePair(23, 0xEC));

    // The arrows keep to -15..15 and start from the typed number.
    frmTuneRadio->udRxRefOffset->buttons()->upButton()->click();
    EXPECT_EQ(offset->text(), "-14");
    EXPECT_EQ(frmBelmar->RadioData[23], 0xF2);

    // Keys other than digits and minus are swallowed; a malformed number is refused and the
    // box shows the stored value again.
    Retype(offset, "5x");
    EXPECT_EQ(offset->text(), "5");
    Type(offset, "-");
    EXPECT_EQ(host.exceptions.size(), 1);
    EXPECT_EQ(offset->text(), "5");
    EXPECT_EQ(frmBelmar->RadioData[23], 5);

    // A number beyond what the byte holds is stored as the nearest it holds, and shown so.
    Retype(offset, "255");
    EXPECT_EQ(offset->text(), "127");
    EXPECT_EQ(frmBelmar->RadioData[23], 0x7F);
    Retype(frmTuneRadio->txtXtalRef1, "-5");
    EXPECT_EQ(frmTuneRadio->txtXtalRef1->text(), "0");
    EXPECT_EQ(frmBelmar->RadioData[19], 0);
}

TEST_F(TuneRadioTest, EveryBoxKeepsItsValueWhenLeft) {
    const testsupport::AlignmentProgram program{
        [] {
            frmTuneRadio->Online = 1;
            frmTuneRadio->show();
        },
        [](int address) { return frmBelmar->RadioData[address]; },
        [](int address, uint8_t value) { frmBelmar->RadioData[address] = value; },
        [this](int address) { return radio.byteAt(address); }};
    testsupport::ExpectEveryBoxKeepsItsValueWhenLeft(frmTuneRadio, cal::Generation::First, program,
                                                     host, FilePath("left.cal"));
}

TEST_F(TuneRadioTest, OfflineEditsStayInTheImage) {
    frmBelmar->RadioData[2] = 0x00;
    ShowDialog(false);
    Retype(frmTuneRadio->txtXtalRef1, "77");
    frmTuneRadio->ud625Cal->buttons()->downButton()->click();
    frmTuneRadio->chkLowPwr->click();
    frmTuneRadio->btnTxOnClick();
    frmTuneRadio->btnF5MouseDown(frmTuneRadio->btnF1);
    frmTuneRadio->Timer1Timer();
    EXPECT_EQ(frmBelmar->RadioData[19], 77);
    EXPECT_EQ(frmBelmar->RadioData[21], 0); // already at the bottom of its range
    EXPECT_EQ(frmBelmar->RadioData[2], 0x01);
    frmTuneRadio->close();
    Pump(300);
    EXPECT_TRUE(radio.frames().isEmpty());
}

TEST_F(TuneRadioTest, FlagBoxesSendOnlyARealChange) {
    frmBelmar->RadioData[2] = 0xF1;
    ShowDialog(true);
    ASSERT_TRUE(frmTuneRadio->chkLowPwr->isChecked());
    ASSERT_FALSE(frmTuneRadio->chkSquelch->isChecked());

    frmTuneRadio->chkLowPwr->setChecked(true);
    frmTuneRadio->chkLowPwrClick();
    Pump(200);
    EXPECT_TRUE(ByteWritesHeard().isEmpty());

    frmTuneRadio->chkLowPwr->click();
    frmTuneRadio->chkSquelch->click();
    ASSERT_TRUE(radio.waitForFrames(CMD_WRITE_BYTE, 2, WAIT_MS));
    EXPECT_EQ(ByteWritesHeard(), (QList<QPair<int, int>>{{2, 0xF0}, {2, 0xF2}}));
    EXPECT_EQ(frmBelmar->RadioData[2], 0xF2);
}

TEST_F(TuneRadioTest, RemoteKeysSendPressHeldAndRelease) {
    ShowDialog(true);
    frmTuneRadio->PageControl1->setCurrentWidget(frmTuneRadio->tabRemote);

    QTest::mousePress(frmTuneRadio->btnF1, Qt::LeftButton);
    frmTuneRadio->Timer1Timer();
    frmTuneRadio->Timer1Timer();
    QTest::mouseRelease(frmTuneRadio->btnF1, Qt::LeftButton);
    QTest::mousePress(frmTuneRadio->btnF6, Qt::LeftButton);
    frmTuneRadio->Timer1Timer();
    QTest::mouseRelease(frmTuneRadio->btnF6, Qt::LeftButton);
    frmTuneRadio->ChannelChange->upButton()->click();
    frmTuneRadio->ChannelChange->downButton()->click();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 7, WAIT_MS, FirstGenRadio::SYNC_KEY));
    EXPECT_EQ(KeysHeard(), (QList<int>{0x33, 0x53, 0x13, 0x38, 0x18, 0x31, 0x30}));
    // Every key action but the held report asks for the display afterwards.
    EXPECT_TRUE(radio.waitForFrames(CMD_GET_DISPLAY, 6, WAIT_MS));
}

TEST_F(TuneRadioTest, ClosingWhileTransmittingSwitchesTheRadioToReceive) {
    ShowDialog(true);
    frmTuneRadio->btnTxOn->click();
    EXPECT_FALSE(frmTuneRadio->btnTxOn->isEnabled());
    EXPECT_TRUE(frmTuneRadio->btnTxOff->isEnabled());
    frmTuneRadio->CancelBtnClick();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 2, WAIT_MS, FirstGenRadio::SYNC_KEY));
    EXPECT_EQ(KeysHeard(), (QList<int>{0x36, 0x16}));

    // Transmit off first: closing sends nothing more.
    ShowDialog(true);
    frmTuneRadio->btnTxOn->click();
    frmTuneRadio->btnTxOff->click();
    frmTuneRadio->close();
    ASSERT_TRUE(radio.waitForFrames(KEY_PRESS, 2, WAIT_MS, FirstGenRadio::SYNC_KEY));
    Pump(200);
    EXPECT_EQ(KeysHeard(), (QList<int>{0x36, 0x16}));

    ShowDialog(false);
    frmTuneRadio->close();
    Pump(200);
    EXPECT_TRUE(radio.frames().isEmpty());
}

TEST_F(TuneRadioTest, DisplayMirrorFollowsTheRadio) {
    SetChannelRecord(12, 38114, 38114, 0x01, 0x00);
    SetChannelRecord(7, 38114, 38114, 0x10, 0x00);
    SetChannelRecord(3, 38114, 38115, 0x81, 0x00);
    frmBelmar->RadioData[40] = 0x80; // UHF
    radio.setDisplay(DisplayBytes("12", "HELLO", 0x02, 0x41));
    ShowDialog(true);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannel->text(), QString("12"), WAIT_MS);
    EXPECT_EQ(frmTuneRadio->lblChannelInfo->text(), "Channel 12 TX:476.42500 RX:476.42500");
    EXPECT_EQ(frmTuneRadio->lblLowerDisplay->text(), "HELLO");
    EXPECT_TRUE(frmTuneRadio->lblScan->isEnabled());
    EXPECT_FALSE(frmTuneRadio->lblCall->isEnabled());
    EXPECT_TRUE(frmTuneRadio->lblBusy->isEnabled());
    EXPECT_FALSE(frmTuneRadio->lblTa->isEnabled());
    EXPECT_TRUE(frmTuneRadio->lblTx->isEnabled());
    EXPECT_FALSE(frmTuneRadio->lblSilent->isEnabled());

    auto showRadio = [&](const char channel[2], uint8_t byte1) {
        radio.setDisplay(DisplayBytes(channel, "     ", byte1, 0));
        frmTuneRadio->btnDisplayUpdateClick();
    };
    showRadio(" 3", 0);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannelInfo->text(),
                              QString("Channel  3 TX:476.43125 RX:476.43750"), WAIT_MS);
    EXPECT_FALSE(frmTuneRadio->lblScan->isEnabled());
    showRadio("07", 0);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannelInfo->text(),
                              QString("Channel 07 Group-Channel"), WAIT_MS);
    showRadio("05", 0x10);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannelInfo->text(), QString("Channel 05 CB"),
                              WAIT_MS);
    // Text that is not a channel number is shown as it is, with nothing looked up.
    showRadio("<b", 0);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannelInfo->text(), QString("Channel <b"), WAIT_MS);
    EXPECT_EQ(frmTuneRadio->lblChannel->textFormat(), Qt::PlainText);
    showRadio("\x07"
              "4",
              0);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannel->text(), QString("?4"), WAIT_MS);
    EXPECT_EQ(frmTuneRadio->lblChannelInfo->text(), "Channel ?4");
    showRadio("00", 0);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannelInfo->text(), QString("Channel 00"), WAIT_MS);

    // A VHF radio's channels are decoded with the VHF codec (5 kHz steps).
    frmTuneRadio->close();
    frmBelmar->RadioData[40] = 0x00;
    SetChannelRecord(4, 12000 + 0x4000, 13920, 0x01, 0x00);
    radio.setDisplay(DisplayBytes(" 4", "     ", 0, 0));
    ShowDialog(true);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannelInfo->text(),
                              QString("Channel  4 TX:150.00500 RX:174.00000"), WAIT_MS);
    showRadio("00", 0);
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->lblChannel->text(), QString("00"), WAIT_MS);

    // Once closed, the dialog takes no more display frames.
    frmTuneRadio->close();
    radio.setDisplay(DisplayBytes("99", "     ", 0, 0));
    frmSerial->SendGetDisplay();
    Pump(300);
    EXPECT_EQ(frmTuneRadio->lblChannel->text(), "00");
}

TEST_F(TuneRadioTest, MetersArePolledAndShown) {
    radio.setMeter(77, 33);
    radio.setSMeterPoints(21, 190);
    frmBelmar->RadioData[9] = 5;
    ShowDialog(true);
    frmTuneRadio->PageControl1->setCurrentWidget(frmTuneRadio->tabSquelch);
    EXPECT_FALSE(frmTuneRadio->txtSignalStrength->isEnabled());
    frmTuneRadio->chk_rssi_poll->click();
    EXPECT_TRUE(frmTuneRadio->txtSignalStrength->isEnabled());
    EXPECT_TRUE(frmTuneRadio->txtBusyLevel->isEnabled());
    frmTuneRadio->Timer1Timer();
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->txtSignalStrength->text(), QString("77"), WAIT_MS);
    EXPECT_EQ(frmTuneRadio->txtBusyLevel->text(), "33");
    EXPECT_TRUE(frmTuneRadio->editRxRssi->text().isEmpty());

    frmTuneRadio->btnSetS0->click();
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->txtS0Value->text(), QString("21"), WAIT_MS);
    frmTuneRadio->btnSetS10->click();
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->txtS10Value->text(), QString("190"), WAIT_MS);
    EXPECT_EQ(frmBelmar->RadioData[9], 5); // the points are shown, not stored

    // Leaving the page stops its polling; the receiver page polls its own read-out.
    frmTuneRadio->PageControl1->setCurrentWidget(frmTuneRadio->tabReceive);
    EXPECT_FALSE(frmTuneRadio->chk_rssi_poll->isChecked());
    EXPECT_FALSE(frmTuneRadio->txtSignalStrength->isEnabled());
    radio.setMeter(12, 34);
    frmTuneRadio->chkRxRssiPolling->click();
    frmTuneRadio->Timer1Timer();
    QTRY_COMPARE_WITH_TIMEOUT(frmTuneRadio->editRxRssi->text(), QString("12"), WAIT_MS);
    EXPECT_EQ(frmTuneRadio->txtSignalStrength->text(), "77");
    frmTuneRadio->PageControl1->setCurrentWidget(frmTuneRadio->tabTransmit);
    EXPECT_FALSE(frmTuneRadio->chkRxRssiPolling->isChecked());
    radio.clearFrames();
    frmTuneRadio->Timer1Timer();
    Pump(200);
    EXPECT_EQ(radio.count(CMD_METER), 0);
}

// The radio's band is read before the question, which names a block made for the other
// band; Cancel writes nothing, OK the calibration block and nothing beyond it. A radio that
// cannot be read is asked nothing and written nothing.
TEST_F(TuneRadioTest, WriteToRadioSendsTheCalibrationBlockOnly) {
    for (int i = 0; i < IMAGE_SIZE; ++i)
        frmBelmar->RadioData[i] = i < CALIBRATION_SIZE ? uint8_t(i + 1) : 0x5A;
    frmBelmar->RadioData[40] = 0x00; // a VHF block
    ShowDialog(false);
    frmBelmar->RadioData[10] = 99; // the controls are loaded again after the job
    auto clickWrite = [] {
        QTimer watchdog; // a job that never settles must not hang the test
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, frmReadWrite, &TfrmReadWrite::reject);
        watchdog.start(20000);
        QTest::mouseClick(frmTuneRadio->btnWriteRadio, Qt::LeftButton);
        return watchdog.isActive();
    };
    auto blocksWritten = [this] {
        std::set<int> written;
        for (const testsupport::RadioFrame& frame : radio.frames())
            if (frame.command == CMD_WRITE_BLOCK && frame.sync == FirstGenRadio::SYNC_CMD)
                written.insert(uint8_t(frame.data[9]) * 256 + uint8_t(frame.data[8]));
        return written;
    };
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
        QByteArray memory(IMAGE_SIZE, '\0');
        for (int i = 0; i < CALIBRATION_SIZE; ++i)
            memory[i] = char(0xC5 ^ (i * 29));
        memory[40] = char(row.radioBand);
        radio.setMemory(memory);
        radio.clearFrames();
        host.messages.clear();
        host.messageAnswers.enqueue(row.answer);
        ASSERT_TRUE(clickWrite()) << "the job did not end";
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].caption, "Load calibration data to radio?");
        EXPECT_EQ(host.messages[0].flags, 49);
        EXPECT_EQ(host.messages[0].text, cal::WriteRadioWarning + row.band);
        const QByteArray block(reinterpret_cast<const char*>(frmBelmar->RadioData),
                               CALIBRATION_SIZE);
        const bool written = row.answer == platform::IDOK;
        EXPECT_EQ(radio.memory().left(CALIBRATION_SIZE),
                  written ? block : memory.left(CALIBRATION_SIZE));
        EXPECT_EQ(radio.memory().mid(CALIBRATION_SIZE), memory.mid(CALIBRATION_SIZE));
        // Each calibration block is written (again when its acknowledgement came too late).
        const std::set<int> calibrationBlocks{0, 8, 16, 24, 32, 40};
        EXPECT_EQ(blocksWritten(), written ? calibrationBlocks : std::set<int>());
    }
    EXPECT_EQ(frmReadWrite->Mode, TfrmReadWrite::MODE_DONE);
    EXPECT_EQ(frmTuneRadio->txtS10Value->text(), "99");

    const QByteArray before = radio.memory();
    FirstGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    radio.clearFrames();
    host.messages.clear();
    CloseWhenShown failedProbe(frmReadWrite, [] {
        QTRY_COMPARE_WITH_TIMEOUT(frmReadWrite->btnCancel->text(), QString("Close"), WAIT_MS);
        EXPECT_EQ(frmReadWrite->lblAction->text(), "Can't find Radio. Check COM port and leads.");
    });
    ASSERT_TRUE(clickWrite());
    EXPECT_TRUE(failedProbe.shown);
    EXPECT_TRUE(host.messages.isEmpty()) << "nothing asked";
    EXPECT_TRUE(blocksWritten().empty());
    EXPECT_EQ(radio.memory(), before);
}

TEST_F(TuneRadioTest, HelpPaneShowsTheLineOfTheControl) {
    ShowDialog(false);
    auto helpFor = [](QObject* control) {
        frmTuneRadio->FocusHelp(control);
        return frmTuneRadio->HelpText->toPlainText();
    };
    EXPECT_EQ(helpFor(frmTuneRadio->txtTune470_1),
              "Adjust notch for best rejection with Fr - 90MHz.");
    EXPECT_EQ(helpFor(frmTuneRadio->udTune520_3), "Adjust for best SINAD at each frequency.");
    EXPECT_EQ(helpFor(frmTuneRadio->udTxLowPower500),
              "Adjust for 1W transmit power at each frequency.");
    EXPECT_EQ(helpFor(frmTuneRadio->txtSqlClose1),
              "Noise voltage at which the mute closes, operating range 0 - 70.");
    EXPECT_EQ(helpFor(frmTuneRadio->gbSquelch),
              "Note: when radio is online any change is made directly to the radio and a "
              "suitable test set should be connected.");
    EXPECT_EQ(helpFor(frmTuneRadio->CancelBtn), "The Close button exits the screen.");
    EXPECT_EQ(helpFor(frmTuneRadio->txtMod), "");
    frmTuneRadio->MouseHelp(frmTuneRadio->btnWriteRadio);
    EXPECT_EQ(frmTuneRadio->HelpText->toPlainText(),
              "Load a default calibration file to the radio.");
}

TEST_F(TuneRadioTest, SaveToFileWritesTheCalibrationBlock) {
    for (int i = 0; i < CALIBRATION_SIZE + 8; ++i)
        frmBelmar->RadioData[i] = uint8_t(200 - i);
    ShowDialog(true);
    const QString path = FilePath("radio.cal");
    host.fileAnswers.enqueue(path);
    frmTuneRadio->btnWriteFile->click();
    ASSERT_EQ(host.fileRequests.size(), 1);
    EXPECT_EQ(host.fileRequests[0].title, "Write Calibration File");
    EXPECT_EQ(ReadFile(path),
              QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), CALIBRATION_SIZE));
}

TEST_F(TuneRadioTest, CalibrationFilesThatCannotBeOpenedAreReported) {
    ShowDialog(true);
    host.fileAnswers.enqueue(FilePath("no/such/folder/radio.cal"));
    frmTuneRadio->btnWriteFile->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem writing the file");
    EXPECT_EQ(host.messages[0].caption, "File Error");
    frmTuneRadio->close();

    std::memset(frmBelmar->RadioData, 0x5A, IMAGE_SIZE);
    host.fileAnswers.enqueue(FilePath("missing.cal"));
    CloseWhenShown notShown(
        frmTuneRadio, [] {}, 300);
    frmAdvanced->btnReadCalFile->click();
    Pump(400);
    EXPECT_FALSE(notShown.shown);
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[1].text, "There is a problem reading the file");
    EXPECT_EQ(host.messages[1].caption, "File Error");
    EXPECT_EQ(frmBelmar->RadioData[0], 0x5A);
}

TEST_F(TuneRadioTest, HardwareDialogOpensTheAlignmentOnlineOrFromAFile) {
    QByteArray calibration(IMAGE_SIZE, '\0');
    for (int i = 0; i < CALIBRATION_SIZE; ++i)
        calibration[i] = char(i + 30);
    calibration[40] = char(0x80);
    radio.setMemory(calibration);
    ASSERT_TRUE(frmAdvanced->btnReadCalRadio->isEnabled());
    ASSERT_TRUE(frmAdvanced->btnReadCalFile->isEnabled());

    CloseWhenShown online(frmTuneRadio, [&] {
        EXPECT_EQ(frmTuneRadio->lblOnlineStatus->text(), "Aligning Radio LIVE");
        EXPECT_EQ(frmTuneRadio->lbl_txpwr_f1->text(), "460 MHz");
        EXPECT_EQ(frmTuneRadio->txtSqlOpen1->text(), "33");
    });
    frmAdvanced->btnReadCalRadio->click();
    EXPECT_TRUE(online.shown);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), CALIBRATION_SIZE),
              calibration.left(CALIBRATION_SIZE));
    EXPECT_TRUE(host.messages.isEmpty());

    // From a file: off-line, with the file's block.
    QByteArray file(CALIBRATION_SIZE, '\0');
    file[3] = 7;
    WriteFile(FilePath("default.cal"), file);
    host.fileAnswers.enqueue(FilePath("default.cal"));
    CloseWhenShown offline(frmTuneRadio, [&] {
        EXPECT_EQ(frmTuneRadio->lblOnlineStatus->text(), "Editing file data");
        EXPECT_EQ(frmTuneRadio->txtSqlOpen1->text(), "7");
        EXPECT_EQ(frmTuneRadio->lbl_txpwr_f1->text(), "144 MHz");
    });
    frmAdvanced->btnReadCalFile->click();
    EXPECT_TRUE(offline.shown);
    EXPECT_EQ(host.fileRequests.last().title, "Read Calibration File");

    // A file that cannot be read is not edited.
    host.fileAnswers.enqueue(FilePath("missing.cal"));
    CloseWhenShown notShown(
        frmTuneRadio, [] {}, 300);
    frmAdvanced->btnReadCalFile->click();
    Pump(400);
    EXPECT_FALSE(notShown.shown);
}

TEST_F(TuneRadioTest, AlignWithoutARadioOffersOfflineEditing) {
    FirstGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    frmBelmar->RadioData[3] = 12;
    // The job dialog stays open with its failure until the user closes it.
    CloseWhenShown failedJob(frmReadWrite, [] {
        QTRY_COMPARE_WITH_TIMEOUT(frmReadWrite->btnCancel->text(), QString("Close"), WAIT_MS);
    });
    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmAdvanced->btnReadCalRadio->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text,
              "Unable to read calibration from radio.\nContinue in Off-line Mode?");
    EXPECT_EQ(host.messages[0].caption, "Align Radio");
    EXPECT_EQ(host.messages[0].flags, 33);
    EXPECT_FALSE(frmTuneRadio->isVisible());

    CloseWhenShown failedAgain(frmReadWrite, [] {
        QTRY_COMPARE_WITH_TIMEOUT(frmReadWrite->btnCancel->text(), QString("Close"), WAIT_MS);
    });
    CloseWhenShown offline(frmTuneRadio, [] {
        EXPECT_EQ(frmTuneRadio->lblOnlineStatus->text(), "Editing file data");
        EXPECT_EQ(frmTuneRadio->txtSqlOpen1->text(), "12");
    });
    frmAdvanced->btnReadCalRadio->click();
    EXPECT_TRUE(offline.shown);
}
