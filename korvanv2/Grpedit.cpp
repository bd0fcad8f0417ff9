#include "Grpedit.h"

#include "Controls.h"
#include "Eeprom.h"
#include "Group_members.h"
#include "Help_pane.h"
#include "Key_filter.h"
#include "String_grid.h"
#include "Text_format.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>

TfrmGrpEdit* frmGrpEdit = nullptr;

namespace {

constexpr int ROWS_SHOWN = 10;
constexpr int NO_ZONE_FILTER = -1;

using T = TfrmGrpEdit;
// Offset 0 is the record's flags, offset 1 its flags1.
constexpr BitBox<T, QRadioButton> VotingBits[] = {
    {0, chbit::SignalVote, &T::rbBusyVoting, true},
    {0, chbit::SignalVote, &T::rbSignalVoting},
};
constexpr BitBox<T, QCheckBox> OptionBits[] = {
    {0, chbit::DisplayVote, &T::chkDisplayVoteChannel},
    {0, chbit::BusyLockout, &T::chkBlEnabled},
    {0, chbit::LowPower, &T::chkTxLowPower},
    {1, chbit::Quiet, &T::chkQMem},
    {1, chbit::SquelchSw, &T::chkSqlSwEnabled},
};

QString ZoneLabel(int zone) {
    return zone == 0 ? QStringLiteral("Zone") : QStringLiteral("Zone %1").arg(zone);
}

} // namespace

TfrmGrpEdit::TfrmGrpEdit(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Group Channel Edit"));
    controls::helpAndButtons(this, memoHelp, btnOK, btnCancel, &TfrmGrpEdit::btnOKClick,
                             &TfrmGrpEdit::btnCancelClick);
    help = new HelpPane(memoHelp);
    controls::stackAboveHelpRow(this, {BuildLists(), BuildOptions()}, memoHelp, btnOK, btnCancel);
    flags.checks(this, VotingBits);
    flags.checks(this, OptionBits);
    for (QLineEdit* text : {txtChannelAlpha, editTag})
        flags.edits().watch(text);
    BindHelp();
}

QWidget* TfrmGrpEdit::BuildLists() {
    auto* panel = new QWidget(this);
    lblName = new QLabel(QStringLiteral("Name"), panel);
    txtChannelAlpha = new QLineEdit(panel);
    txtChannelAlpha->setMaxLength(CH_NAME_LENGTH);
    txtChannelAlpha->setFixedWidth(100);
    lblTag = new QLabel(QStringLiteral("Tag"), panel);
    editTag = new QLineEdit(panel);
    editTag->setMaxLength(CH_TAG_LENGTH);
    editTag->setFixedWidth(40);
    for (QLineEdit* edit : {txtChannelAlpha, editTag})
        keys::allowOnly(edit, keys::AlphaTag, true);
    lblZone = new QLabel(QStringLiteral("Zone"), panel);
    lblZoneName = new QLabel(panel);
    lblGroupList = new QLabel(QStringLiteral("Channels In Group"), panel);
    sgGroupList = members::NewList(panel, ROWS_SHOWN);
    lblMACList = new QLabel(QStringLiteral("Available Channels"), panel);
    sgMACList = members::NewList(panel, ROWS_SHOWN);
    chkSelectAllZones = new QCheckBox(QStringLiteral("Select channels from all zones"), panel);
    btnAdd = forms::button(QStringLiteral(" Add"), panel);
    btnRemove = forms::button(QStringLiteral("Remove"), panel);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmGrpEdit::btnAddClick);
    connect(btnRemove, &QPushButton::clicked, this, &TfrmGrpEdit::btnRemoveClick);
    connect(sgMACList, &QTableWidget::cellDoubleClicked, this, &TfrmGrpEdit::btnAddClick);
    connect(chkSelectAllZones, &QCheckBox::clicked, this, &TfrmGrpEdit::chkSelectAllZonesClick);

    auto* names = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{lblName, txtChannelAlpha, lblTag,
                                                            editTag, lblZone, lblZoneName})
        names->addWidget(control);
    names->addStretch(1);
    QGridLayout* layout = members::LayOutLists(
        panel, names, {lblGroupList, sgGroupList, lblMACList, sgMACList}, btnAdd, btnRemove);
    layout->addWidget(chkSelectAllZones, 3, 2);
    return panel;
}

QWidget* TfrmGrpEdit::BuildOptions() {
    auto* panel = new QWidget(this);
    rbBusyVoting = new QRadioButton(QStringLiteral("Busy Voting"));
    rbSignalVoting = new QRadioButton(QStringLiteral("Signal Strength Voting"));
    rgVotingOption =
        controls::boxGroup(QStringLiteral("Voting Options"), panel, {rbBusyVoting, rbSignalVoting});
    chkDisplayVoteChannel = new QCheckBox(QStringLiteral("Display Vote Channel Name"));
    GeneralGroup =
        controls::boxGroup(QStringLiteral("General Group Options"), panel, {chkDisplayVoteChannel});
    chkBlEnabled = new QCheckBox(QStringLiteral("Enable Busy Lockout"));
    chkTxLowPower = new QCheckBox(QStringLiteral("TX Low Power Only"));
    TransmitGroup = controls::boxGroup(QStringLiteral("Transmit Options"), panel,
                                       {chkBlEnabled, chkTxLowPower});
    chkQMem = new QCheckBox(QStringLiteral("Channel in Quiet Memory"));
    chkSqlSwEnabled = new QCheckBox(QStringLiteral("Enabled Squelch Switch"));
    ReceiveGroup =
        controls::boxGroup(QStringLiteral("Receive Options"), panel, {chkQMem, chkSqlSwEnabled});
    controls::hideForGood(chkSqlSwEnabled);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QGroupBox* group : {rgVotingOption, GeneralGroup, TransmitGroup, ReceiveGroup})
        layout->addWidget(group);
    return panel;
}

