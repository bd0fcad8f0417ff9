// The channel table: listing, add, edit, delete, cut, copy, paste, and storing on OK.
#include "Cb_opts.h"
#include "Chandata.h"
#include "Chanedit_p.h"
#include "Channel_fixture.h"
#include "Chselect.h"
#include "Grpedit.h"
#include "Mactimer.h"
#include "Sel_ch.h"
#include "String_grid.h"
#include "support/Typing.h"

#include "Main.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <vector>

namespace {

QStringList Row(int row) {
    QStringList cells;
    for (int column = 0; column < frmChannelData->listChannel->columnCount(); ++column)
        cells << grid::Cell(frmChannelData->listChannel, row, column);
    return cells;
}

int Rows() {
    return frmChannelData->listChannel->rowCount();
}

void SelectSlot(int slot) {
    for (int row = 0; row < Rows(); ++row)
        if (grid::Cell(frmChannelData->listChannel, row, 0) == QString::number(slot))
            grid::SelectRow(frmChannelData->listChannel, row);
    ASSERT_EQ(frmChannelData->SelectedSlot(), slot);
}

std::vector<uint8_t> Image() {
    return std::vector<uint8_t>(frmBelmar->RadioData, frmBelmar->RadioData + IMAGE_SIZE);
}

} // namespace

class ChannelTable : public ChannelFixture {
protected:
    // Answers the channel type picker.
    void ChooseType(bool group) {
        WhenShown<TfrmChannelSelect>([group](TfrmChannelSelect* picker) {
            (group ? picker->rbMAC : picker->rbNormalChannel)->setChecked(true);
            picker->OKBtn->click();
        });
    }
    // Answers the channel edit dialog: sets the RX frequency box (and the name), then OK.
    void EditNormal(const QString& rx, const QString& name = QString(),
                    const QString& number = QString()) {
        WhenShown<TfrmEditChannel2>([=](TfrmEditChannel2* edit) {
            testsupport::TypeOver(edit->editRxFreq, rx);
            if (!name.isNull()) {
                testsupport::Tick(edit->chkAlphaTagEnabled, true);
                testsupport::TypeOver(edit->txtChannelAlpha, name);
            }
            if (!number.isNull())
                testsupport::TypeOver(edit->editChnl, number);
            edit->OKBtn->click();
        });
    }
    void Paste(int target) {
        WhenShown<TfrmChSelect>([target](TfrmChSelect* select) {
            select->cbChannel->setCurrentIndex(target - 1);
            select->btnOK->click();
        });
        frmChannelData->Paste1Click();
    }
};

TEST_F(ChannelTable, EmptyImageShowsOneBlankRow) {
    frmChannelData->FormShow();
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Row(0).join(""), "");
    EXPECT_FALSE(frmChannelData->btnEditChannel->isEnabled());
    EXPECT_FALSE(frmChannelData->btnDeleteChannel->isEnabled());
    EXPECT_EQ(frmChannelData->SelectedSlot(), 0);
    frmChannelData->Copy1Click();
    frmChannelData->Cut1Click();
    frmChannelData->btnDeleteChannelClick();
    frmChannelData->btnEditChannelClick();
    EXPECT_FALSE(frmChannelData->Paste1->isEnabled());
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(frmChannelData->chkEnableCb->isVisibleTo(frmChannelData));
    EXPECT_FALSE(frmChannelData->chkShowAll->isVisibleTo(frmChannelData));
    EXPECT_EQ(frmChannelData->listChannel->horizontalHeaderItem(14)->text(), "CO");
}

