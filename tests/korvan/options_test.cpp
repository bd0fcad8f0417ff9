// Radio options: loading, storing only the listed bits, the display byte written whole at
// the moment of picking, the contrast up-down, and Cancel putting everything back.

#include "Image_fixture.h"
#include "Options.h"
#include "Up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using imagecheck::Change;
using imagecheck::Changes;
using imagecheck::Snapshot;

namespace {

class OptionsTest : public ImageDialogFixture<TfrmOptions, frmOptions> {};

TEST_F(OptionsTest, LoadShowsTheImage) {
    image()[0x36] = 30;
    image()[0x3B] = 0xFF;
    image()[0x3C] = 0xF1;
    image()[0x46] = 0x85; // TOT, S-meter, dB linear
    image()[0x47] = 0x04; // beeps
    image()[0x48] = 0x28; // clear scan, recall M1
    image()[0x49] = 0xA2; // RPK, scan, hang-in; CTCSS off
    image()[0x4A] = 0x40; // aux busy on, active low
    image()[0x84] = 127;
    Open();
    EXPECT_TRUE(frmOptions->chkTotEnabled->isChecked());
    EXPECT_TRUE(frmOptions->chkSMeterEnabled->isChecked());
    EXPECT_TRUE(frmOptions->chkSExtend->isChecked());
    EXPECT_TRUE(frmOptions->chkSExtend->isEnabled());
    EXPECT_TRUE(frmOptions->chkButtonBeeps->isChecked());
    EXPECT_TRUE(frmOptions->chkScanPdMem->isChecked());
    EXPECT_FALSE(frmOptions->chkQuietPdMem->isChecked());
    EXPECT_TRUE(frmOptions->chkChannelPdMem->isChecked());
    EXPECT_FALSE(frmOptions->chkSqlPdMem->isChecked());
    EXPECT_FALSE(frmOptions->chkCtcssEnabled->isChecked());
    EXPECT_TRUE(frmOptions->chkCtcssRpkEnabled->isChecked());
    EXPECT_FALSE(frmOptions->chkCtcssRpkEnabled->isEnabled());
    EXPECT_FALSE(frmOptions->hsbCtcssLevel->isEnabled());
    EXPECT_TRUE(frmOptions->chkCtcssScan->isChecked());
    EXPECT_TRUE(frmOptions->chkCtcssHangIn->isChecked());
    EXPECT_FALSE(frmOptions->chkCTCSSSilentTail->isChecked());
    EXPECT_TRUE(frmOptions->chkAuxBusyEnable->isChecked());
    EXPECT_FALSE(frmOptions->chkAuxBusyHigh->isChecked());
    EXPECT_TRUE(frmOptions->hsbTot->isEnabled());
    EXPECT_EQ(frmOptions->lblTotValue->text(), "30 Seconds");
    EXPECT_EQ(frmOptions->lblCtcssLevelValue->text(), "100%");
    EXPECT_EQ(frmOptions->editContrast->text(), "-15");
    EXPECT_EQ(frmOptions->comboColour->currentText(), "Orange");
    EXPECT_EQ(frmOptions->comboLevel->currentText(), "Bright");
    EXPECT_FALSE(frmOptions->chkCtcssScan->isVisibleTo(frmOptions));
    EXPECT_FALSE(frmOptions->chkAuxBusyEnable->isVisibleTo(frmOptions));

    // With the focus, shown on the bar, Right and Up raise the time, Left and Down lower it.
    frmOptions->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmOptions));
    QScrollBar* tot = frmOptions->hsbTot;
    const QImage unfocused = tot->grab().toImage();
    tot->setFocus(Qt::TabFocusReason);
    EXPECT_NE(tot->grab().toImage(), unfocused);
    for (const auto& [key, seconds] :
         {std::pair{Qt::Key_Right, "31"}, std::pair{Qt::Key_Left, "30"},
          std::pair{Qt::Key_Up, "31"}, std::pair{Qt::Key_Down, "30"}}) {
        QTest::keyClick(tot, key);
        EXPECT_EQ(frmOptions->lblTotValue->text(), QString(seconds) + " Seconds")
            << QKeySequence(key).toString().toStdString();
    }

    frmOptions->hsbCtcssLevel->setValue(64);
    EXPECT_EQ(frmOptions->lblCtcssLevelValue->text(), "50%");
    frmOptions->hsbCtcssLevel->setValue(255);
    EXPECT_EQ(frmOptions->lblCtcssLevelValue->text(), "200%");
    frmOptions->hsbCtcssLevel->setValue(1);
    EXPECT_EQ(frmOptions->lblCtcssLevelValue->text(), "0%");
    Cancel();
}

