// Selcall options as the second program builds them: the hidden alarm and page controls,
// the signed tone period, the option bytes written back with bits the idents dialog
// changed, the re-lay of every ident the radio holds, the idents dialog taking what this
// dialog shows, and the whole 16 KiB image put back on Cancel.

#include "Image_editor_fixture.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>

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
    ExpectOkKeepsEveryByte({5u, 6u, 7u}, [](uint32_t seed) {
        eepromcheck::FillRandom(seed);
        Set(0x46, Byte(0x46) & ~0x08); // no power save box
    });

    auto* f = frmSelcall;
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             f->chkAlarmGroupCall, f->chkAlarmInEnable, f->chkPageEnabled, f->btnPageAlarm})
        EXPECT_FALSE(hidden->isVisibleTo(f));
    // The hidden group-call alarm is still loaded, and kept: no user reaches it. 0x4F bit 1
    // is nobody's here.
    FillShowable(5);
    Set(0x4E, 0x80);
    Set(0x4F, 0x02);
    Set(0x4B, 0x00); // receive and transmit off: the general group greyed
    Open();
    EXPECT_TRUE(f->chkAlarmGroupCall->isChecked());
    EXPECT_FALSE(f->chkAlarmInEnable->isEnabled());
    QTest::keyClick(f->chkSelcallDecEnabled, Qt::Key_Space);
    QTest::keyClick(f->chkGrpBeepAlarms, Qt::Key_Space);
    EXPECT_FALSE(f->chkAlarmInEnable->isEnabled()) << "hidden for good, whatever its group";
    EXPECT_FALSE(f->chkPageEnabled->isEnabled());
    Ok();
    EXPECT_EQ(Byte(0x4E) & 0x80, 0x80);
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
    EXPECT_EQ(Byte(0x89), 0xC8) << "an untouched combo keeps the stored value";
}

TEST_F(SelcallV2, OptionBytesKeepWhatChangedWhileTheDialogWasOpen) {
    FillShowable(6);
    Set(0x4B, Byte(0x4B) | 0x01); // receive on
    Set(0x4D, 0x00);
    Open();
    QTest::keyClick(frmSelcall->chkReenterQuiet, Qt::Key_Space); // 0x4D bit 1
    Set(0x4D, 0xC0);              // the idents dialog's two permissions
    Set(0x4A, Byte(0x4A) ^ 0xF7); // every bit but the ring alert
    const uint8_t otherBits = Byte(0x4A);
    Ok();
    EXPECT_EQ(Byte(0x4D), 0xC2);
    EXPECT_EQ(Byte(0x4A), otherBits);
}

TEST_F(SelcallV2, ToneCountChangeReLaysIdentsButNotTheMemoriesBeyondSlot39) {
    FillShowable(7);
    Set(0x80, 8); // an 8 KiB radio
    Set(0x88, 0x52);
    Set(0x4B, Byte(0x4B) | 0x03);
    const uint8_t own[] = {0x12, 0x34, 0x5F, 0xFF};
    for (int i = 0; i < 4; ++i)
        Set(0xB5 + i, own[i]);
    const QByteArray before = eepromcheck::Snapshot();
    Open();
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 3));
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
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 3));
    CancelIdentsWhenShown();
    frmSelcall->btnSelcallMemClick();
    ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, 5));
    CancelIdentsWhenShown();
    frmSelcall->btnSelcallMemClick();
    Ok();
    EXPECT_EQ(eepromcheck::Snapshot(), before);
}

