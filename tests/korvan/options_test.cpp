// Radio options: loading, storing only the listed bits, the display byte written whole at
// the moment of picking, the contrast up-down, and Cancel putting everything back.

#include "Image_fixture.h"
#include "Options.h"
#include "Up_down.h"
#include "support/Typing.h"

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
    QCheckBox* const sMeter = frmOptions->chkSMeterEnabled;
    QCheckBox* const ctcss = frmOptions->chkCtcssEnabled;
    const struct {
        QCheckBox* box;
        int offset;
        int bit;
        QCheckBox* enabler = nullptr; // the box that ungreys it
    } boxes[] = {
        {frmOptions->chkTotEnabled, 0x46, 0},
        {frmOptions->chkSMeterEnabled, 0x46, 2},
        {frmOptions->chkSExtend, 0x46, 7, sMeter},
        {frmOptions->chkButtonBeeps, 0x47, 2},
        {frmOptions->chkScanPdMem, 0x48, 3},
        {frmOptions->chkQuietPdMem, 0x48, 4},
        {frmOptions->chkChannelPdMem, 0x48, 5},
        {frmOptions->chkSqlPdMem, 0x48, 6},
        {frmOptions->chkCtcssEnabled, 0x49, 0},
        {frmOptions->chkCtcssRpkEnabled, 0x49, 1, ctcss},
        {frmOptions->chkCTCSSSilentTail, 0x49, 2, ctcss},
        {frmOptions->chkCtcssNb, 0x49, 4, ctcss},
        {frmOptions->chkCtcssScan, 0x49, 5},
        {frmOptions->chkCtcssHangIn, 0x49, 7, ctcss},
        {frmOptions->chkAuxBusyEnable, 0x4A, 6},
        {frmOptions->chkAuxBusyHigh, 0x4A, 7},
    };
    for (uint32_t seed : {4u, 5u}) {
        for (const auto& row : boxes) {
            imagecheck::FillRandom(seed);
            image()[0x36] |= 1;
            const QByteArray before = Snapshot();
            Open();
            // A hidden box is out of the user's reach: OK keeps its bit. A greyed one is
            // clicked while its enabler ungreys it, and stored greyed again.
            const bool reachable = row.box->isVisibleTo(frmOptions);
            const bool greyed = !row.box->isEnabled();
            if (greyed && reachable)
                testsupport::Click(row.enabler);
            if (reachable)
                testsupport::Click(row.box);
            if (greyed && reachable)
                testsupport::Click(row.enabler);
            EXPECT_EQ(row.box->isEnabled(), !greyed);
            Ok();
            const std::vector<Change> own{{row.offset, uint8_t(1u << row.bit)}};
            EXPECT_EQ(Changes(before, Snapshot()), reachable ? own : std::vector<Change>{})
                << row.box->text().toStdString() << ", seed " << seed;
        }
    }

    imagecheck::FillRandom(6);
    image()[0x36] = 200;
    image()[0x84] = 100;
    image()[0x46] |= 0x01; // TOT on
    image()[0x49] |= 0x01; // CTCSS on
    QByteArray before = Snapshot();
    Open();
    testsupport::Drag(frmOptions->hsbTot, 45);
    testsupport::Drag(frmOptions->hsbCtcssLevel, 127);
    Ok();
    EXPECT_EQ(Changes(before, Snapshot()),
              (std::vector<Change>{{0x36, 200 ^ 45}, {0x84, 100 ^ 127}}));
    EXPECT_EQ(image()[0x36], 45);
    EXPECT_EQ(image()[0x84], 127);
}

TEST_F(OptionsTest, TimeOutOfZeroShowsOneSecondAndKeepsZero) {
    imagecheck::FillRandom(8);
    image()[0x36] = 0;
    image()[0x46] |= 0x01; // TOT on
    const QByteArray before = Snapshot();
    Open();
    EXPECT_EQ(frmOptions->lblTotValue->text(), "1 Seconds");
    Ok();
    EXPECT_EQ(Snapshot(), before) << "until the bar is moved";

    // Moved away and back, the bar stores the 1 it shows.
    Open();
    QTest::keyClick(frmOptions->hsbTot, Qt::Key_Right);
    QTest::keyClick(frmOptions->hsbTot, Qt::Key_Left);
    EXPECT_EQ(frmOptions->lblTotValue->text(), "1 Seconds");
    Ok();
    EXPECT_EQ(Changes(before, Snapshot()), (std::vector<Change>{{0x36, 0x01}}));
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
    EXPECT_EQ(image()[0x3C], 0xF2) << "typed text waits for an arrow or OK";
    QTest::mouseClick(frmOptions->udContrast->buttons()->upButton(), Qt::LeftButton);
    EXPECT_EQ(image()[0x3C], 6);
    Ok();
    EXPECT_EQ(image()[0x3C], 6);

    Open();
    frmOptions->udContrast->step(-1);
    EXPECT_EQ(image()[0x3C], 5);
    Cancel();
    EXPECT_EQ(image()[0x3C], 6);

    // Outside -15..15: shown as it is, also when the focus passes through the box, and kept
    // until an arrow steps from the nearer end.
    image()[0x3C] = 0x40;
    Open();
    frmOptions->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmOptions));
    ASSERT_TRUE(testsupport::TabThrough(frmOptions->editContrast));
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

TEST_F(OptionsTest, TypedContrastIsStoredByOkAndOnlyInItsRange) {
    imagecheck::FillRandom(9);
    image()[0x3C] = 0xFD; // -3
    const QByteArray before = Snapshot();
    Open();
    frmOptions->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmOptions));
    QLineEdit* contrast = frmOptions->editContrast;
    contrast->setFocus(Qt::TabFocusReason);
    for (const auto& [typed, shown] : {std::pair{"-16", "-1"}, std::pair{"99", "9"},
                                       std::pair{"16", "1"}, std::pair{"5", "5"}}) {
        testsupport::TypeOver(contrast, typed);
        EXPECT_EQ(contrast->text(), shown) << typed;
    }
    QTest::keyClick(contrast, Qt::Key_Tab);
    EXPECT_FALSE(contrast->hasFocus());
    Ok();
    Open();
    EXPECT_EQ(contrast->text(), "5");
    EXPECT_EQ(Changes(before, Snapshot()), (std::vector<Change>{{0x3C, 0xFD ^ 0x05}}));

    // Left empty or unfinished, the box shows the stored contrast again and OK keeps it.
    frmOptions->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmOptions));
    contrast->setFocus(Qt::TabFocusReason);
    testsupport::TypeOver(contrast, "-");
    QTest::keyClick(contrast, Qt::Key_Tab);
    EXPECT_EQ(contrast->text(), "5");
    Ok();
    EXPECT_EQ(image()[0x3C], 5);

    // A stored contrast past the arrows, typed again as it shows, is kept as it is.
    image()[0x3C] = 100;
    Open();
    frmOptions->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmOptions));
    testsupport::TypeOver(contrast, "100");
    EXPECT_EQ(contrast->text(), "100");
    Ok();
    EXPECT_EQ(image()[0x3C], 100);
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
