// Selcall options as the second program builds them: the hidden alarm and page controls,
// the signed tone period, the option bytes written back with bits the idents dialog
// changed, the re-lay of the idents that leaves the memories beyond slot 39 alone, and the
// whole 16 KiB image put back on Cancel.

#include "Image_editor_fixture.h"
#include "Selc_mem.h"
#include "Selcall.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

class SelcallV2 : public ImageEditorFixture<TfrmSelcall, frmSelcall> {
protected:
    // Values every control shows exactly, over a random image.
    static void FillShowable(uint32_t seed) {
        eepromcheck::FillRandom(seed);
        const int predictive = 2 + int(seed % 7);
        Set(0x88, uint8_t(predictive << 4 | 2));
        Set(0x87, 1);
        Set(0x89, 50);
        Set(0xAC, uint8_t((seed % 7) << 4 | (Byte(0xAC) & 0x0F)));
        Set(0x4C, Byte(0x4C) & ~0x20); // PTT ANI: not both edges
        Set(0x46, Byte(0x46) & ~0x08); // no power save box
        // Times within their bars.
        Set(0x31, Byte(0x31) % 61);
        Set(0x56, Byte(0x56) % 201);
        Set(0x85, Byte(0x85) % 101);
        Set(0x86, Byte(0x86) % 251);
    }
    // Runs the idents dialog the button opens and leaves it with Cancel.
    static void CancelIdentsWhenShown() {
        QTimer::singleShot(0, frmSelcallIdents, [] { frmSelcallIdents->CancelBtn->click(); });
    }
};

TEST_F(SelcallV2, UntouchedOkKeepsEveryByteAndTheHiddenControlsStayHidden) {
    ExpectOkKeepsEveryByte({1u, 2u, 3u, 4u}, FillShowable);

    auto* f = frmSelcall;
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             f->chkAlarmGroupCall, f->chkAlarmInEnable, f->chkPageEnabled, f->btnPageAlarm})
        EXPECT_FALSE(hidden->isVisibleTo(f));
    // The hidden group-call alarm is still loaded and stored; 0x4F bit 1 is nobody's here.
    FillShowable(5);
    Set(0x4E, 0x80);
    Set(0x4F, 0x02);
    Set(0x4B, 0x00); // receive and transmit off: the general group greyed
    Open();
    EXPECT_TRUE(f->chkAlarmGroupCall->isChecked());
    EXPECT_FALSE(f->chkAlarmInEnable->isEnabled());
    f->chkAlarmGroupCall->setChecked(false);
    f->chkGrpBeepAlarms->setChecked(true);
    f->chkSelcallDecEnabled->setChecked(true);
    EXPECT_TRUE(f->chkAlarmInEnable->isEnabled());
    EXPECT_TRUE(f->chkPageEnabled->isEnabled());
    Ok();
    EXPECT_EQ(Byte(0x4E) & 0x80, 0);
    EXPECT_EQ(Byte(0x4F), 0x82) << "group alert tones in bit 7, bit 1 untouched";
}

TEST_F(SelcallV2, TonePeriodIsReadAsASignedByte) {
    const struct {
        uint8_t stored;
        const char* shown;
    } periods[] = {{0x80, "20ms"}, {0xFF, "20ms"}, {29, "20ms"},  {33, "33ms"},
                   {45, "40ms"},   {99, "70ms"},   {127, "100ms"}};
    for (const auto& p : periods) {
        Set(0x89, p.stored);
        Open();
        EXPECT_EQ(frmSelcall->cmbSelcallTonePeriod->currentText(), p.shown) << int(p.stored);
        Cancel();
    }
    Set(0x89, 0xC8);
    Open();
    Ok();
    EXPECT_EQ(Byte(0x89), 20) << "OK stores the combo's value";
}

TEST_F(SelcallV2, OptionBytesKeepWhatChangedWhileTheDialogWasOpen) {
    FillShowable(6);
    Set(0x4D, 0x00);
    Open();
    frmSelcall->chkReenterQuiet->setChecked(true); // 0x4D bit 1
    Set(0x4D, 0xC0);                               // the idents dialog's two permissions
    Set(0x4A, Byte(0x4A) ^ 0xF7);                  // every bit but the ring alert
    const uint8_t otherBits = Byte(0x4A);
    Ok();
    EXPECT_EQ(Byte(0x4D), 0xC2);
    EXPECT_EQ(Byte(0x4A), otherBits);
}

TEST_F(SelcallV2, ToneCountChangeReLaysIdentsButNotTheMemoriesBeyondSlot39) {
    FillShowable(7);
    Set(0x80, 8); // an 8 KiB radio
    Set(0x88, 0x52);
    const uint8_t own[] = {0x12, 0x34, 0x5F, 0xFF};
    for (int i = 0; i < 4; ++i)
        Set(0xB5 + i, own[i]);
    const QByteArray before = eepromcheck::Snapshot();
    Open();
    frmSelcall->hsbTonesPred->setValue(3);
    CancelIdentsWhenShown();
    frmSelcall->btnSelcallMemClick();
    EXPECT_EQ(Byte(0x88), 0x32);
    EXPECT_EQ((std::vector<uint8_t>{Byte(0xB5), Byte(0xB6), Byte(0xB7), Byte(0xB8)}),
              (std::vector<uint8_t>{0x34, 0x5F, 0xFF, 0x12}));
    const QByteArray relaid = eepromcheck::Snapshot();
    for (const auto& change : eepromcheck::Changes(before, relaid)) {
        const bool identByte = change.offset >= 0xB5 && change.offset < 0xB9 + 9 * 40 &&
                               (change.offset < 0xB9 || (change.offset - 0xB9) % 9 < 4);
        EXPECT_TRUE(identByte || change.offset == 0x88) << change;
    }
    EXPECT_EQ(relaid.mid(0x27D0, 0x29EC + 400 - 0x27D0), before.mid(0x27D0, 0x29EC + 400 - 0x27D0))
        << "slots 40..99 and their long tags";

    // Cancel puts back the whole 16 KiB, re-lay and all.
    Set(0x3FFF, uint8_t(~Byte(0x3FFF)));
    Cancel();
    EXPECT_EQ(eepromcheck::Snapshot(), before);

    // Growing the count back after shrinking restores the digits.
    Open();
    frmSelcall->hsbTonesPred->setValue(3);
    CancelIdentsWhenShown();
    frmSelcall->btnSelcallMemClick();
    frmSelcall->hsbTonesPred->setValue(5);
    CancelIdentsWhenShown();
    frmSelcall->btnSelcallMemClick();
    Ok();
    EXPECT_EQ(eepromcheck::Snapshot(), before);
}

} // namespace
