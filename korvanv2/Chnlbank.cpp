#include "Chnlbank.h"

#include "Addzone.h"
#include "Cb_opts.h"
#include "Chanedit_p.h"
#include "Chselect.h"
#include "Controls.h"
#include "Ctcss.h"
#include "Editvote.h"
#include "Editzone.h"
#include "Eeprom.h"
#include "Files.h"
#include "Group_members.h"
#include "Grpedit.h"
#include "Key_filter.h"
#include "Main_window.h"
#include "Selectchnl.h"
#include "String_grid.h"
#include "Text_format.h"
#include "platform/Host.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

TfrmChnlBank* frmChnlBank = nullptr;

namespace {

// Image bytes the bank keeps itself.
constexpr int BAND_BYTE = 40;     // bit 7: UHF
constexpr int VOTE_BYTE = 71;     // bit 3 cleared on OK
constexpr int RENUMBER_BYTE = 74; // bit 4: renumber every tag at the next opening
constexpr int ZONES_BYTE = 76;    // bit 7: zones in use
constexpr uint8_t UHF_BAND = 0x80;
constexpr uint8_t VOTE_CLEARED_BIT = 0x08;
constexpr uint8_t RENUMBER_BIT = 0x10;
constexpr uint8_t ZONES_BIT = 0x80;
constexpr uint32_t UHF_START_HZ = 477000000;
constexpr uint32_t VHF_START_HZ = 174000000;
constexpr int CLIENT_WIDTH = 820;
constexpr int ROW_HEIGHT = 18;

// Areas of a programming file that Read Channels takes: {offset, length}.
struct Area {
    int offset;
    int length;
};
constexpr Area ImportAreas[] = {
    {chlayout::RECORDS, chlayout::RECORD_SIZE* CH_COUNT},
    {chlayout::NAME_TAIL, chlayout::NAME_TAIL_CHARS* CH_COUNT},
    {chlayout::TAGS, chlayout::TAG_SIZE* CH_COUNT},
    {ZoneOffset(1), ZONE_ENTRY_SIZE* ZONE_COUNT},
};
// A file shorter than this lacks part of what Read Channels takes into a radio of this size.
int ImportEnd(int radioSize) {
    int end = 0;
    for (const Area& area : ImportAreas)
        if (area.offset < radioSize)
            end = std::max(end, std::min(area.offset + area.length, radioSize));
    return end;
}

// The start of the file, as much of it as an image holds, taken in as every image is; one
// that ends before the areas that both it (by its own size byte) and a radio of this size
// hold is reported and refused.
bool ReadImportFile(const QString& name, int radioSize, EEPROM& file) {
    QByteArray bytes;
    FileResult result = ReadFileStart(name, EEPROM::SIZE, bytes);
    if (result == FileResult::Done) {
        file.TakeImage(reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
        if (bytes.size() < ImportEnd(std::min(radioSize, file.RadioSize())))
            result = FileResult::Failed;
    }
    mainwindow::reportFileResult(result, mainwindow::ReadProblem, FileNotice::Tell,
                                 platform::MB_ICONEXCLAMATION);
    return result == FileResult::Done;
}

// The option columns 7..15: {text, byte (0 flags, 1 flags1), bit, shown for a group}.
struct FlagColumn {
    const char* text;
    int byte;
    int bit;
    bool group;
};
constexpr FlagColumn FlagColumns[] = {
    {"TA", 0, chbit::TalkAround, false}, {"BL", 0, chbit::BusyLockout, true},
    {"LO", 0, chbit::LowPower, true},    {"OS", 1, chbit::OpenScan, false},
    {"GS", 1, chbit::GroupScan, false},  {"Q", 1, chbit::Quiet, true},
    {"SQL", 1, chbit::SquelchSw, true},  {"NB", 1, chbit::Narrow, false},
    {"CO", 1, chbit::CpuOffset, false},
};

bool visible(uint8_t flags) {
    return flags & chbit::Mask(chbit::Visible);
}

QString GroupUserText(int i, int group) {
    return QStringLiteral("Unable to delete CH%1.\nChannel is used in Group CH%2.")
        .arg(i + 1)
        .arg(group + 1);
}

void Warn(const QString& text, const QString& caption) {
    platform::host().messageBox(text, caption, platform::MB_ICONEXCLAMATION);
}

bool Confirm(const QString& text, const QString& caption, int icon) {
    return platform::host().messageBox(text, caption, platform::MB_OKCANCEL | icon) ==
           platform::IDOK;
}

} // namespace

TfrmChnlBank::TfrmChnlBank(QWidget* parent)
    : Form(parent), Channels(std::make_unique<ChData>(CH_COUNT)),
      Received(std::make_unique<ChData>(CH_COUNT)) {
    setWindowTitle(QStringLiteral("Channel Data"));
    TabControl1 = new QTabBar(this);
    TabControl1->setExpanding(false);
    TabControl1->setUsesScrollButtons(true);
    lblZone0 = new QLabel(this);
    lblZoneName = new QLabel(QStringLiteral("Zone Name"), this);
    editZoneName = new QLineEdit(this);
    lblZoneTag = new QLabel(QStringLiteral("Zone Tag"), this);
    editZoneTag = new QLineEdit(this);
    for (QLineEdit* edit : {editZoneName, editZoneTag}) {
        edit->setReadOnly(true);
        edit->setFixedWidth(100);
    }
    listChannel = new QTableWidget(this);
    memoHelp = new QTextEdit(this);
    memoHelp->setFixedHeight(50);
    memoHelp->setReadOnly(true);
    btnOK = forms::button(QStringLiteral("OK"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnOK, &QPushButton::clicked, this, &TfrmChnlBank::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmChnlBank::btnCancelClick);
    connect(TabControl1, &QTabBar::currentChanged, this, &TfrmChnlBank::TabControl1Change);
    connect(listChannel, &QTableWidget::cellDoubleClicked, this,
            &TfrmChnlBank::btnEditChannelClick);
    keys::allowOnly(listChannel, QString());
    for (QObject* watched : std::initializer_list<QObject*>{listChannel, lblZone0, lblZoneName,
                                                            editZoneName, lblZoneTag, editZoneTag})
        watched->installEventFilter(this);
    listChannel->setMouseTracking(true);
    listChannel->viewport()->installEventFilter(this);

    BuildMenus();
    BuildPopups();
    SetupGrid();

    auto* header = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{lblZone0, lblZoneName, editZoneName,
                                                            lblZoneTag, editZoneTag})
        header->addWidget(control);
    header->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu);
    layout->addWidget(TabControl1);
    layout->addLayout(header);
    layout->addWidget(listChannel);
    layout->addLayout(controls::helpRow(memoHelp, btnOK, btnCancel));
    setFixedWidth(CLIENT_WIDTH);
}

