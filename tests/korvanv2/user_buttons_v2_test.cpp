// User-defined buttons of the second program: function codes, 16-bit recall words, DTMF
// memories, scan options and option bits through OK, and the enable rules.

#include "Chdata.h"
#include "Editor_fixture.h"
#include "support/Typing.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace {

using Bytes6 = std::vector<uint8_t>;
using testsupport::Choose;
using testsupport::Click;
using testsupport::Drag;
using testsupport::Tick;
using testsupport::TypeOver;

class UserButtonsV2 : public EditorFixture {
protected:
    static TfrmUserButtons* form() { return frmUserButtons; }
    static void Open() { form()->show(); }
    static void Ok() { form()->OKBtn->click(); }
    // Steps a list that takes typing to `item` with the arrow keys.
    static void StepTo(QComboBox* combo, int item) {
        while (combo->currentIndex() != item)
            QTest::keyClick(combo, combo->currentIndex() < item ? Qt::Key_Down : Qt::Key_Up);
    }
    // Channel index i visible in zone `zone` (0-based) and named `name` (up to 9).
    static void AddChannel(int i, const char* name, uint8_t zone = 0) {
        eeprom.SetByte(692 + 15 * i, 0x01);
        eeprom.SetByte(11132 + 4 * i + 3, zone);
        for (int c = 0; c < 9; ++c) {
            const uint8_t ch = uint8_t(c < int(strlen(name)) ? name[c] : 0);
            eeprom.SetByte(c < 5 ? 692 + 15 * i + 10 + c : 8192 + 4 * i + c - 5, ch);
        }
    }
    // An image whose every field holds a value the dialog shows as it is.
    static void FillConsistent(uint32_t seed) {
        FillRandom(seed);
        const int codes[] = {5, 6, 13, 44, 22, 48, 0, 38, 41};
        for (int k = 0; k < keyfn::KeyCount; ++k) {
            eeprom.SetByte(keyfn::Keys[k].codeByte, uint8_t(codes[k]));
            eeprom.SetByte(keyfn::Keys[k].speedByte, uint8_t((seed + k) % 40));
        }
        eeprom.SetByte(0x4A, uint8_t((eeprom.GetByte(0x4A) & ~0x07) | 0x00)); // scan + toggle
        eeprom.SetByte(0x54, 10);
        eeprom.SetByte(0x55, uint8_t(1 + seed % 10));
    }
};

} // namespace

TEST_F(UserButtonsV2, EveryFunctionNameRoundTripsItsCode) {
    EXPECT_EQ(form()->cmbButtonF1->count(), 49);
    EXPECT_EQ(TfrmUserButtons::FunctionName(7), "Zone Select");
    EXPECT_EQ(TfrmUserButtons::FunctionName(48), "Recall Home Channel & speed dial DTMF M4");
    EXPECT_EQ(TfrmUserButtons::FunctionName(-1), "Disabled");
    EXPECT_EQ(TfrmUserButtons::FunctionName(49), "Disabled");
    for (int code = 0; code < 49; ++code) {
        eeprom.SetByte(0x8F, uint8_t(code)); // F1
        eeprom.SetByte(0x44, uint8_t(code)); // microphone, editable
        Open();
        EXPECT_EQ(form()->cmbButtonF1->currentText(), TfrmUserButtons::FunctionName(code));
        EXPECT_EQ(TfrmUserButtons::ComboCode(form()->cmbButtonMicA), code);
        Choose(form()->cmbButtonF1, code);
        TypeOver(form()->cmbButtonMicA->lineEdit(), TfrmUserButtons::FunctionName(code));
        Ok();
        EXPECT_EQ(eeprom.GetByte(0x8F), code);
        EXPECT_EQ(eeprom.GetByte(0x44), code);
    }
    // A code with no item shows no selection and is kept; an untyped name stores 0xFF.
    eeprom.SetByte(0x50, 49);
    Open();
    EXPECT_EQ(form()->cmbButtonCall->currentIndex(), -1);
    TypeOver(form()->cmbButtonMicA->lineEdit(), QStringLiteral("Monitor"));
    EXPECT_EQ(TfrmUserButtons::ComboCode(form()->cmbButtonMicA), 2);
    QTest::keyClick(form()->cmbButtonMicA->lineEdit(), Qt::Key_X);
    Ok();
    EXPECT_EQ(eeprom.GetByte(0x50), 49);
    EXPECT_EQ(eeprom.GetByte(0x44), 0xFF);
}

