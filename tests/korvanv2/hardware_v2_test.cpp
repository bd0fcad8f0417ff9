// The second program's hardware screen: the hardware bytes it shows and stores, the checks
// before OK stores anything, Cancel, the link rate, help, and the firmware tab at rest.

#include "Hardware_fixture.h"
#include "support/Typing.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

using testsupport::Click;
using testsupport::Drag;
using testsupport::TypeOver;

void Focus(QWidget* control) {
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(control, &in);
}

class HardwareV2 : public HardwareFixture {
protected:
    void SetUp() override {
        HardwareFixture::SetUp();
        eeprom.SetByte(0x33, 25);
        eeprom.SetByte(0x35, 200);
        eeprom.SetByte(0x46, 0xC5 | 0x30); // both presets set: SQL-1 wins
        eeprom.SetByte(0x47, 0xFF);        // debug display on, every other bit set
        eeprom.SetByte(0xAC, 0xA5);        // period 0x567; bits 7..4 belong to selcall
        eeprom.SetByte(0xAB, 0x67);
        form->show();
    }
};

} // namespace

TEST_F(HardwareV2, ShowsTheImageAndStoresOnlyItsOwnBits) {
    EXPECT_EQ(form->windowTitle(), "Hardware Edit Screen");
    EXPECT_EQ(form->pageEngOptions->currentWidget(), form->tabSquelch);
    EXPECT_EQ(form->lblMuteOffDebounceValue->text(), "250 mSec");
    EXPECT_EQ(form->lblMuteIgnoreValue->text(), "2000 mSec");
    EXPECT_TRUE(form->rbUseSql1->isChecked());
    EXPECT_TRUE(form->chkMacDisplay->isChecked());
    EXPECT_EQ(form->txtDtmfTonePeriod->text(), "1383");

    const QByteArray before = Image();
    Drag(form->hsbMuteOffDebounce, 7);
    EXPECT_EQ(form->lblMuteOffDebounceValue->text(), "70 mSec");
    Click(form->chkMacDisplay);
    TypeOver(form->txtDtmfTonePeriod, "291"); // 0x123
    form->OKBtn->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), 1);
    EXPECT_EQ(eeprom.GetByte(0x33), 7);
    EXPECT_EQ(eeprom.GetByte(0x47), 0xDF);
    EXPECT_EQ(eeprom.GetByte(0xAC), 0xA1);
    EXPECT_EQ(eeprom.GetByte(0xAB), 0x23);
    EXPECT_EQ(testsupport::ChangedOffsets(before, Image()),
              (std::vector<int>{0x33, 0x47, 0xAB, 0xAC}))
        << "an untouched preset keeps both squelch bits";
    form->show();
    Click(form->rbUseSql1);
    form->OKBtn->click();
    EXPECT_EQ(eeprom.GetByte(0x46), 0xC5 | 0x10) << "SQL-1 chosen clears bit 5";

    // SQL-2 alone shows SQL-2; SQL-3 clears both; the largest period fills all 12 bits.
    eeprom.SetByte(0x46, 0x20);
    form->show();
    EXPECT_TRUE(form->rbUseSql2->isChecked());
    Click(form->rbUseSql3);
    TypeOver(form->txtDtmfTonePeriod, "4095");
    form->OKBtn->click();
    EXPECT_EQ(eeprom.GetByte(0x46), 0x00);
    EXPECT_EQ(eeprom.GetByte(0xAB), 0xFF);
    EXPECT_EQ(eeprom.GetByte(0xAC), 0xAF);
}

TEST_F(HardwareV2, APeriodTheImageCannotHoldKeepsTheScreenOpenWithNothingStored) {
    const QByteArray before = Image();
    Drag(form->hsbMuteIgnore, 3);
    Click(form->rbUseSql3);
    TypeOver(form->txtDtmfTonePeriod, "5000");
    form->OKBtn->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "The DTMF tone period must be between 0 and 4095 ms.");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->pageEngOptions->currentWidget(), form->tabMisc);
    EXPECT_EQ(Image(), before) << "never the low 12 bits of 5000";

    TypeOver(form->txtDtmfTonePeriod, "");
    form->OKBtn->click();
    EXPECT_EQ(host.exceptions.size(), 1) << "an empty period is no number";
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Image(), before) << "nothing stored ahead of the failed field";

    // Only digits go in, and Enter in the box presses no button.
    form->txtDtmfTonePeriod->setFocus();
    QTest::keyClicks(form->txtDtmfTonePeriod, "1a-2.3");
    EXPECT_EQ(form->txtDtmfTonePeriod->text(), "123");
    QTest::keyClick(form->txtDtmfTonePeriod, Qt::Key_Return);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Image(), before);
}

