// The raw EEPROM editor: cells and addresses, number bases and sizes, and when the
// program's image changes.

#include "Ee_edit.h"
#include "Eeprom.h"
#include "Korvanv2_fixture.h"
#include "Serial.h"
#include "platform/ScriptedHost.h"
#include "support/SecondGenRadio.h"
#include "support/Waits.h"

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

// With a radio.

namespace {

using testsupport::SecondGenRadio;

class EepromEditorRadio : public Korvanv2Fixture {
protected:
    void SetUp() override {
        Korvanv2Fixture::SetUp();
        ASSERT_TRUE(radio.isRunning());
        radio.mapToPort(1);
        frmBelmar->FormShow();
        host.messages.clear();
        ASSERT_TRUE(serialPort->IsOpen());
        for (int i = 0; i < EEPROM::SIZE; ++i) {
            eeprom.SetByte(i, uint8_t(i * 3));
            radio.setByte(i, uint8_t(i * 5 + 1));
        }
        eeprom.SetByte(EEPROM::SIZE_BYTE, 16); // made for this radio's size
        radio.setSize(EEPROM::SIZE);
        frmEEpromEdit->show();
    }
    void TearDown() override {
        frmEEpromEdit->hide();
        Korvanv2Fixture::TearDown();
    }
    static QString Cell(int row, int column) {
        return frmEEpromEdit->sg_eeprom->item(row, column)->text();
    }
    static QString Memo() { return frmEEpromEdit->memoEE->toPlainText(); }

    SecondGenRadio radio;
};

} // namespace

TEST_F(EepromEditorRadio, SingleLocationsReadAndWriteOnlyTheirBytes) {
    frmEEpromEdit->sg_eeprom->setCurrentCell(10, 4); // address 21
    frmEEpromEdit->btnReadAddrClick();
    EXPECT_EQ(Memo(), "Reading EEPROM ... OK");
    EXPECT_EQ(Cell(10, 4), QString::number(uint8_t(21 * 5 + 1)));
    EXPECT_EQ(eeprom.GetByte(21), uint8_t(21 * 3)) << "single reads stay in the editor";

    frmEEpromEdit->sg_eeprom->item(10, 3)->setText("7");
    frmEEpromEdit->sg_eeprom->setCurrentCell(10, 3); // address 20
    frmEEpromEdit->btnWriteAddrClick();
    EXPECT_EQ(Memo(), "Writing EEPROM ... OK");
    EXPECT_EQ(radio.byteAt(20), 7);
    EXPECT_EQ(radio.byteAt(21), uint8_t(21 * 5 + 1));
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BYTE), 1);

    frmEEpromEdit->rgDataSizeItems->button(1)->click();
    frmEEpromEdit->sg_eeprom->setCurrentCell(20, 3); // word at 40
    frmEEpromEdit->btnReadAddrClick();
    EXPECT_EQ(Cell(20, 3), QString::number(uint8_t(40 * 5 + 1) | uint8_t(41 * 5 + 1) << 8));

    // A radio of 8 KiB folds addresses from 8192 onto its lower half: they are refused.
    radio.setSize(EEPROM::SMALL_SIZE);
    const QByteArray small = radio.image();
    frmEEpromEdit->sg_eeprom->setCurrentCell(4160, 3); // word at 8320, the size byte's fold
    frmEEpromEdit->btnWriteAddrClick();
    frmEEpromEdit->sg_eeprom->setCurrentCell(4098, 3); // word at 8196
    frmEEpromEdit->btnReadAddrClick();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[0].text,
              "Location 8320 is past the end of the radio's memory (8192 bytes)");
    EXPECT_EQ(host.messages[0].caption, "Write EEPROM");
    EXPECT_EQ(host.messages[1].caption, "Read EEPROM");
    EXPECT_EQ(Memo(), "Reading EEPROM ... Fail");
    EXPECT_EQ(radio.image(), small);
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BYTE), 1);

    SecondGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    frmEEpromEdit->sg_eeprom->item(20, 3)->setText("4660");
    frmEEpromEdit->btnReadAddrClick();
    EXPECT_EQ(Memo(), "Reading EEPROM ... Fail");
    EXPECT_EQ(Cell(20, 3), "4660") << "a failed read leaves the buffer as it was";
    frmEEpromEdit->btnWriteAddrClick();
    EXPECT_EQ(Memo(), "Writing EEPROM ... Fail");
}

