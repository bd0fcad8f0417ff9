#include "Chandata.h"

#include "Cb_opts.h"

#include "Chanedit_p.h"
#include "Chselect.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Group_members.h"
#include "Grpedit.h"
#include "Help_pane.h"
#include "Mactimer.h"
#include "Main.h"
#include "Sel_ch.h"
#include "String_grid.h"
#include "Text_format.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

TfrmChannelData* frmChannelData = nullptr;

namespace {

constexpr int CB_ENABLE_BYTE = 0x47; // bit 3: Australian CB channels enabled
constexpr int GLOBAL_BL_BYTE = 0x49; // bit 3: busy lockout on every channel
constexpr uint8_t GLOBAL_OPTION = 0x08;
constexpr uint8_t UHF_BAND = 0x80; // band byte bit 7
constexpr uint32_t UHF_DEFAULT_HZ = 477000000;
constexpr uint32_t VHF_DEFAULT_HZ = 174000000;
constexpr int ROW_HEIGHT = 20;
constexpr int ROWS_SHOWN = 16;

QString YesNo(uint8_t flags, uint8_t bit) {
    return (flags & bit) ? QStringLiteral("Y") : QStringLiteral("N");
}

QString MessageGroupUser(int group) {
    return QStringLiteral("Channel is used in Group CH%1").arg(group);
}

} // namespace

TfrmChannelData::TfrmChannelData(QWidget* parent) : Form(parent, mrCancel) {
    setWindowTitle(QStringLiteral("Channel Data"));
    Panel4 = new QLabel(QStringLiteral("Channel Option Table"), this);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(16);
    title.setBold(true);
    Panel4->setFont(title);
    Panel4->setAlignment(Qt::AlignCenter);
    Panel4->setFrameShape(QFrame::Panel);
    Panel4->setFrameShadow(QFrame::Raised);
    Panel4->setMinimumHeight(30);
    listChannel = new QTableWidget(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel4);
    layout->addWidget(listChannel);
    layout->addWidget(BuildControls());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    BuildPopup();
    BindHelp();
    SetupChannelGrid();
    FormCreate();
}

QWidget* TfrmChannelData::BuildControls() {
    auto* panel = new QWidget(this);
    btnNewChannel = forms::button(QStringLiteral("Add new channel"), panel);
    btnEditChannel = forms::button(QStringLiteral("Edit Channel"), panel);
    btnDeleteChannel = forms::button(QStringLiteral("Delete Channel"), panel);
    btnMacTimers = forms::button(QStringLiteral("Group Channel Timers"), panel);
    chkEnableCb = new QCheckBox(QStringLiteral("Enable Aust CB Channels"), panel);
    btnCbEdit = forms::button(QStringLiteral("Edit Aust CB Options"), panel);
    btnCbEdit->hide();
    chkBlEnabled = new QCheckBox(QStringLiteral("Enable global busy lockout"), panel);
    chkShowAll = new QCheckBox(QStringLiteral("Show All Channels"), panel);
    OKBtn = forms::button(QStringLiteral("OK"), panel);
    CancelBtn = forms::button(QStringLiteral("Cancel"), panel);
    HelpText = new QTextEdit(panel);
    HelpText->setPlainText(QStringLiteral("Help messages..."));
    HelpText->setFixedHeight(70);

    connect(btnNewChannel, &QPushButton::clicked, this, &TfrmChannelData::btnNewChannelClick);
    connect(btnEditChannel, &QPushButton::clicked, this, &TfrmChannelData::btnEditChannelClick);
    connect(btnDeleteChannel, &QPushButton::clicked, this, &TfrmChannelData::btnDeleteChannelClick);
    connect(btnMacTimers, &QPushButton::clicked, this, &TfrmChannelData::btnMacTimersClick);
    connect(chkEnableCb, &QCheckBox::clicked, this, &TfrmChannelData::chkEnableCbClick);
    connect(btnCbEdit, &QPushButton::clicked, this, &TfrmChannelData::btnCbEditClick);
    connect(chkShowAll, &QCheckBox::clicked, this, &TfrmChannelData::chkShowAllClick);
    connect(OKBtn, &QPushButton::clicked, this, &TfrmChannelData::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmChannelData::CancelBtnClick);
    connect(listChannel, &QTableWidget::cellDoubleClicked, this,
            &TfrmChannelData::btnEditChannelClick);

    auto* edits = new QVBoxLayout;
    for (QPushButton* button : {btnNewChannel, btnEditChannel, btnDeleteChannel, btnMacTimers})
        edits->addWidget(button);
    auto* globalsBox = new QVBoxLayout;
    for (QWidget* control :
         std::initializer_list<QWidget*>{chkEnableCb, btnCbEdit, chkBlEnabled, chkShowAll})
        globalsBox->addWidget(control);
    globalsBox->addStretch(1);
    auto* closing = new QVBoxLayout;
    closing->addWidget(OKBtn);
    closing->addWidget(CancelBtn);
    closing->addStretch(1);

    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(edits);
    layout->addLayout(globalsBox);
    layout->addWidget(HelpText, 1);
    layout->addLayout(closing);
    return panel;
}