TEST_F(ChannelTable, RowsShowNormalHiddenAndGroupChannels) {
    PutNormal(1, 477012500, chflags::Enabled | chflags::TalkAround, "REPEATER1");
    PutNormal(2, 477000000, 0); // in use but not enabled
    PutNormal(100, 477025000);
    PutGroup(3, {1, 2});
    {
        ChData store(CH_COUNT);
        store.LoadFromImage(frmBelmar->RadioData);
        CH_NORMAL_STRUCT channel;
        store.GetNormal(channel, 1);
        channel.TxFreq = 0;
        channel.TxTone = 0;
        channel.RxTone = 51;
        channel.Flags7 = chflags::Narrow;
        store.SetNormal(channel, 1);
        store.SaveToImage(frmBelmar->RadioData);
    }
    frmChannelData->FormShow();
    ASSERT_EQ(Rows(), 4);
    EXPECT_EQ(Row(0), QStringList({"1", "REPEATER1", "TX Disabled", "477.01250", "CTC1 - 67.0",
                                   "DCS 023", "Y", "N", "N", "N", "N", "N", "N", "Y", "N"}));
    EXPECT_EQ(Row(1)[1], "Hidden");
    EXPECT_EQ(Row(2), QStringList({"3", "", "Group", "Channel", "", "", "-", "N", "N", "-", "-",
                                   "N", "N", "-", "-"}));
    EXPECT_EQ(Row(3)[0], "100");
    EXPECT_EQ(Row(3)[1], "Hidden");
    EXPECT_EQ(Row(3)[4], "OFF");
    EXPECT_EQ(frmChannelData->SelectedSlot(), 1);
    EXPECT_TRUE(frmChannelData->btnEditChannel->isEnabled());
}

TEST_F(ChannelTable, AddNormalChannelsCarryTheLastValues) {
    frmChannelData->FormShow();
    ChooseType(false);
    EditNormal("477.10000", "BASE");
    frmChannelData->btnNewChannelClick();
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Row(0).mid(0, 4), QStringList({"1", "BASE", "477.00000", "477.10000"}));

    // The next add starts from that channel, on the next free slot.
    ChooseType(false);
    WhenShown<TfrmEditChannel2>([](TfrmEditChannel2* edit) {
        EXPECT_EQ(edit->editChnl->text(), "2");
        EXPECT_EQ(edit->editRxFreq->text(), "477.10000");
        EXPECT_EQ(edit->txtChannelAlpha->text(), "BASE");
        edit->CancelBtn->click();
    });
    frmChannelData->btnNewChannelClick();
    EXPECT_EQ(Rows(), 1);

    // A VHF radio starts new channels at 174 MHz and has no CB options.
    frmChannelData->done(2);
    frmBelmar->RadioData[BAND_BYTE] = 0x00;
    frmChannelData->FormShow();
    EXPECT_FALSE(frmChannelData->chkEnableCb->isVisibleTo(frmChannelData));
    EXPECT_FALSE(frmChannelData->btnCbEdit->isVisibleTo(frmChannelData));
    ChooseType(false);
    WhenShown<TfrmEditChannel2>([](TfrmEditChannel2* edit) {
        EXPECT_EQ(edit->editTxFreq->text(), "174.00000");
        edit->CancelBtn->click();
    });
    frmChannelData->btnNewChannelClick();
}

TEST_F(ChannelTable, AddWithNoSpareChannels) {
    for (int slot = 1; slot <= 99; ++slot)
        PutNormal(slot, 477000000);
    frmChannelData->FormShow();
    ChooseType(true);
    frmChannelData->btnNewChannelClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There are no more\nspare channels.");
    EXPECT_EQ(host.messages[0].caption, "No Spare Channels.");
    EXPECT_EQ(host.messages[0].flags, 48);

    ChooseType(false);
    WhenShown<TfrmEditChannel2>([](TfrmEditChannel2* edit) {
        EXPECT_EQ(edit->editChnl->text(), "100");
        EXPECT_FALSE(edit->chkChEnabled->isEnabled());
        edit->OKBtn->click();
    });
    frmChannelData->btnNewChannelClick();
    EXPECT_EQ(Row(99)[0], "100");
    EXPECT_EQ(frmChannelData->SelectedSlot(), 100);
}

TEST_F(ChannelTable, AddGroupSkipsSlotsThatGroupsList) {
    for (int slot = 1; slot <= 99; ++slot)
        if (slot != 60)
            PutNormal(slot, 477000000);
    PutGroup(10, {60}); // lists the one free main slot
    frmChannelData->FormShow();
    ChooseType(true);
    frmChannelData->btnNewChannelClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There are no more\nspare channels.");
    EXPECT_TRUE(frmChannelData->Channels->IsEmpty(60));
}

