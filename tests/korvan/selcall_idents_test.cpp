// The selcall idents dialog: ident and tag encoding, slot addresses, the prefix, the
// Command flags, the checks on leaving a field, key filters and Cancel.

#include "Image_fixture.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "support/Typing.h"
#include "support/Waits.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <cstring>

namespace {

class SelcallIdents : public ImageFixture {
protected:
    // Shows the idents dialog with the given predictive tone count.
    void Show(int toneCount) {
        frmSelcall->hsbTonesPred->setValue(toneCount);
        frmSelcallIdents->txtRadioIdent->setMaxLength(toneCount);
        frmSelcallIdents->show();
    }
    static QString Cell(int row, int column) { return frmSelcallIdents->cellText(row, column); }
};

using ByteList = std::vector<uint8_t>;

} // namespace

TEST_F(SelcallIdents, IdentsAndTagsLoadFromTheirSlots) {
    Set(0xB5, {0x12, 0x34, 0x5F, 0xFF});                           // own ident
    Set(0xB9, {0xAB, 0xCF, 0x00, 0x00, 'H', 'O', 'M', 'E'});       // slot 1 ("1")
    Set(0xB9 + 9 * 38, {0x38, 0x38, 0x38, 0x38});                  // slot 39
    Set(0x218, {0x99, 0x99, 0x99, 0x99, 0x80 | 'L', 'A'});         // LAST, Command flag set
    Set(0xB20, {0x40, 0x40, 0x40, 0x40, 'F', 'O', 'R', 'T', 'Y'}); // slot 40
    Set(0xD3C + 4 * 39, {'-', 'O', 'N', 'E'});                     // its tag characters 6-9
    Set(0xB20 + 9 * 59, {0x98, 0x98});                             // slot 99
    std::memset(image() + 0xB9 + 9, 0xFF, 9);                      // slot 2 erased
    std::memset(image() + 0xD3C + 4, 0xFF, 4);
    image()[0xB4] = 0x42;
    image()[0x4D] = 0x80;
    Show(5);

    EXPECT_EQ(frmSelcallIdents->txtRadioIdent->text(), "12345");
    EXPECT_EQ(frmSelcallIdents->txtTlmPrefix->text(), "42");
    EXPECT_FALSE(frmSelcallIdents->chkOwnIdMod->isChecked());
    EXPECT_TRUE(frmSelcallIdents->chkCallMemEdit->isChecked());
    EXPECT_EQ(Cell(1, 0), "1");
    EXPECT_EQ(Cell(1, 1), "ABCF0");
    EXPECT_EQ(Cell(1, 2), "HOME");
    EXPECT_EQ(Cell(1, 3), "No");
    EXPECT_EQ(Cell(2, 1), "FFFFF");
    EXPECT_EQ(Cell(2, 2), "");
    EXPECT_EQ(Cell(2, 3), "Yes") << "an erased slot loads its Command flag set";
    EXPECT_EQ(Cell(39, 1), "38383");
    EXPECT_EQ(Cell(40, 1), "40404");
    EXPECT_EQ(Cell(40, 2), "FORTY-ONE");
    EXPECT_EQ(Cell(99, 0), "99");
    EXPECT_EQ(Cell(99, 1), "98980");
    EXPECT_EQ(Cell(100, 0), "LAST");
    EXPECT_EQ(Cell(100, 1), "99999");
    EXPECT_EQ(Cell(100, 2), "LA");
    EXPECT_EQ(Cell(100, 3), "Yes");
    EXPECT_EQ(frmSelcallIdents->CommandFlags[100], 1);
    EXPECT_EQ(frmSelcallIdents->GetTagText(TfrmSelcallIdents::OwnIdentSlot), "RADIO");
    EXPECT_EQ(frmSelcallIdents->GetIdentText(101), "");
    EXPECT_EQ(frmSelcallIdents->GetTagText(-1), "");
}