void TfrmChannelData::BuildPopup() {
    PopupChData = new QMenu(this);
    Add1 =
        PopupChData->addAction(QStringLiteral("Add"), this, &TfrmChannelData::btnNewChannelClick);
    Edit1 =
        PopupChData->addAction(QStringLiteral("Edit"), this, &TfrmChannelData::btnEditChannelClick);
    PopupChData->addSeparator();
    Cut1 = PopupChData->addAction(QStringLiteral("Cut"), this, &TfrmChannelData::Cut1Click);
    Copy1 = PopupChData->addAction(QStringLiteral("Copy"), this, &TfrmChannelData::Copy1Click);
    Paste1 = PopupChData->addAction(QStringLiteral("Paste"), this, &TfrmChannelData::Paste1Click);
    Paste1->setEnabled(false);
    listChannel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(listChannel, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupChData->popup(listChannel->viewport()->mapToGlobal(at));
    });
}

void TfrmChannelData::BindHelp() {
    help = new HelpPane(HelpText);
    help->bindOkCancel(OKBtn, CancelBtn);
    help->bind(listChannel, {QStringLiteral("List of enabled channels in the radio.")});
    help->bind(btnNewChannel, {QStringLiteral("Add a new channel to the radio.")});
    help->bind(btnEditChannel, {QStringLiteral("Edit a channel in the radio.")});
    help->bind(btnDeleteChannel, {QStringLiteral("Delete a channel from the radio.")});
    help->bind(chkBlEnabled, {QStringLiteral("Enable busy lock for all the channels (overides "
                                             "per channel busy lock out).")});
    help->bind(btnMacTimers, {QStringLiteral("Set the timer values for Group Channel Scanning.")});
    help->bind(chkEnableCb,
               {QStringLiteral("Enable the radio to use Australian CB channel frequencies.")});
    help->bind(btnCbEdit, {QStringLiteral("Edit the Australian CB channel options.")});
    help->bind(Panel4, {});
    help->bind(chkShowAll, {});
}

// Defaults of new channels: enabled, tones off, at the band's usual frequency.
void TfrmChannelData::FormCreate() {
    DefaultNormalChannel = CH_NORMAL_STRUCT{};
    DefaultNormalChannel.TxFreq = DefaultNormalChannel.RxFreq = UHF_DEFAULT_HZ;
    DefaultNormalChannel.TxTone = DefaultNormalChannel.RxTone = uint32_t(ToneIndexToCode(0));
    DefaultNormalChannel.Flags6 = chflags::Enabled;
    DefaultGroupChannel = CH_GROUP_STRUCT{};
    DefaultGroupChannel.Flags6 = chflags::Enabled | chflags::Group;
    globals.check(chkEnableCb, CB_ENABLE_BYTE, GLOBAL_OPTION);
    globals.check(chkBlEnabled, GLOBAL_BL_BYTE, GLOBAL_OPTION);
}

