// CB options: tone bytes through the Hz labels, the enable box, the option bits of 0x4F and
// the five per-channel memories, Select All / Deselect All, and Cancel.

#include "Cb_opts.h"
#include "Image_fixture.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using imagecheck::Change;
using imagecheck::Changes;
using imagecheck::Snapshot;

namespace {

class CbOptionsTest : public ImageDialogFixture<TfrmCbOptions, frmCbOptions> {
protected:
    // A random image with valid tone codes.
    static void FillImage(uint32_t seed) {
        imagecheck::FillRandom(seed);
        image()[0x5D] %= 155;
        image()[0x5E] %= 155;
    }
};

TEST_F(CbOptionsTest, ToneListsHoldOffAndTheFiftyTones) {
    for (QComboBox* combo : {frmCbOptions->cmbTxCtcss, frmCbOptions->cmbRxCtcss}) {
        ASSERT_EQ(combo->count(), 51);
        EXPECT_EQ(combo->itemText(0), "Off");
        EXPECT_EQ(combo->itemText(1), "67.0Hz");
        EXPECT_EQ(combo->itemText(2), "69.4Hz");
        EXPECT_EQ(combo->itemText(13), "100.0Hz");
        EXPECT_EQ(combo->itemText(50), "254.1Hz");
    }
    EXPECT_EQ(frmCbOptions->pageCbMemories->currentWidget(), frmCbOptions->tabOpenScan);
    EXPECT_EQ(frmCbOptions->pageCbMemories->count(), 5);
    EXPECT_EQ(frmCbOptions->chkOs[40]->text(), "Channel 40");
}

TEST_F(CbOptionsTest, LoadShowsTonesOptionsAndMemories) {
    image()[0x5D] = 50;
    image()[0x5E] = 50;
    image()[0x4F] = 0x15; // clear silent, CTCSS on duplex, busy lockout
    image()[0x60] = 0x01; // open scan 1
    image()[0x64] = 0x80; // open scan 40
    image()[0x66] = 0x02; // group scan 10
    image()[0x6E] = 0x40; // quiet 39
    image()[0x6F] = 0x00;
    image()[0x70] = 0x01; // CTCSS 9
    image()[0x5F] = 0x81; // duplex 1, 8
    Open();
    EXPECT_FALSE(frmCbOptions->chkEnableCbCtcss->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{
             frmCbOptions->chkCbBusyLockout, frmCbOptions->chkCtcssOnDup,
             frmCbOptions->lblCbCtcssTx, frmCbOptions->cmbTxCtcss, frmCbOptions->lblCbCtcssRx,
             frmCbOptions->cmbRxCtcss, frmCbOptions->chkClearPrivOnPri})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(frmCbOptions->chkCbBusyLockout->isChecked());
    EXPECT_TRUE(frmCbOptions->chkCtcssOnDup->isChecked());
    EXPECT_TRUE(frmCbOptions->chkClearPrivOnPri->isChecked());
    EXPECT_TRUE(frmCbOptions->chkOs[1]->isChecked());
    EXPECT_FALSE(frmCbOptions->chkOs[2]->isChecked());
    EXPECT_TRUE(frmCbOptions->chkOs[40]->isChecked());
    EXPECT_TRUE(frmCbOptions->chkGs[10]->isChecked());
    EXPECT_TRUE(frmCbOptions->chkQ[39]->isChecked());
    EXPECT_TRUE(frmCbOptions->chkCtcss[9]->isChecked());
    EXPECT_FALSE(frmCbOptions->chkCtcss[1]->isChecked());
    EXPECT_TRUE(frmCbOptions->chkDup[1]->isChecked());
    EXPECT_TRUE(frmCbOptions->chkDup[8]->isChecked());
    EXPECT_FALSE(frmCbOptions->chkDup[2]->isChecked());
    Cancel();

    image()[0x5D] = 50;
    image()[0x5E] = 12;
    Open();
    EXPECT_TRUE(frmCbOptions->chkEnableCbCtcss->isChecked());
    EXPECT_TRUE(frmCbOptions->cmbTxCtcss->isEnabled());
    EXPECT_EQ(frmCbOptions->cmbTxCtcss->currentText(), "100.0Hz");
    EXPECT_EQ(frmCbOptions->cmbRxCtcss->currentText(), "Off");
    Cancel();

    // A DCS code is shown although the list does not offer it, and kept by OK.
    image()[0x5D] = 51;
    Open();
    EXPECT_EQ(frmCbOptions->cmbRxCtcss->currentText(), "DCS 023");
    Ok();
    EXPECT_EQ(image()[0x5D], 51);
    EXPECT_EQ(image()[0x5E], 12);
}

TEST_F(CbOptionsTest, OkWithoutChangesKeepsEveryByte) {
    ExpectOkKeepsEveryByte({1u, 2u, 3u}, FillImage);
    ExpectOkKeepsEveryByte({4u, 5u, 6u}, imagecheck::FillRandom);
}

TEST_F(CbOptionsTest, EachBoxChangesOnlyItsOwnBit) {
    struct Row {
        QCheckBox* box;
        int offset;
        int bit;
    };
    std::vector<Row> rows = {{frmCbOptions->chkClearPrivOnPri, 0x4F, 0},
                             {frmCbOptions->chkCtcssOnDup, 0x4F, 2},
                             {frmCbOptions->chkCbBusyLockout, 0x4F, 4}};
    const std::pair<QCheckBox**, int> memories[] = {{frmCbOptions->chkOs, 0x60},
                                                    {frmCbOptions->chkGs, 0x65},
                                                    {frmCbOptions->chkQ, 0x6A},
                                                    {frmCbOptions->chkCtcss, 0x6F}};
    for (const auto& [boxes, first] : memories)
        for (int n = 1; n <= 40; ++n)
            rows.push_back({boxes[n], first + (n - 1) / 8, (n - 1) % 8});
    for (int n = 1; n <= 8; ++n)
        rows.push_back({frmCbOptions->chkDup[n], 0x5F, n - 1});

    for (const Row& row : rows) {
        FillImage(uint32_t(row.offset * 8 + row.bit));
        const QByteArray before = Snapshot();
        Open();
        testsupport::Click(row.box);
        Ok();
        ASSERT_EQ(Changes(before, Snapshot()),
                  (std::vector<Change>{{row.offset, uint8_t(1u << row.bit)}}))
            << row.box->text().toStdString() << " of byte " << row.offset;
    }

    // Only open-scan channel 9, and duplex channels 1 and 8.
    FillImage(8);
    Open();
    testsupport::Click(frmCbOptions->btnOsDeselectAll);
    testsupport::Tick(frmCbOptions->chkOs[9], true);
    for (int n = 1; n <= 8; ++n)
        testsupport::Tick(frmCbOptions->chkDup[n], n == 1 || n == 8);
    Ok();
    EXPECT_EQ(image()[0x60], 0x00);
    EXPECT_EQ(image()[0x61], 0x01);
    EXPECT_EQ(image()[0x62], 0x00);
    EXPECT_EQ(image()[0x63], 0x00);
    EXPECT_EQ(image()[0x64], 0x00);
    EXPECT_EQ(image()[0x5F], 0x81);
}

TEST_F(CbOptionsTest, TonesStoreThroughTheirLabels) {
    FillImage(9);
    image()[0x5D] = 50;
    image()[0x5E] = 12;
    image()[0x4F] = 0x00;
    const QByteArray before = Snapshot();
    Open();
    ASSERT_TRUE(testsupport::ChooseItem(frmCbOptions->cmbRxCtcss, 1)); // 67.0Hz
    testsupport::Tick(frmCbOptions->chkCbBusyLockout, true);
    Ok();
    EXPECT_EQ(image()[0x5D], 0);
    EXPECT_EQ(image()[0x5E], 12);
    EXPECT_EQ(Changes(before, Snapshot()), (std::vector<Change>{{0x4F, 0x10}, {0x5D, 50}}));

    // Unticking the enable box turns both tones off and still stores the option ticks.
    Open();
    testsupport::Tick(frmCbOptions->chkClearPrivOnPri, true);
    testsupport::Tick(frmCbOptions->chkEnableCbCtcss, false);
    Ok();
    EXPECT_EQ(image()[0x5D], 50);
    EXPECT_EQ(image()[0x5E], 50);
    EXPECT_EQ(image()[0x4F], 0x11);

    // Typing changes nothing: a tone is picked from the list only.
    image()[0x5E] = 12;
    Open();
    QTest::keyClicks(frmCbOptions->cmbTxCtcss, "1x");
    QTest::keyClick(frmCbOptions->cmbTxCtcss, Qt::Key_Backspace);
    EXPECT_EQ(frmCbOptions->cmbTxCtcss->currentText(), "100.0Hz");
    Ok();
    EXPECT_EQ(image()[0x5E], 12);
}

TEST_F(CbOptionsTest, ErasedToneBytesSurviveUntilAToneIsPicked) {
    image()[0x5D] = 0xFF;
    image()[0x5E] = 0xFF;
    Open();
    EXPECT_TRUE(frmCbOptions->chkEnableCbCtcss->isChecked());
    Ok();
    EXPECT_EQ(image()[0x5D], 0xFF);
    EXPECT_EQ(image()[0x5E], 0xFF);

    Open();
    ASSERT_TRUE(testsupport::ChooseItem(frmCbOptions->cmbTxCtcss, 2)); // 69.4Hz
    Ok();
    EXPECT_EQ(image()[0x5E], 1);
    EXPECT_EQ(image()[0x5D], 0xFF);

    Open();
    testsupport::Tick(frmCbOptions->chkEnableCbCtcss, false);
    Ok();
    EXPECT_EQ(image()[0x5D], 50);
    EXPECT_EQ(image()[0x5E], 50);
}

TEST_F(CbOptionsTest, SelectAllActsOnItsOwnTabOnly) {
    FillImage(10);
    const QByteArray before = Snapshot();
    Open();
    frmCbOptions->btnOsSelectAll->click();
    Ok();
    for (int b = 0x60; b <= 0x64; ++b)
        EXPECT_EQ(image()[b], 0xFF);
    for (int b = 0x65; b <= 0x73; ++b)
        EXPECT_EQ(image()[b], uint8_t(before[b]));

    Open();
    frmCbOptions->btnCtcssDeselectAll->click();
    frmCbOptions->btnQSelectAll->click();
    frmCbOptions->btnGsDeselectAll->click();
    Ok();
    for (int b = 0x65; b <= 0x69; ++b)
        EXPECT_EQ(image()[b], 0x00);
    for (int b = 0x6A; b <= 0x6E; ++b)
        EXPECT_EQ(image()[b], 0xFF);
    for (int b = 0x6F; b <= 0x73; ++b)
        EXPECT_EQ(image()[b], 0x00);
    for (int b = 0x60; b <= 0x64; ++b)
        EXPECT_EQ(image()[b], 0xFF);
}

TEST_F(CbOptionsTest, CancelRestoresTheImageAndTheTabStays) {
    FillImage(11);
    const QByteArray before = Snapshot();
    Open();
    frmCbOptions->pageCbMemories->setCurrentWidget(frmCbOptions->tabQuiet);
    frmCbOptions->btnOsSelectAll->click();
    testsupport::Click(frmCbOptions->chkEnableCbCtcss);
    testsupport::Click(frmCbOptions->chkDup[3]);
    Cancel();
    EXPECT_EQ(Snapshot(), before);

    QTimer::singleShot(0, frmCbOptions, [] {
        testsupport::Click(frmCbOptions->chkQ[5]);
        frmCbOptions->OKBtn->click();
    });
    EXPECT_EQ(frmCbOptions->exec(), ImageDialog::mrOk);
    EXPECT_EQ(frmCbOptions->pageCbMemories->currentWidget(), frmCbOptions->tabQuiet);
    EXPECT_EQ(Changes(before, Snapshot()), (std::vector<Change>{{0x6A, 0x10}}));
}

TEST_F(CbOptionsTest, HelpPaneShowsTheControlsLine) {
    Open();
    Hover(frmCbOptions->lblCbCtcssRx);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(),
              "Set the CTCSS RX tone to use for CB channels");
    Hover(frmCbOptions->tabSilent);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(), "Select the CB channels in silent memory");
    Hover(frmCbOptions->chkCtcssOnDup);
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(), "");
    Hover(frmCbOptions->chkEnableCbCtcss);
    Hover(frmCbOptions->chkOs[3]); // channel boxes have no help
    EXPECT_EQ(frmCbOptions->HelpText->toPlainText(), "Enabled CTCSS operation on CB channels");
    Cancel();
}

} // namespace