TfrmChnlBank::~TfrmChnlBank() = default;

void TfrmChnlBank::BuildMenus() {
    MainMenu = new QMenuBar(this);
    QMenu* file = MainMenu->addMenu(QStringLiteral("File"));
    menuReadChannels =
        file->addAction(QStringLiteral("Read Channels"), this, &TfrmChnlBank::btnImportClick);
    QMenu* zones = MainMenu->addMenu(QStringLiteral("Zones"));
    menuEnableZones =
        zones->addAction(QStringLiteral("Enable Zones"), this, &TfrmChnlBank::menuEnableZonesClick);
    menuEnableZones->setCheckable(true);
    mnuAddZone = zones->addAction(QStringLiteral("Add Zone"), this, &TfrmChnlBank::mnuAddZoneClick);
    mnuEditZone =
        zones->addAction(QStringLiteral("Edit Zone"), this, &TfrmChnlBank::mnuEditZoneClick);
    mnuDeleteZone =
        zones->addAction(QStringLiteral("Delete Zone"), this, &TfrmChnlBank::mnuDeleteZoneClick);
    QMenu* channels = MainMenu->addMenu(QStringLiteral("Channels"));
    menuAddChannel =
        channels->addAction(QStringLiteral("Add Channel"), this, &TfrmChnlBank::btnAddChannelClick);
    menuEditChannel = channels->addAction(QStringLiteral("Edit Channel"), this,
                                          &TfrmChnlBank::btnEditChannelClick);
    menuDeleteChannel = channels->addAction(QStringLiteral("Delete Channel"), this,
                                            &TfrmChnlBank::btnDeleteChannelClick);
    QMenu* config = MainMenu->addMenu(QStringLiteral("Config"));
    editVoteOptions = config->addAction(QStringLiteral("Voting Options"), this,
                                        &TfrmChnlBank::editVoteOptionsClick);
    menuEnableCB = config->addAction(QStringLiteral("Enable CB Channels"), this,
                                     &TfrmChnlBank::menuEnableCBClick);
    menuEditCBOptions = config->addAction(QStringLiteral("Edit CB Options"), this,
                                          &TfrmChnlBank::menuEditCBOptionsClick);
    controls::hideForGood(menuEnableCB);
    controls::hideForGood(menuEditCBOptions);
}

void TfrmChnlBank::BuildPopups() {
    PopupMenuZones = new QMenu(this);
    popAddZone =
        PopupMenuZones->addAction(QStringLiteral("Add Zone"), this, &TfrmChnlBank::mnuAddZoneClick);
    popDeleteZone = PopupMenuZones->addAction(QStringLiteral("Delete Zone"), this,
                                              &TfrmChnlBank::mnuDeleteZoneClick);
    popEditZone = PopupMenuZones->addAction(QStringLiteral("Edit Zone"), this,
                                            &TfrmChnlBank::mnuEditZoneClick);
    connect(PopupMenuZones, &QMenu::aboutToShow, this, &TfrmChnlBank::PopupMenuZonesPopup);
    TabControl1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TabControl1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenuZones->popup(TabControl1->mapToGlobal(at)); });

    PopupMenuChannel = new QMenu(this);
    QMenu* m = PopupMenuChannel;
    popAddChannel =
        m->addAction(QStringLiteral("Add Channel..."), this, &TfrmChnlBank::btnAddChannelClick);
    popDeleteChannel =
        m->addAction(QStringLiteral("Delete Channel"), this, &TfrmChnlBank::btnDeleteChannelClick);
    popEditChannel =
        m->addAction(QStringLiteral("Edit Channel..."), this, &TfrmChnlBank::btnEditChannelClick);
    mnuInsertChannel = m->addAction(QStringLiteral("Insert from  Unused Channels"), this,
                                    &TfrmChnlBank::mnuInsertChannelClick);
    mnuRemoveChannel = m->addAction(QStringLiteral("Move to Unused Channels"), this,
                                    &TfrmChnlBank::mnuRemoveChannelClick);
    mnuMovetoZone =
        m->addAction(QStringLiteral("Move to Zone..."), this, &TfrmChnlBank::mnuMovetoZoneClick);
    m->addSeparator();
    mnuCutChannel = m->addAction(QStringLiteral("Cut"), this, &TfrmChnlBank::mnuCutChannelClick);
    mnuCopyChannel = m->addAction(QStringLiteral("Copy"), this, &TfrmChnlBank::mnuCopyChannelClick);
    mnuPasteChannel =
        m->addAction(QStringLiteral("Paste"), this, &TfrmChnlBank::mnuPasteChannelClick);
    connect(m, &QMenu::aboutToShow, this, &TfrmChnlBank::PopupMenuChannelPopup);
    listChannel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(listChannel, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenuChannel->popup(listChannel->viewport()->mapToGlobal(at));
    });
}