// A group that came with the image lists the empty slots 2 and 3: the channel that Add puts
// in slot 2, or one renumbered to 3, joins it only when the user says so.
TEST_F(ChannelTable, NoChannelJoinsAGroupUnseen) {
    PutNormal(1, 477000000);
    PutGroup(10, {1, 2, 3});
    frmChannelData->FormShow();
    frmChannelData->show();
    const QString asked = "CH%1 is a member of vote group CH10.\nA channel put in CH%1 takes part "
                          "in that group's voting.\nUse CH%1?";
    ChooseType(false);
    host.messageAnswers.enqueue(platform::IDCANCEL);
    host.messageAnswers.enqueue(platform::IDOK);
    WhenShown<TfrmEditChannel2>([this, asked](TfrmEditChannel2* edit) {
        EXPECT_EQ(edit->editChnl->text(), "2");
        QTest::mouseClick(edit->OKBtn, Qt::LeftButton);
        EXPECT_TRUE(edit->isVisible());
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, asked.arg(2));
        EXPECT_EQ(host.messages[0].caption, "Vote Group Member");
        EXPECT_EQ(host.messages[0].flags, 49);
        QTest::mouseClick(edit->OKBtn, Qt::LeftButton);
    });
    QTest::mouseClick(frmChannelData->btnNewChannel, Qt::LeftButton);
    EXPECT_FALSE(frmChannelData->Channels->IsEmpty(2));

    SelectSlot(1);
    host.messageAnswers.enqueue(platform::IDCANCEL);
    WhenShown<TfrmEditChannel2>([this, asked](TfrmEditChannel2* edit) {
        testsupport::TypeOver(edit->editChnl, QStringLiteral("3"));
        QTest::mouseClick(edit->OKBtn, Qt::LeftButton);
        ASSERT_EQ(host.messages.size(), 3);
        EXPECT_EQ(host.messages[2].text, asked.arg(3));
        QTest::mouseClick(edit->CancelBtn, Qt::LeftButton);
    });
    QTest::mouseClick(frmChannelData->btnEditChannel, Qt::LeftButton);
    EXPECT_TRUE(frmChannelData->Channels->IsEmpty(3));
}

// A cut group frees its members; a group made in one of them meanwhile, a member deleted
// meanwhile and the target itself are never listed by the group when it is pasted back,
// and no member is emptied by an edit afterwards.
TEST_F(ChannelTable, PastedGroupNeverListsAGroup) {
    PutNormal(2, 477100000);
    PutNormal(4, 477200000);
    PutGroup(3, {2, 4});
    frmChannelData->FormShow();
    SelectSlot(3);
    frmChannelData->Cut1Click();
    CH_GROUP_STRUCT other;
    frmChannelData->Channels->ClearChannel(2);
    frmChannelData->Channels->SetGroup(other, 2);
    Paste(20);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text,
              "A vote group cannot list a group channel.\nGroup CH20 lists CH2.");
    EXPECT_TRUE(frmChannelData->Channels->IsEmpty(20));
    host.messageAnswers.enqueue(platform::IDOK);
    Paste(4); // over its own member: the group would list itself
    EXPECT_EQ(host.messages.last().text,
              "A vote group cannot list a group channel.\nGroup CH4 lists CH2.");
    SelectSlot(2);
    frmChannelData->btnDeleteChannelClick();
    Paste(30);
    EXPECT_EQ(host.messages.last().text,
              "A vote group cannot list an empty channel.\nGroup CH30 lists CH2.");
    EXPECT_TRUE(frmChannelData->Channels->IsEmpty(30));
    frmChannelData->Channels->SetNormal(frmChannelData->DefaultNormalChannel, 2);
    host.messageAnswers.enqueue(platform::IDOK);
    Paste(4);
    EXPECT_EQ(host.messages.last().text, "A vote group cannot list itself.\nGroup CH4 lists CH4.");
    EXPECT_FALSE(frmChannelData->Channels->IsGroup(4));
    Paste(30);
    EXPECT_TRUE(frmChannelData->Channels->IsGroup(30));

    SelectSlot(4);
    WhenShown<TfrmEditChannel2>([this](TfrmEditChannel2* edit) {
        testsupport::Tick(edit->chkChEnabled, false);
        testsupport::TypeOver(edit->editRxFreq, "");
        edit->OKBtn->click();
        EXPECT_TRUE(edit->isVisible());
        EXPECT_EQ(host.messages.last().text,
                  "A vote group cannot list an empty channel.\nGroup CH30 lists CH4.");
        edit->CancelBtn->click();
    });
    frmChannelData->btnEditChannelClick();
    EXPECT_FALSE(frmChannelData->Channels->IsEmpty(4));
}

