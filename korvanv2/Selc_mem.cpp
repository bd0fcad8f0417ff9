#include "Selc_mem.h"

#include "Call_memories.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Idents.h"
#include "Key_filter.h"
#include "Mask_edit.h"
#include "Selcall.h"
#include "String_grid.h"
#include "Text_format.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

TfrmSelcallIdents* frmSelcallIdents = nullptr;

namespace {

// The Selcall dialog's transmit group-call ranges.
constexpr int GroupCallsUpToTen = 1;
constexpr int GroupCallsUpToHundred = 2;
constexpr int PermissionsByte = 0x4D;
constexpr uint8_t OwnIdentModifyBit = 0x40;
constexpr uint8_t CallMemoryModifyBit = 0x80;
constexpr int PrefixByte = 0xB4;
constexpr int OwnIdentAddress = 0xB5;
constexpr int FirstRecords = 39; // slots 0..38 at 0xB9
constexpr int RecordSize = 9;
constexpr int TagTable = 0x29EC;
constexpr int LastAddress = 0x3FFF;

const QString OwnIdentKeys = QStringLiteral("0123456789BCF");
const QString IdentKeys = QStringLiteral("0123456789ABCF");
const QString TagKeys = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-* ._");

uint8_t get(int address) {
    return address <= LastAddress ? eeprom.GetByte(address) : 0;
}

void set(int address, uint8_t value) {
    if (address <= LastAddress)
        eeprom.SetByte(address, value);
}

// A tag's text kept to the tag keys by the one character rule.
QString tagOnly(const QString& text) {
    QString tag;
    for (QChar c : text)
        tag += QChar(idents::StoredCharacter(c, TagKeys));
    return tag;
}

} // namespace

TfrmSelcallIdents::TfrmSelcallIdents(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Selcall Idents"));
    setModal(true);
    BuildControls();
    BindHelp();
    fields.check(chkOwnIdMod, PermissionsByte, OwnIdentModifyBit);
    fields.check(chkCallMemEdit, PermissionsByte, CallMemoryModifyBit);
    fields.edits().watch(txtRadioIdent);
    fields.edits().watch(txtTlmPrefix);
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(listSelcallMemories, &QTableWidget::cellPressed, this,
            [this] { listSelcallMemoriesMouseDown(); });
}

void TfrmSelcallIdents::BuildControls() {
    QGridLayout* top = callmem::BuildHeading(*this, OwnIdentKeys);
    listSelcallMemories = callmem::NewGrid(0);
    listSelcallMemories->verticalHeader()->setDefaultSectionSize(19);
    listSelcallMemories->verticalHeader()->setMinimumSectionSize(19);
    listSelcallMemories->setItemDelegate(new MaskEditDelegate(
        this,
        [this](int row, int column) { return listSelcallMemoriesGetEditMask(row + 1, column); },
        [](int column) { return column == IdentColumn ? IdentKeys : TagKeys; },
        [this](int row, int column) { fields.edits().mark(listSelcallMemories, row, column); }));
    listSelcallMemories->installEventFilter(this);

    HelpText = new QTextEdit;
    HelpText->setReadOnly(true);
    HelpText->setFixedHeight(64);
    OKBtn = forms::button(QStringLiteral("OK"));
    CancelBtn = forms::button(QStringLiteral("Cancel"));

    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(listSelcallMemories, 1);
    main->addLayout(controls::helpRow(HelpText, OKBtn, CancelBtn));
}

void TfrmSelcallIdents::BindHelp() {
    help = new HelpPane(HelpText);
    help->bindOkCancel(OKBtn, CancelBtn);
    callmem::BindHelp(*help, *this);
}

bool TfrmSelcallIdents::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listSelcallMemories && event->type() == QEvent::KeyPress)
        return listSelcallMemoriesKeyPress(static_cast<QKeyEvent*>(event));
    return Form::eventFilter(watched, event);
}

void TfrmSelcallIdents::FormShow() {
    ChooseSize();
    InitGrid();
    ToneCount = frmSelcall->hsbTonesPred->value();
    LoadIdents();
}

void TfrmSelcallIdents::OKBtnClick() {
    if (txtRadioIdent->text().size() < ToneCount) {
        Tell(callmem::ShortIdentText(QStringLiteral("Radio Ident")), callmem::ShortIdentCaption,
             txtRadioIdent);
        return;
    }
    if (!CheckMemoryRow() || !StoreIdents())
        return;
    done(mrOk);
}

