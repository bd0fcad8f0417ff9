#include "Grpedit.h"

#include "Controls.h"
#include "Group_members.h"
#include "Help_pane.h"
#include "Key_filter.h"
#include "String_grid.h"
#include "Text_format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <algorithm>

TfrmGrpEdit* frmGrpEdit = nullptr;

namespace {

constexpr int GRID_ROWS_SHOWN = 10;

} // namespace

TfrmGrpEdit::TfrmGrpEdit(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Group Channel Edit"));
    controls::helpAndButtons(this, memoHelp, btnOK, btnCancel, &TfrmGrpEdit::btnOKClick,
                             &TfrmGrpEdit::btnCancelClick);
    help = new HelpPane(memoHelp);
    controls::stackAboveHelpRow(this, {BuildLists(), BuildOptions()}, memoHelp, btnOK, btnCancel);
    BindFlags();
    BindHelp();
}

QWidget* TfrmGrpEdit::BuildLists() {
    auto* panel = new QWidget(this);
    lblChannelNumber = new QLabel(QStringLiteral("Channel Number : "), panel);
    editChannel = new QLineEdit(panel);
    editChannel->setReadOnly(true);
    editChannel->setFixedWidth(50);
    controls::hideForGood(editChannel);
    cbChannel = new QComboBox(panel);
    cbChannel->setFixedWidth(70);
    Label1 = new QLabel(QStringLiteral("Channels In Group"), panel);
    sgGroupList = members::NewList(panel, GRID_ROWS_SHOWN);
    Label2 = new QLabel(QStringLiteral("Available Channels"), panel);
    sgMACList = members::NewList(panel, GRID_ROWS_SHOWN);
    btnAdd = forms::button(QStringLiteral(" Add"), panel);
    btnRemove = forms::button(QStringLiteral("Remove"), panel);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmGrpEdit::btnAddClick);
    connect(btnRemove, &QPushButton::clicked, this, &TfrmGrpEdit::btnRemoveClick);
    connect(sgMACList, &QTableWidget::cellDoubleClicked, this, &TfrmGrpEdit::sgMACListDblClick);

    auto* number = new QHBoxLayout;
    number->addWidget(lblChannelNumber);
    number->addWidget(editChannel);
    number->addWidget(cbChannel);
    number->addStretch(1);
    members::LayOutLists(panel, number, {Label1, sgGroupList, Label2, sgMACList}, btnAdd,
                         btnRemove);
    return panel;
}

QWidget* TfrmGrpEdit::BuildOptions() {
    auto* panel = new QWidget(this);
    rbBusyVoting = new QRadioButton(QStringLiteral("Busy Voting"));
    rbSignalVoting = new QRadioButton(QStringLiteral("Signal Strength Voting"));
    rgVotingOption =
        controls::boxGroup(QStringLiteral("Voting Options"), panel, {rbBusyVoting, rbSignalVoting});

    GroupBox1 = new QGroupBox(QStringLiteral("Channel Group Options"), panel);
    Label3 = new QLabel(QStringLiteral("Channel Alpha"), GroupBox1);
    chkAlphaTagEnabled = new QCheckBox(QStringLiteral("Enable Channel Alpha Tag"), GroupBox1);
    txtChannelAlpha = new QLineEdit(GroupBox1);
    txtChannelAlpha->setMaxLength(CH_NAME_LENGTH);
    keys::allowOnly(txtChannelAlpha, keys::AlphaTag, true);
    Label4 = new QLabel(QStringLiteral("Channels in Group:"), GroupBox1);
    rbMAC_6 = new QRadioButton(QStringLiteral("6"), GroupBox1);
    rbMAC_8 = new QRadioButton(QStringLiteral("8"), GroupBox1);
    connect(rbMAC_6, &QRadioButton::clicked, this, &TfrmGrpEdit::rbMAC_6Click);
    connect(rbMAC_8, &QRadioButton::clicked, this, &TfrmGrpEdit::rbMAC_8Click);
    auto* group = new QGridLayout(GroupBox1);
    group->addWidget(chkAlphaTagEnabled, 0, 0, 1, 3);
    group->addWidget(Label3, 1, 0);
    group->addWidget(txtChannelAlpha, 1, 1, 1, 2);
    group->addWidget(Label4, 2, 0);
    group->addWidget(rbMAC_6, 2, 1);
    group->addWidget(rbMAC_8, 2, 2);
    group->setRowStretch(3, 1);

    chkBlEnabled = new QCheckBox(QStringLiteral("Enable Busy Lockout"));
    chkTxLowPower = new QCheckBox(QStringLiteral("TX Low Power Only"));
    GroupBox2 = controls::boxGroup(QStringLiteral("Transmit Options"), panel,
                                   {chkBlEnabled, chkTxLowPower});
    chkQMem = new QCheckBox(QStringLiteral("Channel in Quiet Memory"));
    chkSqlSwEnabled = new QCheckBox(QStringLiteral("Enabled Squelch Switch"));
    GroupBox3 =
        controls::boxGroup(QStringLiteral("Receive Options"), panel, {chkQMem, chkSqlSwEnabled});

    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(GroupBox1, 0, 0, 2, 1);
    layout->addWidget(rgVotingOption, 0, 1);
    layout->addWidget(GroupBox2, 0, 2);
    layout->addWidget(GroupBox3, 1, 2);
    return panel;
}