void TfrmChannelData::FormShow() {
    Channels = std::make_unique<ChData>(CH_COUNT);
    BandByte = uint8_t(eeBuffer->GetByte(BAND_BYTE));
    const bool uhf = BandByte & UHF_BAND;
    Channels->SetVhfCodec(uhf ? 0 : 1);
    chkEnableCb->setVisible(uhf);
    btnCbEdit->setVisible(uhf);
    DefaultNormalChannel.TxFreq = DefaultNormalChannel.RxFreq =
        uhf ? UHF_DEFAULT_HZ : VHF_DEFAULT_HZ;
    Channels->LoadFromImage(frmBelmar->RadioData);
    LastEditedSlot = 0;
    SetupChannelGrid();
    FillChannelList();
    LoadGlobalBoxes();
    controls::hideForGood(chkShowAll);
}

void TfrmChannelData::done(int result) {
    Form::done(result);
    FormClose();
}

void TfrmChannelData::FormClose() {
    Channels.reset();
}

void TfrmChannelData::SetupChannelGrid() {
    const QStringList tones = ToneCodeTexts();
    const QStringList frequencies = text::FrequencyCellTexts();
    const int width = grid::Setup(listChannel,
                                  {{"CH", 30, {QString::number(CH_LAST_SLOT)}},
                                   {"Name", 90, grid::AnyText(CH_NAME_LENGTH)},
                                   {"TX Frequency", 80, frequencies},
                                   {"RX Frequency", 80, frequencies},
                                   {"TX CTCSS", 85, tones},
                                   {"RX CTCSS", 85, tones},
                                   {"TA", 25},
                                   {"BL", 25},
                                   {"LO", 25},
                                   {"OS", 25},
                                   {"GS", 25},
                                   {"Q", 25},
                                   {"SS", 25},
                                   {"NB", 25},
                                   {"CO", 25}},
                                  ROW_HEIGHT);
    grid::FitSize(listChannel, width, ROWS_SHOWN);
}

void TfrmChannelData::FillChannelList() {
    enum class Row { None, Normal, Group };
    listChannel->setRowCount(CH_LAST_SLOT);
    int rows = 0;
    int selected = 0;
    for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
        CH_NORMAL_STRUCT channel;
        Channels->GetNormal(channel, slot);
        const bool group = channel.Flags6 & chflags::Group;
        Row kind = group ? Row::Group : Row::Normal;
        if (!(channel.Flags6 & chflags::Enabled) && !chkShowAll->isChecked())
            kind = channel.RxFreq != 0 ? Row::Normal : Row::None;
        if (kind == Row::None)
            continue;
        if (kind == Row::Group) {
            CH_GROUP_STRUCT members;
            Channels->GetGroup(members, slot);
            ShowGroupRow(rows, slot, members);
        } else {
            ShowNormalRow(rows, slot, channel);
        }
        if (slot <= LastEditedSlot)
            selected = rows;
        ++rows;
    }
    listChannel->setRowCount(std::max(rows, 1));
    if (rows == 0)
        grid::SetRow(listChannel, 0, {});
    grid::SelectRow(listChannel, selected);
    const bool used = Channels->FirstUsed() != 0;
    btnEditChannel->setEnabled(used);
    btnDeleteChannel->setEnabled(used);
}

void TfrmChannelData::ShowNormalRow(int row, int slot, const CH_NORMAL_STRUCT& channel) {
    const uint8_t f6 = channel.Flags6;
    const uint8_t f7 = channel.Flags7;
    grid::SetRow(
        listChannel, row,
        {QString::number(slot), ListedName(slot, channel), text::TxFrequencyText(channel.TxFreq),
         text::FrequencyText(channel.RxFreq), ToneCodeText(int(channel.TxTone)),
         ToneCodeText(int(channel.RxTone)), YesNo(f6, chflags::TalkAround),
         YesNo(f6, chflags::BusyLockout), YesNo(f6, chflags::LowPower),
         YesNo(f7, chflags::OpenScan), YesNo(f7, chflags::GroupScan), YesNo(f7, chflags::Quiet),
         YesNo(f7, chflags::SquelchSw), YesNo(f7, chflags::Narrow), YesNo(f7, chflags::CpuOffset)});
}

