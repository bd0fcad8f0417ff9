#include "Selc_mem.h"

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
    connect(listSelcallMemories, &QTableWidget::cellPressed, this,
            [this] { listSelcallMemoriesMouseDown(); });
    exitChecks.add(txtRadioIdent, [this] { return txtRadioIdentExit(); });
    exitChecks.add(listSelcallMemories, [this] { return listSelcallMemoriesExit(); });
    exitChecks.exempt(CancelBtn);
}

void TfrmSelcallIdents::BuildControls() {
    lblRadioIdent = new QLabel(QStringLiteral("Radio Ident"));
    txtRadioIdent = new QLineEdit;
    txtRadioIdent->setMaxLength(IdentDigits);
    keys::allowOnly(txtRadioIdent, OwnIdentKeys, true);
    lblTlmPrefix = new QLabel(QStringLiteral("Command Call Prefix"));
    txtTlmPrefix = new QLineEdit;
    txtTlmPrefix->setMaxLength(2);
    keys::allowOnly(txtTlmPrefix, keys::Digits);
    chkOwnIdMod = new QCheckBox(QStringLiteral("Own Ident modify enabled"));
    chkCallMemEdit = new QCheckBox(QStringLiteral("Call memory modify"));

    listSelcallMemories = new QTableWidget(GridRows, 4);
    listSelcallMemories->setHorizontalHeaderLabels(
        {QStringLiteral("Memory"), QStringLiteral("Selcall Ident"), QStringLiteral("Alpha Tag"),
         QStringLiteral("Command?")});
    listSelcallMemories->verticalHeader()->hide();
    listSelcallMemories->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    listSelcallMemories->horizontalHeader()->setStretchLastSection(true);
    listSelcallMemories->setSelectionMode(QAbstractItemView::SingleSelection);
    listSelcallMemories->setEditTriggers(QAbstractItemView::DoubleClicked |
                                         QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed);
    listSelcallMemories->setItemDelegate(new MaskEditDelegate(
        this,
        [this](int row, int column) { return listSelcallMemoriesGetEditMask(row + 1, column); },
        [](int column) { return column == IdentColumn ? IdentKeys : TagKeys; }));
    listSelcallMemories->installEventFilter(this);
    const int widths[] = {60, 83, 81, 79};
    for (int column = 0; column < 4; ++column)
        listSelcallMemories->setColumnWidth(column, widths[column]);
    listSelcallMemories->setMinimumSize(330, 300);

    HelpText = new QTextEdit;
    HelpText->setFixedHeight(64);
    OKBtn = forms::button(QStringLiteral("OK"));
    CancelBtn = forms::button(QStringLiteral("Cancel"));
    btnClrMem = forms::button(QStringLiteral("Clear Memory"));
    btnClrMem->hide();

    auto* top = new QGridLayout;
    top->addWidget(lblRadioIdent, 0, 0);
    top->addWidget(txtRadioIdent, 0, 1);
    top->addWidget(chkOwnIdMod, 0, 2);
    top->addWidget(lblTlmPrefix, 1, 0);
    top->addWidget(txtTlmPrefix, 1, 1);
    top->addWidget(chkCallMemEdit, 1, 2);
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
    help->bind({txtRadioIdent, lblRadioIdent}, {idents::help::RadioIdent});
    help->bind({txtTlmPrefix, lblTlmPrefix}, {idents::help::Prefix});
    help->bind(chkOwnIdMod, {idents::help::OwnIdentModify});
    help->bind(chkCallMemEdit, {idents::help::CallMemoryModify});
    help->bind(listSelcallMemories, {idents::help::Memories});
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
    LoadedIdents[OwnIdentSlot] = txtRadioIdent->text();
    txtTlmPrefix->setText(text::HexByte(image::get(PrefixByte)));
    LoadedPrefix = txtTlmPrefix->text();
    FillGrid();
    chkOwnIdMod->setChecked(image::get(PermissionByte) & OwnIdentModifyBit);
    chkCallMemEdit->setChecked(image::get(PermissionByte) & CallMemoryModifyBit);
}

