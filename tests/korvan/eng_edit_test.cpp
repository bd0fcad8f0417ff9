// The engineering settings dialog: its image fields, value labels, the EEPROM list and the
// live location exchange with a simulated radio.

#include "Eng_edit.h"
#include "Main.h"
#include "Tuning_fixture.h"
#include "support/Typing.h"
#include "support/Waits.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using testsupport::FirstGenRadio;

namespace {

constexpr int WAIT_MS = testsupport::WAIT_LIMIT_MS;

uint8_t* Image() {
    return frmBelmar->RadioData;
}

} // namespace

class EngineeringTest : public TuningFixture {
protected:
    void TearDown() override {
        frmEngineering->hide();
        TuningFixture::TearDown();
    }
    // Waits for the location exchange to end (the 500 ms timer re-enables the page).
    static bool ExchangeEnded() {
        return QTest::qWaitFor([] { return frmEngineering->btnReadLocation->isEnabled(); },
                               WAIT_MS);
    }
};

TEST_F(EngineeringTest, OkStoresItsFieldsAndKeepsOtherBits) {
    Image()[40] = 0x8F;
    Image()[55] = 25;
    Image()[56] = 100;
    Image()[70] = 0xF5; // bit 1 clear, bit 3 clear
    Image()[71] = 0x00;
    Image()[74] = 0x3F;
    Image()[1245] = 0xB0; // 1712: 21.4 MHz
    Image()[1246] = 0x06;
    Image()[62] = 0x00;
    Image()[63] = 0x80; // 32768: 409.6 MHz
    frmEngineering->show();
    EXPECT_EQ(frmEngineering->txtIfOffset->text(), "21.4000");
    EXPECT_EQ(frmEngineering->txtPLLRef->text(), "409.6000");
    EXPECT_EQ(frmEngineering->lblPowerDownDelayValue->text(), "2.5 Seconds");
    EXPECT_EQ(frmEngineering->lblTxDelayValue->text(), "100 mSec");
    EXPECT_TRUE(frmEngineering->chkRadioTypeBit7->isChecked());
    EXPECT_FALSE(frmEngineering->chkRadioTypeBit4->isChecked());
    EXPECT_EQ(frmEngineering->RadioType, 0x8F);

    frmEngineering->txtIfOffset->setText("21.400");
    frmEngineering->txtPLLRef->setText("12.8");
    testsupport::Tick(frmEngineering->chkTempComp, true);
    testsupport::Tick(frmEngineering->chkHighSpeedPcb, true);
    testsupport::Drag(frmEngineering->hsbTxDelay, 7);
    frmEngineering->OKBtnClick();
    EXPECT_EQ(frmEngineering->result(), QDialog::Accepted);
    EXPECT_EQ(Image()[40], 0x80);
    EXPECT_EQ(Image()[1245], 0xB0);
    EXPECT_EQ(Image()[1246], 0x06);
    EXPECT_EQ(Image()[62] | Image()[63] << 8, 1024);
    EXPECT_EQ(Image()[55], 25);
    EXPECT_EQ(Image()[56], 7);
    EXPECT_EQ(Image()[70], 0xF7);
    EXPECT_EQ(Image()[71], 0x02);
    EXPECT_EQ(Image()[74], 0x3F);

    frmEngineering->show();
    EXPECT_EQ(frmEngineering->txtIfOffset->text(), "21.4000");
}

TEST_F(EngineeringTest, OkRefusesAFrequencyThatIsNotAWord) {
    Image()[40] = 0x8F;
    frmEngineering->show();
    for (const char* typed : {"abc", "", "900", "-1"}) {
        const QByteArray before(reinterpret_cast<const char*>(Image()), IMAGE_SIZE);
        frmEngineering->setResult(QDialog::Rejected);
        frmEngineering->txtPLLRef->setText(typed);
        testsupport::Tick(frmEngineering->chkRadioTypeBit4, true);
        frmEngineering->OKBtnClick();
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(Image()), IMAGE_SIZE), before) << typed;
        EXPECT_TRUE(frmEngineering->isVisible()) << typed;
    }
    EXPECT_EQ(host.exceptions.size(), 4);
    EXPECT_TRUE(host.exceptions.first().contains("abc"));
    frmEngineering->txtPLLRef->setText("00819.1875");
    frmEngineering->txtIfOffset->setText("0021.4000");
    frmEngineering->OKBtnClick();
    EXPECT_EQ(Image()[62] | Image()[63] << 8, 65535) << "leading zeros keep the value";
    EXPECT_EQ(Image()[1245] | Image()[1246] << 8, 1712);
    EXPECT_EQ(Image()[40], 0x90);
}

TEST_F(EngineeringTest, PowerSaveBarsShowTheirValuesOnly) {
    Image()[70] = 0x08;
    frmEngineering->show();
    EXPECT_TRUE(frmEngineering->chkEnablePowerSave->isChecked());
    EXPECT_TRUE(frmEngineering->hsbPSOffTime->isEnabled());
    EXPECT_EQ(frmEngineering->hsbPSHoldOnTime->maximum(), 50);
    EXPECT_EQ(frmEngineering->hsbPSVcoUpTime->maximum(), 255);
    frmEngineering->hsbPSHoldOnTime->setValue(3);
    frmEngineering->hsbPSOffTime->setValue(5);
    frmEngineering->hsbPSPllUpTime->setValue(12);
    EXPECT_EQ(frmEngineering->lblPSHoldOnTimeValue->text(), "3 Seconds");
    EXPECT_EQ(frmEngineering->lblPSOffTimeValue->text(), "50 mSec");
    EXPECT_EQ(frmEngineering->lblPSPllUpTimeValue->text(), "12 mSec");

    const QByteArray before(reinterpret_cast<const char*>(Image()), IMAGE_SIZE);
    testsupport::Tick(frmEngineering->chkEnablePowerSave, false);
    EXPECT_FALSE(frmEngineering->hsbPSOffTime->isEnabled());
    EXPECT_FALSE(frmEngineering->lblPSOffTimeValue->isEnabled());
    frmEngineering->OKBtnClick();
    QByteArray expected = before;
    expected[70] = 0x00;
    expected[1245] = expected[1246] = expected[62] = expected[63] = 0;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(Image()), IMAGE_SIZE), expected);

    // The aux busy boxes are hidden for good: "active high" stays disabled though "enabled"
    // is ticked.
    frmEngineering->chkAuxBusyEnable->setChecked(false);
    EXPECT_FALSE(frmEngineering->chkAuxBusyHigh->isEnabled());
    frmEngineering->chkAuxBusyEnable->setChecked(true);
    EXPECT_FALSE(frmEngineering->chkAuxBusyHigh->isEnabled());
    EXPECT_FALSE(frmEngineering->chkAuxBusyEnable->isVisibleTo(frmEngineering));
}

