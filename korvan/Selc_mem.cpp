#include "Selc_mem.h"

#include "Call_memories.h"
#include "Controls.h"
#include "Form.h"
#include "Help_pane.h"
#include "Idents.h"
#include "Image_access.h"
#include "Image_fields.h"
#include "Key_filter.h"
#include "Mask_edit.h"
#include "Selcall.h"
#include "String_grid.h"
#include "Text_format.h"
#include "platform/Host.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
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

constexpr int PrefixByte = 0xB4;
constexpr int OwnIdentAddress = 0xB5;
constexpr int PermissionByte = 0x4D;
constexpr uint8_t OwnIdentModifyBit = 0x40;
constexpr uint8_t CallMemoryModifyBit = 0x80;
constexpr int IdentDigits = idents::IdentDigits;
constexpr int TagLength = idents::MaxTagLength;
constexpr int LastSlot = 99;
constexpr int MaxSlot = 98;

const QString IdentKeys = QStringLiteral("0123456789ABCFabcf");
const QString OwnIdentKeys = QStringLiteral("0123456789BCFbcf");
const QString TagKeys =
    QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz *+-");

// Where slot a's 9-byte record starts: slots 0..38 and LAST in the first table, slots
// 39..98 in the second; -1 for any other slot.
int recordAddress(int slot) {
    if (slot >= 0 && slot <= 38)
        return 0xB9 + 9 * slot;
    if (slot == LastSlot)
        return 0x218;
    if (slot >= 39 && slot <= MaxSlot)
        return 0xB20 + 9 * (slot - 39);
    return -1;
}

int identAddress(int slot) {
    return slot == TfrmSelcallIdents::OwnIdentSlot ? OwnIdentAddress : recordAddress(slot);
}

idents::Slot slotPlace(int slot) {
    return {recordAddress(slot), 0xD3C + idents::TableTagBytes * slot};
}

} // namespace

TfrmSelcallIdents::TfrmSelcallIdents(QWidget* parent) : ImageDialog(parent, QDialog::Rejected) {
    setWindowTitle(QStringLiteral("Selcall Idents"));
    BuildControls();
    BindHelp();
    ConnectButtons();
    fields.check(chkOwnIdMod, PermissionByte, OwnIdentModifyBit);
    fields.check(chkCallMemEdit, PermissionByte, CallMemoryModifyBit);
    fields.edits().watch(txtRadioIdent);
    fields.edits().watch(txtTlmPrefix);
    connect(listSelcallMemories, &QTableWidget::cellPressed, this,
            [this] { listSelcallMemoriesMouseDown(); });
    exitChecks.add(txtRadioIdent, [this] { return txtRadioIdentExit(); });
    exitChecks.add(listSelcallMemories, [this] { return listSelcallMemoriesExit(); });
    exitChecks.exempt(CancelBtn);
}

void TfrmSelcallIdents::BuildControls() {
    QGridLayout* top = callmem::BuildHeading(*this, OwnIdentKeys);
    listSelcallMemories = callmem::NewGrid(GridRows);
    listSelcallMemories->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    listSelcallMemories->setItemDelegate(new MaskEditDelegate(
        this,
        [this](int row, int column) { return listSelcallMemoriesGetEditMask(row + 1, column); },
        [](int column) { return column == IdentColumn ? IdentKeys : TagKeys; },
        [this](int row, int column) { fields.edits().mark(listSelcallMemories, row, column); }));
    listSelcallMemories->installEventFilter(this);

    HelpText = new QTextEdit;
    HelpText->setFixedHeight(64);
    OKBtn = forms::button(QStringLiteral("OK"));
    CancelBtn = forms::button(QStringLiteral("Cancel"));
    btnClrMem = forms::button(QStringLiteral("Clear Memory"));
    controls::hideForGood(btnClrMem);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnClrMem);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(listSelcallMemories, 1);
    main->addWidget(HelpText);
    main->addLayout(buttons);
}

void TfrmSelcallIdents::BindHelp() {
    BuildHelp();
    callmem::BindHelp(*help, *this);
}