TEST_F(OptionsTest, OkWithoutChangesKeepsEveryByte) {
    ExpectOkKeepsEveryByte({1u, 2u, 3u}, imagecheck::FillRandom);
}

TEST_F(OptionsTest, EachControlChangesOnlyItsOwnBits) {
    const struct {
        QCheckBox* box;
        int offset;
        int bit;
    } boxes[] = {
        {frmOptions->chkTotEnabled, 0x46, 0},      {frmOptions->chkSMeterEnabled, 0x46, 2},
        {frmOptions->chkSExtend, 0x46, 7},         {frmOptions->chkButtonBeeps, 0x47, 2},
        {frmOptions->chkScanPdMem, 0x48, 3},       {frmOptions->chkQuietPdMem, 0x48, 4},
        {frmOptions->chkChannelPdMem, 0x48, 5},    {frmOptions->chkSqlPdMem, 0x48, 6},
        {frmOptions->chkCtcssEnabled, 0x49, 0},    {frmOptions->chkCtcssRpkEnabled, 0x49, 1},
        {frmOptions->chkCTCSSSilentTail, 0x49, 2}, {frmOptions->chkCtcssNb, 0x49, 4},
        {frmOptions->chkCtcssScan, 0x49, 5},       {frmOptions->chkCtcssHangIn, 0x49, 7},
        {frmOptions->chkAuxBusyEnable, 0x4A, 6},   {frmOptions->chkAuxBusyHigh, 0x4A, 7},
    };
    for (uint32_t seed : {4u, 5u}) {
        for (const auto& row : boxes) {
            imagecheck::FillRandom(seed);
            image()[0x36] |= 1;
            const QByteArray before = Snapshot();
            Open();
            row.box->setChecked(!row.box->isChecked()); // greyed boxes are stored too
            Ok();
            EXPECT_EQ(Changes(before, Snapshot()),
                      (std::vector<Change>{{row.offset, uint8_t(1u << row.bit)}}))
                << row.box->text().toStdString() << ", seed " << seed;
        }
    }

    imagecheck::FillRandom(6);
    image()[0x36] = 200;
    image()[0x84] = 100;
    QByteArray before = Snapshot();
    Open();
    frmOptions->hsbTot->setValue(45);
    frmOptions->hsbCtcssLevel->setValue(127);
    Ok();
    EXPECT_EQ(Changes(before, Snapshot()),
              (std::vector<Change>{{0x36, 200 ^ 45}, {0x84, 100 ^ 127}}));
    EXPECT_EQ(image()[0x36], 45);
    EXPECT_EQ(image()[0x84], 127);
}

TEST_F(OptionsTest, TimeOutOfZeroShowsOneSecondAndKeepsZero) {
    image()[0x36] = 0;
    Open();
    EXPECT_EQ(frmOptions->lblTotValue->text(), "1 Seconds");
    Ok();
    EXPECT_EQ(image()[0x36], 0) << "until the bar is moved";
}

TEST_F(OptionsTest, DisplayByteIsWrittenWholeWhenPickedAndCancelTakesItBack) {
    image()[0x3B] = 0xFF;
    Open();
    Ok();
    EXPECT_EQ(image()[0x3B], 0xFF) << "untouched combos leave the byte alone";

    Open();
    QTest::keyClick(frmOptions->comboColour, Qt::Key_Up); // Orange -> Green
    EXPECT_EQ(frmOptions->comboColour->currentText(), "Green");
    EXPECT_EQ(image()[0x3B], 0x12) << "written at once, brightness as shown";
    QTest::keyClick(frmOptions->comboColour, Qt::Key_Down);
    QTest::keyClick(frmOptions->comboLevel, Qt::Key_Up); // Orange, Dim
    EXPECT_EQ(image()[0x3B], 0x21);
    Ok();
    EXPECT_EQ(image()[0x3B], 0x21);

    image()[0x3B] = 0x10;
    Open();
    QTest::keyClick(frmOptions->comboLevel, Qt::Key_Down); // Off -> Dim
    EXPECT_EQ(image()[0x3B], 0x11);
    Cancel();
    EXPECT_EQ(image()[0x3B], 0x10);
}