void TfrmSelcallIdents::FillGrid() {
    for (int slot = 0; slot < GridRows; ++slot) {
        const int row = slot + 1;
        LoadedIdents[slot] = GetIdentText(slot);
        setCellText(row, IdentColumn, LoadedIdents[slot]);
        setCellText(row, TagColumn, GetTagText(slot));
        CommandFlags[row] = idents::ReadCommandFlag(image::get, slotPlace(slot)) ? 1 : 0;
        setCellText(row, CommandColumn,
                    CommandFlags[row] ? QStringLiteral("Yes") : QStringLiteral("No"));
    }
}

bool TfrmSelcallIdents::StoreIdents() {
    uint8_t prefix = 0;
    if (!ReadPrefix(prefix))
        return false;
    if (txtRadioIdent->text() != LoadedIdents[OwnIdentSlot])
        SetIdentText(OwnIdentSlot, txtRadioIdent->text());
    image::set(PrefixByte, prefix);
    StoreGrid();
    uint8_t permissions = image::get(PermissionByte);
    permissions = bits::put(permissions, OwnIdentModifyBit, chkOwnIdMod->isChecked());
    permissions = bits::put(permissions, CallMemoryModifyBit, chkCallMemEdit->isChecked());
    image::set(PermissionByte, permissions);
    return true;
}

// The prefix is two decimal digits kept as two hexadecimal nibbles ("42" is 0x42); an
// empty field is "00" and a single digit gets a "0" appended. A prefix shown from the image
// and left as it was keeps its byte; any other text that is not digits is refused.
bool TfrmSelcallIdents::ReadPrefix(uint8_t& prefix) {
    const QString digits = txtTlmPrefix->text();
    if (digits == LoadedPrefix) {
        prefix = image::get(PrefixByte);
        return true;
    }
    const std::optional<uint8_t> typed = idents::ParsePrefix(digits);
    if (!typed) {
        platform::host().messageBox(idents::PrefixError, idents::PrefixErrorCaption,
                                    platform::MB_ICONEXCLAMATION);
        txtTlmPrefix->setFocus();
        return false;
    }
    prefix = *typed;
    return true;
}

void TfrmSelcallIdents::StoreGrid() {
    for (int slot = 0; slot < GridRows; ++slot) {
        const QString ident = cellText(slot + 1, IdentColumn);
        if (ident != LoadedIdents[slot])
            SetIdentText(slot, ident);
        SetTagText(slot, cellText(slot + 1, TagColumn));
    }
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
        return QStringLiteral(">") + QString(command ? IdentDigits : ToneCount, QLatin1Char('C'));
    }
    if (column == TagColumn)
        return QStringLiteral(">") + QString(TagLength, QLatin1Char('C'));
    return QString();
}

void TfrmSelcallIdents::ToggleCommand(int row) {
    if (row < 1 || row > GridRows)
        return;
    CommandFlags[size_t(row)] = CommandFlags[size_t(row)] ? 0 : 1;
    setCellText(row, CommandColumn,
                CommandFlags[size_t(row)] ? QStringLiteral("Yes") : QStringLiteral("No"));
}

bool TfrmSelcallIdents::listSelcallMemoriesKeyPress(QKeyEvent* key) {
    if (listSelcallMemories->currentColumn() != CommandColumn || key->text().isEmpty())
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false; // the dialog's own keys
    default:
        ToggleCommand(listSelcallMemories->currentRow() + 1);
        return true;
    }
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
    platform::host().messageBox(QStringLiteral("The %1 is not long enough.\r"
                                               "Please ensure it has the same number of tones\r"
                                               "as the number of predictive tones.")
                                    .arg(which),
                                QStringLiteral("Number of tones"), platform::MB_OK);
    return returnTo;
}