void TfrmChannelData::ShowGroupRow(int row, int slot, const CH_GROUP_STRUCT& group) {
    const QString none = QStringLiteral("-");
    grid::SetRow(listChannel, row,
                 {QString::number(slot), group.Name, QStringLiteral("Group"),
                  QStringLiteral("Channel"), QString(), QString(), none,
                  YesNo(group.Flags6, chflags::BusyLockout), YesNo(group.Flags6, chflags::LowPower),
                  none, none, YesNo(group.Flags7, chflags::Quiet),
                  YesNo(group.Flags7, chflags::SquelchSw), none, none});
}

void TfrmChannelData::LoadGlobalBoxes() {
    globals.load(frmBelmar->RadioData);
    chkEnableCbClick();
}

void TfrmChannelData::SaveGlobalBoxes() {
    globals.store(frmBelmar->RadioData);
}

void TfrmChannelData::chkEnableCbClick() {
    btnCbEdit->setEnabled(chkEnableCb->isChecked());
}

// The CB options store their own settings on their own OK; the result is not used.
void TfrmChannelData::btnCbEditClick() {
    frmCbOptions->exec();
}

int TfrmChannelData::SelectedSlot() const {
    return grid::Cell(listChannel, listChannel->currentRow(), 0).toInt();
}

void TfrmChannelData::NoSpareChannels() {
    platform::host().messageBox(QStringLiteral("There are no more\nspare channels."),
                                QStringLiteral("No Spare Channels."), platform::MB_ICONEXCLAMATION);
}

void TfrmChannelData::btnNewChannelClick() {
    frmChannelSelect->exec();
    if (frmChannelSelect->GroupChannelChosen)
        AddGroupChannel();
    else
        AddNormalChannel();
}

void TfrmChannelData::AddGroupChannel() {
    const std::vector<int> free = Channels->NewGroupSlots();
    if (free.empty()) {
        NoSpareChannels();
        return;
    }
    int slot = free.front();
    frmGrpEdit->SetGroupData(&slot, Channels.get(), 0, &DefaultGroupChannel);
    if (frmGrpEdit->exec() == 1) {
        Channels->SetGroup(DefaultGroupChannel, slot);
        LastEditedSlot = slot;
    }
    FillChannelList();
}

void TfrmChannelData::AddNormalChannel() {
    int slot = Channels->NextFree(0);
    if (slot == 0) {
        NoSpareChannels();
        return;
    }
    frmEditChannel2->SetChannelData(&slot, Channels.get(), DefaultNormalChannel);
    if (frmEditChannel2->exec() == 1) {
        Channels->GetNormal(DefaultNormalChannel, slot);
        LastEditedSlot = slot;
    }
    FillChannelList();
}

void TfrmChannelData::btnEditChannelClick() {
    int slot = SelectedSlot();
    if (Channels->FirstUsed() == 0 || slot == 0)
        return;
    if (Channels->IsGroup(slot)) {
        CH_GROUP_STRUCT group;
        Channels->GetGroup(group, slot);
        frmGrpEdit->SetGroupData(&slot, Channels.get(), 1, &group);
        if (frmGrpEdit->exec() == 1) {
            Channels->UpdateGroup(group, slot);
            Channels->GetGroup(DefaultGroupChannel, slot);
        }
    } else {
        CH_NORMAL_STRUCT channel;
        Channels->GetNormal(channel, slot);
        frmEditChannel2->SetChannelData(&slot, Channels.get(), channel);
        if (frmEditChannel2->exec() == 1)
            Channels->GetNormal(DefaultNormalChannel, slot);
    }
    LastEditedSlot = slot;
    FillChannelList();
}

void TfrmChannelData::btnMacTimersClick() {
    frmMacTimers->exec();
}