void TfrmChnlBank::SetupGrid() {
    const QStringList tones = ToneCodeTexts();
    const QStringList frequencies = text::FrequencyCellTexts();
    const int width =
        grid::Setup(listChannel,
                    {{"CH", 25, {QString::number(CH_COUNT)}},
                     {"Name", 120, grid::AnyText(CH_NAME_LENGTH, QStringLiteral("( %1 )"))},
                     {"Tag", 30, grid::AnyText(2)},
                     {"TX Frequency", 85, frequencies},
                     {"RX Frequency", 85, frequencies},
                     {"TX CTCSS", 80, tones},
                     {"RX CTCSS", 80, tones},
                     {"TA", 25},
                     {"BL", 25},
                     {"LO", 25},
                     {"OS", 25},
                     {"GS", 25},
                     {"Q", 25},
                     {"SQL", 25},
                     {"NB", 25},
                     {"CO", 25},
                     {"Zone", 30, {QString::number(ZONE_COUNT)}}},
                    ROW_HEIGHT);
    listChannel->setMinimumSize(std::max(CLIENT_WIDTH - 20, grid::ViewWidth(listChannel, width)),
                                26 * ROW_HEIGHT);
    listChannel->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

// The zone's label, name and tag boxes: a double-click on them edits the zone.
bool TfrmChnlBank::IsZoneHeader(const QObject* watched) const {
    for (const QObject* header : std::initializer_list<const QObject*>{
             lblZone0, lblZoneName, editZoneName, lblZoneTag, editZoneTag})
        if (watched == header)
            return true;
    return false;
}

// A double-click on a grid row reaches the grid, which edits that row.
bool TfrmChnlBank::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listChannel && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnEditChannelClick();
            return true;
        }
    } else if (watched == listChannel->viewport() && event->type() == QEvent::MouseMove) {
        memoHelp->clear();
    } else if (event->type() == QEvent::MouseButtonDblClick && IsZoneHeader(watched)) {
        mnuEditZoneClick();
        return true;
    }
    return Form::eventFilter(watched, event);
}

std::vector<uint8_t> TfrmChnlBank::RadioPart(std::vector<uint8_t> image) const {
    std::fill(image.begin() + RadioSize, image.end(), chlayout::ERASED);
    return image;
}

bool TfrmChnlBank::TakeRadioPart(const std::vector<uint8_t>& file) const {
    const QString caption = QStringLiteral("Read Channels");
    ChData whole(CH_COUNT);
    whole.LoadFromImage(file.data());
    const int highest = chlayout::HighestMember(RadioSize);
    for (int group = 0; group < CH_COUNT; ++group) {
        if (!whole.IsGroup(group))
            continue;
        ch_group_struct record;
        whole.GetGroup(record, group);
        for (const int member : record.member)
            if (member > highest) {
                Warn(QStringLiteral("Group CH%1 lists CH%2, which a radio of %3 bytes cannot "
                                    "hold.\nThe channels were not read.")
                         .arg(group + 1)
                         .arg(member)
                         .arg(RadioSize),
                     caption);
                return false;
            }
    }
    bool leavesSome = false;
    for (const Area& area : ImportAreas)
        for (int at = std::max(area.offset, RadioSize); at < area.offset + area.length; ++at)
            leavesSome |= file[size_t(at)] != chlayout::ERASED;
    return !leavesSome ||
           Confirm(QStringLiteral("This radio holds %1 bytes: the file's channel names past "
                                  "%2 characters, tags and zones will not be read.")
                       .arg(RadioSize)
                       .arg(chlayout::NameLength(RadioSize)),
                   caption, platform::MB_ICONEXCLAMATION);
}

// Zones live above the channel records, so a radio of 8 KiB has none.
bool TfrmChnlBank::HoldsZones() const {
    return chlayout::HoldsExtras(RadioSize);
}

QString TfrmChnlBank::NewTag(int i) const {
    return chlayout::HoldsExtras(RadioSize) ? DefaultChannelTag(i) : QString();
}

void TfrmChnlBank::LoadZoneTable(const uint8_t* image) {
    ZoneClear(Zones[0]);
    ZoneSetTag(Zones[0], QStringLiteral("--"));
    for (int z = 1; z <= ZONE_COUNT; ++z)
        ZoneRead(Zones[z], image, ZoneOffset(z));
}

int TfrmChnlBank::ActiveZoneCount() const {
    int active = 0;
    for (int z = 1; z <= ZONE_COUNT; ++z)
        active += ZoneIsActive(Zones[z]);
    return active;
}

