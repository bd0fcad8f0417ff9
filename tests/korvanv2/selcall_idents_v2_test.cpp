// Selcall idents of the second program: 40 or 100 memories by the size byte, the checks at
// OK with the group-call digit rule, and OK writing only what the user changed.

#include "Editor_fixture.h"
#include "support/Typing.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

namespace {

constexpr int SizeByte = 0x80;

class SelcallIdentsV2 : public EditorFixture {
protected:
    static TfrmSelcallIdents* form() { return frmSelcallIdents; }
    // Opens the dialog for a radio of `kib` KiB with `tones` predictive tones.
    void Show(uint8_t kib, int tones = 5) {
        eeprom.SetByte(SizeByte, kib);
        frmSelcall->hsbTonesPred->setValue(tones);
        form()->txtRadioIdent->setMaxLength(tones);
        form()->show();
    }
    // Types `text` into a grid cell (row 1 .. SlotCount), which becomes the current one.
    static void Edit(int row, int column, const QString& text) {
        EXPECT_TRUE(testsupport::TypeIntoCell(form()->listSelcallMemories, row - 1, column, text));
    }
    static void Ok() { form()->OKBtn->click(); }
};

} // namespace

TEST_F(SelcallIdentsV2, SizeByteGivesFortyOrOneHundredSlotsAtTheirAddresses) {
    Set(0xB9 + 9 * 38, {0x39, 0x39, 0x39, 0x39, 'N', 'I', 'N', 'E', 'R'}); // slot 39
    Set(0x218, {0x77, 0x77, 0x77, 0x77, 'L', 'A', 'S', 'T', 'X'});         // LAST
    Set(0x27D0, {0x40, 0x40, 0x40, 0x40, 'F', 'O', 'R', 'T', 'Y'});        // slot 40 of 100
    Set(0x29EC + 4 * 39, {'-', 'O', 'N', 'E'});
    // Only a size byte of exactly 16 is a large radio, as for the transfers.
    for (uint8_t kib : {0, 8, 9, 12, 15, 17, 0xFF}) {
        Show(kib);
        EXPECT_EQ(form()->SlotCount, 40);
        EXPECT_EQ(form()->listSelcallMemories->rowCount(), 40);
        EXPECT_EQ(form()->cellText(39, 0), "39");
        EXPECT_EQ(form()->cellText(40, 0), "LAST");
        EXPECT_EQ(form()->cellText(40, 1), "77777");
        EXPECT_EQ(form()->cellText(40, 2), "LASTX");
        EXPECT_EQ(form()->SlotAddress(40), 0xB5);
        EXPECT_EQ(form()->SlotAddress(41), TfrmSelcallIdents::NoAddress);
        // A 9-character tag keeps 5 on a small radio; nothing reaches the large tables.
        const auto before = Snapshot();
        EXPECT_EQ(form()->cellText(39, 3), "No");
        EXPECT_EQ(form()->cellText(39, 2), "NINER");
        Edit(39, 2, QStringLiteral("ABCDEFGHI"));
        Edit(40, 1, QStringLiteral("12345"));
        Ok();
        EXPECT_EQ(Bytes(0xB9 + 9 * 38 + 4, 5), (std::vector<uint8_t>{'A', 'B', 'C', 'D', 'E'}));
        EXPECT_EQ(Bytes(0x218, 4), (std::vector<uint8_t>{0x12, 0x34, 0x50, 0x00}));
        for (int offset : Changed(before))
            EXPECT_TRUE((offset >= 0xB9 + 9 * 38 + 4 && offset < 0xB9 + 9 * 39) ||
                        (offset >= 0x218 && offset < 0x21C))
                << "wrote 0x" << std::hex << offset;
        Set(0xB9 + 9 * 38 + 4, {'N', 'I', 'N', 'E', 'R'});
        Set(0x218, {0x77, 0x77, 0x77, 0x77});
    }
    for (uint8_t kib : {16}) {
        Show(kib);
        EXPECT_EQ(form()->SlotCount, 100);
        EXPECT_EQ(form()->listSelcallMemories->rowCount(), 100);
        EXPECT_EQ(form()->cellText(99, 0), "99");
        EXPECT_EQ(form()->cellText(100, 0), "LAST");
        EXPECT_EQ(form()->cellText(100, 1), "77777");
        EXPECT_EQ(form()->cellText(40, 1), "40404");
        EXPECT_EQ(form()->cellText(40, 2), "FORTY-ONE");
        EXPECT_EQ(form()->SlotAddress(98), 0x27D0 + 9 * 59);
        Edit(99, 2, QStringLiteral("ABCDEFGHI"));
        Ok();
        EXPECT_EQ(Bytes(0x27D0 + 9 * 59 + 4, 5),
                  (std::vector<uint8_t>{0x80 | 'A', 'B', 'C', 'D', 'E'}))
            << "an erased slot is a command slot";
        EXPECT_EQ(Bytes(0x29EC + 4 * 98, 4), (std::vector<uint8_t>{'F', 'G', 'H', 'I'}));
    }
}