TEST_F(ChannelTable, EditStoresUnderTheShownNumber) {
    PutNormal(5, 477000000, chflags::Enabled, "FIVE");
    PutNormal(7, 477050000);
    frmChannelData->FormShow();
    SelectSlot(5);
    EditNormal("477.20000", "FIVE", "6");
    frmChannelData->btnEditChannelClick();
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Row(0).mid(0, 4), QStringList({"5", "FIVE", "477.00000", "477.00000"}));
    EXPECT_EQ(Row(1).mid(0, 4), QStringList({"6", "FIVE", "477.00000", "477.20000"}));
    EXPECT_EQ(frmChannelData->SelectedSlot(), 6);

    // Storing onto a channel in use asks first; Cancel keeps the dialog open.
    SelectSlot(5);
    host.messageAnswers.enqueue(platform::IDCANCEL);
    WhenShown<TfrmEditChannel2>([this](TfrmEditChannel2* edit) {
        edit->editChnl->setText("7");
        edit->OKBtn->click();
        EXPECT_TRUE(edit->isVisible());
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, "Channel 7 already exists - Overwrite?");
        EXPECT_EQ(host.messages[0].caption, "Warning");
        EXPECT_EQ(host.messages[0].flags, 49);
        edit->OKBtn->click(); // the empty answer queue says OK
    });
    frmChannelData->btnEditChannelClick();
    EXPECT_EQ(Row(2).mid(0, 4), QStringList({"7", "FIVE", "477.00000", "477.00000"}));
}

TEST_F(ChannelTable, DeleteAsksAndGroupMembersAreRefused) {
    PutNormal(1, 477000000);
    for (int slot = 100; slot <= 107; ++slot)
        PutNormal(slot, 477000000);
    PutGroup(2, {100, 101, 102, 103, 104, 105, 106, 107}, true);
    frmChannelData->FormShow();

    SelectSlot(107);
    frmChannelData->btnDeleteChannelClick();
    frmChannelData->Cut1Click();
    ASSERT_EQ(host.messages.size(), 2);
    for (const auto& message : host.messages) {
        EXPECT_EQ(message.text, "Channel is used in Group CH2");
        EXPECT_EQ(message.caption, "Cannot delete channel");
        EXPECT_EQ(message.flags, 48);
    }
    EXPECT_FALSE(frmChannelData->Paste1->isEnabled());
    EXPECT_EQ(Rows(), 10);

    SelectSlot(1);
    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmChannelData->btnDeleteChannelClick();
    EXPECT_EQ(host.messages.last().text, "Confirm delete the channel?");
    EXPECT_EQ(host.messages.last().caption, "Delete channel?");
    EXPECT_EQ(host.messages.last().flags, 33);
    EXPECT_EQ(Rows(), 10);
    frmChannelData->btnDeleteChannelClick();
    EXPECT_EQ(Rows(), 9);
    EXPECT_EQ(Row(0)[0], "2");

    // Deleting the group leaves its members.
    SelectSlot(2);
    frmChannelData->btnDeleteChannelClick();
    EXPECT_EQ(Rows(), 8);
    EXPECT_EQ(Row(0)[0], "100");
}