void TfrmChnlBank::FormShow() {
    Byte71 = eeprom.GetByte(VOTE_BYTE);
    Byte74 = eeprom.GetByte(RENUMBER_BYTE);
    Byte76 = eeprom.GetByte(ZONES_BYTE);
    Byte40 = eeprom.GetByte(BAND_BYTE);
    RadioSize = eeprom.RadioSize();
    ZonesOn = HoldsZones() && (Byte76 & ZONES_BIT);
    UpdateZonesMenu();

    const uint32_t start = (Byte40 & UHF_BAND) ? UHF_START_HZ : VHF_START_HZ;
    NewNormal.flags = chbit::Mask(chbit::Visible);
    NewNormal.flags1 = 0;
    NewNormal.txTone = NewNormal.rxTone = 0;
    NewNormal.zone = 0;
    NewNormal.txFreq = NewNormal.rxFreq = start;
    NewGroup.flags = chbit::Mask(chbit::Visible) | chbit::Mask(chbit::Group);
    NewGroup.flags1 = 0;
    std::fill(std::begin(NewGroup.member), std::end(NewGroup.member), 0);
    NewGroup.name.clear();
    NewGroup.zone = 0;

    const std::vector<uint8_t> held = RadioPart({eeprom.data, eeprom.data + EEPROM::SIZE});
    LoadZoneTable(held.data());
    Channels->LimitMembers(chlayout::HighestMember(RadioSize));
    Channels->LoadFromImage(held.data());
    *Received = *Channels;
    if (ActiveZoneCount() == 0 && Channels->CountInZone(1) > 0)
        ZoneSetActive(Zones[1], true);
    if (Byte74 & RENUMBER_BIT) {
        Byte74 &= ~RENUMBER_BIT;
        for (int i = 0; i < CH_COUNT; ++i)
            Channels->SetTag(i, NewTag(i));
    }

    RebuildTabs();
    CurrentZone = 0;
    if (ZonesOn && TabControl1->count() > 1) {
        TabControl1->blockSignals(true);
        TabControl1->setCurrentIndex(1);
        TabControl1->blockSignals(false);
        CurrentZone = TabZones[1];
    }
    SelectedRow = 0;
    Refresh();
    ClipSource = -1;
    mnuPasteChannel->setEnabled(false);
    memoHelp->clear();
}

void TfrmChnlBank::UpdateZonesMenu() {
    menuEnableZones->setChecked(ZonesOn);
    menuEnableZones->setEnabled(HoldsZones());
    for (QAction* action : {mnuAddZone, mnuEditZone, mnuDeleteZone})
        action->setEnabled(ZonesOn);
}

void TfrmChnlBank::RebuildTabs() {
    TabControl1->blockSignals(true);
    while (TabControl1->count() > 0)
        TabControl1->removeTab(0);
    std::fill(std::begin(TabZones), std::end(TabZones), 0);
    if (ZonesOn) {
        ZoneSetActive(Zones[0], true);
        TabControl1->addTab(QStringLiteral("Unused"));
        for (int z = 1; z <= ZONE_COUNT; ++z)
            if (ZoneIsActive(Zones[z])) {
                TabZones[TabControl1->count()] = z;
                TabControl1->addTab(QStringLiteral("Zone %1").arg(z));
            }
        TabControl1->setCurrentIndex(0);
    }
    TabControl1->setVisible(ZonesOn);
    TabControl1->blockSignals(false);
}

void TfrmChnlBank::SelectZoneTab(int zone) {
    for (int tab = 0; tab < TabControl1->count(); ++tab)
        if (TabZones[tab] == zone) {
            TabControl1->blockSignals(true);
            TabControl1->setCurrentIndex(tab);
            TabControl1->blockSignals(false);
        }
    CurrentZone = zone;
}

void TfrmChnlBank::TabControl1Change(int tab) {
    CurrentZone = tab >= 0 && tab <= ZONE_COUNT ? TabZones[tab] : 0;
    SelectedRow = 0;
    Refresh();
}

void TfrmChnlBank::ShowHeader() {
    const bool zoneShown = ZonesOn && CurrentZone != 0;
    lblZone0->setVisible(!zoneShown);
    for (QWidget* control :
         std::initializer_list<QWidget*>{lblZoneName, editZoneName, lblZoneTag, editZoneTag})
        control->setVisible(zoneShown);
    if (zoneShown) {
        editZoneName->setText(ZoneGetName(Zones[CurrentZone]));
        editZoneTag->setText(ZoneGetTag(Zones[CurrentZone]));
    } else {
        lblZone0->setText(ZonesOn ? QStringLiteral("Channels not allocated to any zone.")
                                  : QStringLiteral("CHANNEL DATA"));
    }
}

bool TfrmChnlBank::IsListed(int i) const {
    ch_data_struct r;
    Channels->GetRaw(r, i);
    const int zone = r.zone > ZONE_COUNT ? 0 : r.zone;
    const bool inView = ZonesOn ? zone == CurrentZone : zone >= 1;
    return inView && (visible(r.flags) || r.rxCode != 0);
}

int TfrmChnlBank::CountListed() const {
    int listed = 0;
    for (int i = 0; i < CH_COUNT; ++i)
        listed += IsListed(i);
    return listed;
}