TEST_F(SelcallIdentsV2, UntouchedOkLeavesEveryByte) {
    for (uint8_t kib : {8, 16}) {
        for (uint32_t seed : {1u, 2u, 3u}) {
            FillRandom(seed);
            eeprom.SetByte(SizeByte, kib);
            // The current row passes the checks; its tag holds what no key types, and its
            // cell is opened for editing and left without typing.
            Set(0xB9, {0x12, 0x34, 0x56, 0x78, 'h', 0x01, 'i', 0x7F, 0x1F});
            const auto before = Snapshot();
            Show(kib, 2 + int(seed));
            ASSERT_TRUE(testsupport::LeaveCellEditorUntyped(form()->listSelcallMemories, 0, 2));
            Ok();
            EXPECT_FALSE(form()->isVisible());
            EXPECT_EQ(form()->result(), 1);
            EXPECT_EQ(Changed(before), std::vector<int>{})
                << "size " << int(kib) << " seed " << seed;
        }
    }
    EXPECT_TRUE(host.messages.isEmpty());
}

// What the user typed is stored as the cell or box shows it, also where the text typed is
// the one shown; a Command toggle alone keeps the tag reading as shown.
TEST_F(SelcallIdentsV2, TypedTextsStoreWhatTheyShowAndAToggleTheTagShown) {
    for (uint32_t seed : {4u, 5u}) {
        FillRandom(seed);
        eeprom.SetByte(SizeByte, 16);
        Set(0xB5, {0x12, 0x34, 0x56, 0x78});                        // shows 1234
        Set(0xB9, {0x12, 0x34, 0x56, 0x78, 'A', 'B', 0, 'Z', 'Z'}); // shows 1234, AB
        Set(0x29EC, {'Q', 'Q', 'Q', 'Q'});
        Set(0xB9 + 9, {0x11, 0x11, 0x11, 0x11, 0xFF}); // erased tag: "" and Yes
        const auto before = Snapshot();
        Show(16, 4);
        ASSERT_EQ(form()->cellText(2, 3), "Yes");
        testsupport::TypeOver(form()->txtRadioIdent, QStringLiteral("1234"));
        Edit(1, 1, QStringLiteral("1234"));
        Edit(1, 2, QStringLiteral("AB"));
        form()->listSelcallMemories->setCurrentCell(1, 3);
        QTest::keyClick(form()->listSelcallMemories, Qt::Key_Space);
        EXPECT_EQ(form()->cellText(2, 3), "No");
        EXPECT_EQ(form()->cellText(2, 2), "");
        Ok();
        ASSERT_FALSE(form()->isVisible()) << seed;
        EXPECT_EQ(Bytes(0xB5, 4), (std::vector<uint8_t>{0x12, 0x34, 0, 0}));
        EXPECT_EQ(Bytes(0xB9, 9), (std::vector<uint8_t>{0x12, 0x34, 0, 0, 'A', 'B', 0, 0, 0}));
        EXPECT_EQ(Bytes(0x29EC, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
        EXPECT_EQ(eeprom.GetByte(0xB9 + 9 + 4), 0x00) << "an end, as the cell showed";
        std::vector<int> expected{0xB7, 0xB8, 0xBB, 0xBC, 0xC0, 0xC1, 0xB9 + 9 + 4};
        for (int i = 0; i < 4; ++i)
            expected.push_back(0x29EC + i);
        EXPECT_EQ(Changed(before), expected) << seed;
    }
}

TEST_F(SelcallIdentsV2, OkWritesOnlyTheChangedIdentsTagsAndFlags) {
    Set(0xB5, {0x12, 0x34, 0x56, 0x78});                                 // own ident, 8 digits
    Set(0xB9, {0x11, 0x22, 0x33, 0x44, 'O', 'N', 'E', 0, 0});            // slot 1
    Set(0xB9 + 9, {0x98, 0x76, 0x54, 0x32, 0x80 | 'C', 'M', 'D', 0, 0}); // slot 2, command call
    eeprom.SetByte(0xB4, 0x42);
    eeprom.SetByte(0x4D, 0x3F);
    Show(8, 4);
    EXPECT_EQ(form()->txtRadioIdent->text(), "1234");
    EXPECT_EQ(form()->cellText(2, 3), "Yes");

    const auto before = Snapshot();
    Edit(1, 1, QStringLiteral("5555")); // an ident of N digits, zeros after
    QTest::keyClick(form()->listSelcallMemories, Qt::Key_Right); // column 3 of row 2:
    form()->listSelcallMemories->setCurrentCell(1, 3);
    QTest::keyClick(form()->listSelcallMemories, Qt::Key_Space); // toggles the flag
    EXPECT_EQ(form()->cellText(2, 3), "No");
    testsupport::TypeOver(form()->txtTlmPrefix, QStringLiteral("7"));
    testsupport::Click(form()->chkOwnIdMod);
    form()->listSelcallMemories->setCurrentCell(0, 1);
    Ok();
    EXPECT_EQ(Bytes(0xB9, 4), (std::vector<uint8_t>{0x55, 0x55, 0x00, 0x00}));
    EXPECT_EQ(eeprom.GetByte(0xB9 + 9 + 4), 'C') << "only the flag bit goes";
    EXPECT_EQ(Bytes(0xB5, 4), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78}))
        << "an own ident shown with 4 tones keeps its 8 digits";
    EXPECT_EQ(Bytes(0xB9 + 9, 4), (std::vector<uint8_t>{0x98, 0x76, 0x54, 0x32}));
    EXPECT_EQ(eeprom.GetByte(0xB4), 0x70);
    EXPECT_EQ(eeprom.GetByte(0x4D), 0x7F);
    std::vector<int> expected{0x4D, 0xB4, 0xB9, 0xBA, 0xBB, 0xBC, 0xB9 + 9 + 4};
    EXPECT_EQ(Changed(before), expected);

    // A typed own ident is stored, a pasted tag character outside the set by the one rule.
    Show(8, 4);
    testsupport::TypeOver(form()->txtRadioIdent, QStringLiteral("9BCF"));
    form()->SetTagText(2, QString::fromUtf8("Ä-b!"));
    EXPECT_EQ(Bytes(0xB9 + 18 + 4, 5), (std::vector<uint8_t>{0x80 | '?', '-', '?', '?', 0}));
    form()->listSelcallMemories->setCurrentCell(0, 1);
    Ok();
    EXPECT_EQ(Bytes(0xB5, 4), (std::vector<uint8_t>{0x9B, 0xCF, 0x00, 0x00}));
}

