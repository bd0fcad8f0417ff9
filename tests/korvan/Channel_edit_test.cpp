// The channel edit dialog: frequency rules per band, spinning, channel numbers, tones,
// names and refusals, driven without the channel table.
#include "Chanedit_p.h"
#include "Channel_fixture.h"
#include "Help_pane.h"
#include "Up_down.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

class ChannelEdit : public ChannelFixture {
protected:
    // Shows the dialog on `slot` of the store with the given record.
    void Show(int at, const CH_NORMAL_STRUCT& record) {
        slot = at;
        store.SetVhfCodec(frmBelmar->RadioData[BAND_BYTE] & 0x80 ? 0 : 1);
        frmEditChannel2->SetChannelData(&slot, &store, record);
        frmEditChannel2->FormShow();
        frmEditChannel2->setResult(0);
    }
    void Show(int at) {
        CH_NORMAL_STRUCT record;
        record.TxFreq = record.RxFreq = 477000000;
        record.TxTone = record.RxTone = 50;
        record.Flags6 = chflags::Enabled;
        Show(at, record);
    }
    // Types `rx` into the receive box and presses OK; the stored RX frequency, or 1 when
    // the dialog refused.
    uint32_t StoreRx(const QString& rx) {
        testsupport::TypeOver(frmEditChannel2->editRxFreq, rx);
        frmEditChannel2->setResult(0);
        frmEditChannel2->OKBtnClick();
        if (frmEditChannel2->result() != 1)
            return 1;
        CH_NORMAL_STRUCT stored;
        store.GetNormal(stored, slot);
        return stored.RxFreq;
    }
    // Types `from` into the box and clicks its up or down arrow; what the box then shows.
    QString Spin(QLineEdit* box, const QString& from, bool up) {
        testsupport::TypeOver(box, from);
        SpinButton* arrows = box == frmEditChannel2->editTxFreq ? frmEditChannel2->udTxFreq
                                                                : frmEditChannel2->udRxFreq;
        QTest::mouseClick(up ? arrows->upButton() : arrows->downButton(), Qt::LeftButton);
        return box->text();
    }
    // Types `typed` into the box and presses Enter there; what the box then shows.
    QString Enter(QLineEdit* box, const QString& typed) {
        testsupport::TypeOver(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        return box->text();
    }

    ChData store{CH_COUNT};
    int slot = 0;
};

TEST_F(ChannelEdit, UhfFrequencies) {
    Show(3);
    EXPECT_EQ(frmEditChannel2->editRxFreq->text(), "477.00000");
    EXPECT_EQ(StoreRx("477.0125"), 477012500u);
    EXPECT_EQ(StoreRx("477.014"), 477012500u);
    EXPECT_EQ(StoreRx("477.00625"), 477006250u);
    EXPECT_EQ(StoreRx("9999"), 550000000u) << "above the band: its maximum";
    EXPECT_EQ(StoreRx("00477.0125"), 477012500u) << "leading zeros fill the box";
    EXPECT_EQ(StoreRx("0000477.01"), 477012500u);
    EXPECT_EQ(StoreRx("04294.967296"), 550000000u) << "beyond 32 bits: above every band";
    EXPECT_EQ(StoreRx(""), 0u);
    EXPECT_TRUE(host.messages.isEmpty());

    EXPECT_EQ(StoreRx("150.000"), 1u);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "150.00000MHz is a VHF frequency.\n"
                                     "To use VHF frequencies, first read from a VHF radio\n"
                                     "or read a VHF radio mem file.");
    EXPECT_EQ(host.messages[0].caption, "Frequency Error");
    EXPECT_EQ(host.messages[0].flags, 48);
    EXPECT_EQ(frmEditChannel2->editRxFreq->text(), "150.000") << "controls stay as typed";

    for (const char* bad : {"1.2.3", "4..7", "."}) {
        EXPECT_EQ(StoreRx(bad), 1u) << bad;
        EXPECT_EQ(host.messages.last().text, "Invalid Receive Frequency");
        EXPECT_EQ(host.messages.last().caption, "Error");
    }
    testsupport::TypeOver(frmEditChannel2->editRxFreq, "477");
    testsupport::TypeOver(frmEditChannel2->editTxFreq, "4..7");
    frmEditChannel2->OKBtnClick();
    EXPECT_EQ(host.messages.last().text, "Invalid Transmit Frequency");

    // An empty transmit box stores TX 0, like "Disable Transmit"; a disabled
    // transmitter's box is not read at all.
    testsupport::TypeOver(frmEditChannel2->editTxFreq, "");
    EXPECT_EQ(StoreRx("477"), 477000000u);
    CH_NORMAL_STRUCT stored;
    store.GetNormal(stored, 3);
    EXPECT_EQ(stored.TxFreq, 0u);
    Show(3);
    testsupport::TypeOver(frmEditChannel2->editTxFreq, "4..7");
    testsupport::Tick(frmEditChannel2->chkTxDisable, true);
    EXPECT_FALSE(frmEditChannel2->editTxFreq->isEnabled());
    EXPECT_FALSE(frmEditChannel2->chkTaEnabled->isEnabled());
    EXPECT_EQ(StoreRx("477"), 477000000u);
    store.GetNormal(stored, 3);
    EXPECT_EQ(stored.TxFreq, 0u);
}