void TfrmChnlBank::ShowRow(int row, int i) {
    const bool group = Channels->IsGroup(i);
    ch_normal_struct c;
    Channels->GetNormal(c, i);
    QStringList cells{QString::number(i + 1),
                      visible(c.flags) ? c.name : QStringLiteral("( %1 )").arg(c.name), c.GetTag()};
    if (group)
        cells << QStringLiteral("Group") << QStringLiteral("Channel") << QString() << QString();
    else
        cells << text::TxFrequencyText(c.txFreq) << text::FrequencyText(c.rxFreq)
              << ToneCodeText(c.txTone) << ToneCodeText(c.rxTone);
    const uint8_t bytes[2] = {c.flags, c.flags1};
    for (const FlagColumn& column : FlagColumns) {
        const bool set = bytes[column.byte] & chbit::Mask(column.bit);
        cells << ((set && (column.group || !group)) ? QString::fromLatin1(column.text) : QString());
    }
    cells << (c.zone >= 1 && c.zone <= ZONE_COUNT ? QString::number(c.zone) : QStringLiteral("-"));
    grid::SetRow(listChannel, row, cells);
}

// The rows are counted first, so the grid keeps the cells of the last fill; painting
// waits until every row is written.
void TfrmChnlBank::Refresh() {
    ShowHeader();
    std::vector<int> listed;
    for (int i = 0; i < CH_COUNT; ++i)
        if (IsListed(i))
            listed.push_back(i);
    listChannel->setUpdatesEnabled(false);
    listChannel->setRowCount(std::max<int>(int(listed.size()), 1));
    for (size_t row = 0; row < listed.size(); ++row)
        ShowRow(int(row), listed[row]);
    if (listed.empty())
        grid::SetRow(listChannel, 0, {});
    SelectedRow = std::clamp(SelectedRow, 0, listChannel->rowCount() - 1);
    grid::SelectRow(listChannel, SelectedRow);
    listChannel->setUpdatesEnabled(true);
}

void TfrmChnlBank::SelectChannelRow(int number) {
    for (int row = 0; row < listChannel->rowCount(); ++row)
        if (grid::Cell(listChannel, row, 0) == QString::number(number)) {
            SelectedRow = row;
            grid::SelectRow(listChannel, row);
        }
}

int TfrmChnlBank::SelectedChannel() const {
    bool number = false;
    const int n = grid::Cell(listChannel, listChannel->currentRow(), 0).toInt(&number);
    return number ? n : 0;
}

QString TfrmChnlBank::ZoneText() const {
    return CurrentZone == 0 ? QStringLiteral("Unused") : ZoneGetName(Zones[CurrentZone]);
}

void TfrmChnlBank::PopupMenuZonesPopup() {
    popAddZone->setEnabled(ZonesOn);
    for (QAction* action : {popDeleteZone, popEditZone})
        action->setEnabled(ZonesOn && CurrentZone != 0);
}

void TfrmChnlBank::PopupMenuChannelPopup() {
    controls::hideForGood(mnuInsertChannel);
    mnuMovetoZone->setVisible(ZonesOn);
    mnuRemoveChannel->setVisible(ZonesOn && CurrentZone != 0);
}

void TfrmChnlBank::btnAddChannelClick() {
    SelectedRow = std::max(listChannel->currentRow(), 0);
    if (Channels->FirstFree() < 0) {
        Warn(QStringLiteral("Channel memory is full."), QStringLiteral("Add Channel."));
        return;
    }
    std::vector<int> free;
    for (int i = 0; i < CH_COUNT; ++i)
        if (Channels->IsEmpty(i))
            free.push_back(i);
    frmSelectChannel->SetChannelList(free);
    frmSelectChannel->setWindowTitle(QStringLiteral("Add new channel"));
    if (frmSelectChannel->exec() != mrOk)
        return;
    const int i = free[size_t(frmSelectChannel->GetSelection())];
    const bool group = frmSelectChannel->GetChannelType() == 1;
    if ((group && RefuseNesting(i)) || !MayJoinGroup(i))
        return;
    if (group)
        AddGroup(i);
    else
        AddNormal(i);
    Refresh();
    SelectChannelRow(i + 1);
}

// A group in channel i, which a group lists, would nest in it.
bool TfrmChnlBank::RefuseNesting(int i) const {
    const GroupFault fault = Channels->FaultIfStored(ch_group_struct{}, i);
    if (fault)
        Warn(fault.Text(), QStringLiteral("Add Channel."));
    return bool(fault);
}

bool TfrmChnlBank::MayJoinGroup(int i) const {
    std::vector<int> groups = Channels->GroupsUsing(i);
    for (int& group : groups)
        ++group; // as the user sees the channel
    return members::AskToJoin(i + 1, groups);
}

void TfrmChnlBank::AddGroup(int i) {
    NewGroup.zone = uint8_t(ZonesOn ? CurrentZone : 1);
    NewGroup.name = DefaultChannelName(i);
    NewGroup.SetTag(NewTag(i));
    std::fill(std::begin(NewGroup.member), std::end(NewGroup.member), 0);
    frmGrpEdit->SetCaption(QStringLiteral("Add Group Channel %1").arg(i + 1));
    frmGrpEdit->SetGroupData(i, Channels.get(), &NewGroup);
    frmGrpEdit->ShowZoneName(ZoneText());
    if (frmGrpEdit->exec() == mrOk)
        Channels->SetGroup(NewGroup, i);
}

void TfrmChnlBank::AddNormal(int i) {
    NewNormal.zone = uint8_t(ZonesOn ? CurrentZone : 1);
    NewNormal.name = DefaultChannelName(i);
    NewNormal.SetTag(NewTag(i));
    frmEditChannel2->ShowZoneName(ZoneText());
    frmEditChannel2->SetChannel(i, &NewNormal, Channels.get());
    frmEditChannel2->SetCaption(QStringLiteral("Add Channel %1").arg(i + 1));
    if (frmEditChannel2->exec() == mrOk)
        Channels->SetNormal(NewNormal, i);
}