TEST_F(HardwareV2, CancelEscapeRateChoiceAndHelp) {
    const QByteArray before = Image();
    Drag(form->hsbMuteOffDebounce, 1);
    form->CancelBtn->click();
    EXPECT_EQ(form->result(), 2);
    EXPECT_EQ(Image(), before);
    // Escape in a modal opening gives Cancel's result and keeps the image.
    QTimer::singleShot(0, form, [this] {
        Drag(form->hsbMuteOffDebounce, 1);
        QTest::keyClick(form, Qt::Key_Escape);
    });
    EXPECT_EQ(form->exec(), 2);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Image(), before);

    // The rate choice shows and sets the main window's rate.
    frmBelmar->maxBdRate = 38400;
    form->show();
    EXPECT_EQ(form->rdgrpMaxBdRate->title(), "Flash baud rate");
    EXPECT_EQ(form->MaxBdRateIndex(), 2);
    form->pageEngOptions->setCurrentWidget(form->tabFirmware);
    form->rdgrpMaxBdRateItems->button(3)->click();
    EXPECT_EQ(frmBelmar->maxBdRate, 57600);

    Focus(form->btnNext);
    EXPECT_EQ(form->HelpText->toPlainText(), "Upgrade the radio firmware.");
    form->pageEngOptions->setCurrentWidget(form->tabSquelch);
    Focus(form->rbUseSql2);
    EXPECT_EQ(form->HelpText->toPlainText(),
              "Set Squelch level for the radio to use. Can be changed at the radio by holding "
              "the F6 key while switching the radio on.");
    Focus(form->OKBtn);
    EXPECT_EQ(form->HelpText->toPlainText(),
              "The OK button exits the screen and saves any changes.");
    form->hide();

    // "Hardware" on the main window opens this screen.
    ASSERT_TRUE(frmBelmar->EditRadioHardware->isEnabled());
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = form->isVisible();
        form->CancelBtn->click();
    });
    frmBelmar->EditRadioHardware->click();
    EXPECT_TRUE(shown);
}

TEST_F(HardwareV2, FirmwareTabOpensResetWithItsStagesOff) {
    const char* const texts[] = {"File Load.", "Connect.",     "Version",  "ID Check.",
                                 "Erase.",     "Blank Check.", "Program.", "Verify."};
    for (int i = 0; i < TfrmAdvanced::STAGE_COUNT; ++i) {
        EXPECT_EQ(form->lbl[i]->text(), texts[i]);
        EXPECT_EQ(form->led[i]->brushColor(), lamp::White);
        EXPECT_FALSE(form->lblStage[i]->isEnabled());
        EXPECT_EQ(form->lblStage[i]->text(), QString("Stage %1").arg(i + 1));
    }
    EXPECT_EQ(form->lblFileOk, form->lbl[TfrmAdvanced::stFile]);
    EXPECT_EQ(form->ledVerify, form->led[TfrmAdvanced::stVerify]);
    EXPECT_FALSE(form->progressAddress->isEnabled());
    EXPECT_TRUE(form->btnNext->isEnabled());
    EXPECT_EQ(form->btnNext->text(), "Upgrade");
    EXPECT_EQ(form->chkBlankCheck->text(), "Blank Check");
    EXPECT_EQ(form->chkVerify->text(), "Verify");
    const QStringList memo = form->Memo1->toPlainText().split('\n');
    ASSERT_EQ(memo.size(), 7);
    EXPECT_EQ(memo[3], "- Connect the Fennick Serial Cable to the microphone socket.");
    EXPECT_EQ(memo[6], " ");
    EXPECT_TRUE(form->btnReadCalRadio->isEnabled());
    EXPECT_TRUE(form->btnReadCalFile->isEnabled());
    for (QWidget* tab : {form->tabSquelch, form->tabMisc, form->tabTune, form->tabFirmware})
        EXPECT_TRUE(form->pageEngOptions->isTabVisible(form->pageEngOptions->indexOf(tab)));
}