TEST_F(EepromEditorRadio, ReadAllReplacesTheImageOnlyWhenItEndsWell) {
    const QByteArray before = Image();
    SecondGenRadio::Faults faults;
    faults.stopAfterBlocks = 20;
    radio.setFaults(faults);
    frmEEpromEdit->btnReadAllClick();
    EXPECT_EQ(Memo(), "Reading EEPROM...Fail");
    EXPECT_EQ(Image(), before) << "a failed read gives the image back";
    EXPECT_EQ(Cell(0, 4), "3");

    radio.setFaults({});
    frmEEpromEdit->btnReadAllClick();
    EXPECT_EQ(Memo(), "Reading EEPROM...OK");
    EXPECT_EQ(Image(), radio.image());
    EXPECT_EQ(Cell(0, 4), QString::number(uint8_t(1 * 5 + 1)));
}

TEST_F(EepromEditorRadio, WriteAllSendsTheWholeGridCalibrationBlockIncluded) {
    frmEEpromEdit->sg_eeprom->item(0, 3)->setText("99");
    frmEEpromEdit->btnWriteAllClick();
    EXPECT_EQ(Memo(), "Writing EEPROM...OK");
    EXPECT_EQ(eeprom.GetByte(0), 99);
    EXPECT_EQ(radio.image(), Image());
    frmEEpromEdit->btnResetClick();
    EXPECT_EQ(Memo(), "RESET radio... OK");
    EXPECT_TRUE(radio.waitForFrames(SecondGenRadio::DISCONNECT, 2, testsupport::WAIT_LIMIT_MS));
}

// A radio of 8 KiB mirrors addresses from 8192 onto its lower half: a whole-image transfer
// covers only what the radio's size byte says, and a write leaves that byte as it is.
TEST_F(EepromEditorRadio, WholeImageTransfersCoverOnlyTheRadiosSize) {
    radio.setSize(EEPROM::SMALL_SIZE);
    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmEEpromEdit->btnWriteAllClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text,
              "The data was made for a radio of 16384 bytes; this radio has 8192.\n"
              "Bytes 8192 to 16383 will not be written, and the radio keeps its own size.\n"
              "The data was made for a VHF radio; this radio is UHF.\n"
              "The radio's own calibration block will be replaced by the data's.");
    EXPECT_EQ(host.messages[0].caption, "Write to radio?");
    EXPECT_EQ(host.messages[0].flags, 49);
    EXPECT_EQ(Memo(), "Writing EEPROM...Fail");
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 0) << "the user stopped";

    frmEEpromEdit->btnWriteAllClick();
    EXPECT_EQ(Memo(), "Writing EEPROM...OK");
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), EEPROM::SMALL_SIZE / 16);
    QByteArray written = Image().left(EEPROM::SMALL_SIZE);
    written[EEPROM::SIZE_BYTE] = char(EEPROM::SMALL_SIZE >> 10);
    EXPECT_EQ(radio.image().left(EEPROM::SMALL_SIZE), written)
        << "the calibration block keeps the grid's own bytes, the size byte the radio's";
    EXPECT_EQ(eeprom.GetByte(EEPROM::SIZE_BYTE), 16);

    radio.setByte(EEPROM::SIZE_BYTE, 12);
    frmEEpromEdit->btnReadAllClick();
    EXPECT_EQ(Memo(), "Reading EEPROM...OK");
    EXPECT_EQ(radio.count(SecondGenRadio::READ_BLOCK), EEPROM::SMALL_SIZE / 16);
    EXPECT_EQ(Image().left(EEPROM::SMALL_SIZE), radio.image().left(EEPROM::SMALL_SIZE));
    EXPECT_EQ(Image().mid(EEPROM::SMALL_SIZE), QByteArray(EEPROM::SMALL_SIZE, char(0xFF)))
        << "the upper half holds nothing of another radio";

    SecondGenRadio::Faults silent;
    silent.silent = true;
    radio.setFaults(silent);
    radio.clearFrames();
    frmEEpromEdit->btnWriteAllClick();
    EXPECT_EQ(Memo(), "Writing EEPROM...Fail");
    EXPECT_EQ(radio.count(SecondGenRadio::WRITE_BLOCK), 0) << "no size, no transfer";
}