TEST_F(SelcallIdentsV2, GroupCallDigitFollowsTheTransmitRange) {
    struct Case {
        uint8_t range; // 0x4C bits 3-2, as the Selcall dialog shows them
        const char* ident;
        bool accepted;
    };
    const Case cases[] = {
        {0x00, "1234A", false}, {0x04, "1234A", true},  {0x0C, "1234A", true},
        {0x08, "1234A", true},  {0x04, "123A5", false}, {0x0C, "123A5", true},
        {0x08, "123AA", true},  {0x0C, "12A45", false}, {0x08, "A2345", false},
        {0x03, "1234A", false}, {0x00, "12345", true},
    };
    const int shownItem[] = {0, 1, 3, 2}; // the Selcall dialog's item of each range
    for (const Case& c : cases) {
        host.messages.clear();
        eeprom.SetByte(0x4C, uint8_t(c.range | 0xF0));
        frmSelcall->cmbTxGroup->setCurrentIndex(shownItem[(c.range >> 2) & 3]);
        Set(0xB5, {0x12, 0x34, 0x50, 0x00});
        Set(0xB9 + 9 * 6, {0xFF, 0xFF, 0xFF, 0xFF});
        Show(16, 5);
        Edit(7, 1, QString::fromLatin1(c.ident));
        Ok();
        EXPECT_EQ(form()->isVisible(), !c.accepted) << c.ident << " range " << int(c.range);
        if (c.accepted) {
            EXPECT_TRUE(host.messages.isEmpty());
        } else {
            ASSERT_EQ(host.messages.size(), 1);
            EXPECT_EQ(host.messages[0].caption, "Group call error");
            EXPECT_EQ(host.messages[0].flags, 0);
            EXPECT_EQ(eeprom.GetByte(0xB9 + 9 * 6), 0xFF) << "nothing stored";
            form()->CancelBtn->click();
        }
        EXPECT_EQ(eeprom.GetByte(0x4C), uint8_t(c.range | 0xF0)) << "0x4C written back as it was";
    }
}

