// The vote group editor and the paste channel picker.
#include "Channel_fixture.h"
#include "Chselect.h"
#include "Grpedit.h"
#include "Help_pane.h"
#include "String_grid.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>

class GroupEdit : public ChannelFixture {
protected:
    void SetUp() override {
        ChannelFixture::SetUp();
        for (int slot = 1; slot <= 40; ++slot)
            PutNormal(slot, 477000000);
        PutNormal(100, 477000000);
        PutNormal(101, 477000000, 0); // hidden: not enabled, RX set
        store.LoadFromImage(frmBelmar->RadioData);
    }
    void Show(int mode, int at) {
        slot = at;
        frmGrpEdit->SetGroupData(&slot, &store, mode, &record);
        frmGrpEdit->FormShow();
        frmGrpEdit->setResult(0);
    }
    std::vector<int> Members() const {
        std::vector<int> members;
        for (int row = 0; row < frmGrpEdit->sgGroupList->rowCount(); ++row)
            if (int member = grid::Cell(frmGrpEdit->sgGroupList, row, 0).toInt())
                members.push_back(member);
        return members;
    }
    bool Offered(int channel) const {
        for (int row = 0; row < frmGrpEdit->sgMACList->rowCount(); ++row)
            if (grid::Cell(frmGrpEdit->sgMACList, row, 0).toInt() == channel)
                return true;
        return false;
    }
    void AddFromList(int channel) {
        for (int row = 0; row < frmGrpEdit->sgMACList->rowCount(); ++row)
            if (grid::Cell(frmGrpEdit->sgMACList, row, 0).toInt() == channel)
                grid::SelectRow(frmGrpEdit->sgMACList, row);
        frmGrpEdit->btnAddClick();
    }

    ChData store{CH_COUNT};
    CH_GROUP_STRUCT record;
    int slot = 0;
};