TEST_F(ChannelEdit, VhfFrequencies) {
    frmBelmar->RadioData[BAND_BYTE] = 0x00;
    Show(3);
    EXPECT_EQ(StoreRx("150.005"), 150005000u);
    EXPECT_EQ(StoreRx("150.004"), 150006250u);
    EXPECT_EQ(StoreRx("150.02"), 150020000u);
    EXPECT_EQ(StoreRx("450.000"), 200000000u);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(frmEditChannel2->GetChannelData(), true);
}

TEST_F(ChannelEdit, SpinningAndEnterStayInTheBand) {
    Show(3);
    QLineEdit* tx = frmEditChannel2->editTxFreq;
    QLineEdit* rx = frmEditChannel2->editRxFreq;
    EXPECT_EQ(Spin(tx, "000.00000", false), "000.00000");
    EXPECT_EQ(Spin(tx, "477.00000", true), "477.02500");
    testsupport::Tick(frmEditChannel2->chkNarrowBand, true);
    EXPECT_EQ(Spin(tx, "477.00000", true), "477.01250");
    EXPECT_EQ(Spin(rx, "477.00000", false), "476.98750");
    EXPECT_EQ(Spin(rx, "550.00000", true), "550.00000");
    EXPECT_EQ(Spin(rx, "999", true), "550.00000");
    EXPECT_EQ(Spin(rx, "4..7", true), "4..7");

    EXPECT_EQ(Enter(rx, "00477.0125"), "477.01250");
    EXPECT_EQ(Spin(rx, "00477.0125", true), "477.02500");
    EXPECT_EQ(Enter(rx, "600.0031"), "550.00000");
    EXPECT_EQ(Enter(tx, "477.014"), "477.01250");
    EXPECT_TRUE(host.messages.isEmpty());

    frmBelmar->RadioData[BAND_BYTE] = 0x00;
    Show(3);
    EXPECT_EQ(Spin(rx, "200.00000", true), "200.00000");
    EXPECT_EQ(Spin(rx, "000.01000", false), "000.00000");
}

TEST_F(ChannelEdit, ChannelNumbersAndHighSlots) {
    CH_NORMAL_STRUCT record;
    record.RxFreq = 477000000;
    record.Flags6 = 0;
    record.Name = "OLDNAME";
    Show(5, record);
    EXPECT_TRUE(frmEditChannel2->chkAlphaTagEnabled->isChecked());
    EXPECT_TRUE(frmEditChannel2->chkTxDisable->isChecked());

    for (const char* bad : {"", "0", "125", "999"}) {
        frmEditChannel2->editChnl->setText(bad);
        frmEditChannel2->OKBtnClick();
        EXPECT_NE(frmEditChannel2->result(), 1);
        EXPECT_EQ(host.messages.last().text, "Invalid Channel") << bad;
        EXPECT_EQ(host.messages.last().caption, "Error");
    }
    EXPECT_TRUE(store.IsEmpty(5));

    // Slots 100..124: always enabled, no name.
    frmEditChannel2->editChnl->setText("100");
    QTest::keyClick(frmEditChannel2->editChnl, Qt::Key_Return);
    EXPECT_FALSE(frmEditChannel2->chkChEnabled->isEnabled());
    EXPECT_FALSE(frmEditChannel2->txtChannelAlpha->isEnabled());
    frmEditChannel2->OKBtnClick();
    ASSERT_EQ(frmEditChannel2->result(), 1);
    EXPECT_EQ(slot, 100);
    CH_DATA_STRUCT raw;
    store.GetRaw(raw, 100);
    EXPECT_EQ(raw.Flags6 & chflags::Enabled, chflags::Enabled);
    EXPECT_EQ(raw.Name, "");
    EXPECT_TRUE(store.IsEmpty(5)) << "the slot it came from is left as it was";

    Show(100);
    EXPECT_FALSE(frmEditChannel2->chkChEnabled->isChecked());
    EXPECT_FALSE(frmEditChannel2->chkChEnabled->isEnabled());
    frmEditChannel2->udChnl->step(-1);
    EXPECT_EQ(frmEditChannel2->editChnl->text(), "99");
    EXPECT_TRUE(frmEditChannel2->chkChEnabled->isEnabled());
    frmEditChannel2->udChnl->setPosition(124);
    frmEditChannel2->udChnl->step(+1);
    EXPECT_EQ(frmEditChannel2->EditedChannel, 124);
}