TEST_F(ChannelTable, CutCopyAndPasteWithTheirRefusals) {
    PutNormal(1, 477000000, chflags::Enabled, "ONE");
    PutNormal(2, 477100000);
    PutGroup(3, {2});
    frmChannelData->FormShow();

    // Copy the group; it may not go to slots 100..124.
    SelectSlot(3);
    frmChannelData->Copy1Click();
    EXPECT_TRUE(frmChannelData->Paste1->isEnabled());
    Paste(100);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Can't paste Group Channels to \nto CH100-CH124.");
    EXPECT_EQ(host.messages[0].caption, "Error");

    // A slot in use asks first; a group member cannot be overwritten.
    SelectSlot(1);
    frmChannelData->Copy1Click();
    host.messageAnswers.enqueue(platform::IDCANCEL);
    Paste(2);
    EXPECT_EQ(host.messages[1].text, "Overwrite CH2?");
    EXPECT_EQ(host.messages[1].flags, 1);
    Paste(2);
    EXPECT_EQ(host.messages[3].text, "Cannot overwrite CH2.\nChannel used in Group CH3.");
    EXPECT_EQ(host.messages[3].flags, 48);
    EXPECT_EQ(Row(1)[3], "477.10000");

    // Onto a free slot nothing is asked; cut leaves the slot free.
    Paste(9);
    EXPECT_EQ(host.messages.size(), 4);
    EXPECT_EQ(Row(3).mid(0, 2), QStringList({"9", "ONE"}));
    EXPECT_EQ(frmChannelData->SelectedSlot(), 9);
    SelectSlot(1);
    frmChannelData->Cut1Click();
    EXPECT_EQ(Row(0)[0], "2");
    Paste(124);
    EXPECT_EQ(Row(Rows() - 1).mid(0, 2), QStringList({"124", "Hidden"}));

    // Cancelling the channel picker pastes nothing; the clipboard outlives the dialog.
    WhenShown<TfrmChSelect>([](TfrmChSelect* select) { select->btnCancel->click(); });
    frmChannelData->Paste1Click();
    frmChannelData->done(2);
    frmChannelData->FormShow();
    EXPECT_TRUE(frmChannelData->Paste1->isEnabled());
    EXPECT_EQ(frmChannelData->ChannelClipboard.Name, "ONE");
}

TEST_F(ChannelTable, OkStoresOnlyTheChannelAreasAndGlobalBits) {
    std::memset(frmBelmar->RadioData, 0, IMAGE_SIZE);
    frmBelmar->RadioData[BAND_BYTE] = 0x80;
    frmBelmar->RadioData[71] = 0xF7;
    frmBelmar->RadioData[73] = 0x08;
    PutNormal(4, 477000000, chflags::Enabled, "FOUR");
    for (int i = 2048 + 4; i < 2048 + 8 * 99; i += 8)
        frmBelmar->RadioData[i] = 0xA5; // the bytes beside each name tail
    std::vector<uint8_t> before = Image();

    // An untouched table stores the image as it was.
    frmChannelData->FormShow();
    EXPECT_FALSE(frmChannelData->chkEnableCb->isChecked());
    EXPECT_TRUE(frmChannelData->chkBlEnabled->isChecked());
    frmChannelData->OKBtnClick();
    EXPECT_EQ(Image(), before);

    // Cancel keeps the image whatever was changed.
    frmChannelData->FormShow();
    SelectSlot(4);
    frmChannelData->btnDeleteChannelClick();
    testsupport::Tick(frmChannelData->chkEnableCb, true);
    frmChannelData->CancelBtnClick();
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(frmChannelData->Channels, nullptr);

    frmChannelData->FormShow();
    SelectSlot(4);
    frmChannelData->btnDeleteChannelClick();
    testsupport::Tick(frmChannelData->chkEnableCb, true);
    testsupport::Tick(frmChannelData->chkBlEnabled, false);
    frmChannelData->OKBtnClick();
    std::vector<uint8_t> after = Image();
    EXPECT_EQ(after[71], 0xFF);
    EXPECT_EQ(after[73], 0x00);
    for (int i = 0; i < IMAGE_SIZE; ++i) {
        const bool record4 = i >= 0x4DF + 24 && i < 0x4DF + 32;
        const bool name4 =
            (i >= 0x2E9 + 15 && i < 0x2E9 + 20) || (i >= 0x800 + 24 && i < 0x800 + 28);
        if (i == 71 || i == 73 || record4 || name4)
            continue;
        ASSERT_EQ(after[size_t(i)], before[size_t(i)]) << "byte " << i;
    }
    EXPECT_EQ(after[0x4DF + 24 + 6], 0) << "slot 4 is free";
}