TEST_F(SelcallIdents, OkStoresIdentsTagsFlagsAndPermissions) {
    image()[0x4D] = 0x3F;
    image()[0xB20 + 4] = 0; // slot 40: no command call
    Show(5);
    QTableWidget* grid = frmSelcallIdents->listSelcallMemories;
    testsupport::TypeOver(frmSelcallIdents->txtRadioIdent, "12B");
    ASSERT_TRUE(testsupport::TypeIntoCell(grid, 0, 1, "5CB0A"));
    ASSERT_TRUE(testsupport::TypeIntoCell(grid, 0, 2, "ABCDEFGHIJK")); // cut to 9
    ASSERT_TRUE(testsupport::TypeIntoCell(grid, 39, 1, "1x2"));        // x refused
    ASSERT_TRUE(testsupport::TypeIntoCell(grid, 39, 2, "*RSTQ"));
    grid->setCurrentCell(39, 3);
    frmSelcallIdents->listSelcallMemoriesMouseDown(); // toggles slot 40's Command flag
    EXPECT_EQ(Cell(40, 3), "Yes");
    QTest::keyClick(frmSelcallIdents->chkOwnIdMod, Qt::Key_Space);
    QTest::keyClick(frmSelcallIdents->chkCallMemEdit, Qt::Key_Space);
    frmSelcallIdents->OKBtnClick();

    EXPECT_FALSE(frmSelcallIdents->isVisible());
    EXPECT_EQ(Bytes(0xB5, 4), (ByteList{0x12, 0xB0, 0x00, 0x00}));
    EXPECT_EQ(Bytes(0xB9, 9), (ByteList{0x5C, 0xB0, 0xA0, 0x00, 'A', 'B', 'C', 'D', 'E'}));
    EXPECT_EQ(Bytes(0xD3C, 4), (ByteList{'F', 'G', 'H', 'I'}));
    EXPECT_EQ(Bytes(0xB20, 9), (ByteList{0x12, 0x00, 0, 0, 0x80 | '*', 'R', 'S', 'T', 'Q'}));
    EXPECT_EQ(Bytes(0xD3C + 4 * 39, 4), (ByteList{0, 0, 0, 0}));
    EXPECT_EQ(image()[0x4D], 0xFF) << "bits 6 and 7 only";
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(SelcallIdents, UntouchedIdentsAndTagsKeepEveryStoredByte) {
    Set(0xB5, {0x12, 0x34, 0x5F, 0xFF});
    Set(0xB9, {0x42, 0x12, 0x34, 0x56, 0x80});  // a command call of 8 digits
    Set(0x218, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}); // LAST erased
    // Slot 2's tag holds what no key types: lower case, control bytes, a mark.
    Set(0xB9 + 9, {0x11, 0x11, 0x11, 0x11, 'h', 0x01, 'i', 0x7F, 0x1F});
    Set(0xD3C + 4, {'!', 0x02, 0, 0xFF});
    const std::vector<uint8_t> before = Bytes(0, IMAGE_SIZE);
    Show(5);

    // Its cell opened for editing and left without typing.
    ASSERT_TRUE(testsupport::LeaveCellEditorUntyped(frmSelcallIdents->listSelcallMemories, 1, 2));
    frmSelcallIdents->OKBtnClick();
    EXPECT_FALSE(frmSelcallIdents->isVisible());
    EXPECT_EQ(Bytes(0, IMAGE_SIZE), before);
}