TEST_F(OptionsTest, ContrastIsStoredOnArrowClicks) {
    image()[0x3C] = 0xF1;
    Open();
    EXPECT_EQ(frmOptions->editContrast->text(), "-15");
    frmOptions->udContrast->step(+1);
    EXPECT_EQ(image()[0x3C], 0xF2);
    EXPECT_EQ(frmOptions->editContrast->text(), "-14");
    frmOptions->editContrast->selectAll();
    QTest::keyClicks(frmOptions->editContrast, "5");
    EXPECT_EQ(image()[0x3C], 0xF2) << "typed text waits for an arrow";
    QTest::mouseClick(frmOptions->udContrast->buttons()->upButton(), Qt::LeftButton);
    EXPECT_EQ(image()[0x3C], 6);
    Ok();
    EXPECT_EQ(image()[0x3C], 6);

    Open();
    frmOptions->udContrast->step(-1);
    EXPECT_EQ(image()[0x3C], 5);
    Cancel();
    EXPECT_EQ(image()[0x3C], 6);

    // Outside -15..15: shown as it is, kept until an arrow steps from the nearer end.
    image()[0x3C] = 0x40;
    Open();
    EXPECT_EQ(frmOptions->editContrast->text(), "64");
    Ok();
    EXPECT_EQ(image()[0x3C], 0x40);
    Open();
    frmOptions->udContrast->step(-1);
    EXPECT_EQ(image()[0x3C], 14);
    Ok();
    image()[0x3C] = 0x80;
    Open();
    EXPECT_EQ(frmOptions->editContrast->text(), "-128");
    frmOptions->udContrast->step(+1);
    EXPECT_EQ(image()[0x3C], 0xF2);
    Cancel();
    EXPECT_EQ(image()[0x3C], 0x80);
}

TEST_F(OptionsTest, CancelAndCloseRestoreTheWholeImage) {
    imagecheck::FillRandom(7);
    const QByteArray before = Snapshot();
    Open();
    frmOptions->chkTotEnabled->toggle();
    QTest::keyClick(frmOptions->comboLevel, Qt::Key_Up);
    frmOptions->udContrast->step(+1);
    Cancel();
    EXPECT_EQ(Snapshot(), before);

    Open();
    QTest::keyClick(frmOptions->comboColour, Qt::Key_Down);
    frmOptions->close(); // the close box
    EXPECT_EQ(Snapshot(), before);

    // Run modally, as the main window does.
    QTimer::singleShot(0, frmOptions, [] {
        frmOptions->chkButtonBeeps->toggle();
        QTest::keyClick(frmOptions, Qt::Key_Escape);
    });
    EXPECT_EQ(frmOptions->exec(), ImageDialog::mrCancel);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(OptionsTest, EnableRulesFollowTheirBoxes) {
    image()[0x46] = 0x00;
    image()[0x49] = 0x01;
    Open();
    EXPECT_FALSE(frmOptions->hsbTot->isEnabled());
    EXPECT_FALSE(frmOptions->lblTotValue->isEnabled());
    EXPECT_FALSE(frmOptions->chkSExtend->isEnabled());
    EXPECT_TRUE(frmOptions->hsbCtcssLevel->isEnabled());
    frmOptions->chkTotEnabled->click();
    EXPECT_TRUE(frmOptions->hsbTot->isEnabled());
    EXPECT_TRUE(frmOptions->lblTot->isEnabled());
    frmOptions->chkSMeterEnabled->click();
    EXPECT_TRUE(frmOptions->chkSExtend->isEnabled());
    frmOptions->chkCtcssEnabled->click();
    for (QWidget* w : std::initializer_list<QWidget*>{
             frmOptions->chkCtcssRpkEnabled, frmOptions->chkCtcssHangIn,
             frmOptions->chkCTCSSSilentTail, frmOptions->chkCtcssNb, frmOptions->lblCtcssLevel,
             frmOptions->hsbCtcssLevel, frmOptions->lblCtcssLevelValue})
        EXPECT_FALSE(w->isEnabled());
    Cancel();
}

TEST_F(OptionsTest, HelpPaneShowsTheControlsLine) {
    Open();
    Focus(frmOptions->chkCtcssNb);
    EXPECT_EQ(frmOptions->HelpText->toPlainText(),
              "Enable narrow band CTCSS for tones above 151.4Hz.");
    Hover(frmOptions->lblTotValue);
    EXPECT_EQ(frmOptions->HelpText->toPlainText(),
              "Set amount of time for maximum transmit session.");
    Focus(frmOptions->OKBtn);
    EXPECT_EQ(frmOptions->HelpText->toPlainText(),
              "The OK button exits the screen and saves any changes.");
    Focus(frmOptions->chkAuxBusyEnable);
    EXPECT_EQ(frmOptions->HelpText->toPlainText(),
              "Enable Aux Busy output for use.\nPin 5 of J801: CTS OUT/Aux Busy");
    Focus(frmOptions->chkAuxPttEnable);
    EXPECT_EQ(frmOptions->HelpText->toPlainText(), "");
    Focus(frmOptions->CancelBtn);
    Focus(frmOptions->comboColour); // the display group has no help
    EXPECT_EQ(frmOptions->HelpText->toPlainText(),
              "The Cancel button exits the screen and discards any changes.");
    Cancel();
}

} // namespace