void TfrmChnlBank::btnEditChannelClick() {
    if (ZonesOn && CountListed() == 0)
        return;
    const int n = SelectedChannel();
    if (n < 1 || n > CH_COUNT)
        return;
    const int i = n - 1;
    SelectedRow = listChannel->currentRow();
    if (Channels->IsGroup(i)) {
        ch_group_struct group;
        Channels->GetGroup(group, i);
        frmGrpEdit->SetCaption(QStringLiteral("Edit Group Channel %1").arg(n));
        frmGrpEdit->SetGroupData(i, Channels.get(), &group);
        frmGrpEdit->ShowZoneName(ZoneText());
        if (frmGrpEdit->exec() == mrOk) {
            Channels->SetGroup(group, i);
            NewGroup = group;
        }
    } else {
        ch_normal_struct channel;
        Channels->GetNormal(channel, i);
        frmEditChannel2->SetChannel(i, &channel, Channels.get());
        frmEditChannel2->SetCaption(QStringLiteral("Edit Channel %1").arg(n));
        frmEditChannel2->ShowZoneName(ZoneText());
        if (frmEditChannel2->exec() == mrOk) {
            Channels->SetNormal(channel, i);
            NewNormal = channel;
        }
    }
    Refresh();
}

bool TfrmChnlBank::RefuseEmpty(const QString& caption) {
    if (CountListed() != 0)
        return false;
    Warn(QStringLiteral("Zone %1 is empty.").arg(CurrentZone), caption);
    return true;
}

bool TfrmChnlBank::RefuseGroupMember(int i, const QString& caption) {
    const int group = Channels->FindGroupUsing(i);
    if (group < 0)
        return false;
    Warn(GroupUserText(i, group), caption);
    return true;
}

void TfrmChnlBank::btnDeleteChannelClick() {
    // With zones off an empty list has no channel number, so nothing happens.
    if (ZonesOn && RefuseEmpty(QStringLiteral("Delete Channel")))
        return;
    const int n = SelectedChannel();
    if (n < 1 || n > CH_COUNT || RefuseGroupMember(n - 1, QStringLiteral("Delete channel")))
        return;
    if (!Confirm(QStringLiteral("Delete CH%1 ?").arg(n), QStringLiteral("Delete channel?"),
                 platform::MB_ICONQUESTION))
        return;
    SelectedRow = listChannel->currentRow();
    Channels->ClearChannel(n - 1);
    Refresh();
}

void TfrmChnlBank::mnuCutChannelClick() {
    if (RefuseEmpty(QStringLiteral("Cut Channel")))
        return;
    const int n = SelectedChannel();
    if (n < 1 || n > CH_COUNT || RefuseGroupMember(n - 1, QStringLiteral("Delete channel")))
        return;
    Channels->GetRaw(ClipRecord, n - 1);
    ClipSource = n - 1;
    mnuPasteChannel->setEnabled(true);
    SelectedRow = listChannel->currentRow();
    Channels->ClearChannel(n - 1);
    Refresh();
}

void TfrmChnlBank::mnuCopyChannelClick() {
    if (RefuseEmpty(QStringLiteral("Copy Channel")))
        return;
    const int n = SelectedChannel();
    if (n < 1 || n > CH_COUNT)
        return;
    Channels->GetRaw(ClipRecord, n - 1);
    ClipSource = -1;
    mnuPasteChannel->setEnabled(true);
}

void TfrmChnlBank::mnuPasteChannelClick() {
    if (Channels->FirstFree() < 0) {
        Warn(QStringLiteral("Channel memory is full."), QStringLiteral("Add Channel."));
        return;
    }
    std::vector<int> numbers;
    int preselect = 0;
    for (int i = 0; i < CH_COUNT; ++i)
        if (Channels->IsEmpty(i)) {
            if (i == ClipSource)
                preselect = int(numbers.size());
            numbers.push_back(i + 1);
        }
    frmChSelect->setWindowTitle(QStringLiteral("Paste channel"));
    frmChSelect->Label1->setText(QStringLiteral("Channel"));
    frmChSelect->SetChannelList(numbers);
    frmChSelect->SetSelection(preselect);
    if (frmChSelect->exec() != mrOk)
        return;
    const int target = numbers[size_t(frmChSelect->GetSelection())] - 1;
    ch_data_struct pasted = ClipRecord;
    if (ZonesOn)
        pasted.zone = uint8_t(CurrentZone);
    if (const GroupFault fault = Channels->FaultIfStored(pasted, target)) {
        Warn(fault.Text(), QStringLiteral("Paste channel"));
        return;
    }
    if (!MayJoinGroup(target))
        return;
    ClipSource = -1;
    ClipRecord = pasted;
    Channels->SetRaw(ClipRecord, target);
    Refresh();
    SelectChannelRow(target + 1);
}

void TfrmChnlBank::mnuRemoveChannelClick() {
    if (CountListed() == 0) {
        Warn(QStringLiteral("There are no channels to remove.\nZone %1 is empty.").arg(CurrentZone),
             QStringLiteral("Remove Channel"));
        return;
    }
    const int n = SelectedChannel();
    if (n < 1 || n > CH_COUNT)
        return;
    Channels->SetZone(n - 1, 0);
    Refresh();
}