bool TfrmSelcallIdents::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listSelcallMemories && event->type() == QEvent::KeyPress)
        return listSelcallMemoriesKeyPress(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void TfrmSelcallIdents::FormShow() {
    TakeBackup();
    InitGrid();
    ToneCount = frmSelcall->hsbTonesPred->value();
    LoadIdents();
}

void TfrmSelcallIdents::OKBtnClick() {
    if (StoreIdents())
        accept();
}

QString TfrmSelcallIdents::cellText(int row, int column) const {
    return grid::Cell(listSelcallMemories, row - 1, column);
}

void TfrmSelcallIdents::setCellText(int row, int column, const QString& text) {
    const bool editable = column != MemoryColumn && column != CommandColumn;
    grid::SetCell(listSelcallMemories, row - 1, column, text, editable);
}

void TfrmSelcallIdents::InitGrid() {
    for (int row = 1; row < GridRows; ++row)
        setCellText(row, MemoryColumn, QString::number(row));
    setCellText(GridRows, MemoryColumn, QStringLiteral("LAST"));
}

void TfrmSelcallIdents::LoadIdents() {
    txtRadioIdent->setText(GetIdentText(OwnIdentSlot));
    txtTlmPrefix->setText(text::HexByte(image::get(PrefixByte)));
    FillGrid();
    fields.load(image::get);
}

void TfrmSelcallIdents::FillGrid() {
    for (int slot = 0; slot < GridRows; ++slot) {
        const int row = slot + 1;
        setCellText(row, IdentColumn, GetIdentText(slot));
        setCellText(row, TagColumn, GetTagText(slot));
        CommandFlags[row] = idents::ReadCommandFlag(image::get, slotPlace(slot)) ? 1 : 0;
        setCellText(row, CommandColumn, callmem::CommandText(CommandFlags[row]));
    }
}

bool TfrmSelcallIdents::StoreIdents() {
    uint8_t prefix = 0;
    const UserEdits& edits = fields.edits();
    if (!callmem::ReadPrefix(txtTlmPrefix, edits.changed(txtTlmPrefix), image::get(PrefixByte),
                             prefix))
        return false;
    if (edits.changed(txtRadioIdent))
        SetIdentText(OwnIdentSlot, txtRadioIdent->text());
    image::set(PrefixByte, prefix);
    StoreGrid();
    fields.store(image::get, image::set);
    return true;
}

// Writes only what the user changed, as its cell shows it: an ident, a tag with its flag,
// or the Command flag alone.
void TfrmSelcallIdents::StoreGrid() {
    for (int slot = 0; slot < GridRows; ++slot) {
        const int row = slot + 1;
        if (CellEdited(row, IdentColumn))
            SetIdentText(slot, cellText(row, IdentColumn));
        if (CellEdited(row, TagColumn))
            SetTagText(slot, cellText(row, TagColumn));
        else if (CellEdited(row, CommandColumn))
            idents::WriteCommandFlag(image::get, image::set, slotPlace(slot), CommandFlags[row]);
    }
}

bool TfrmSelcallIdents::CellEdited(int row, int column) const {
    return fields.edits().changed(listSelcallMemories, row - 1, column);
}

QString TfrmSelcallIdents::GetIdentText(int slot) const {
    const int address = identAddress(slot);
    return address < 0 ? QString() : idents::ReadIdent(image::get, address, ToneCount);
}

void TfrmSelcallIdents::SetIdentText(int slot, const QString& text) {
    const int address = identAddress(slot);
    if (address >= 0)
        idents::WriteIdent(image::set, address, text);
}

std::vector<int> TfrmSelcallIdents::IdentAddresses() const {
    std::vector<int> addresses;
    for (int slot = 0; slot <= OwnIdentSlot; ++slot)
        addresses.push_back(identAddress(slot));
    return addresses;
}

QString TfrmSelcallIdents::GetTagText(int slot) const {
    if (slot == OwnIdentSlot)
        return QStringLiteral("RADIO");
    if (recordAddress(slot) < 0)
        return QString();
    return idents::ReadTag(image::get, slotPlace(slot), TagLength);
}

void TfrmSelcallIdents::SetTagText(int slot, const QString& text) {
    if (recordAddress(slot) >= 0)
        idents::WriteTag(image::set, slotPlace(slot), TagLength, text,
                         CommandFlags[size_t(slot + 1)]);
}

QString TfrmSelcallIdents::listSelcallMemoriesGetEditMask(int row, int column) const {
    if (column == IdentColumn) {
        const bool command = row >= 1 && row <= GridRows && CommandFlags[size_t(row)];
        return callmem::EditMask(command ? IdentDigits : ToneCount);
    }
    if (column == TagColumn)
        return callmem::EditMask(TagLength);
    return QString();
}

// The user's toggle. A tag the user left alone shows as it reads with the new flag.
void TfrmSelcallIdents::ToggleCommand(int row) {
    if (row < 1 || row > GridRows)
        return;
    const bool command = !CommandFlags[size_t(row)];
    CommandFlags[size_t(row)] = command;
    fields.edits().mark(listSelcallMemories, row - 1, CommandColumn);
    setCellText(row, CommandColumn, callmem::CommandText(command));
    if (!CellEdited(row, TagColumn))
        setCellText(row, TagColumn,
                    idents::ReadFlaggedTag(image::get, slotPlace(row - 1), TagLength, command));
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

QWidget* TfrmSelcallIdents::txtRadioIdentExit() {
    if (txtRadioIdent->text().size() < ToneCount)
        return ReportShortIdent(QStringLiteral("Radio Ident"), txtRadioIdent);
    return nullptr;
}

QWidget* TfrmSelcallIdents::listSelcallMemoriesExit() {
    if (listSelcallMemories->currentColumn() != IdentColumn)
        return nullptr;
    const QString ident = cellText(listSelcallMemories->currentRow() + 1, IdentColumn);
    for (int position = 0; position < ToneCount; ++position)
        if (position >= ident.size() || ident[position] == QLatin1Char(' '))
            return ReportShortIdent(QStringLiteral("Memory Ident"), listSelcallMemories);
    return nullptr;
}

QWidget* TfrmSelcallIdents::ReportShortIdent(const QString& which, QWidget* returnTo) {
    platform::host().messageBox(callmem::ShortIdentText(which), callmem::ShortIdentCaption,
                                platform::MB_OK);
    return returnTo;
}