bool TfrmChannelData::RefuseGroupMember(int slot) {
    const int group = Channels->FindGroupUsing(slot);
    if (group != 0)
        platform::host().messageBox(MessageGroupUser(group),
                                    QStringLiteral("Cannot delete channel"),
                                    platform::MB_ICONEXCLAMATION);
    return group != 0;
}

void TfrmChannelData::btnDeleteChannelClick() {
    const int slot = SelectedSlot();
    if (Channels->FirstUsed() == 0 || slot == 0 || RefuseGroupMember(slot))
        return;
    if (platform::host().messageBox(
            QStringLiteral("Confirm delete the channel?"), QStringLiteral("Delete channel?"),
            platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
        return;
    Channels->ClearChannel(slot);
    LastEditedSlot = slot;
    FillChannelList();
}

void TfrmChannelData::Copy1Click() {
    const int slot = SelectedSlot();
    if (slot == 0)
        return;
    Channels->GetRaw(ChannelClipboard, slot);
    Paste1->setEnabled(true);
}

void TfrmChannelData::Cut1Click() {
    const int slot = SelectedSlot();
    if (slot == 0 || RefuseGroupMember(slot))
        return;
    Channels->GetRaw(ChannelClipboard, slot);
    Channels->ClearChannel(slot);
    LastEditedSlot = slot;
    FillChannelList();
    Paste1->setEnabled(true);
}

// A member of the group on the clipboard, other than `target` itself (which the store's
// rule refuses), that is a group channel; 0 when there is none.
int TfrmChannelData::NestedMember(int target) const {
    if (!(ChannelClipboard.Flags6 & chflags::Group))
        return 0;
    ChData pasted(CH_COUNT);
    pasted.SetRaw(ChannelClipboard, target);
    CH_GROUP_STRUCT group;
    pasted.GetGroup(group, target);
    for (uint32_t member : group.Member)
        if (member != 0 && int(member) != target && Channels->IsGroup(int(member)))
            return int(member);
    return 0;
}

// The refusals of a paste onto `target`, each after its message or question.
bool TfrmChannelData::PasteRefused(int target) {
    platform::Host& host = platform::host();
    if (!Channels->IsEmpty(target) &&
        host.messageBox(QStringLiteral("Overwrite CH%1?").arg(target), QStringLiteral("Warning"),
                        platform::MB_OKCANCEL) != platform::IDOK)
        return true;
    if (const int group = Channels->FindGroupUsing(target)) {
        host.messageBox(QStringLiteral("Cannot overwrite CH%1.\nChannel used in Group CH%2.")
                            .arg(target)
                            .arg(group),
                        QStringLiteral("Error"), platform::MB_ICONEXCLAMATION);
        return true;
    }
    if (target > CH_LAST_NAMED && (ChannelClipboard.Flags6 & chflags::Group)) {
        host.messageBox(QStringLiteral("Can't paste Group Channels to \nto CH100-CH124."),
                        QStringLiteral("Error"), platform::MB_ICONEXCLAMATION);
        return true;
    }
    if (const int nested = NestedMember(target)) {
        host.messageBox(members::FaultText(target, nested, members::Listed::Group),
                        QStringLiteral("Error"), platform::MB_ICONEXCLAMATION);
        return true;
    }
    if (const GroupFault fault = Channels->FaultIfStored(ChannelClipboard, target)) {
        host.messageBox(fault.Text(), QStringLiteral("Error"), platform::MB_ICONEXCLAMATION);
        return true;
    }
    return false;
}

void TfrmChannelData::Paste1Click() {
    if (!Paste1->isEnabled())
        return;
    int target = 0;
    {
        TfrmChSelect select(this, &target);
        if (select.exec() != 1)
            return;
    }
    if (target < 1 || target > CH_LAST_SLOT || PasteRefused(target))
        return;
    Channels->SetRaw(ChannelClipboard, target);
    LastEditedSlot = target;
    FillChannelList();
}

void TfrmChannelData::OKBtnClick() {
    SaveGlobalBoxes();
    Channels->SaveToImage(frmBelmar->RadioData);
    done(1);
}

void TfrmChannelData::CancelBtnClick() {
    done(2);
}