void TfrmChnlBank::mnuMovetoZoneClick() {
    if (CountListed() == 0) {
        Warn(QStringLiteral("There are no channels to move.\n"), QStringLiteral("Move Channel"));
        return;
    }
    std::vector<int> zones;
    for (int z = 1; z <= ZONE_COUNT; ++z)
        if (ZoneIsActive(Zones[z]))
            zones.push_back(z);
    if (zones.empty()) {
        Warn(QStringLiteral("There are no zones to move to.\n"), QStringLiteral("Move Channel"));
        return;
    }
    const int n = SelectedChannel();
    if (n < 1 || n > CH_COUNT)
        return;
    frmChSelect->setWindowTitle(QStringLiteral("Select zone."));
    frmChSelect->Label1->setText(QStringLiteral("Zone"));
    frmChSelect->SetChannelList(zones);
    if (frmChSelect->exec() != mrOk)
        return;
    Channels->SetZone(n - 1, zones[size_t(frmChSelect->GetSelection())]);
    Refresh();
}

void TfrmChnlBank::mnuInsertChannelClick() {
    if (Channels->CountInZone(0) == 0) {
        Warn(QStringLiteral("Cannot insert a channel.\nThe list of unused channels is empty."),
             QStringLiteral("Insert Channel"));
        return;
    }
    std::vector<int> numbers;
    for (int i = 0; i < CH_COUNT; ++i)
        if (Channels->GetZone(i) == 0 && !Channels->IsEmpty(i))
            numbers.push_back(i + 1);
    frmChSelect->setWindowTitle(QStringLiteral("Insert channel"));
    frmChSelect->Label1->setText(QStringLiteral("Channel"));
    frmChSelect->SetChannelList(numbers);
    if (frmChSelect->exec() != mrOk)
        return;
    Channels->SetZone(numbers[size_t(frmChSelect->GetSelection())] - 1, CurrentZone);
    Refresh();
}

void TfrmChnlBank::mnuAddZoneClick() {
    if (!ZonesOn)
        return;
    if (ActiveZoneCount() == ZONE_COUNT) {
        Warn(QStringLiteral(
                 "Cannot add another zone.\nRadio already has the maximum number of zones."),
             QStringLiteral("Add Zone"));
        return;
    }
    std::vector<int> inactive;
    for (int z = 1; z <= ZONE_COUNT; ++z)
        if (!ZoneIsActive(Zones[z]))
            inactive.push_back(z);
    frmAddZone->SetZoneList(inactive);
    if (frmAddZone->exec() != mrOk)
        return;
    const int z = inactive[size_t(frmAddZone->GetSelection())];
    if (ZoneIsActive(Zones[z]) &&
        !Confirm(QStringLiteral("Zone %1 already exists. Overwrite zone?\n\n(Channels in zone "
                                "will not be erased).")
                     .arg(z),
                 QStringLiteral("Add Zone"), platform::MB_ICONEXCLAMATION))
        return;
    ZoneSetActive(Zones[z], true);
    ZoneSetName(Zones[z], frmAddZone->ZoneName);
    ZoneSetTag(Zones[z], frmAddZone->ZoneTag);
    RebuildTabs();
    SelectZoneTab(z);
    SelectedRow = 0;
    Refresh();
}

// A text is stored only when the user typed in its box: stored names read back padded.
void TfrmChnlBank::mnuEditZoneClick() {
    if (!ZonesOn || CurrentZone == 0)
        return;
    ZoneRecord& zone = Zones[CurrentZone];
    frmEditZone->SetZoneNumber(CurrentZone);
    frmEditZone->ZoneName = ZoneGetName(zone);
    frmEditZone->ZoneTag = ZoneGetTag(zone);
    if (frmEditZone->exec() != mrOk)
        return;
    if (frmEditZone->NameTyped())
        ZoneSetName(zone, frmEditZone->ZoneName);
    if (frmEditZone->TagTyped())
        ZoneSetTag(zone, frmEditZone->ZoneTag);
    Refresh();
}

// A channel of zone z that any group of another zone lists keeps the zone: the groups of
// zone z go with it.
bool TfrmChnlBank::RefuseZoneInUse(int z) {
    for (int i = 0; i < CH_COUNT; ++i) {
        if (Channels->GetZone(i) != z || Channels->IsEmpty(i))
            continue;
        for (int group : Channels->GroupsUsing(i))
            if (Channels->GetZone(group) != z) {
                Warn(GroupUserText(i, group), QStringLiteral("Delete Zone"));
                return true;
            }
    }
    return false;
}

void TfrmChnlBank::mnuDeleteZoneClick() {
    if (!ZonesOn || CurrentZone == 0)
        return;
    const int z = CurrentZone;
    if (ActiveZoneCount() <= 1 && ZoneIsActive(Zones[z])) {
        platform::host().messageBox(QStringLiteral("Cannot delete zone.\nMust have at least one "
                                                   "zone."),
                                    QStringLiteral("Delete Zone"), platform::MB_OK);
        return;
    }
    if (RefuseZoneInUse(z))
        return;
    if (!Confirm(QStringLiteral("Delete Zone %1 ?\nAll Channels in zone will be erased!").arg(z),
                 QStringLiteral("Delete Zone"), platform::MB_ICONEXCLAMATION))
        return;
    for (int i = 0; i < CH_COUNT; ++i)
        if (Channels->GetZone(i) == z && !Channels->IsEmpty(i))
            Channels->ClearChannel(i);
    ZoneSetActive(Zones[z], false);
    ZoneSetName(Zones[z], QString());
    ZoneSetTag(Zones[z], QString());
    const int tab = TabControl1->currentIndex();
    RebuildTabs();
    const int kept = std::min(tab, TabControl1->count() - 1);
    TabControl1->blockSignals(true);
    TabControl1->setCurrentIndex(std::max(kept, 0));
    TabControl1->blockSignals(false);
    CurrentZone = kept > 0 ? TabZones[kept] : 0;
    SelectedRow = 0;
    Refresh();
}