void TfrmGrpEdit::BindHelp() {
    members::BindSharedHelp(*help, *this);
    help->bind(
        chkDisplayVoteChannel,
        {QStringLiteral("Display name of channel in vote group when receiving or transmitting.")});
    help->bind({btnAdd, btnRemove, rgVotingOption, chkQMem, chkSelectAllZones}, {});
}

void TfrmGrpEdit::SetGroupData(int index, const ChData* channels, ch_group_struct* group) {
    ChannelIndex = index;
    store = channels;
    record = group;
}

void TfrmGrpEdit::SetCaption(const QString& text) {
    setWindowTitle(text);
}

void TfrmGrpEdit::ShowZoneName(const QString& text) {
    lblZoneName->setText(text);
}

// A radio of 8 KiB keeps names of 5 characters, no tag and no member above 255.
void TfrmGrpEdit::FitRadioSize() {
    const int size = eeprom.RadioSize();
    txtChannelAlpha->setMaxLength(chlayout::NameLength(size));
    controls::enable({lblTag, editTag}, chlayout::HoldsExtras(size));
    HighestMember = chlayout::HighestMember(size);
}

void TfrmGrpEdit::FormShow() {
    FitRadioSize();
    txtChannelAlpha->setText(record->name);
    editTag->setText(record->GetTag());
    lblZone->setText(ZoneLabel(record->zone));
    std::copy(std::begin(record->member), std::end(record->member), Members);
    const uint8_t bytes[2] = {record->flags, record->flags1};
    flags.load(bytes);
    MemberCount = ShowGroup();
    AvailableCount = ShowAvailable(chkSelectAllZones->isChecked());
    UpdateButtons();
    memoHelp->clear();
}

// A member outside 1..500 shows its number only.
QStringList TfrmGrpEdit::ChannelRow(int n) const {
    ch_normal_struct channel;
    if (store->GetNormal(channel, n - 1) != 0)
        return {QString::number(n)};
    const bool hidden = !(channel.flags & chbit::Mask(chbit::Visible));
    return {QString::number(n), hidden ? QStringLiteral("( %1 )").arg(channel.name) : channel.name,
            text::FrequencyText(channel.txFreq), text::FrequencyText(channel.rxFreq)};
}

int TfrmGrpEdit::ShowGroup() {
    QList<QStringList> rows;
    for (int n : Members)
        if (n > 0)
            rows << ChannelRow(n);
    members::ShowRows(sgGroupList, rows);
    return int(rows.size());
}

int TfrmGrpEdit::ShowAvailable(bool allZones) {
    const int zoneFilter = allZones ? NO_ZONE_FILTER : record->zone;
    QList<QStringList> rows;
    for (int i = 0; i < store->Count(); ++i)
        if (CanJoinGroup(i, zoneFilter))
            rows << ChannelRow(i + 1);
    members::ShowRows(sgMACList, rows);
    return int(rows.size());
}

bool TfrmGrpEdit::CanJoinGroup(int i, int zoneFilter) const {
    ch_normal_struct channel;
    if (store->GetNormal(channel, i) != 0)
        return false;
    if (i >= HighestMember || (zoneFilter != NO_ZONE_FILTER && channel.zone != zoneFilter))
        return false;
    if (channel.flags & chbit::Mask(chbit::Visible))
        return !(channel.flags & chbit::Mask(chbit::Group));
    return channel.rxFreq != 0;
}

int TfrmGrpEdit::AddMember(int n) {
    return members::Add(Members, GROUP_MEMBERS, n, true);
}

int TfrmGrpEdit::RemoveMember(int slot) {
    return members::Remove(Members, GROUP_MEMBERS, slot);
}

void TfrmGrpEdit::UpdateButtons() {
    members::EnableMoves(btnAdd, btnRemove, AvailableCount, MemberCount, GROUP_MEMBERS);
}

void TfrmGrpEdit::btnAddClick() {
    const QString cell = grid::Cell(sgMACList, sgMACList->currentRow(), 0);
    if (cell.isEmpty())
        return;
    AddMember(cell.toInt());
    MemberCount = ShowGroup();
    UpdateButtons();
}

// The selected row lists the row-th filled slot: a stored group may have gaps.
void TfrmGrpEdit::btnRemoveClick() {
    RemoveMember(members::SlotOfRow(Members, GROUP_MEMBERS, sgGroupList->currentRow()));
    MemberCount = ShowGroup();
    UpdateButtons();
}

void TfrmGrpEdit::chkSelectAllZonesClick() {
    AvailableCount = ShowAvailable(chkSelectAllZones->isChecked());
    UpdateButtons();
}

void TfrmGrpEdit::btnOKClick() {
    ch_group_struct group = *record;
    std::copy(std::begin(Members), std::end(Members), group.member);
    if (const GroupFault fault = store->FaultIfStored(group, ChannelIndex)) {
        platform::host().messageBox(fault.Text(), QStringLiteral("Error"),
                                    platform::MB_ICONEXCLAMATION);
        return;
    }
    uint8_t bytes[2] = {group.flags, group.flags1};
    flags.store(bytes);
    group.flags = bytes[0];
    group.flags1 = bytes[1];
    if (flags.edits().changed(txtChannelAlpha))
        group.name = txtChannelAlpha->text();
    if (flags.edits().changed(editTag))
        group.SetTag(editTag->text());
    *record = group;
    done(mrOk);
}