TEST_F(SelcallIdentsV2, ShortIdentsKeepTheDialogOpenAndStoreNothing) {
    Set(0xB5, {0x12, 0x34, 0x50, 0x00});
    eeprom.SetByte(0xB4, 0x4A);
    Show(8, 5);
    const auto before = Snapshot();
    testsupport::TypeOver(form()->txtRadioIdent, QStringLiteral("1234"));
    Edit(3, 1, QStringLiteral("99"));
    Ok();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].caption, "Number of tones");
    EXPECT_TRUE(host.messages[0].text.startsWith("The Radio Ident is not long enough."));
    testsupport::TypeOver(form()->txtRadioIdent, QStringLiteral("12345"));
    Ok();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_TRUE(host.messages[1].text.startsWith("The Memory Ident is not long enough."));
    EXPECT_TRUE(form()->isVisible());
    EXPECT_EQ(Changed(before), std::vector<int>{});
    // A short ident outside the current row is stored as typed. A stored prefix that is no
    // number ("4A") less its digit keeps the "A", which OK refuses; emptied, it is stored as 00.
    form()->listSelcallMemories->setCurrentCell(0, 1);
    QLineEdit* prefix = form()->txtTlmPrefix;
    QTest::keyClick(prefix, Qt::Key_Home);
    QTest::keyClick(prefix, Qt::Key_Delete);
    EXPECT_EQ(prefix->text(), "A");
    Ok();
    EXPECT_EQ(host.messages.size(), 3);
    EXPECT_TRUE(form()->isVisible());
    QTest::keyClick(prefix, Qt::Key_End);
    QTest::keyClick(prefix, Qt::Key_Backspace);
    EXPECT_EQ(prefix->text(), "");
    Ok();
    EXPECT_EQ(host.messages.size(), 3);
    EXPECT_FALSE(form()->isVisible());
    EXPECT_EQ(eeprom.GetByte(0xB4), 0x00);
    EXPECT_EQ(Bytes(0xB9 + 18, 4), (std::vector<uint8_t>{0x99, 0x00, 0x00, 0x00}));

    // Cancel stores nothing, and its result is 2.
    Show(8, 5);
    const auto kept = Snapshot();
    Edit(1, 1, QStringLiteral("55555"));
    form()->CancelBtn->click();
    EXPECT_EQ(form()->result(), 2);
    EXPECT_EQ(Changed(kept), std::vector<int>{});
}

TEST_F(SelcallIdentsV2, EditMasksAndKeysOfTheGrid) {
    Set(0xB9 + 4, {0x80}); // slot 1 a command call, slot 2 not
    Set(0xB9 + 9 + 4, {0x00});
    Show(16, 4);
    EXPECT_EQ(form()->listSelcallMemoriesGetEditMask(1, 1), ">CCCCCCCC");
    EXPECT_EQ(form()->listSelcallMemoriesGetEditMask(2, 1), ">CCCC");
    EXPECT_EQ(form()->listSelcallMemoriesGetEditMask(3, 1), ">CCCCCCCC") << "erased: command";
    EXPECT_EQ(form()->listSelcallMemoriesGetEditMask(2, 2), ">CCCCCCCCC");
    EXPECT_EQ(form()->listSelcallMemoriesGetEditMask(2, 3), "");
    form()->txtRadioIdent->clear();
    QTest::keyClicks(form()->txtRadioIdent, "1aDbc");
    EXPECT_EQ(form()->txtRadioIdent->text(), "1BC");
    form()->txtTlmPrefix->clear();
    QTest::keyClicks(form()->txtTlmPrefix, "a4");
    EXPECT_EQ(form()->txtTlmPrefix->text(), "4");
    // A tag cell's editor: letters upper case, '.' and '_' taken, '!' refused, typed or
    // pasted.
    QTableWidget* grid = form()->listSelcallMemories;
    const QModelIndex tag = grid->model()->index(2, 2);
    QWidget* editor = grid->itemDelegate()->createEditor(grid->viewport(), {}, tag);
    auto* line = qobject_cast<QLineEdit*>(editor);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->maxLength(), 9);
    QTest::keyClicks(line, "ab.!_c");
    EXPECT_EQ(line->text(), "AB._C");
    line->insert(QString::fromUtf8("\u00e9"));
    grid->itemDelegate()->setModelData(line, grid->model(), tag);
    EXPECT_EQ(form()->cellText(3, 2), "AB._C");
    delete editor;
    EXPECT_EQ(grid->itemDelegate()->createEditor(grid->viewport(), {}, grid->model()->index(2, 3)),
              nullptr);
    // Enter in the own ident closes nothing.
    QTest::keyClick(form()->txtRadioIdent, Qt::Key_Return);
    EXPECT_TRUE(form()->isVisible());
}