// The option boxes against the record's flags6 (offset 0) and flags7 (offset 1).
void TfrmGrpEdit::BindFlags() {
    flags.check(rbBusyVoting, 0, chflags::VoteSignal, true);
    flags.check(rbSignalVoting, 0, chflags::VoteSignal);
    flags.check(chkBlEnabled, 0, chflags::BusyLockout);
    flags.check(chkTxLowPower, 0, chflags::LowPower);
    flags.check(chkQMem, 1, chflags::Quiet);
    flags.check(chkSqlSwEnabled, 1, chflags::SquelchSw);
}

void TfrmGrpEdit::BindHelp() {
    members::BindSharedHelp(*help, *this);
    help->bind(rbMAC_6, {QStringLiteral("Vote group can include up to 6 channels."),
                         QStringLiteral("Channels can be selected from CH1 to CH124.")});
    help->bind(
        rbMAC_8,
        {QStringLiteral("Vote group can include up to 8 channels."),
         QStringLiteral("Channels may only be selected from CH1 to CH37 and CH100 to CH124.")});
    for (QWidget* control : std::initializer_list<QWidget*>{
             btnAdd, btnRemove, rgVotingOption, chkAlphaTagEnabled, txtChannelAlpha, chkQMem,
             chkSqlSwEnabled, cbChannel, editChannel})
        help->bind(control, {});
}

void TfrmGrpEdit::SetGroupData(int* slot, ChData* groupStore, int mode,
                               CH_GROUP_STRUCT* groupRecord) {
    channelOut = slot;
    store = groupStore;
    GroupMode = mode;
    record = groupRecord;
    GroupChannelNumber = *slot;
}

void TfrmGrpEdit::FormShow() {
    const bool editing = GroupMode == 1;
    setWindowTitle(editing ? QStringLiteral("Edit Group Channel")
                           : QStringLiteral("Add Group Channel"));
    editChannel->setVisible(editing);
    cbChannel->setVisible(!editing);
    if (editing)
        editChannel->setText(QString::number(GroupChannelNumber));
    else
        LoadFreeChannels();

    for (int p = 0; p < GROUP_MEMBERS; ++p)
        MemberSlots[p] = int(std::min<uint32_t>(record->Member[p], CH_LAST_SLOT + 1));
    const uint8_t bytes[2] = {record->Flags6, record->Flags7};
    flags.load(bytes);
    txtChannelAlpha->setText(record->Name);
    chkAlphaTagEnabled->setChecked(!record->Name.isEmpty());
    InitGroupGrid();
    InitAvailableGrid();
    const bool eight = record->Flags6 & chflags::Group8;
    GroupSize = eight ? 8 : 6;
    (eight ? rbMAC_8 : rbMAC_6)->setChecked(true);
    TrimMembers();
    std::copy(MemberSlots, MemberSlots + GROUP_MEMBERS, ShownMembers);
    MemberCount = ShowGroup();
    AvailableCount = ShowAvailable();
    UpdateButtons();
    grid::SelectRow(sgGroupList, 0);
    grid::SelectRow(sgMACList, 0);
}

void TfrmGrpEdit::InitGroupGrid() {
    members::ShowRows(sgGroupList, {});
}

void TfrmGrpEdit::InitAvailableGrid() {
    members::ShowRows(sgMACList, {});
}

QStringList TfrmGrpEdit::ListChannel(int slot) const {
    CH_NORMAL_STRUCT channel;
    store->GetNormal(channel, slot);
    return {QString::number(slot), ListedName(slot, channel), text::FrequencyText(channel.TxFreq),
            text::FrequencyText(channel.RxFreq)};
}

