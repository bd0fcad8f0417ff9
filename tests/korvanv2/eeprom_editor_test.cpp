// The raw EEPROM editor: cells and addresses, number bases and sizes, and when the
// program's image changes.

#include "Ee_edit.h"
#include "Eeprom.h"
#include "platform/ScriptedHost.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

class EepromEditor : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < eeprom.size; ++i)
            eeprom.SetByte(i, uint8_t(i));
        form.show();
    }
    void TearDown() override { form.hide(); }

    QString Cell(int row, int column) const {
        const auto* item = form.sg_eeprom->item(row, column);
        return item ? item->text() : QString();
    }
    void Type(int row, int column, const QString& text) {
        form.sg_eeprom->item(row, column)->setText(text);
    }
    void Choose(QButtonGroup* group, int id) { group->button(id)->click(); }

    platform::ScriptedHost host;
    TfrmEEpromEdit form;
};

} // namespace

TEST_F(EepromEditor, GridShowsTheImageInEachBaseAndSize) {
    ASSERT_EQ(form.sg_eeprom->rowCount(), 8192);
    EXPECT_EQ(Cell(2, 0), "4");
    EXPECT_EQ(Cell(2, 4), "5"); // row 3 of the grid, "Data (Hi)": address 5
    EXPECT_EQ(Cell(127, 3), "254");
    EXPECT_EQ(Cell(127, 4), "255");
    EXPECT_TRUE(Cell(0, 1).isEmpty());

    Choose(form.rgBaseItems, 2);
    EXPECT_EQ(Cell(127, 4), "FF");
    Choose(form.rgBaseItems, 0);
    EXPECT_EQ(Cell(2, 4), "00000101");
    EXPECT_EQ(TfrmEEpromEdit::ParseBinary("101", 8), 5u);
    EXPECT_EQ(TfrmEEpromEdit::ParseBinary("1x1", 8), 5u);
    EXPECT_EQ(TfrmEEpromEdit::FormatBinary(5, 0), "");

    eeprom.SetWord(0x10, 4660);
    form.hide();
    form.show(); // every opening copies the image in again
    Choose(form.rgDataSizeItems, 1);
    Choose(form.rgBaseItems, 2);
    EXPECT_EQ(form.sg_eeprom->columnCount(), 4);
    EXPECT_EQ(Cell(8, 3), "1234");
    EXPECT_EQ(form.sg_eeprom->horizontalHeaderItem(3)->text(), "Data (16-bit)");
}

TEST_F(EepromEditor, EditsReachTheImageOnlyOnOk) {
    Type(2, 4, "77");
    form.sg_eeprom->setCurrentCell(2, 4);
    Choose(form.rgBaseItems, 2); // a view change keeps the edit and the cell
    EXPECT_EQ(Cell(2, 4), "4D");
    EXPECT_EQ(form.sg_eeprom->currentRow(), 2);
    EXPECT_EQ(form.sg_eeprom->currentColumn(), 4);
    Choose(form.rgDataSizeItems, 1);
    EXPECT_EQ(form.sg_eeprom->currentColumn(), 3); // the last column of the narrower grid
    EXPECT_EQ(eeprom.GetByte(5), 5);

    form.btnCancel->click();
    EXPECT_EQ(form.result(), 2);
    EXPECT_EQ(eeprom.GetByte(5), 5);

    form.show();
    form.btnEraseClick();
    EXPECT_EQ(Cell(0, 3), "FFFF");
    form.btnCancel->click();
    EXPECT_EQ(eeprom.GetByte(0), 0); // erasing the buffer leaves the image alone

    form.show();
    Type(4, 3, "ABCD");
    form.btnOKClick();
    EXPECT_EQ(form.result(), 1);
    EXPECT_EQ(eeprom.GetWord(8), 0xABCD);
    EXPECT_EQ(eeprom.GetByte(10), 10);
}

TEST_F(EepromEditor, CellsThatHoldNoValueAreRefused) {
    Choose(form.rgBaseItems, 2);
    Type(3, 3, "G1");
    form.btnOKClick();
    ASSERT_EQ(host.exceptions.size(), 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.sg_eeprom->currentRow(), 3);
    EXPECT_EQ(eeprom.GetByte(6), 6);

    Type(3, 3, "06");
    Choose(form.rgBaseItems, 1);
    Type(3, 3, "300"); // too big for a byte: never cut to its low bits
    form.btnOKClick();
    EXPECT_EQ(host.exceptions.size(), 2);
    Type(3, 3, "-1");
    form.btnOKClick();
    EXPECT_EQ(host.exceptions.size(), 3);
    Type(3, 3, "seven"); // decimal text that is no number reads 0
    form.btnOKClick();
    EXPECT_EQ(host.exceptions.size(), 3);
    EXPECT_EQ(eeprom.GetByte(6), 0);
}

TEST_F(EepromEditor, SingleLocationNeedsADataCell) {
    form.sg_eeprom->setCurrentCell(3, 1);
    form.btnReadAddrClick();
    form.btnWriteAddrClick();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[0].text, "Please select data location to read");
    EXPECT_EQ(host.messages[0].caption, "Read EEPROM");
    EXPECT_EQ(host.messages[1].text, "Please select data location to write");
    EXPECT_EQ(host.messages[1].caption, "Write EEPROM");
    EXPECT_TRUE(form.memoEE->toPlainText().isEmpty());
}