TEST_F(SelcallIdents, PrefixIsTwoDigitsOrRefused) {
    const std::pair<const char*, uint8_t> prefixes[] = {{"", 0x00}, {"7", 0x70}, {"42", 0x42}};
    for (const auto& [typed, stored] : prefixes) {
        image()[0xB4] = 0x99;
        Show(4);
        testsupport::TypeOver(frmSelcallIdents->txtTlmPrefix, typed);
        frmSelcallIdents->OKBtnClick();
        EXPECT_EQ(image()[0xB4], stored) << typed;
    }

    // A stored prefix that is not two digits shows as it is and is kept when left alone.
    image()[0xB4] = 0xFF;
    Show(4);
    EXPECT_EQ(frmSelcallIdents->txtTlmPrefix->text(), "FF");
    frmSelcallIdents->OKBtnClick();
    EXPECT_EQ(image()[0xB4], 0xFF);
    EXPECT_TRUE(host.messages.isEmpty());

    // Such a prefix edited keeps what the user did not touch: "4A" less its "4" shows "A",
    // which OK refuses; emptied, it is stored as 00.
    image()[0xB4] = 0x4A;
    Show(4);
    QLineEdit* prefix = frmSelcallIdents->txtTlmPrefix;
    testsupport::TypeOver(frmSelcallIdents->txtRadioIdent, "9999");
    QTest::keyClick(prefix, Qt::Key_Home);
    QTest::keyClick(prefix, Qt::Key_Delete);
    EXPECT_EQ(prefix->text(), "A");
    frmSelcallIdents->OKBtnClick();
    EXPECT_TRUE(frmSelcallIdents->isVisible());
    EXPECT_EQ(image()[0xB4], 0x4A);
    EXPECT_EQ(host.messages.size(), 1);
    host.messages.clear();
    QTest::keyClick(prefix, Qt::Key_End);
    QTest::keyClick(prefix, Qt::Key_Backspace);
    EXPECT_EQ(prefix->text(), "");
    frmSelcallIdents->OKBtnClick();
    EXPECT_FALSE(frmSelcallIdents->isVisible());
    EXPECT_EQ(image()[0xB4], 0x00);
    EXPECT_EQ(image()[0xB5], 0x99);
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(SelcallIdents, CommandFlagTogglesAndWidensTheIdent) {
    Show(4);
    QTableWidget* grid = frmSelcallIdents->listSelcallMemories;
    EXPECT_EQ(frmSelcallIdents->listSelcallMemoriesGetEditMask(3, 1), ">CCCC");
    EXPECT_EQ(frmSelcallIdents->listSelcallMemoriesGetEditMask(3, 2), ">CCCCCCCCC");
    EXPECT_EQ(frmSelcallIdents->listSelcallMemoriesGetEditMask(3, 3), "");

    grid->setCurrentCell(2, 3);
    QTest::keyClick(grid, Qt::Key_Y, Qt::AltModifier); // shortcuts toggle nothing
    QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Cell(3, 3), "No");
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(Cell(3, 3), "Yes");
    EXPECT_EQ(frmSelcallIdents->listSelcallMemoriesGetEditMask(3, 1), ">CCCCCCCC");
    QTest::keyClick(grid, Qt::Key_Y);
    EXPECT_EQ(Cell(3, 3), "No");
    EXPECT_EQ(frmSelcallIdents->CommandFlags[3], 0);
    QTest::keyClick(grid, Qt::Key_Y);

    // Typing into the ident cell: upper case, only the allowed digits, 8 with the flag.
    grid->setCurrentCell(2, 1);
    grid->editItem(grid->item(2, 1));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(2, 1)));
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "a1d2e3fbc456789");
    EXPECT_EQ(editor->text(), "A123FBC4");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Cell(3, 1), "A123FBC4");
    // A paste keeps the allowed keys up to the cell's tones.
    grid->setCurrentCell(3, 1);
    grid->editItem(grid->item(3, 1));
    editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(3, 1)));
    ASSERT_NE(editor, nullptr);
    editor->clear();
    testsupport::Paste(editor, "1d2e3a4b");
    EXPECT_EQ(editor->text(), "123A");
    QTest::keyClick(editor, Qt::Key_Escape);

    grid->setCurrentCell(2, 2);
    grid->editItem(grid->item(2, 2));
    editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(2, 2)));
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "*rst q_!+-9xyz");
    EXPECT_EQ(editor->text(), "*RST Q+-9");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();

    frmSelcallIdents->OKBtnClick();
    EXPECT_EQ(Bytes(0xB9 + 18, 9),
              (ByteList{0xA1, 0x23, 0xFB, 0xC4, 0x80 | '*', 'R', 'S', 'T', ' '}));
    EXPECT_EQ(Bytes(0xD3C + 8, 4), (ByteList{'Q', '+', '-', '9'}));

    // The flags outlive the showing; the next showing reloads them from the image.
    frmSelcallIdents->CommandFlags[5] = 1;
    Show(4);
    EXPECT_EQ(frmSelcallIdents->CommandFlags[3], 1);
    EXPECT_EQ(frmSelcallIdents->CommandFlags[5], 0);
}