TEST_F(UserButtonsV2, RecallWordsShowTheirChannelAndKeepTheirWordUnlessChanged) {
    for (int i = 0; i < 500; ++i)
        eeprom.SetByte(692 + 15 * i, 0xFE); // hidden
    Set(0x4A, {0x03});                      // open scan, as stored without a "Scan" key
    Set(0x54, {10, 3});                     // medium speed, rate 3
    Set(EEPROM::SIZE_BYTE, {16});           // a radio of 16 KiB: zones and 9-character names
    AddChannel(0, "CH001");
    AddChannel(6, "CH007", 49);
    AddChannel(9, "CH010", 50); // zone 51: not offered
    AddChannel(499, "LAST");
    Set(0x74, {0x00, 0x00}); // 0: channel 1
    Set(0x76, {0xF3, 0x01}); // 499: channel 500
    Set(0x78, {0xF8, 0x01}); // 504: CB 5
    Set(0x7A, {0xFF, 0xFF}); // erased
    Open();
    EXPECT_EQ(form()->cmbRecallM1->count(), 3);
    EXPECT_EQ(form()->cmbRecallM1->itemText(1), "007 CH007");
    EXPECT_EQ(form()->cmbRecallM1->currentText(), "001 CH001");
    EXPECT_EQ(form()->cmbRecallM2->currentText(), "500 LAST");
    EXPECT_EQ(form()->cmbRecallM3->currentText(), "CB 05");
    EXPECT_EQ(form()->cmbRecallM4->currentText(), "");
    const auto before = Snapshot();
    Ok();
    EXPECT_EQ(Changed(before), std::vector<int>{});

    Set(0x8F, {9, 10, 11, 12}); // F1..F4 recall M1..M4: their lists take input
    Open();
    TypeOver(form()->cmbRecallM1->lineEdit(), QStringLiteral("CB 05"));
    TypeOver(form()->cmbRecallM2->lineEdit(), QStringLiteral("12"));
    StepTo(form()->cmbRecallM3, 1);
    TypeOver(form()->cmbRecallM4->lineEdit(), QStringLiteral("500"));
    Ok();
    EXPECT_EQ(eeprom.GetWord(0x74), 504);
    EXPECT_EQ(eeprom.GetWord(0x76), 11);
    EXPECT_EQ(eeprom.GetWord(0x78), 6);
    EXPECT_EQ(eeprom.GetWord(0x7A), 499);

    // An erased image lists all 500 channels with names of 0xFF characters, five of them:
    // its size byte is that of a radio of 8 KiB, whatever lies above 8191.
    eeprom.Erase();
    eeprom.SetByte(chlayout::NameTail(0), 'X');
    Open();
    EXPECT_EQ(form()->cmbRecallM1->count(), 500);
    EXPECT_EQ(form()->cmbRecallM1->itemText(0), QStringLiteral("001 ") + QString(5, QChar(0xFF)));
    EXPECT_EQ(form()->cmbButtonF1->currentIndex(), -1);
    const auto erased = Snapshot();
    Ok();
    EXPECT_EQ(Changed(erased), std::vector<int>{}) << "nothing touched, nothing written";
}

// A recall text typed into the box is stored only when the list could show it (a channel
// number, alone or before its name, or CB 01..CB 40); anything else is refused at OK with
// the stored word kept and the dialog open.
TEST_F(UserButtonsV2, TypedRecallTextsStoreTheirChannelOrAreRefused) {
    const struct {
        const char* typed;
        int stored; // -1: refused
    } cases[] = {
        {"12", 11},     {"500", 499},  {"007 CH007", 6}, {" 7 ", 6},   {"CB 01", 500},
        {"CB 40", 539}, {"CB 00", -1}, {"CB 41", -1},    {"CB5", -1},  {"CB 5", -1},
        {"501", -1},    {"540", -1},   {"0", -1},        {"1234", -1}, {"7x", -1},
        {"junk", -1},   {"", -1},
    };
    Set(0x8F, {9}); // F1 recalls M1; every channel listed, so a typed 12 could become 120
    for (const auto& c : cases) {
        Set(0x74, {0xF8, 0x01}); // CB 5
        host.messages.clear();
        Open();
        testsupport::TypeOver(form()->cmbRecallM1->lineEdit(), QString::fromLatin1(c.typed));
        Ok();
        if (c.stored >= 0) {
            EXPECT_TRUE(host.messages.isEmpty()) << c.typed;
            EXPECT_EQ(eeprom.GetWord(0x74), c.stored) << c.typed;
            EXPECT_FALSE(form()->isVisible()) << c.typed;
            continue;
        }
        ASSERT_EQ(host.messages.size(), 1) << c.typed;
        EXPECT_EQ(host.messages[0].text,
                  QStringLiteral("M1: \"%1\" is not a recall channel.\nEnter a channel number "
                                 "from 1 to 500 or CB 01 to CB 40.")
                      .arg(QString::fromLatin1(c.typed)));
        EXPECT_EQ(host.messages[0].caption, "Error");
        EXPECT_EQ(host.messages[0].flags, 48);
        EXPECT_TRUE(form()->isVisible()) << c.typed;
        EXPECT_EQ(eeprom.GetWord(0x74), 504) << c.typed;
        form()->CancelBtn->click();
    }
}