void TfrmSelcallIdents::CancelBtnClick() {
    done(mrCancel);
}

void TfrmSelcallIdents::reject() {
    done(mrCancel);
}

void TfrmSelcallIdents::Tell(const QString& text, const QString& caption, QWidget* focus) {
    platform::host().messageBox(text, caption, platform::MB_OK);
    focus->setFocus();
}

// The call memory follows the radio's memory size.
void TfrmSelcallIdents::ChooseSize() {
    const bool large = eeprom.RadioSize() == EEPROM::SIZE;
    SlotCount = large ? 100 : 40;
    TagLength = large ? idents::MaxTagLength : idents::RecordTagBytes;
}

std::vector<int> TfrmSelcallIdents::IdentAddresses() {
    ChooseSize();
    std::vector<int> addresses;
    for (int slot = 0; slot <= SlotCount; ++slot)
        addresses.push_back(SlotAddress(slot));
    return addresses;
}

int TfrmSelcallIdents::SlotAddress(int slot) const {
    if (slot >= 0 && slot < FirstRecords && slot < SlotCount - 1)
        return 0xB9 + RecordSize * slot;
    if (slot >= FirstRecords && slot <= SlotCount - 2)
        return 0x27D0 + RecordSize * (slot - FirstRecords);
    if (slot == SlotCount - 1)
        return 0x218;
    if (slot == SlotCount)
        return OwnIdentAddress;
    return NoAddress;
}

QString TfrmSelcallIdents::cellText(int row, int column) const {
    return grid::Cell(listSelcallMemories, row - 1, column);
}

void TfrmSelcallIdents::setCellText(int row, int column, const QString& text) {
    const bool editable = column != MemoryColumn && column != CommandColumn;
    grid::SetCell(listSelcallMemories, row - 1, column, text, editable);
}

void TfrmSelcallIdents::InitGrid() {
    listSelcallMemories->clearContents();
    listSelcallMemories->setRowCount(SlotCount);
    for (int row = 1; row < SlotCount; ++row)
        setCellText(row, MemoryColumn, QString::number(row));
    setCellText(SlotCount, MemoryColumn, QStringLiteral("LAST"));
}

void TfrmSelcallIdents::LoadIdents() {
    held.take(get);
    txtRadioIdent->setText(GetIdentText(SlotCount));
    txtTlmPrefix->setText(text::HexByte(get(PrefixByte)));
    FillGrid();
    fields.load(held.reader(get));
}

void TfrmSelcallIdents::FillGrid() {
    for (int slot = 0; slot < SlotCount; ++slot) {
        setCellText(slot + 1, IdentColumn, GetIdentText(slot));
        setCellText(slot + 1, TagColumn, GetTagText(slot));
        setCellText(slot + 1, CommandColumn, callmem::CommandText(CommandFlags[size_t(slot)]));
    }
}

QString TfrmSelcallIdents::GetIdentText(int slot) const {
    const int address = SlotAddress(slot);
    return address == NoAddress ? QString() : idents::ReadIdent(get, address, ToneCount);
}

void TfrmSelcallIdents::SetIdentText(int slot, const QString& text) {
    const int address = SlotAddress(slot);
    if (address != NoAddress)
        idents::WriteIdent(set, address, text);
}

bool TfrmSelcallIdents::HasTag(int slot) const {
    return slot >= 0 && slot < SlotCount;
}

idents::Slot TfrmSelcallIdents::SlotPlace(int slot) const {
    return {SlotAddress(slot), TagTable + idents::TableTagBytes * slot};
}

QString TfrmSelcallIdents::GetTagText(int slot) {
    if (!HasTag(slot))
        return QString();
    CommandFlags[size_t(slot)] = idents::ReadCommandFlag(get, SlotPlace(slot)) ? 1 : 0;
    return idents::ReadTag(get, SlotPlace(slot), TagLength);
}

void TfrmSelcallIdents::SetTagText(int slot, const QString& text) {
    if (HasTag(slot))
        idents::WriteTag(set, SlotPlace(slot), TagLength, tagOnly(text),
                         CommandFlags[size_t(slot)]);
}

