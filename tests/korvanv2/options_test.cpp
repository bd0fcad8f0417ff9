// Second program's radio options: loading, the held option bytes, the display byte written
// whole on OK, the contrast stored at each arrow click, and opening from the main window.

#include "Image_editor_fixture.h"
#include "Main.h"
#include "Options.h"
#include "Radio_options.h"
#include "Up_down.h"
#include "support/Typing.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using eepromcheck::Change;
using eepromcheck::Changes;
using eepromcheck::Snapshot;
using testsupport::Click;
using testsupport::Drag;

namespace {

class OptionsV2 : public ImageEditorFixture<TfrmOptions, frmOptions> {};

// A display byte that the two lists show exactly: fields 0..2, other bits 0.
TEST_F(OptionsV2, LoadShowsTheImage) {
    Set(0x36, 30);
    Set(0x46, 0x85); // TOT, S-meter, dB linear
    Set(0x47, 0x84); // beeps, zone tag
    Set(0x48, 0x28); // clear scan, recall M1
    Set(0x49, 0xAA); // RPK, busy lockout, scan, hang-in; CTCSS off
    Set(0x4A, 0x20); // zone name
    Set(0x7C, 0xFF);
    Set(0x7D, 0xEC);
    Set(0x84, 127);
    Open();
    auto* f = frmOptions;
    for (QCheckBox* ticked :
         {f->chkTotEnabled, f->chkSMeterEnabled, f->chkSExtend, f->chkButtonBeeps,
          f->chkDisplayZoneTag, f->chkScanPdMem, f->chkChannelPdMem, f->chkCtcssRpkEnabled,
          f->chkBlEnabled, f->chkCtcssScan, f->chkCtcssHangIn, f->chkDisplayZoneName})
        EXPECT_TRUE(ticked->isChecked()) << ticked->text().toStdString();
    for (QCheckBox* clear : {f->chkQuietPdMem, f->chkSqlPdMem, f->chkCtcssEnabled,
                             f->chkCtcssSilentTail, f->chkCtcssNb})
        EXPECT_FALSE(clear->isChecked()) << clear->text().toStdString();
    EXPECT_FALSE(f->chkCtcssRpkEnabled->isEnabled());
    EXPECT_FALSE(f->hsbCtcssLevel->isEnabled());
    EXPECT_TRUE(f->chkSExtend->isEnabled());
    EXPECT_TRUE(f->hsbTot->isEnabled());
    EXPECT_EQ(f->lblTotValue->text(), "30 Seconds");
    EXPECT_EQ(f->lblCtcssLevelValue->text(), "100%");
    EXPECT_EQ(f->cbColour->currentText(), "Orange");
    EXPECT_EQ(f->cbLevel->currentText(), "Bright");
    EXPECT_EQ(f->editContrast->text(), "-20");
    EXPECT_EQ(f->chkCtcssSilentTail->text(), "CTCSS Carrier-only Tail");
    EXPECT_FALSE(f->chkCtcssScan->isVisibleTo(f));
    EXPECT_FALSE(f->btnGroupChannelTimers->isVisibleTo(f));
    EXPECT_FALSE(f->btnGroupChannelTimers->isEnabled());
    EXPECT_TRUE(f->chkDisplayZoneTag->isVisibleTo(f));
    Drag(f->hsbCtcssLevel, 255);
    EXPECT_EQ(f->lblCtcssLevelValue->text(), "200%");
    f->chkCtcssEnabled->click();
    EXPECT_TRUE(f->lblCtcssLevelValue->isEnabled());
    f->chkTotEnabled->click();
    EXPECT_FALSE(f->lblTot->isEnabled());
    Cancel();
    EXPECT_EQ(Byte(0x84), 127) << "Cancel stores nothing";
    EXPECT_EQ(Byte(0x49), 0xAA);

    Set(0x36, 0);
    Open();
    EXPECT_EQ(f->lblTotValue->text(), "1 Seconds");
    Ok();
    EXPECT_EQ(Byte(0x36), 0) << "kept until the bar is moved";
}

TEST_F(OptionsV2, UntouchedOkKeepsEveryByte) {
    ExpectOkKeepsEveryByte({1u, 2u, 3u, 4u, 5u}, eepromcheck::FillRandom);
    // A contrast beyond the arrows' range stays while its box is untouched.
    Set(0x7D, 0x40);
    Open();
    EXPECT_EQ(frmOptions->editContrast->text(), "64");
    Ok();
    EXPECT_EQ(Byte(0x7D), 0x40);
}

TEST_F(OptionsV2, EachControlChangesOnlyItsOwnBits) {
    auto* f = frmOptions;
    const struct {
        QCheckBox* box;
        int offset;
        int bit;
    } boxes[] = {
        {f->chkTotEnabled, 0x46, 0},      {f->chkSMeterEnabled, 0x46, 2},
        {f->chkSExtend, 0x46, 7},         {f->chkButtonBeeps, 0x47, 2},
        {f->chkDisplayZoneTag, 0x47, 7},  {f->chkScanPdMem, 0x48, 3},
        {f->chkQuietPdMem, 0x48, 4},      {f->chkChannelPdMem, 0x48, 5},
        {f->chkSqlPdMem, 0x48, 6},        {f->chkCtcssEnabled, 0x49, 0},
        {f->chkCtcssRpkEnabled, 0x49, 1}, {f->chkCtcssSilentTail, 0x49, 2},
        {f->chkBlEnabled, 0x49, 3},       {f->chkCtcssNb, 0x49, 4},
        {f->chkCtcssScan, 0x49, 5},       {f->chkCtcssHangIn, 0x49, 7},
        {f->chkDisplayZoneName, 0x4A, 5},
    };
    for (uint32_t seed : {6u, 7u}) {
        for (const auto& row : boxes) {
            eepromcheck::FillRandom(seed);
            Set(0x49, Byte(0x49) | 0x01); // CTCSS on: its boxes take clicks
            const QByteArray before = Snapshot();
            Open();
            Click(row.box);
            Ok();
            // A box hidden for good takes no click and keeps its bit.
            const std::vector<Change> expected =
                row.box->isVisibleTo(f) ? std::vector<Change>{{row.offset, uint8_t(1u << row.bit)}}
                                        : std::vector<Change>{};
            EXPECT_EQ(Changes(before, Snapshot()), expected)
                << row.box->text().toStdString() << ", seed " << seed;
        }
    }

    eepromcheck::FillRandom(8);
    Set(0x36, 200);
    Set(0x84, 100);
    Set(0x46, Byte(0x46) | 0x01); // the bars take moves with TOT and CTCSS on
    Set(0x49, Byte(0x49) | 0x01);
    const QByteArray before = Snapshot();
    Open();
    Drag(f->hsbTot, 45);
    Drag(f->hsbCtcssLevel, 127);
    Ok();
    EXPECT_EQ(Changes(before, Snapshot()),
              (std::vector<Change>{{0x36, 200 ^ 45}, {0x84, 100 ^ 127}}));
}

TEST_F(OptionsV2, OptionBytesGoBackAsHeldWhenTheDialogOpened) {
    eepromcheck::FillRandom(9);
    const std::vector<uint8_t> opened{Byte(0x46), Byte(0x47), Byte(0x48), Byte(0x49), Byte(0x4A)};
    Open();
    for (int offset = 0x46; offset <= 0x4A; ++offset)
        Set(offset, uint8_t(~Byte(offset)));
    Ok();
    for (int offset = 0x46; offset <= 0x4A; ++offset)
        EXPECT_EQ(Byte(offset), opened[size_t(offset - 0x46)]) << std::hex << offset;
}

TEST_F(OptionsV2, DisplayByteIsWrittenWholeOnOkOnly) {
    for (int colour = 0; colour < 4; ++colour)
        for (int level = 0; level < 4; ++level) {
            const uint8_t byte = radio_options::composeDisplayByte(colour, level);
            EXPECT_EQ(byte, (colour << 4) | level);
            EXPECT_EQ(radio_options::colourItem(uint8_t(byte | 0xCC)), std::min(colour, 2));
            EXPECT_EQ(radio_options::levelItem(uint8_t(byte | 0xCC)), std::min(level, 2));
        }

    Set(0x7C, 0xFF);
    Open();
    Ok();
    EXPECT_EQ(Byte(0x7C), 0xFF) << "shown as Orange, Bright and kept while untouched";
    Open();
    QTest::keyClick(frmOptions->cbColour, Qt::Key_Up); // Green, and back to Orange
    QTest::keyClick(frmOptions->cbColour, Qt::Key_Down);
    Ok();
    EXPECT_EQ(Byte(0x7C), 0x22) << "chosen, it is stored as shown";

    Set(0x7C, 0x01); // Red, Dim
    Open();
    QTest::keyClick(frmOptions->cbColour, Qt::Key_Down); // Green
    EXPECT_EQ(frmOptions->cbColour->currentText(), "Green");
    EXPECT_EQ(Byte(0x7C), 0x01) << "the image gets it on OK";
    EXPECT_TRUE(host.messages.isEmpty()) << "no radio: nothing said";
    Cancel();
    EXPECT_EQ(Byte(0x7C), 0x01);

    Open();
    QTest::keyClick(frmOptions->cbColour, Qt::Key_Down);
    QTest::keyClick(frmOptions->cbLevel, Qt::Key_Down); // Bright
    Ok();
    EXPECT_EQ(Byte(0x7C), 0x12);
}

TEST_F(OptionsV2, ContrastIsStoredAtEachArrowClick) {
    Set(0x7D, 0xEC);
    Open();
    EXPECT_EQ(frmOptions->editContrast->text(), "-20");
    QTest::mouseClick(frmOptions->udContrast->buttons()->upButton(), Qt::LeftButton);
    EXPECT_EQ(Byte(0x7D), 0xED) << "stored at once";
    Cancel();
    EXPECT_EQ(Byte(0x7D), 0xED) << "Cancel does not take it back";

    Set(0x7D, 0x14);
    Open();
    frmOptions->udContrast->step(+1); // already at 20
    EXPECT_EQ(Byte(0x7D), 0x14);
    frmOptions->editContrast->selectAll();
    QTest::keyClicks(frmOptions->editContrast, "-7");
    QTest::keyClick(frmOptions->editContrast, Qt::Key_Return);
    EXPECT_TRUE(frmOptions->isVisible()) << "Enter in the box closes nothing";
    EXPECT_EQ(Byte(0x7D), uint8_t(-7)) << "a typed number goes in as an arrow click's";
    frmOptions->udContrast->step(-1);
    EXPECT_EQ(Byte(0x7D), uint8_t(-8));
    // The box takes no number past the arrows' range: it never shows what OK would not keep.
    testsupport::TypeOver(frmOptions->editContrast, QStringLiteral("33"));
    EXPECT_EQ(frmOptions->editContrast->text(), "3");
    Ok();
    EXPECT_EQ(Byte(0x7D), 3);

    // Beyond the range only the stored value shows, and typed again it is kept.
    Set(0x7D, 0x40);
    Open();
    testsupport::TypeOver(frmOptions->editContrast, QStringLiteral("64"));
    EXPECT_EQ(frmOptions->editContrast->text(), "64");
    Ok();
    EXPECT_EQ(Byte(0x7D), 0x40);
}

TEST_F(OptionsV2, HelpPaneAndMainWindowEntry) {
    Open();
    Focus(frmOptions->chkCtcssRpkEnabled);
    EXPECT_EQ(frmOptions->HelpText->toPlainText(),
              "Enable Reverse Phase Key at the end of a transmission.");
    Hover(frmOptions->lblCtcssLevelValue);
    EXPECT_TRUE(frmOptions->HelpText->toPlainText().startsWith("CTCSS level as a % of nominal."));
    Focus(frmOptions->chkCtcssSilentTail);
    EXPECT_EQ(frmOptions->HelpText->toPlainText(),
              "Briefly transmit carrier only after PTT is released when CTCSS is active.");
    Focus(frmOptions->CancelBtn);
    for (QWidget* unbound : std::initializer_list<QWidget*>{
             frmOptions->chkBlEnabled, frmOptions->cbColour, frmOptions->chkDisplayZoneName})
        Focus(unbound);
    EXPECT_EQ(frmOptions->HelpText->toPlainText(),
              "The Cancel button exits the screen and discards any changes.");
    Cancel();

    // The main window's button opens it modally; Escape closes it as Cancel.
    Set(0x46, 0x00);
    bool shownModal = false;
    QTimer::singleShot(0, frmOptions, [&shownModal] {
        shownModal = QApplication::activeModalWidget() == frmOptions;
        frmOptions->chkTotEnabled->click();
        QTest::keyClick(frmOptions, Qt::Key_Escape);
    });
    frmBelmar->btnOptions->click();
    EXPECT_TRUE(shownModal);
    EXPECT_FALSE(frmOptions->isVisible());
    EXPECT_EQ(frmOptions->result(), Form::mrCancel);
    EXPECT_EQ(Byte(0x46), 0x00);
}

} // namespace
