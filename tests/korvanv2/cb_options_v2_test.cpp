// CB options of the second program: tone bytes as the tone list index, the enable box
// that keeps its state, the option bits of 0x4F and the five channel memories, OK and
// Cancel.

#include "Cb_opts.h"
#include "Eeprom_dialog_fixture.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using eepromcheck::Change;
using eepromcheck::Changes;
using eepromcheck::FillRandom;
using eepromcheck::Snapshot;
using testsupport::Click;
using testsupport::Tick;

namespace {

class CbOptionsV2 : public EepromDialogFixture<TfrmCbOptions, frmCbOptions> {
protected:
    static void Ok() { frmCbOptions->OKBtn->click(); }
    static void Cancel() { frmCbOptions->CancelBtn->click(); }
    static QCheckBox* Box(int index) { return frmCbOptions->MemoryBoxes[index]; }
    static void TypeTone(QComboBox* combo, const QString& text) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), text);
    }
    // Steps a tone combo to `item` with the arrow keys.
    static void StepTone(QComboBox* combo, int item) {
        while (combo->currentIndex() != item)
            QTest::keyClick(combo, combo->currentIndex() < item ? Qt::Key_Down : Qt::Key_Up);
    }
};

TEST_F(CbOptionsV2, BoxesTabsAndToneListsAreBuilt) {
    const std::pair<int, QWidget*> firstBoxes[] = {{0, frmCbOptions->tabOpenScan},
                                                   {40, frmCbOptions->tabGroupScan},
                                                   {80, frmCbOptions->tabQuiet},
                                                   {120, frmCbOptions->tabSilent}};
    for (const auto& [first, tab] : firstBoxes) {
        EXPECT_EQ(Box(first)->text(), "Channel 1");
        EXPECT_EQ(Box(first + 39)->text(), "Channel 40");
        EXPECT_EQ(Box(first)->parentWidget(), tab);
        EXPECT_EQ(Box(first + 39)->parentWidget(), tab);
    }
    EXPECT_EQ(Box(160)->text(), "Channel 1");
    EXPECT_EQ(Box(167)->text(), "Channel 8");
    EXPECT_EQ(Box(167)->parentWidget(), frmCbOptions->tabDuplex);
    EXPECT_EQ(frmCbOptions->pageCbMemories->count(), 5);
    EXPECT_EQ(frmCbOptions->pageCbMemories->currentWidget(), frmCbOptions->tabOpenScan);
    EXPECT_EQ(frmCbOptions->pageCbMemories->tabText(3), "CTCSS Memory");

    Open();
    for (QComboBox* combo : {frmCbOptions->cmbTxCtcss, frmCbOptions->cmbRxCtcss}) {
        ASSERT_EQ(combo->count(), 155);
        EXPECT_EQ(combo->itemText(0), "OFF");
        EXPECT_EQ(combo->itemText(1), "CTC1 - 67.0");
        EXPECT_EQ(combo->itemText(51), "DCS 023");
        EXPECT_EQ(combo->itemText(154), "DCS 754");
    }
    Cancel();
    Open(); // the lists are refilled, not added to
    EXPECT_EQ(frmCbOptions->cmbTxCtcss->count(), 155);
    Cancel();
}

TEST_F(CbOptionsV2, EnableBoxStartsUntickedAndKeepsItsState) {
    const std::vector<QWidget*> governed = {
        frmCbOptions->chkCbBusyLockout, frmCbOptions->chkCtcssOnDup, frmCbOptions->lblCbCtcssTx,
        frmCbOptions->cmbTxCtcss,       frmCbOptions->lblCbCtcssRx,  frmCbOptions->cmbRxCtcss,
        frmCbOptions->chkClearPrivOnPri};
    eeprom.SetByte(0x5D, 12);
    eeprom.SetByte(0x5E, 12);
    Open();
    EXPECT_FALSE(frmCbOptions->chkEnableCbCtcss->isChecked()); // not taken from the tones
    for (QWidget* w : governed)
        EXPECT_FALSE(w->isEnabled());
    Tick(frmCbOptions->chkEnableCbCtcss, true);
    for (QWidget* w : governed)
        EXPECT_TRUE(w->isEnabled());
    Cancel();

    eeprom.SetByte(0x5D, 0); // both tones off: the box still stays ticked
    eeprom.SetByte(0x5E, 0);
    Open();
    EXPECT_TRUE(frmCbOptions->chkEnableCbCtcss->isChecked());
    EXPECT_TRUE(frmCbOptions->cmbRxCtcss->isEnabled());
    Tick(frmCbOptions->chkEnableCbCtcss, false);
    Ok();
    Open();
    EXPECT_FALSE(frmCbOptions->chkEnableCbCtcss->isChecked());
    EXPECT_FALSE(frmCbOptions->cmbRxCtcss->isEnabled());
    Cancel();
}