TEST_F(SelcallIdents, OwnIdentKeyFilter) {
    Show(8);
    frmSelcallIdents->txtRadioIdent->clear();
    QTest::keyClicks(frmSelcallIdents->txtRadioIdent, "1aAdDeEbcf9x2");
    EXPECT_EQ(frmSelcallIdents->txtRadioIdent->text(), "1BCF92");
    Show(6);
    testsupport::TypeOver(frmSelcallIdents->txtRadioIdent, "3BF");
    testsupport::Paste(frmSelcallIdents->txtRadioIdent, "9aE1c");
    EXPECT_EQ(frmSelcallIdents->txtRadioIdent->text(), "3BF91C") << "refused keys take no tone";
    frmSelcallIdents->txtTlmPrefix->clear();
    QTest::keyClicks(frmSelcallIdents->txtTlmPrefix, "a4-b7");
    EXPECT_EQ(frmSelcallIdents->txtTlmPrefix->text(), "47");
}

TEST_F(SelcallIdents, LeavingAShortIdentIsReported) {
    Show(5);
    frmSelcallIdents->txtRadioIdent->setText("123");
    frmSelcallIdents->txtRadioIdentExit();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "The Radio Ident is not long enough.\r"
                                     "Please ensure it has the same number of tones\r"
                                     "as the number of predictive tones.");
    EXPECT_EQ(host.messages[0].caption, "Number of tones");
    EXPECT_EQ(host.messages[0].flags, platform::MB_OK);

    frmSelcallIdents->txtRadioIdent->setText("12345");
    frmSelcallIdents->txtRadioIdentExit();
    EXPECT_EQ(host.messages.size(), 1);

    QTableWidget* grid = frmSelcallIdents->listSelcallMemories;
    frmSelcallIdents->setCellText(7, 1, "12 45");
    grid->setCurrentCell(6, 1);
    frmSelcallIdents->listSelcallMemoriesExit();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[1].text, "The Memory Ident is not long enough.\r"
                                     "Please ensure it has the same number of tones\r"
                                     "as the number of predictive tones.");
    frmSelcallIdents->setCellText(7, 1, "1234");
    frmSelcallIdents->listSelcallMemoriesExit();
    EXPECT_EQ(host.messages.size(), 3);
    grid->setCurrentCell(6, 2); // other columns are not checked
    frmSelcallIdents->listSelcallMemoriesExit();
    grid->setCurrentCell(7, 1); // nor other rows
    frmSelcallIdents->listSelcallMemoriesExit();
    EXPECT_EQ(host.messages.size(), 3);

    // Moving the focus on from a short ident triggers the same check.
    frmSelcallIdents->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmSelcallIdents));
    frmSelcallIdents->txtRadioIdent->setText("12");
    frmSelcallIdents->txtRadioIdent->setFocus();
    frmSelcallIdents->chkOwnIdMod->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return host.messages.size() == 4; }, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(host.messages[3].caption, "Number of tones");
    EXPECT_EQ(QApplication::focusWidget(), frmSelcallIdents->txtRadioIdent);
    frmSelcallIdents->CancelBtn->setFocus(Qt::TabFocusReason); // Cancel defers the check
    QTest::qWait(10);
    EXPECT_EQ(host.messages.size(), 4);

    frmSelcallIdents->txtRadioIdent->setText("12345"); // mended before the focus moves on
    grid->setCurrentCell(6, 1);                        // row 7 holds "1234", one tone short
    grid->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents(); // the deferred check passes
    frmSelcallIdents->txtTlmPrefix->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return host.messages.size() == 5; }, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(host.messages.last().text.left(35), "The Memory Ident is not long enough");
    EXPECT_EQ(QApplication::focusWidget(), grid);

    // Clicking OK leaves the box as well: its check comes first, once, and keeps the dialog
    // open with nothing stored.
    frmSelcallIdents->setCellText(7, 1, "12345");
    QTest::mouseClick(frmSelcallIdents->txtRadioIdent, Qt::LeftButton);
    frmSelcallIdents->txtRadioIdent->selectAll();
    QTest::keyClicks(frmSelcallIdents->txtRadioIdent, "34");
    const std::vector<uint8_t> before = Bytes(0, IMAGE_SIZE);
    QTest::mouseClick(frmSelcallIdents->OKBtn, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(host.messages.size(), 6);
    EXPECT_EQ(host.messages.last().text.left(34), "The Radio Ident is not long enough");
    EXPECT_TRUE(frmSelcallIdents->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), frmSelcallIdents->txtRadioIdent);
    EXPECT_EQ(Bytes(0, IMAGE_SIZE), before);
    QTest::keyClicks(frmSelcallIdents->txtRadioIdent, "567");
    QTest::mouseClick(frmSelcallIdents->OKBtn, Qt::LeftButton);
    EXPECT_FALSE(frmSelcallIdents->isVisible());
    EXPECT_EQ(Bytes(0xB5, 4), (ByteList{0x34, 0x56, 0x70, 0x00}));
    EXPECT_EQ(host.messages.size(), 6);
}