TEST_F(UserButtonsV2, DtmfMemoriesTakeOnlyDtmfKeysWithPAsPause) {
    Set(0x93, {0x12, 0xAB, 0xCF, 0xFF, 0xFF, 0xFF});
    Set(0x99, {0x1D, 0x23, 0x45, 0x67, 0x89, 0x01}); // ends at code 13; kept unless changed
    Open();
    EXPECT_EQ(form()->txtDtmfMem1->text(), "12*#p");
    EXPECT_EQ(form()->txtDtmfMem2->text(), "1");
    EXPECT_EQ(form()->txtDtmfMem3->text(), "");

    form()->txtDtmfMem3->setEnabled(true);
    QTest::keyClicks(form()->txtDtmfMem3, "12P3x#");
    EXPECT_EQ(form()->txtDtmfMem3->text(), "12p3#");
    form()->txtDtmfMem4->setEnabled(true);
    QApplication::clipboard()->setText(QString::fromUtf8("9a*P\xC3\xA9"));
    QTest::keyClick(form()->txtDtmfMem4, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form()->txtDtmfMem4->text(), "9*p");
    Ok();
    EXPECT_EQ(Bytes(0x93, 6), (Bytes6{0x12, 0xAB, 0xCF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(0x99, 6), (Bytes6{0x1D, 0x23, 0x45, 0x67, 0x89, 0x01}));
    EXPECT_EQ(Bytes(0x9F, 6), (Bytes6{0x12, 0xC3, 0xBF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(0xA5, 6), (Bytes6{0x9A, 0xCF, 0xFF, 0xFF, 0xFF, 0xFF}));
    Open();
    form()->txtDtmfMem2->setEnabled(true);
    QTest::keyClick(form()->txtDtmfMem2, Qt::Key_2); // and taken back: "1" as shown
    QTest::keyClick(form()->txtDtmfMem2, Qt::Key_Backspace);
    Ok();
    EXPECT_EQ(Bytes(0x99, 6), (Bytes6{0x1F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

    form()->EncodeDtmfMemory(0x93, QString());
    EXPECT_EQ(Bytes(0x93, 6), (Bytes6(6, 0xFF)));
    form()->EncodeDtmfMemory(0x93, QStringLiteral("1x2"));
    EXPECT_EQ(Bytes(0x93, 6), (Bytes6{0x1F, 0x2F, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(form()->DecodeDtmfMemory(0x93), "1");
    form()->EncodeDtmfMemory(0x93, QStringLiteral("0123456789*#P5"));
    EXPECT_EQ(Bytes(0x93, 6), (Bytes6{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB}));
}

TEST_F(UserButtonsV2, UntouchedOkLeavesEveryByteAndOptionsChangeOnlyTheirBits) {
    for (uint32_t seed : {4u, 5u, 6u, 8u, 9u, 10u}) {
        FillRandom(seed);
        const auto before = Snapshot();
        Open();
        QTest::mouseClick(form()->OKBtn, Qt::LeftButton);
        EXPECT_EQ(Changed(before), std::vector<int>{}) << "seed " << seed;
    }
    FillConsistent(7);
    eeprom.SetByte(0x48, 0xFF);
    eeprom.SetByte(0x4F, 0x00);
    eeprom.SetByte(0x44, 8); // a microphone key for Quiet: its modify box takes clicks
    Open();
    Tick(form()->chkQuietMemMod, false);
    Tick(form()->chkFastResponse, true);
    Click(form()->chkOffHook[7]);
    const uint8_t hook = eeprom.GetByte(0x34);
    Ok();
    EXPECT_EQ(eeprom.GetByte(0x48), 0xFE);
    EXPECT_EQ(eeprom.GetByte(0x4F), 0x40) << "bit 5 of 0x4F is not this dialog's";
    EXPECT_EQ(eeprom.GetByte(0x34), hook ^ 0x80);
}

TEST_F(UserButtonsV2, ScanModeSpeedAndPriorityRate) {
    struct Case {
        int f1, f2;   // function codes
        bool group;   // Group Scan chosen
        uint8_t bits; // 0x4A bits 0..2 stored
    };
    const Case cases[] = {
        {0, 0, true, 0x03},
        {5, 6, false, 0x00},
        {5, 0, false, 0x02},
        {5, 0, true, 0x06},
    };
    for (const Case& c : cases) {
        eeprom.SetByte(0x4A, 0xF8);
        // Loaded with other keys, so the mode the chosen keys give is a change.
        c.f1 == 0 ? Set(0x8F, {5, 6}) : Set(0x8F, {0, 0});
        eeprom.SetByte(0x54, 0);
        eeprom.SetByte(0x55, 0);
        Open();
        Choose(form()->cmbButtonF1, c.f1);
        Choose(form()->cmbButtonF2, c.f2);
        EXPECT_EQ(form()->cmbScanSpeed->currentIndex(), 2) << "0 loads as Fast";
        EXPECT_EQ(form()->hsbPriCheckRate->value(), 1);
        EXPECT_EQ(form()->lblPriCheckRate->text(), "1 channel");
        Click(c.group ? form()->rbGsMode : form()->rbOsMode);
        Drag(form()->hsbPriCheckRate, 10);
        EXPECT_EQ(form()->lblPriCheckRate->text(), "10 channels");
        Ok();
        EXPECT_EQ(eeprom.GetByte(0x4A), 0xF8 | c.bits) << c.f1 << " " << c.f2;
        EXPECT_EQ(eeprom.GetByte(0x54), 0) << "a speed no item stores is kept while untouched";
        EXPECT_EQ(eeprom.GetByte(0x55), 10);
    }
}

TEST_F(UserButtonsV2, EnableRulesFollowTheKeysFunctions) {
    Set(0x8F, {44, 45, 0, 0}); // F1 home + selcall, F2 home + DTMF 1
    Set(0x8D, {40, 0});        // F5 monitor toggle
    Open();
    EXPECT_TRUE(form()->cmbSelcallBtnF1->isEnabled());
    EXPECT_FALSE(form()->cmbSelcallBtnF2->isEnabled());
    EXPECT_TRUE(form()->txtDtmfMem1->isEnabled());
    EXPECT_FALSE(form()->txtDtmfMem2->isEnabled());
    EXPECT_FALSE(form()->cmbRecallM1->isEnabled());
    EXPECT_FALSE(form()->chkMonitorOpenSql->isEnabled()) << "F5 is not tested for 40";
    EXPECT_FALSE(form()->cmbScanSpeed->isEnabled());
    form()->cmbButtonF3->setCurrentIndex(40);
    EXPECT_TRUE(form()->chkMonitorOpenSql->isEnabled());
    form()->cmbButtonF4->setCurrentIndex(25); // M1 & DTMF 4
    EXPECT_TRUE(form()->cmbRecallM1->isEnabled());
    EXPECT_TRUE(form()->txtDtmfMem4->isEnabled());
    EXPECT_FALSE(form()->chkRecallChMod->isEnabled());
    form()->cmbButtonMicA->setEditText(QStringLiteral("Recall channel M2"));
    EXPECT_TRUE(form()->chkRecallChMod->isEnabled());
    EXPECT_TRUE(form()->cmbRecallM2->isEnabled());
    form()->cmbButtonE->setCurrentIndex(5); // Scan
    EXPECT_TRUE(form()->cmbScanSpeed->isEnabled());
    EXPECT_TRUE(form()->rbOsMode->isEnabled());
    form()->cmbButtonCall->setCurrentIndex(6); // mode toggle
    EXPECT_FALSE(form()->rbOsMode->isEnabled());
    EXPECT_TRUE(form()->hsbPriCheckRate->isEnabled());
    // Enter in a DTMF edit closes nothing; Escape gives Cancel's result.
    QTest::keyClick(form()->txtDtmfMem1, Qt::Key_Return);
    EXPECT_TRUE(form()->isVisible());
    form()->CancelBtn->click();
    EXPECT_EQ(form()->result(), 2);
}