void TfrmChnlBank::menuEnableZonesClick() {
    if (!HoldsZones())
        return;
    ZonesOn = !ZonesOn;
    UpdateZonesMenu();
    RebuildTabs();
    CurrentZone = 0;
    SelectedRow = 0;
    Refresh();
}

// The file's channel and zone areas go into the store and the zone table; the image
// changes only on OK. A file that lacks part of them, or whose groups break the rule of
// the store, leaves the bank as it was.
void TfrmChnlBank::btnImportClick() {
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Read Channels");
    request.filter = QStringLiteral("Programming Files (*.mem)|*.mem|All Files (*.*)|*.*");
    request.defaultExt = QStringLiteral("*.mem");
    request.fileMustExist = true;
    QString chosen;
    if (!platform::host().openFileDialog(request, chosen))
        return;
    if (!ReadImportFile(chosen, RadioSize, ImportBuffer))
        return;
    std::vector<uint8_t> merged(eeprom.data, eeprom.data + EEPROM::SIZE);
    for (const Area& area : ImportAreas)
        std::copy_n(ImportBuffer.data + area.offset, area.length, merged.begin() + area.offset);
    if (!HoldsZones() && !TakeRadioPart(merged))
        return;
    merged = RadioPart(std::move(merged));
    ChData imported(CH_COUNT);
    imported.LimitMembers(chlayout::HighestMember(RadioSize));
    imported.LoadFromImage(merged.data());
    if (const GroupFault fault = imported.FirstFaultOfFile()) {
        Warn(fault.Text(), QStringLiteral("Read Channels"));
        return;
    }

    ImportFile = chosen;
    *Channels = std::move(imported);
    *Received = *Channels;
    LoadZoneTable(merged.data());
    if (HoldsZones()) {
        Byte76 = uint8_t((Byte76 & ~ZONES_BIT) | (ImportBuffer.GetByte(ZONES_BYTE) & ZONES_BIT));
        ZonesOn = Byte76 & ZONES_BIT;
    }
    CurrentZone = 0;
    UpdateZonesMenu();
    RebuildTabs();
    SelectedRow = 0;
    Refresh();
}

// Vote setup gets the image's own renumber bit, so that a Cancel here keeps the request.
void TfrmChnlBank::editVoteOptionsClick() {
    const uint8_t imageRenumber = eeprom.GetByte(RENUMBER_BYTE) & RENUMBER_BIT;
    eeprom.SetByte(VOTE_BYTE, Byte71);
    eeprom.SetByte(RENUMBER_BYTE, uint8_t((Byte74 & ~RENUMBER_BIT) | imageRenumber));
    frmEditVote->exec();
    Byte71 = eeprom.GetByte(VOTE_BYTE);
    Byte74 = uint8_t((eeprom.GetByte(RENUMBER_BYTE) & ~RENUMBER_BIT) | (Byte74 & RENUMBER_BIT));
}

void TfrmChnlBank::menuEditCBOptionsClick() {
    frmCbOptions->exec();
}

void TfrmChnlBank::btnOKClick() {
    const QString error = QStringLiteral("Error");
    if (ZonesOn) {
        for (int z = 1; z <= ZONE_COUNT; ++z)
            if (ZoneIsActive(Zones[z]) && Channels->CountInZone(z) == 0) {
                Warn(QStringLiteral("Zone%1 has no channels.").arg(z), error);
                return;
            }
        if (ActiveZoneCount() == 0) {
            Warn(QStringLiteral("There are no zones.\n"), error);
            return;
        }
    } else if (Channels->CountZonedChannels() == 0) {
        Warn(QStringLiteral("There are no visible channels.\nRadio requires at least one "
                            "non-hidden channel."),
             error);
        return;
    }
    if (const GroupFault fault = Channels->FirstFault(Received.get())) {
        Warn(fault.Text(), error);
        return;
    }
    // Only what the radio keeps is stored: above its size the image stays as it was.
    std::vector<uint8_t> stored(eeprom.data, eeprom.data + EEPROM::SIZE);
    for (int z = 1; z <= ZONE_COUNT; ++z)
        ZoneWrite(Zones[z], stored.data(), ZoneOffset(z));
    Channels->SaveToImage(stored.data());
    std::copy_n(stored.begin(), RadioSize, eeprom.data);
    if (HoldsZones())
        Byte76 = uint8_t(ZonesOn ? Byte76 | ZONES_BIT : Byte76 & ~ZONES_BIT);
    Byte71 &= ~VOTE_CLEARED_BIT;
    eeprom.SetByte(VOTE_BYTE, Byte71);
    eeprom.SetByte(RENUMBER_BYTE, Byte74);
    eeprom.SetByte(ZONES_BYTE, Byte76);
    done(mrOk);
}