TEST_F(SelcallIdents, CancelPutsBackTheWholeImage) {
    for (int i = 0; i < IMAGE_SIZE; ++i)
        image()[i] = uint8_t(i * 13 + 1);
    const std::vector<uint8_t> before = Bytes(0, IMAGE_SIZE);
    Show(6);
    frmSelcallIdents->setCellText(12, 1, "777777");
    frmSelcallIdents->setCellText(50, 2, "NEW");
    frmSelcallIdents->chkOwnIdMod->toggle();
    frmSelcallIdents->CancelBtnClick();
    EXPECT_EQ(Bytes(0, IMAGE_SIZE), before);
}

// The own ident and a grid ident are both short: clicking the own ident from the grid
// reports the grid once and puts the focus back on the grid, and the return of the focus
// sets off no check of the own ident.
TEST_F(SelcallIdents, TwoShortIdentsGiveOneMessagePerFocusMove) {
    Show(5);
    frmSelcallIdents->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmSelcallIdents));
    QTableWidget* grid = frmSelcallIdents->listSelcallMemories;
    frmSelcallIdents->setCellText(3, 1, "12");
    grid->setCurrentCell(2, 1);
    grid->setFocus(Qt::MouseFocusReason);
    QTest::qWait(20);
    ASSERT_TRUE(host.messages.isEmpty()) << "the grid is not checked on entry";
    frmSelcallIdents->txtRadioIdent->setText("1");

    // The check runs after the focus has moved; a chain would add messages soon after.
    const auto messagesAfterFocusMove = [this](int wanted) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return host.messages.size() >= wanted; },
                                    testsupport::WAIT_LIMIT_MS));
        QTest::qWait(100);
        return host.messages.size();
    };
    frmSelcallIdents->txtRadioIdent->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(messagesAfterFocusMove(1), 1);
    EXPECT_EQ(host.messages[0].text.left(35), "The Memory Ident is not long enough");
    EXPECT_EQ(QApplication::focusWidget(), grid);

    // Each further move is one user action and one message, and never a chain.
    frmSelcallIdents->txtRadioIdent->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(messagesAfterFocusMove(2), 2);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    frmSelcallIdents->setCellText(3, 1, "12345");
    frmSelcallIdents->txtRadioIdent->setFocus(Qt::MouseFocusReason);
    QTest::qWait(50);
    frmSelcallIdents->chkOwnIdMod->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(messagesAfterFocusMove(3), 3);
    EXPECT_EQ(host.messages[2].text.left(34), "The Radio Ident is not long enough");
    EXPECT_EQ(QApplication::focusWidget(), frmSelcallIdents->txtRadioIdent);
}