// A tone-count change moves the digits of every ident the radio holds, and the idents
// dialog opened over this one checks its first row at OK against the group-call range
// shown here, stored or not.
TEST_F(SelcallV2, IdentsDialogWorksOnEveryIdentWithTheCountAndRangeShown) {
    struct Case {
        uint8_t kib;
        int from, to;
        uint32_t stored, relaid; // every ident, before and after the re-lay
        int storedRange, shownRange;
        const char* firstRow;
        bool accepted;
    };
    const Case cases[] = {
        {16, 5, 3, 0x1234A678, 0x34A67812, 0, 1, "34A", true},
        {16, 5, 3, 0x1234A678, 0x34A67812, 1, 0, "34A", false},
        {8, 4, 6, 0x12A45678, 0x7812A456, 2, 1, "7812A4", false},
        {8, 4, 6, 0x12A45678, 0x7812A456, 0, 3, "7812A4", true},
        {16, 5, 5, 0xA2345678, 0xA2345678, 3, 3, "A2345", false},
        {16, 2, 5, 0x12345678, 0x67812345, 0, 0, "67812", true},
    };
    const uint8_t rangeBits[] = {0x00, 0x04, 0x0C, 0x08}; // 0x4C bits 3-2 of each range
    const auto write = [](int address, uint32_t ident) {
        for (int i = 0; i < 4; ++i)
            Set(address + i, uint8_t(ident >> (24 - 8 * i)));
    };
    const auto read = [](int address) {
        uint32_t ident = 0;
        for (int i = 0; i < 4; ++i)
            ident = ident << 8 | Byte(address + i);
        return ident;
    };
    std::vector<int> identsOfSmall{0xB5, 0x218}, identsOfLarge;
    for (int slot = 0; slot < 39; ++slot)
        identsOfSmall.push_back(0xB9 + 9 * slot);
    identsOfLarge = identsOfSmall;
    for (int slot = 39; slot < 99; ++slot)
        identsOfLarge.push_back(0x27D0 + 9 * (slot - 39));

    for (const Case& c : cases) {
        const std::string name = "case " + std::to_string(&c - cases);
        FillShowable(8);
        host.messages.clear();
        Set(0x80, c.kib);
        Set(0x88, uint8_t(c.from << 4 | 2));
        Set(0x4B, Byte(0x4B) | 0x03);
        Set(0x4C, uint8_t((Byte(0x4C) & ~0x0C) | rangeBits[c.storedRange]));
        for (int address : identsOfLarge)
            write(address, c.stored);
        const QByteArray before = eepromcheck::Snapshot();
        Open();
        ASSERT_TRUE(testsupport::SlideTo(frmSelcall->hsbTonesPred, c.to)) << name;
        ASSERT_TRUE(testsupport::ChooseItem(frmSelcall->cmbTxGroup, c.shownRange)) << name;
        QString firstRow;
        bool stayedOpen = false;
        QTimer::singleShot(0, frmSelcallIdents, [&] {
            firstRow = frmSelcallIdents->cellText(1, 1);
            frmSelcallIdents->OKBtn->click();
            stayedOpen = frmSelcallIdents->isVisible();
            if (stayedOpen)
                frmSelcallIdents->CancelBtn->click();
        });
        frmSelcall->btnSelcallMemClick();

        EXPECT_EQ(firstRow, c.firstRow) << name;
        EXPECT_EQ(stayedOpen, !c.accepted) << name;
        ASSERT_EQ(host.messages.size(), c.accepted ? 0 : 1) << name;
        EXPECT_EQ(host.messages.value(0).caption, c.accepted ? "" : "Group call error") << name;
        const std::vector<int>& radioIdents = c.kib == 16 ? identsOfLarge : identsOfSmall;
        for (int address : radioIdents)
            EXPECT_EQ(read(address), c.relaid) << name << " ident at 0x" << std::hex << address;
        const QByteArray after = eepromcheck::Snapshot();
        for (const auto& change : eepromcheck::Changes(before, after)) {
            const int offset = change.offset;
            const bool identByte = std::any_of(radioIdents.begin(), radioIdents.end(), [&](int a) {
                return offset >= a && offset < a + 4;
            });
            EXPECT_TRUE(identByte || offset == 0x88) << name << " " << change;
        }
        Cancel();
    }
}

} // namespace
