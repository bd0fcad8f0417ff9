// Engineering settings of the second program: what it shows from the image and what OK
// and Cancel leave there.

#include "Eeprom.h"
#include "Eeprom_dialog_fixture.h"
#include "Eng_edit.h"
#include "platform/ScriptedHost.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <vector>

namespace {

using eepromcheck::Snapshot;
using testsupport::Click;
using testsupport::Drag;
using testsupport::Tick;
using testsupport::TypeOver;

class EngineeringV2 : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < eeprom.size; ++i)
            eeprom.SetByte(i, uint8_t(i * 7 + 3));
        eeprom.SetByte(40, 0x8F);
        eeprom.SetByte(55, 25);
        eeprom.SetByte(56, 100);
        eeprom.SetByte(59, 37);
        eeprom.SetByte(70, 0xF5); // bit 1 clear, bit 3 clear
        eeprom.SetByte(71, 0x00);
        eeprom.SetByte(77, 0x5A);
        eeprom.SetByte(79, 0x08);
        eeprom.SetWord(556, 1712);  // 21.4 MHz
        eeprom.SetWord(558, 32768); // 409.6 MHz
        form.show();
    }
    void TearDown() override { form.hide(); }

    platform::ScriptedHost host;
    TfrmEngineering form;
};

} // namespace

TEST_F(EngineeringV2, ShowsTheImage) {
    EXPECT_EQ(form.txtIfOffset->text(), "21.4000");
    EXPECT_EQ(form.editPLLRef->text(), "409.6000");
    EXPECT_EQ(form.powerDownDelay.label->text(), "2.5 Seconds");
    EXPECT_EQ(form.txDelay.label->text(), "100 mSec");
    EXPECT_EQ(form.hsbPSHoldOnTime->value(), 7); // 37 / 5
    EXPECT_EQ(form.powerSave.holdOn.label->text(), "7 Seconds");
    EXPECT_TRUE(form.chkRadioTypeBit7->isChecked());
    EXPECT_FALSE(form.chkRadioTypeBit4->isChecked());
    EXPECT_EQ(form.windowTitle(), "Engineering Setup");
    const auto* typeGroup = qobject_cast<QGroupBox*>(form.chkRadioTypeBit7->parentWidget());
    ASSERT_NE(typeGroup, nullptr);
    EXPECT_EQ(typeGroup->title(), "RadioType");
    EXPECT_EQ(form.chkRadioTypeBit4->text(), "VCO Range");
    EXPECT_TRUE(form.chkCtcssOnEmergency->isChecked());
    EXPECT_FALSE(form.chkEnablePowerSave->isChecked());
    EXPECT_FALSE(form.hsbPSOffTime->isEnabled());
    Click(form.chkEnablePowerSave);
    EXPECT_FALSE(form.hsbPSOffTime->isEnabled()) << "its group is hidden for good";
    form.hsbPSOffTime->setValue(5);
    EXPECT_EQ(form.powerSave.off.label->text(), "50 mSec");
}

TEST_F(EngineeringV2, OkStoresOnlyItsFields) {
    const auto before = Snapshot();
    form.OKBtnClick();
    EXPECT_EQ(form.result(), 1);
    // Untouched, OK changes nothing: not the radio type's low bits, not a hold-on time
    // between the bar's steps.
    EXPECT_EQ(eepromcheck::Changes(before, Snapshot()), std::vector<eepromcheck::Change>{});

    form.show();
    Click(form.chkTempComp);
    Click(form.chk_vantel);
    Tick(form.chkCtcssOnEmergency, false);
    Tick(form.chkRadioTypeBit4, true);
    Drag(form.hsbTxDelay, 200);
    TypeOver(form.txtIfOffset, "21.4");
    TypeOver(form.editPLLRef, "12.8");
    form.OKBtnClick();
    EXPECT_EQ(eeprom.GetByte(70), 0xF7);
    EXPECT_EQ(eeprom.GetByte(71), 0x02);
    EXPECT_EQ(eeprom.GetByte(79), 0x00);
    EXPECT_EQ(eeprom.GetByte(40), 0x90) << "a radio type the user changed has its low bits 0";
    EXPECT_EQ(eeprom.GetByte(56), 200);
    EXPECT_EQ(eeprom.GetWord(556), 1712);
    EXPECT_EQ(eeprom.GetWord(558), 1024);
    EXPECT_EQ(eeprom.GetByte(59), 37);
    EXPECT_EQ(eeprom.GetByte(77), 0x5A);

    form.show();
    Tick(form.chkEnablePowerSave, true);
    Drag(form.hsbPSHoldOnTime, 8);
    form.OKBtnClick();
    EXPECT_EQ(eeprom.GetByte(59), 40);
}

TEST_F(EngineeringV2, BadFrequencyStoresNothingAndCancelKeepsTheImage) {
    const auto before = Snapshot();
    Click(form.chkTempComp);
    TypeOver(form.editPLLRef, "12.8.1");
    form.OKBtnClick();
    EXPECT_EQ(host.exceptions.size(), 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Snapshot(), before);
    TypeOver(form.editPLLRef, "900");
    form.OKBtnClick();
    EXPECT_EQ(host.exceptions.size(), 2);
    EXPECT_EQ(Snapshot(), before);
    form.CancelBtn->click();
    EXPECT_EQ(form.result(), 2);
    EXPECT_EQ(Snapshot(), before);
}