TEST_F(GroupEdit, SizeChangesTrimMembers) {
    record.Flags6 = chflags::Group8;
    for (int p = 0; p < 8; ++p)
        record.Member[p] = uint32_t(p + 1);
    Show(1, 50);
    EXPECT_EQ(frmGrpEdit->windowTitle(), "Edit Group Channel");
    EXPECT_TRUE(frmGrpEdit->rbMAC_8->isChecked());
    EXPECT_EQ(Members(), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(frmGrpEdit->btnAdd->isEnabled()) << "the group is full";

    frmGrpEdit->rbMAC_6->click();
    EXPECT_EQ(Members(), std::vector<int>({1, 2, 3, 4, 5, 6}));
    frmGrpEdit->rbMAC_8->click();
    EXPECT_EQ(Members(), std::vector<int>({1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(frmGrpEdit->btnAdd->isEnabled());

    // 6 -> 8 drops members above channel 37 (but not 100..124).
    record = CH_GROUP_STRUCT{};
    for (int p = 0; p < 6; ++p)
        record.Member[p] = uint32_t(std::vector<int>{36, 38, 100, 37, 40, 101}[size_t(p)]);
    Show(1, 50);
    EXPECT_TRUE(Offered(38));
    frmGrpEdit->rbMAC_8->click();
    EXPECT_EQ(Members(), std::vector<int>({36, 100, 37, 101}));
    EXPECT_FALSE(Offered(38));
    EXPECT_TRUE(Offered(100));

    // Remove packs the rest towards the front; with no members Remove is disabled.
    grid::SelectRow(frmGrpEdit->sgGroupList, 0);
    frmGrpEdit->btnRemoveClick();
    EXPECT_EQ(Members(), std::vector<int>({100, 37, 101}));
    for (int i = 0; i < 3; ++i) {
        grid::SelectRow(frmGrpEdit->sgGroupList, 0);
        frmGrpEdit->btnRemoveClick();
    }
    EXPECT_TRUE(Members().empty());
    EXPECT_EQ(frmGrpEdit->sgGroupList->rowCount(), 1);
    EXPECT_FALSE(frmGrpEdit->btnRemove->isEnabled());
}

TEST_F(GroupEdit, WhoMayJoinAndAddingUpToTheSize) {
    PutGroup(20, {1});
    store.LoadFromImage(frmBelmar->RadioData);
    Show(0, 41);
    EXPECT_EQ(frmGrpEdit->windowTitle(), "Add Group Channel");
    EXPECT_TRUE(Offered(101)) << "a hidden channel with an RX frequency";
    EXPECT_FALSE(Offered(20)) << "group channels never join";
    EXPECT_FALSE(Offered(41)) << "a free slot";
    for (int row = 0; row < frmGrpEdit->sgMACList->rowCount(); ++row) {
        if (grid::Cell(frmGrpEdit->sgMACList, row, 0) != "101")
            continue;
        EXPECT_EQ(grid::Cell(frmGrpEdit->sgMACList, row, 1), "Hidden");
    }
    EXPECT_EQ(grid::Cell(frmGrpEdit->sgMACList, 0, 2), "477.00000");
    EXPECT_FALSE(frmGrpEdit->btnRemove->isEnabled());

    for (int channel : {101, 2, 2, 3, 4, 5})
        AddFromList(channel);
    EXPECT_EQ(Members(), std::vector<int>({101, 2, 2, 3, 4, 5}));
    EXPECT_FALSE(frmGrpEdit->btnAdd->isEnabled());
    AddFromList(6); // a double-click on a full group takes nothing
    frmGrpEdit->sgMACListDblClick();
    EXPECT_EQ(Members().size(), 6u);

    // Add mode: the group goes to the free slot chosen in the list.
    EXPECT_EQ(frmGrpEdit->cbChannel->itemText(0), "41");
    frmGrpEdit->cbChannel->setCurrentText("45");
    testsupport::Tick(frmGrpEdit->rbSignalVoting, true);
    testsupport::Tick(frmGrpEdit->chkQMem, true);
    testsupport::Tick(frmGrpEdit->chkBlEnabled, true);
    testsupport::Tick(frmGrpEdit->chkAlphaTagEnabled, true);
    testsupport::TypeOver(frmGrpEdit->txtChannelAlpha, "VOTE");
    frmGrpEdit->btnOKClick();
    EXPECT_EQ(frmGrpEdit->result(), 1);
    EXPECT_EQ(slot, 45);
    EXPECT_EQ(record.Flags6, chflags::VoteSignal | chflags::BusyLockout)
        << "the table's store sets the enabled and group bits";
    EXPECT_EQ(record.Flags7, chflags::Quiet);
    EXPECT_EQ(record.Name, "VOTE");
    EXPECT_EQ(record.Member[0], 101u);
    EXPECT_EQ(record.Member[6], 0u);

    // Editing shows the stored options; an unticked alpha tag stores no name.
    Show(1, 45);
    EXPECT_TRUE(frmGrpEdit->editChannel->isVisibleTo(frmGrpEdit));
    EXPECT_FALSE(frmGrpEdit->cbChannel->isVisibleTo(frmGrpEdit));
    EXPECT_EQ(frmGrpEdit->editChannel->text(), "45");
    EXPECT_TRUE(frmGrpEdit->rbSignalVoting->isChecked());
    EXPECT_TRUE(frmGrpEdit->chkAlphaTagEnabled->isChecked());
    testsupport::Tick(frmGrpEdit->rbBusyVoting, true);
    testsupport::Tick(frmGrpEdit->chkAlphaTagEnabled, false);
    frmGrpEdit->btnOKClick();
    EXPECT_EQ(slot, 45);
    EXPECT_EQ(record.Flags6 & chflags::VoteSignal, 0);
    EXPECT_EQ(record.Name, "");
}

TEST_F(GroupEdit, GridsStartOnTheirFirstRowAndKeepARowSelected) {
    record.Member[0] = 7;
    record.Member[1] = 9;
    Show(1, 50);
    EXPECT_EQ(frmGrpEdit->sgGroupList->currentRow(), 0);
    EXPECT_EQ(frmGrpEdit->sgMACList->currentRow(), 0);
    frmGrpEdit->btnAddClick(); // no click first: the first available channel
    EXPECT_EQ(Members(), std::vector<int>({7, 9, 1}));
    frmGrpEdit->btnRemoveClick(); // the first member
    EXPECT_EQ(Members(), std::vector<int>({9, 1}));
    grid::SelectRow(frmGrpEdit->sgGroupList, 1);
    frmGrpEdit->btnRemoveClick(); // the last row goes: a row stays selected
    EXPECT_EQ(Members(), std::vector<int>({9}));
    ASSERT_GE(frmGrpEdit->sgGroupList->currentRow(), 0);
    frmGrpEdit->btnRemoveClick();
    EXPECT_TRUE(Members().empty());

    // A new showing starts again on row 1, wherever the user left the lists.
    grid::SelectRow(frmGrpEdit->sgMACList, 5);
    record.Member[0] = 3;
    Show(1, 50);
    EXPECT_EQ(frmGrpEdit->sgMACList->currentRow(), 0);
    frmGrpEdit->btnRemoveClick();
    EXPECT_EQ(Members(), std::vector<int>({9}));
}

// No path nests a group: a slot some group lists is never a new group's slot, and a group
// channel (or a slot holding nothing) is never kept or offered as a member.
TEST_F(GroupEdit, GroupsNeverNest) {
    ChData& groups = store;
    CH_GROUP_STRUCT existing;
    existing.Member[0] = 2;
    existing.Member[1] = 45; // a free slot this group lists
    groups.SetGroup(existing, 20);
    EXPECT_FALSE(groups.CanHoldNewGroup(45));
    EXPECT_FALSE(groups.CanHoldNewGroup(20));
    EXPECT_FALSE(groups.CanHoldNewGroup(2));
    EXPECT_TRUE(groups.CanHoldNewGroup(41));
    EXPECT_FALSE(groups.CanHoldNewGroup(100)) << "groups live in slots 1..99";
    EXPECT_FALSE(groups.CanBeMember(20));
    EXPECT_FALSE(groups.CanBeMember(45));
    EXPECT_FALSE(groups.CanBeMember(0));
    EXPECT_TRUE(groups.CanBeMember(101)) << "hidden, RX set";

    // The last group's members, as the table's default record carries them: a group,
    // a slot now free and two channels.
    const uint32_t last[] = {20, 41, 3, 44, 4};
    std::copy(std::begin(last), std::end(last), record.Member);
    PutNormal(44, 477000000);
    groups.LoadFromImage(frmBelmar->RadioData);
    groups.SetGroup(existing, 20);
    Show(0, 41);
    EXPECT_EQ(Members(), std::vector<int>({3, 44, 4}));
    for (int i = 0; i < frmGrpEdit->cbChannel->count(); ++i)
        EXPECT_NE(frmGrpEdit->cbChannel->itemText(i), "45") << "listed by group 20";
    EXPECT_EQ(frmGrpEdit->cbChannel->itemText(0), "41");
    EXPECT_FALSE(Offered(20));
    frmGrpEdit->btnOKClick();
    EXPECT_EQ(record.Member[0], 3u);
    EXPECT_EQ(record.Member[3], 0u);

    // Editing a stored group that lists another group drops it the same way.
    record = CH_GROUP_STRUCT{};
    record.Member[0] = 20;
    record.Member[1] = 5;
    Show(1, 30);
    EXPECT_EQ(Members(), std::vector<int>({5}));
}

TEST_F(GroupEdit, AddModeOffersOnlyFreeMainSlots) {
    ChData few(CH_COUNT);
    CH_DATA_STRUCT used;
    used.Flags6 = chflags::Enabled;
    for (int s = 1; s <= 99; ++s)
        if (s != 3 && s != 7)
            few.SetRaw(used, s);
    slot = 3;
    frmGrpEdit->SetGroupData(&slot, &few, 0, &record);
    frmGrpEdit->FormShow();
    ASSERT_EQ(frmGrpEdit->cbChannel->count(), 2);
    EXPECT_EQ(frmGrpEdit->cbChannel->itemText(1), "7");
    frmGrpEdit->cbChannel->setCurrentIndex(1);
    frmGrpEdit->btnOKClick();
    EXPECT_EQ(slot, 7);

    // No members is accepted.
    EXPECT_EQ(record.Member[0], 0u);
    HelpPane* pane = frmGrpEdit->findChild<HelpPane*>();
    ASSERT_NE(pane, nullptr);
    pane->MouseHelp(frmGrpEdit->rbMAC_8);
    EXPECT_EQ(frmGrpEdit->memoHelp->toPlainText(),
              "Vote group can include up to 8 channels.\n"
              "Channels may only be selected from CH1 to CH37 and CH100 to CH124.");
}

TEST(ChannelPicker, OffersEveryChannel) {
    int target = -1;
    TfrmChSelect select(nullptr, &target);
    select.FormShow();
    EXPECT_EQ(select.windowTitle(), "Select Channel");
    ASSERT_EQ(select.cbChannel->count(), 124);
    EXPECT_EQ(select.cbChannel->currentText(), "1");
    select.cbChannel->setCurrentIndex(123);
    select.btnOKClick();
    EXPECT_EQ(target, 124);
    EXPECT_EQ(select.result(), 1);
    select.cbChannel->setCurrentIndex(5);
    select.btnCancelClick();
    EXPECT_EQ(target, 124);
    EXPECT_EQ(select.result(), 2);
}