TEST_F(CbOptionsV2, OkWithoutChangesKeepsEveryByte) {
    for (uint32_t seed : {1u, 2u, 3u, 0u}) {
        if (seed == 0)
            eeprom.Erase(); // tone bytes 0xFF show "OFF" and stay 0xFF
        else
            FillRandom(seed);
        const QByteArray before = Snapshot();
        Open();
        if (seed == 0) {
            EXPECT_EQ(frmCbOptions->cmbTxCtcss->currentText(), "OFF");
        }
        Ok();
        EXPECT_EQ(Changes(before, Snapshot()), std::vector<Change>{}) << "seed " << seed;
    }
}

TEST_F(CbOptionsV2, EachBoxChangesOnlyItsOwnBit) {
    struct Row {
        QCheckBox* box;
        int offset;
        int bit;
    };
    std::vector<Row> rows = {{frmCbOptions->chkClearPrivOnPri, 0x4F, 0},
                             {frmCbOptions->chkCtcssOnDup, 0x4F, 2},
                             {frmCbOptions->chkCbBusyLockout, 0x4F, 4}};
    const int firstBytes[] = {0x60, 0x65, 0x6A, 0x6F};
    for (int m = 0; m < 4; ++m)
        for (int k = 0; k < 40; ++k)
            rows.push_back({Box(m * 40 + k), firstBytes[m] + k / 8, k % 8});
    for (int k = 0; k < 8; ++k)
        rows.push_back({Box(160 + k), 0x5F, k});

    for (const Row& row : rows) {
        FillRandom(uint32_t(row.offset * 8 + row.bit));
        const QByteArray before = Snapshot();
        Open();
        Tick(frmCbOptions->chkEnableCbCtcss, true); // the option boxes take clicks
        EXPECT_EQ(row.box->isChecked(), bool(eeprom.GetByte(row.offset) & (1u << row.bit)));
        Click(row.box);
        Ok();
        ASSERT_EQ(Changes(before, Snapshot()),
                  (std::vector<Change>{{row.offset, uint8_t(1u << row.bit)}}))
            << row.box->text().toStdString() << " of byte " << row.offset;
    }
}

TEST_F(CbOptionsV2, MapsStoreWholeBytesAndSelectActsOnItsOwnTab) {
    FillRandom(7);
    Open();
    frmCbOptions->btnGsDeselectAll->click();
    Tick(Box(40 + 39), true); // group scan channel 40
    for (int k = 0; k < 8; ++k)
        Tick(Box(160 + k), k == 1 || k == 2); // duplex 2 and 3
    Ok();
    for (int b = 0x65; b <= 0x68; ++b)
        EXPECT_EQ(eeprom.GetByte(b), 0x00);
    EXPECT_EQ(eeprom.GetByte(0x69), 0x80);
    EXPECT_EQ(eeprom.GetByte(0x5F), 0x06);

    const QByteArray before = Snapshot();
    Open();
    frmCbOptions->btnQDeselectAll->click();
    frmCbOptions->btnOsSelectAll->click();
    Ok();
    for (int b = 0x60; b <= 0x64; ++b)
        EXPECT_EQ(eeprom.GetByte(b), 0xFF);
    for (int b = 0x6A; b <= 0x6E; ++b)
        EXPECT_EQ(eeprom.GetByte(b), 0x00);
    for (int b = 0x65; b <= 0x69; ++b)
        EXPECT_EQ(eeprom.GetByte(b), uint8_t(before[b]));
    for (int b = 0x6F; b <= 0x73; ++b)
        EXPECT_EQ(eeprom.GetByte(b), uint8_t(before[b]));
}