int TfrmGrpEdit::ShowGroup() {
    QList<QStringList> rows;
    for (int slot : MemberSlots)
        if (slot != 0)
            rows << ListChannel(slot);
    members::ShowRows(sgGroupList, rows);
    return int(rows.size());
}

int TfrmGrpEdit::ShowAvailable() {
    QList<QStringList> rows;
    for (int slot = 1; slot <= CH_LAST_SLOT; ++slot)
        if (CanJoinGroup(slot))
            rows << ListChannel(slot);
    members::ShowRows(sgMACList, rows);
    return int(rows.size());
}

bool TfrmGrpEdit::CanJoinGroup(int slot) const {
    const bool inRange = GroupSize != 8 || slot <= GROUP8_LAST_MAIN || slot >= 100;
    return inRange && store->CanBeMember(slot);
}

int TfrmGrpEdit::AddMember(int slot) {
    return members::Add(MemberSlots, GROUP_MEMBERS, slot, false);
}

int TfrmGrpEdit::RemoveMember(int entry) {
    return members::Remove(MemberSlots, GROUP_MEMBERS,
                           members::SlotOfRow(MemberSlots, GROUP_MEMBERS, entry));
}

// Kept are the members among the first GroupSize entries that could join now: in the
// size's range and holding a channel that is not a group.
void TfrmGrpEdit::TrimMembers() {
    int kept[GROUP_MEMBERS] = {};
    int count = 0;
    for (int p = 0; p < GroupSize; ++p)
        if (CanJoinGroup(MemberSlots[p]))
            kept[count++] = MemberSlots[p];
    std::copy(kept, kept + GROUP_MEMBERS, MemberSlots);
}

void TfrmGrpEdit::UpdateButtons() {
    members::EnableMoves(btnAdd, btnRemove, AvailableCount, MemberCount, GroupSize);
}

void TfrmGrpEdit::LoadFreeChannels() {
    cbChannel->clear();
    for (int slot : store->NewGroupSlots())
        cbChannel->addItem(QString::number(slot));
    cbChannel->setCurrentIndex(0);
}

// A full group takes no more members, whether asked by the button or a double-click.
void TfrmGrpEdit::btnAddClick() {
    const int row = sgMACList->currentRow();
    const int slot = grid::Cell(sgMACList, row, 0).toInt();
    if (slot == 0 || MemberCount >= GroupSize)
        return;
    AddMember(slot);
    MemberCount = ShowGroup();
    UpdateButtons();
}

void TfrmGrpEdit::btnRemoveClick() {
    RemoveMember(sgGroupList->currentRow());
    MemberCount = ShowGroup();
    UpdateButtons();
}

void TfrmGrpEdit::SetGroupSize(int size) {
    if (size == GroupSize)
        return;
    GroupSize = size;
    TrimMembers();
    AvailableCount = ShowAvailable();
    MemberCount = ShowGroup();
    UpdateButtons();
}

void TfrmGrpEdit::rbMAC_6Click() {
    SetGroupSize(6);
}

void TfrmGrpEdit::rbMAC_8Click() {
    SetGroupSize(8);
}

void TfrmGrpEdit::btnOKClick() {
    if (GroupMode != 1 && cbChannel->currentIndex() >= 0)
        *channelOut = cbChannel->currentText().toInt();
    // An edited group whose members the user left as shown keeps its record's members as
    // they are, so their stored codes stay too.
    const bool eightStored = record->Flags6 & chflags::Group8;
    const bool membersKept = GroupMode == 1 && GroupSize == (eightStored ? 8 : 6) &&
                             std::equal(MemberSlots, MemberSlots + GROUP_MEMBERS, ShownMembers);
    for (int p = 0; p < GROUP_MEMBERS && !membersKept; ++p)
        record->Member[p] = uint32_t(MemberSlots[p]);
    uint8_t bytes[2] = {record->Flags6, record->Flags7};
    bytes[0] = bits::put(bytes[0], chflags::Group8, GroupSize == 8);
    flags.store(bytes);
    record->Flags6 = bytes[0];
    record->Flags7 = bytes[1];
    record->Name = chkAlphaTagEnabled->isChecked() ? txtChannelAlpha->text() : QString();
    done(1);
}

void TfrmGrpEdit::btnCancelClick() {
    done(2);
}