// A check left towards Cancel waits for the next move: Shift+Tab on to OK, or a click on OK
// after a press on Cancel released beside it, runs it; nothing is stored and the dialog
// stays open. Cancel clicked drops it.
TEST_F(SelcallIdents, ACheckLeftTowardsCancelRunsWhenTheFocusMovesOn) {
    Show(5);
    frmSelcallIdents->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmSelcallIdents));
    const std::vector<uint8_t> before = Bytes(0, IMAGE_SIZE);
    QLineEdit* ident = frmSelcallIdents->txtRadioIdent;
    QPushButton* cancel = frmSelcallIdents->CancelBtn;
    const auto expectHeld = [&](int messages, QWidget* focus) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return host.messages.size() == messages; },
                                    testsupport::WAIT_LIMIT_MS));
        EXPECT_EQ(host.messages.last().caption, "Number of tones");
        EXPECT_EQ(QApplication::focusWidget(), focus);
        EXPECT_TRUE(frmSelcallIdents->isVisible());
        EXPECT_EQ(Bytes(0, IMAGE_SIZE), before);
    };

    QTest::mouseClick(ident, Qt::LeftButton);
    testsupport::TypeOver(ident, "34");
    QTest::keyClick(ident, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), cancel);
    QTest::keyClick(cancel, Qt::Key_Backtab, Qt::ShiftModifier);
    expectHeld(1, ident);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(host.messages.size(), 1);

    const QPoint beside(-4, cancel->height() / 2);
    QTest::mousePress(cancel, Qt::LeftButton);
    QTest::mouseRelease(cancel, Qt::LeftButton, {}, beside);
    QTest::mouseClick(frmSelcallIdents->OKBtn, Qt::LeftButton);
    expectHeld(2, ident);

    QTableWidget* grid = frmSelcallIdents->listSelcallMemories;
    testsupport::TypeOver(ident, "12345");
    grid->setCurrentCell(0, 1);
    grid->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents(); // the own ident's check passes as the focus settles
    grid->editItem(grid->item(0, 1));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(0, 1)));
    ASSERT_NE(editor, nullptr);
    testsupport::TypeOver(editor, "34");
    QTest::mousePress(cancel, Qt::LeftButton);
    QTest::mouseRelease(cancel, Qt::LeftButton, {}, beside);
    QTest::mouseClick(frmSelcallIdents->OKBtn, Qt::LeftButton);
    expectHeld(3, grid);
    EXPECT_EQ(host.messages.last().text.left(35), "The Memory Ident is not long enough");

    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(frmSelcallIdents->isVisible());
    Show(5);
    frmSelcallIdents->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmSelcallIdents));
    QTest::mouseClick(frmSelcallIdents->chkOwnIdMod, Qt::LeftButton);
    QTest::mouseClick(frmSelcallIdents->OKBtn, Qt::LeftButton);
    EXPECT_FALSE(frmSelcallIdents->isVisible());
    EXPECT_EQ(host.messages.size(), 3) << "nothing left over from the cancelled opening";
}

// A Command toggle alone stores the tag as its cell showed it. Opened from the selcall
// dialog as the program opens it: an erased first tag byte (an empty tag, "Yes") clicked,
// and LAST's reached by Ctrl+End and toggled by a key, turn "No" and end the tag (0x00, not
// 0x7F); a first character 0x7F, which no byte holds with the flag, turns "Yes" as an
// erased byte, and its cell then shows the empty tag stored.
TEST_F(SelcallIdents, ACommandToggleStoresTheTagAsItsCellShows) {
    imagecheck::FillRandom(34);
    image()[0x4B] |= 0x03;
    image()[0x88] = 0x55;
    const int slot3 = 0xB9 + 9 * 2 + 4, slot6 = 0xB9 + 9 * 5 + 4, last = 0x218 + 4;
    image()[slot3] = 0xFF;
    image()[slot6] = 0x7F;
    image()[last] = 0xFF;
    const QByteArray stored = imagecheck::Snapshot();
    WhenActive(frmSelcall, [] {
        WhenActive(frmSelcallIdents, [] {
            QTableWidget* grid = frmSelcallIdents->listSelcallMemories;
            const auto click = [grid](int row) {
                const QRect cell = grid->visualItemRect(grid->item(row - 1, 3));
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            };
            EXPECT_EQ(Cell(3, 2), "");
            click(3);
            EXPECT_EQ(Cell(3, 3), "No");
            EXPECT_EQ(Cell(3, 2), "");
            EXPECT_EQ(Cell(6, 2).left(1), QString(QChar(0x7F)));
            click(6);
            EXPECT_EQ(Cell(6, 3), "Yes");
            EXPECT_EQ(Cell(6, 2), "");
            ASSERT_EQ(QApplication::focusWidget(), grid);
            QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_N);
            EXPECT_EQ(Cell(100, 3), "No");
            EXPECT_EQ(Cell(100, 2), "");
            QTest::mouseClick(frmSelcallIdents->OKBtn, Qt::LeftButton);
        });
        QTest::mouseClick(frmSelcall->btnSelcallMem, Qt::LeftButton);
        QTest::mouseClick(frmSelcall->OKBtn, Qt::LeftButton);
    });
    frmBelmar->EditButtonClick(frmBelmar->btnSelcall);
    QByteArray expected = stored;
    expected[slot3] = 0x00;
    expected[slot6] = char(0xFF);
    expected[last] = 0x00;
    EXPECT_EQ(imagecheck::Changes(expected, imagecheck::Snapshot()),
              std::vector<imagecheck::Change>{});
}