// Only the current row is examined, positions 1..N of its ident.
bool TfrmSelcallIdents::CheckMemoryRow() {
    const int row = listSelcallMemories->currentRow() + 1;
    if (row < 1)
        return true;
    const QString ident = cellText(row, IdentColumn);
    for (int position = 1; position <= ToneCount; ++position) {
        const QChar digit = position <= ident.size() ? ident[position - 1] : QLatin1Char(' ');
        if (digit == QLatin1Char(' ')) {
            Tell(callmem::ShortIdentText(QStringLiteral("Memory Ident")),
                 callmem::ShortIdentCaption, listSelcallMemories);
            return false;
        }
        if (digit == QLatin1Char('A') && !GroupCallDigitAllowed(position)) {
            Tell(QStringLiteral("The Memory Ident contains a group call digit 'A'\r in the wrong "
                                "place. Please correct it."),
                 QStringLiteral("Group call error"), listSelcallMemories);
            return false;
        }
    }
    return true;
}

// A memory ident is called, so the transmit group-call range says how many of its last
// digits may be the group digit: the last with any range, the last two with the ranges up
// to 100 and up to 1000, none without a range. The range is the one the Selcall dialog
// shows, stored or not yet.
bool TfrmSelcallIdents::GroupCallDigitAllowed(int position) const {
    const int range = frmSelcall->cmbTxGroup->currentIndex();
    if (position == ToneCount)
        return range >= GroupCallsUpToTen;
    if (position == ToneCount - 1)
        return range >= GroupCallsUpToHundred;
    return false;
}

bool TfrmSelcallIdents::StoreIdents() {
    uint8_t prefix = 0;
    const UserEdits& edits = fields.edits();
    if (!callmem::ReadPrefix(txtTlmPrefix, edits.changed(txtTlmPrefix), get(PrefixByte), prefix))
        return false;
    if (edits.changed(txtRadioIdent))
        SetIdentText(SlotCount, txtRadioIdent->text());
    set(PrefixByte, prefix);
    StoreGrid();
    fields.store(held.reader(get), held.writer(set));
    held.putBack(set);
    return true;
}

// Writes only what the user changed, as its cell shows it: an ident, a tag with its flag,
// or the Command flag alone.
void TfrmSelcallIdents::StoreGrid() {
    for (int slot = 0; slot < SlotCount; ++slot) {
        const int row = slot + 1;
        if (CellEdited(row, IdentColumn))
            SetIdentText(slot, cellText(row, IdentColumn));
        if (CellEdited(row, TagColumn))
            SetTagText(slot, cellText(row, TagColumn));
        else if (CellEdited(row, CommandColumn))
            idents::WriteCommandFlag(get, set, SlotPlace(slot), CommandFlags[size_t(slot)]);
    }
}

bool TfrmSelcallIdents::CellEdited(int row, int column) const {
    return fields.edits().changed(listSelcallMemories, row - 1, column);
}

QString TfrmSelcallIdents::listSelcallMemoriesGetEditMask(int row, int column) const {
    if (column == IdentColumn) {
        const bool command = row >= 1 && row <= SlotCount && CommandFlags[size_t(row - 1)];
        return callmem::EditMask(command ? idents::IdentDigits : ToneCount);
    }
    if (column == TagColumn)
        return callmem::EditMask(TagLength);
    return QString();
}

// The user's toggle. A tag the user left alone shows as it reads with the new flag.
void TfrmSelcallIdents::ToggleCommand(int row) {
    if (row < 1 || row > SlotCount)
        return;
    const bool command = !CommandFlags[size_t(row - 1)];
    CommandFlags[size_t(row - 1)] = command;
    fields.edits().mark(listSelcallMemories, row - 1, CommandColumn);
    setCellText(row, CommandColumn, callmem::CommandText(command));
    if (!CellEdited(row, TagColumn))
        setCellText(row, TagColumn,
                    idents::ReadFlaggedTag(get, SlotPlace(row - 1), TagLength, command));
}

bool TfrmSelcallIdents::listSelcallMemoriesKeyPress(QKeyEvent* key) {
    if (!callmem::TogglesCommand(*listSelcallMemories, CommandColumn, *key))
        return false;
    ToggleCommand(listSelcallMemories->currentRow() + 1);
    return true;
}

void TfrmSelcallIdents::listSelcallMemoriesMouseDown() {
    if (listSelcallMemories->currentColumn() == CommandColumn)
        ToggleCommand(listSelcallMemories->currentRow() + 1);
}