TEST_F(CbOptionsV2, TonesAreTheListIndex) {
    FillRandom(9);
    eeprom.SetByte(0x5D, 51);
    eeprom.SetByte(0x5E, 154);
    eeprom.SetByte(0x4F, 0xEA); // bits 1, 3, 5, 6, 7 set, the dialog's own clear
    Open();
    EXPECT_EQ(frmCbOptions->cmbRxCtcss->currentText(), "DCS 023");
    EXPECT_EQ(frmCbOptions->cmbTxCtcss->currentText(), "DCS 754");
    Tick(frmCbOptions->chkEnableCbCtcss, true);
    StepTone(frmCbOptions->cmbTxCtcss, 13);
    Tick(frmCbOptions->chkCbBusyLockout, true);
    Tick(frmCbOptions->chkClearPrivOnPri, true);
    // With the enable box unticked the tones and options are stored as they show.
    Tick(frmCbOptions->chkEnableCbCtcss, false);
    Ok();
    EXPECT_EQ(eeprom.GetByte(0x5D), 51);
    EXPECT_EQ(eeprom.GetByte(0x5E), 13);
    EXPECT_EQ(eeprom.GetByte(0x4F), 0xEA | 0x11);

    // Typed text: a label of the list picks its tone, any other text is off.
    eeprom.SetByte(0x5D, 0xFF);
    Open();
    Tick(frmCbOptions->chkEnableCbCtcss, true);
    TypeTone(frmCbOptions->cmbTxCtcss, "CTC2 - 69.4");
    TypeTone(frmCbOptions->cmbRxCtcss, "DCS 99x");
    Ok();
    EXPECT_EQ(eeprom.GetByte(0x5E), 2);
    EXPECT_EQ(eeprom.GetByte(0x5D), 0);

    // An erased tone byte becomes a tone once one is picked.
    eeprom.SetByte(0x5E, 0xFF);
    Open();
    StepTone(frmCbOptions->cmbTxCtcss, 60);
    Ok();
    EXPECT_EQ(eeprom.GetByte(0x5E), 60);

    // Moved away and back, the tone is stored as shown: OFF over an erased byte.
    eeprom.SetByte(0x5E, 0xFF);
    Open();
    StepTone(frmCbOptions->cmbTxCtcss, 1);
    StepTone(frmCbOptions->cmbTxCtcss, 0);
    Ok();
    EXPECT_EQ(eeprom.GetByte(0x5E), 0);
}

TEST_F(CbOptionsV2, CancelOnlyClosesAndTheTabStays) {
    FillRandom(11);
    const QByteArray before = Snapshot();
    Open();
    frmCbOptions->pageCbMemories->setCurrentWidget(frmCbOptions->tabQuiet);
    frmCbOptions->btnCtcssSelectAll->click();
    Tick(frmCbOptions->chkEnableCbCtcss, true);
    StepTone(frmCbOptions->cmbRxCtcss, 3);
    Click(Box(163));
    Cancel();
    EXPECT_EQ(Snapshot(), before);

    QTimer::singleShot(0, frmCbOptions, [] { QTest::keyClick(frmCbOptions, Qt::Key_Escape); });
    EXPECT_EQ(frmCbOptions->exec(), TfrmCbOptions::mrCancel);
    EXPECT_EQ(frmCbOptions->pageCbMemories->currentWidget(), frmCbOptions->tabQuiet);
    EXPECT_EQ(Snapshot(), before);

    QTimer::singleShot(0, frmCbOptions, [] {
        Click(Box(80 + 4));                                                    // quiet channel 5
        QTest::keyClick(frmCbOptions->cmbTxCtcss->lineEdit(), Qt::Key_Return); // no close
        EXPECT_TRUE(frmCbOptions->isVisible());
        frmCbOptions->OKBtn->click();
    });
    EXPECT_EQ(frmCbOptions->exec(), TfrmCbOptions::mrOk);
    EXPECT_EQ(Changes(before, Snapshot()), (std::vector<Change>{{0x6A, 0x10}}));
}

TEST_F(CbOptionsV2, HelpPaneShowsTheControlsLine) {
    Open();
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(), "Help messages...");
    Hover(frmCbOptions->lblCbCtcssTx);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(),
              "Set the CTCSS TX tone to use for CB channels");
    Hover(frmCbOptions->lblCbCtcssRx); // no help binding of its own
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(),
              "Set the CTCSS TX tone to use for CB channels");
    Focus(frmCbOptions->cmbRxCtcss);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(),
              "Set the CTCSS RX tone to use for CB channels");
    Hover(frmCbOptions->tabSilent);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(), "Select the CB channels in silent memory");
    Hover(frmCbOptions->tabDuplex);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(), "Select the CB channels in duplex memory");
    Hover(frmCbOptions->GroupBox2);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(), "");
    Focus(frmCbOptions->OKBtn);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(),
              "The OK button exits the screen and saves any changes.");
    Cancel();
}

} // namespace