TEST_F(ChannelTable, RoundTripThroughEveryDialogKeepsTheImage) {
    PutNormal(1, 477006250, chflags::Enabled | chflags::BusyLockout, "ALPHA");
    PutNormal(2, 477012500, chflags::Enabled | chflags::CtcssVoting);
    PutNormal(110, 477500000);
    PutGroup(10, {1, 2, 110}, true);
    for (int i = 0; i < 48; ++i)
        frmBelmar->RadioData[i] = uint8_t(0x80 | i);
    std::vector<uint8_t> before = Image();

    frmChannelData->FormShow();
    for (int slot : {1, 2, 110, 10}) {
        SelectSlot(slot);
        if (slot == 10)
            WhenShown<TfrmGrpEdit>([](TfrmGrpEdit* edit) { edit->btnOK->click(); });
        else
            WhenShown<TfrmEditChannel2>([](TfrmEditChannel2* edit) { edit->OKBtn->click(); });
        frmChannelData->btnEditChannelClick();
    }
    frmChannelData->OKBtnClick();
    EXPECT_EQ(Image(), before);
}

TEST_F(ChannelTable, ChannelDataOpensFromTheMainWindow) {
    EXPECT_TRUE(frmBelmar->btnChannel->isEnabled());
    EXPECT_TRUE(frmBelmar->mnuChannel->isEnabled());
    PutNormal(2, 477000000);
    bool shown = false;
    WhenShown<TfrmChannelData>([&shown](TfrmChannelData* table) {
        shown = grid::Cell(table->listChannel, 0, 0) == "2";
        table->CancelBtn->click();
    });
    frmBelmar->EditButtonClick(frmBelmar->mnuChannel);
    EXPECT_TRUE(shown);

    // "Group Channel Timers" opens its dialog over the table.
    frmChannelData->FormShow();
    EXPECT_TRUE(frmChannelData->btnMacTimers->isEnabled());
    WhenShown<TfrmMacTimers>([](TfrmMacTimers* timers) { timers->CancelBtn->click(); });
    frmChannelData->btnMacTimers->click();
    EXPECT_NE(frmChannelData->Channels, nullptr) << "the table is still open";
    frmChannelData->CancelBtnClick();
    EXPECT_EQ(frmChannelData->Channels, nullptr);
    EXPECT_EQ(frmChannelData->ToneHzText(0), "67.0Hz");
}

TEST_F(ChannelTable, CbOptionsFollowTheEnableBoxOnUhfRadios) {
    frmBelmar->RadioData[BAND_BYTE] = 0x80;
    frmBelmar->RadioData[0x47] = 0x00;
    frmChannelData->FormShow();
    EXPECT_TRUE(frmChannelData->btnCbEdit->isVisibleTo(frmChannelData));
    EXPECT_FALSE(frmChannelData->btnCbEdit->isEnabled());

    frmChannelData->chkEnableCb->click();
    ASSERT_TRUE(frmChannelData->btnCbEdit->isEnabled());
    bool shown = false;
    WhenShown<TfrmCbOptions>([&shown](TfrmCbOptions* cb) {
        shown = true;
        cb->reject();
    });
    frmChannelData->btnCbEdit->click();
    EXPECT_TRUE(shown);

    frmChannelData->chkEnableCb->click();
    EXPECT_FALSE(frmChannelData->btnCbEdit->isEnabled());
    frmChannelData->CancelBtnClick();
    EXPECT_EQ(frmBelmar->RadioData[0x47], 0x00) << "Cancel stores nothing";
}