TEST_F(ChannelEdit, TonesOptionsAndName) {
    CH_NORMAL_STRUCT record;
    record.TxFreq = record.RxFreq = 477000000;
    record.TxTone = 12;  // CTC13 - 100.0
    record.RxTone = 200; // past the list: no item
    record.Flags6 = chflags::Enabled | chflags::Group | chflags::VoteSignal;
    record.Flags7 = chflags::OpenScan | chflags::DcsInvert;
    Show(8, record);
    EXPECT_EQ(frmEditChannel2->cmbTxCtcss->count(), 155);
    EXPECT_EQ(frmEditChannel2->cmbTxCtcss->currentText(), "CTC13 - 100.0");
    EXPECT_EQ(frmEditChannel2->cmbRxCtcss->currentIndex(), -1);
    EXPECT_TRUE(frmEditChannel2->chkDcsInvertOK->isChecked());
    EXPECT_FALSE(frmEditChannel2->chkDcsInvertOK->isEnabled());
    testsupport::Choose(frmEditChannel2->cmbRxCtcss, 154);
    EXPECT_TRUE(frmEditChannel2->chkDcsInvertOK->isEnabled());

    testsupport::Tick(frmEditChannel2->chkTaEnabled, true);
    testsupport::Tick(frmEditChannel2->chkCpuXtalOffset, true);
    testsupport::Tick(frmEditChannel2->chkAlphaTagEnabled, true);
    QTest::keyClicks(frmEditChannel2->txtChannelAlpha, "q#b-1.x_ *+Zz!");
    EXPECT_EQ(frmEditChannel2->txtChannelAlpha->text(), "QB-1.X_ *");
    frmEditChannel2->OKBtnClick();
    CH_NORMAL_STRUCT stored;
    store.GetNormal(stored, 8);
    EXPECT_EQ(stored.TxTone, 12u);
    EXPECT_EQ(stored.RxTone, 154u);
    EXPECT_EQ(stored.Flags6, chflags::Enabled | chflags::TalkAround | chflags::VoteSignal)
        << "the group bit cleared, the voting bit kept";
    EXPECT_EQ(stored.Flags7, chflags::OpenScan | chflags::DcsInvert | chflags::CpuOffset);
    EXPECT_EQ(stored.Name, "QB-1.X_ *");

    // Unticking the alpha tag drops the name; the key filters keep other boxes numeric.
    Show(8, stored);
    testsupport::Tick(frmEditChannel2->chkAlphaTagEnabled, false);
    EXPECT_FALSE(frmEditChannel2->txtChannelAlpha->isEnabled());
    frmEditChannel2->editChnl->clear();
    QTest::keyClicks(frmEditChannel2->editChnl, "1a2");
    EXPECT_EQ(frmEditChannel2->editChnl->text(), "12");
    frmEditChannel2->editRxFreq->clear();
    QTest::keyClicks(frmEditChannel2->editRxFreq, "4x7-7.0");
    EXPECT_EQ(frmEditChannel2->editRxFreq->text(), "477.0");
    frmEditChannel2->OKBtnClick();
    store.GetNormal(stored, 12);
    EXPECT_EQ(stored.Name, "");
    EXPECT_EQ(stored.RxFreq, 477000000u);
}

TEST_F(ChannelEdit, ChannelNamesForButtonsAndPrinting) {
    PutNormal(1, 477000000, chflags::Enabled, "REPEATER1");
    PutNormal(99, 477000000, chflags::Enabled, "AB");
    EXPECT_EQ(frmEditChannel2->GetChannelName(0), "REPEA");
    EXPECT_EQ(frmEditChannel2->GetChannelName(98), "AB");
    EXPECT_EQ(frmEditChannel2->GetChannelName(1), "");
    EXPECT_EQ(frmEditChannel2->GetChannelName(99), "CH100");
    EXPECT_EQ(frmEditChannel2->GetChannelName(108), "CH109");
    EXPECT_EQ(frmEditChannel2->GetChannelName(109), "CH110");
    EXPECT_EQ(frmEditChannel2->GetChannelName(123), "CH124");
    EXPECT_EQ(frmEditChannel2->GetChannelName(124), "");
    EXPECT_EQ(frmEditChannel2->GetChannelName(-1), "");
    std::memset(frmBelmar->RadioData + 0x2E9, 0xFF, 5);
    EXPECT_EQ(frmEditChannel2->GetChannelName(0), "") << "an erased name is empty";
}

TEST_F(ChannelEdit, HelpPaneShowsTheControlsLines) {
    Show(3);
    HelpPane* pane = frmEditChannel2->findChild<HelpPane*>();
    ASSERT_NE(pane, nullptr);
    pane->FocusHelp(frmEditChannel2->chkNarrowBand);
    EXPECT_EQ(frmEditChannel2->HelpText->toPlainText(),
              "Tick to set this channel for 2.5kHz peak deviation (12.5 kHz channel spacing). \n"
              "Untick to set channel for 5kHz peak deviation (25kHz channel spacing).");
    pane->FocusHelp(frmEditChannel2->lblRxCtcss);
    EXPECT_EQ(frmEditChannel2->HelpText->toPlainText(),
              "Enter the CTCSS frequency for this channel.");
    pane->FocusHelp(frmEditChannel2->editChnl);
    EXPECT_EQ(frmEditChannel2->HelpText->toPlainText(), "");
}