TEST_F(EngineeringTest, EepromListShowsTheWholeImage) {
    Image()[0] = 0x0A;
    Image()[4095] = 0xC3;
    frmEngineering->show();
    QTableWidget* list = frmEngineering->eeprom_list;
    ASSERT_EQ(list->rowCount(), 4096);
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), "Hex value");
    EXPECT_EQ(list->item(4095, 0)->text(), "4095");
    EXPECT_EQ(list->item(4095, 1)->text(), "C3");
    EXPECT_EQ(list->item(4095, 2)->text(), "195");
    EXPECT_EQ(frmEngineering->txtLocation->text(), "0");
    EXPECT_EQ(frmEngineering->txtDataHex->text(), "0A");
    EXPECT_EQ(frmEngineering->txtData->text(), "10");
    list->setCurrentCell(4095, 2);
    EXPECT_EQ(frmEngineering->txtLocation->text(), "4095");
    EXPECT_EQ(frmEngineering->txtData->text(), "195");

    frmEngineering->txtData->clear();
    QTest::keyClicks(frmEngineering->txtData, "1a-27");
    EXPECT_EQ(frmEngineering->txtData->text(), "127");
}

TEST_F(EngineeringTest, LocationWriteIsCheckedSentAndStored) {
    frmEngineering->show();
    frmEngineering->txtLocation->setText("300");
    frmEngineering->txtData->setText("256");
    frmEngineering->btnWriteLocationClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Decimal data must be\nbetween 0 - 255.");
    EXPECT_EQ(host.messages[0].caption, "Invalid data!");
    EXPECT_EQ(host.messages[0].flags, 48);

    for (const char* location : {"4096", "-1", "99999"}) {
        frmEngineering->txtLocation->setText(location);
        frmEngineering->txtData->setText("1");
        frmEngineering->btnWriteLocationClick();
        frmEngineering->btnReadLocationClick();
    }
    ASSERT_EQ(host.messages.size(), 7);
    EXPECT_EQ(host.messages[1].caption, "Invalid location!");
    EXPECT_EQ(host.messages[1].text, "Location must be\nbetween 0 - 4095.");
    frmEngineering->txtLocation->setText("x1");
    frmEngineering->btnReadLocationClick();
    EXPECT_EQ(host.exceptions.size(), 1);
    Pump(200);
    EXPECT_TRUE(radio.frames().isEmpty());
    EXPECT_TRUE(frmEngineering->btnReadLocation->isEnabled());

    frmEngineering->txtLocation->setText("300");
    frmEngineering->txtData->setText("255");
    frmEngineering->btnWriteLocationClick();
    EXPECT_EQ(Image()[300], 255);
    EXPECT_FALSE(frmEngineering->eeprom_list->isEnabled());
    ASSERT_TRUE(ExchangeEnded());
    EXPECT_EQ(host.messages.size(), 7);
    EXPECT_EQ(radio.byteAt(300), 255);
    EXPECT_EQ(radio.count(CMD_CONNECT), 1);
    EXPECT_EQ(radio.count(CMD_WRITE_LOCATION), 1);
    EXPECT_TRUE(radio.waitForFrames(CMD_DISCONNECT, 1, WAIT_MS));
    EXPECT_EQ(frmEngineering->eeprom_list->item(300, 1)->text(), "FF");
    EXPECT_TRUE(frmEngineering->eeprom_list->isEnabled());
}

TEST_F(EngineeringTest, LocationReadShowsTheReplyOrReportsNoResponse) {
    radio.setByte(100, 0x5A);
    frmEngineering->show();
    frmEngineering->txtLocation->setText("100");
    frmEngineering->btnReadLocationClick();
    EXPECT_TRUE(frmEngineering->txtData->text().isEmpty());
    ASSERT_TRUE(ExchangeEnded());
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(frmEngineering->txtData->text(), "90");
    EXPECT_EQ(frmEngineering->txtDataHex->text(), "5A");
    EXPECT_EQ(Image()[100], 0x5A);
    EXPECT_EQ(frmEngineering->eeprom_list->item(100, 2)->text(), "90");

    FirstGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    frmEngineering->txtLocation->setText("101");
    frmEngineering->btnReadLocationClick();
    ASSERT_TRUE(ExchangeEnded());
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Radio did not respond.\nCheck leads and try again.");
    EXPECT_EQ(host.messages[0].caption, "No Response...");
    EXPECT_EQ(host.messages[0].flags, 48);
    EXPECT_TRUE(frmEngineering->txtData->text().isEmpty());
    EXPECT_TRUE(frmEngineering->txtLocation->isEnabled());
    EXPECT_EQ(frmEngineering->WaitingReply, 0);
}
