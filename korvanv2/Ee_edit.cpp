#include "Ee_edit.h"

#include "Eeprom.h"
#include "Main_window.h"
#include "Protocol.h"
#include "String_grid.h"
#include "platform/Host.h"

#include <Main.h>
#include <Radio_rw.h>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

TfrmEEpromEdit* frmEEpromEdit = nullptr;

namespace {

constexpr int ROW_HEIGHT = 18;
constexpr int VARIABLE_WIDTH = 155;
constexpr int BYTE_WIDTH = 55;
constexpr int WORD_WIDTH = 111;
constexpr int BINARY = 0;
constexpr int HEXADECIMAL = 2;

QButtonGroup* RadioGroup(QGroupBox* box, const QStringList& items) {
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i]);
        group->addButton(item, i);
        layout->addWidget(item);
    }
    return group;
}

QTableWidgetItem* FixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

TfrmEEpromEdit::TfrmEEpromEdit(QWidget* parent) : Form(parent) {
    FormCreate();
}

TfrmEEpromEdit::~TfrmEEpromEdit() = default;

void TfrmEEpromEdit::FormCreate() {
    setWindowTitle(QStringLiteral("EEPROM"));
    EditBuffer = std::make_unique<EEPROM>();
    EditBuffer->Erase();

    sg_eeprom = new QTableWidget;
    sg_eeprom->verticalHeader()->hide();
    grid::TabLeaves(sg_eeprom);
    sg_eeprom->verticalHeader()->setDefaultSectionSize(ROW_HEIGHT);
    sg_eeprom->setMinimumSize(560, 420);

    rgBase = new QGroupBox(QStringLiteral("Base"));
    rgBaseItems =
        RadioGroup(rgBase, {QStringLiteral("Bin"), QStringLiteral("Dec"), QStringLiteral("Hex")});
    rgDataSize = new QGroupBox(QStringLiteral("Data Size"));
    rgDataSizeItems = RadioGroup(rgDataSize, {QStringLiteral("8-bit"), QStringLiteral("16-bit")});

    btnReadAddr = forms::button(QStringLiteral("Read"));
    btnWriteAddr = forms::button(QStringLiteral("Write"));
    btnErase = forms::button(QStringLiteral("Erase Buffer"));
    btnReadAll = forms::button(QStringLiteral("Read All"));
    btnWriteAll = forms::button(QStringLiteral("Write All"));
    btnReset = forms::button(QStringLiteral("Reset Radio"));
    btnOK = forms::button(QStringLiteral("OK"));
    btnCancel = forms::button(QStringLiteral("Cancel"));
    memoEE = new QTextEdit;
    memoEE->setReadOnly(true);
    memoEE->setFixedHeight(60);

    auto* side = new QVBoxLayout;
    side->addWidget(rgBase);
    side->addWidget(rgDataSize);
    for (QPushButton* button :
         {btnReadAddr, btnWriteAddr, btnErase, btnReadAll, btnWriteAll, btnReset})
        side->addWidget(button);
    side->addStretch();
    side->addWidget(btnOK);
    side->addWidget(btnCancel);
    auto* top = new QHBoxLayout;
    top->addWidget(sg_eeprom, 1);
    top->addLayout(side);
    auto* form = new QVBoxLayout(this);
    form->addLayout(top);
    form->addWidget(memoEE);

    connect(rgBaseItems, &QButtonGroup::idClicked, this, &TfrmEEpromEdit::rgBaseClick);
    connect(rgDataSizeItems, &QButtonGroup::idClicked, this, &TfrmEEpromEdit::rgDataSizeClick);
    connect(btnReadAddr, &QPushButton::clicked, this, &TfrmEEpromEdit::btnReadAddrClick);
    connect(btnWriteAddr, &QPushButton::clicked, this, &TfrmEEpromEdit::btnWriteAddrClick);
    connect(btnErase, &QPushButton::clicked, this, &TfrmEEpromEdit::btnEraseClick);
    connect(btnReadAll, &QPushButton::clicked, this, &TfrmEEpromEdit::btnReadAllClick);
    connect(btnWriteAll, &QPushButton::clicked, this, &TfrmEEpromEdit::btnWriteAllClick);
    connect(btnReset, &QPushButton::clicked, this, &TfrmEEpromEdit::btnResetClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmEEpromEdit::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TfrmEEpromEdit::FormShow() {
    memoEE->clear();
    BuildGrid();
    CopyFromImage();
    ShowBuffer();
    rgDataSizeItems->button(DataSize)->setChecked(true);
    rgBaseItems->button(NumberBase)->setChecked(true);
}

// --- the grid --------------------------------------------------------------------------

void TfrmEEpromEdit::BuildGrid() {
    const bool words = DataSize == 1;
    sg_eeprom->setRowCount(0);
    sg_eeprom->setColumnCount(words ? 4 : 5);
    sg_eeprom->setRowCount(Rows);
    // The widest address and data a cell shows: the last address, every bit in binary.
    const QStringList address{QString::number(2 * (Rows - 1))};
    const QStringList word{FormatBinary(0, 16)};
    const QStringList byte{FormatBinary(0, 8)};
    const int width = words ? grid::SizeColumns(sg_eeprom, {{"Addr", 50, address},
                                                            {"Variable (Lo)", VARIABLE_WIDTH},
                                                            {"Variable (Hi)", VARIABLE_WIDTH},
                                                            {"Data (16-bit)", WORD_WIDTH, word}})
                            : grid::SizeColumns(sg_eeprom, {{"Addr", 50, address},
                                                            {"Variable (Lo)", VARIABLE_WIDTH},
                                                            {"Variable (Hi)", VARIABLE_WIDTH},
                                                            {"Data (Lo)", BYTE_WIDTH, byte},
                                                            {"Data (Hi)", BYTE_WIDTH, byte}});
    const int dataWidth = width - sg_eeprom->columnWidth(0);
    sg_eeprom->setColumnWidth(
        0, std::max(sg_eeprom->columnWidth(0), sg_eeprom->viewport()->width() - dataWidth - 25));
    for (int row = 0; row < Rows; ++row)
        sg_eeprom->setItem(row, 0, FixedItem(QString::number(2 * row)));
}

QString TfrmEEpromEdit::CellText(uint32_t value) const {
    const int bits = DataSize == 1 ? 16 : 8;
    switch (NumberBase) {
    case BINARY:
        return FormatBinary(value, bits);
    case HEXADECIMAL:
        return QString::number(value, 16).toUpper().rightJustified(bits / 4, QLatin1Char('0'));
    default:
        return QString::number(value);
    }
}

void TfrmEEpromEdit::ShowBuffer() {
    for (int row = 0; row < Rows; ++row) {
        const int address = 2 * row;
        if (DataSize == 1) {
            sg_eeprom->setItem(
                row, 3, new QTableWidgetItem(CellText(uint32_t(EditBuffer->GetWord(address)))));
            continue;
        }
        for (int half = 0; half < 2; ++half)
            sg_eeprom->setItem(row, 3 + half,
                               new QTableWidgetItem(CellText(EditBuffer->GetByte(address + half))));
    }
}

// A cell's value in the grid's base: binary counts every character but '1' as 0, decimal
// text that is no number reads 0, hexadecimal text must be a number. A value too big for
// the cell is refused rather than cut to its low bits.
bool TfrmEEpromEdit::ParseCell(int row, int column, uint32_t& value) const {
    const int bits = DataSize == 1 ? 16 : 8;
    const QTableWidgetItem* item = sg_eeprom->item(row, column);
    const QString text = item ? item->text().trimmed() : QString();
    if (NumberBase == BINARY) {
        value = ParseBinary(text, bits);
        return true;
    }
    bool ok = true;
    qlonglong number = 0;
    if (NumberBase == HEXADECIMAL) {
        number = text.toLongLong(&ok, 16);
        if (!ok) {
            platform::host().showException(
                QStringLiteral("'x%1' is not a valid integer value").arg(text));
            return false;
        }
    } else {
        number = text.toLongLong(&ok, 10);
        if (!ok)
            number = 0;
    }
    if (number < 0 || number >= (qlonglong(1) << bits)) {
        platform::host().showException(
            QStringLiteral("%1 does not fit a %2-bit location").arg(text).arg(bits));
        return false;
    }
    value = uint32_t(number);
    return true;
}

bool TfrmEEpromEdit::ReadGrid() {
    for (int row = 0; row < Rows; ++row) {
        const int address = 2 * row;
        const int cells = DataSize == 1 ? 1 : 2;
        for (int half = 0; half < cells; ++half) {
            uint32_t value = 0;
            if (!ParseCell(row, FirstDataColumn + half, value)) {
                sg_eeprom->setCurrentCell(row, FirstDataColumn + half);
                return false;
            }
            if (DataSize == 1)
                EditBuffer->SetWord(address, uint16_t(value));
            else
                EditBuffer->SetByte(address + half, uint8_t(value));
        }
    }
    return true;
}

QString TfrmEEpromEdit::FormatBinary(uint32_t value, int digits) {
    digits = std::min(digits, 32);
    QString text;
    for (int bit = digits - 1; bit >= 0; --bit)
        text += (value >> bit) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

uint32_t TfrmEEpromEdit::ParseBinary(const QString& text, int digits) {
    uint32_t value = 0;
    for (int i = 0; i < std::min(digits, int(text.size())); ++i)
        value = value * 2 + (text[i] == QLatin1Char('1') ? 1 : 0);
    return value;
}

void TfrmEEpromEdit::CopyFromImage() {
    EditBuffer->WriteBlock(0, eeprom.data, BufferSize);
}

void TfrmEEpromEdit::CopyToImage() {
    eeprom.WriteBlock(0, EditBuffer->data, BufferSize);
}

// --- base and size ---------------------------------------------------------------------

void TfrmEEpromEdit::rgBaseClick() {
    ChangeView(NumberBase, uint8_t(rgBaseItems->checkedId()));
}

void TfrmEEpromEdit::rgDataSizeClick() {
    ChangeView(DataSize, uint8_t(rgDataSizeItems->checkedId()));
}

// Reads the grid in the old view, then shows the buffer in the new one at the same cell.
// A grid that cannot be read keeps the old view.
void TfrmEEpromEdit::ChangeView(uint8_t& setting, uint8_t chosen) {
    if (chosen == setting)
        return;
    if (!ReadGrid()) {
        rgBaseItems->button(NumberBase)->setChecked(true);
        rgDataSizeItems->button(DataSize)->setChecked(true);
        return;
    }
    setting = chosen;
    const int row = sg_eeprom->currentRow();
    const int column = sg_eeprom->currentColumn();
    BuildGrid();
    ShowBuffer();
    if (row >= 0)
        sg_eeprom->setCurrentCell(row, std::min(column, sg_eeprom->columnCount() - 1));
}

// --- single locations ------------------------------------------------------------------

bool TfrmEEpromEdit::SelectedAddress(int& address, const QString& message, const QString& caption) {
    const int row = sg_eeprom->currentRow();
    const int column = sg_eeprom->currentColumn();
    if (row < 0 || column < FirstDataColumn) {
        platform::host().messageBox(message, caption, platform::MB_OK);
        return false;
    }
    address = 2 * row + (DataSize == 1 ? 0 : column - FirstDataColumn);
    return true;
}

void TfrmEEpromEdit::StartLine(const QString& line) {
    memoEE->clear();
    memoEE->append(line);
    repaint();
}

void TfrmEEpromEdit::EndLine(const QString& result) {
    memoEE->setPlainText(memoEE->toPlainText() + result);
}

// The radio's own size byte decides: on a radio of 8 KiB, an address from 8192 up would land
// on the lower half (8197 on calibration byte 5, 8320 on the size byte). No answer fails.
bool TfrmEEpromEdit::WithinRadio(int address, const QString& caption) {
    int size = 0;
    if (!frmBelmar->GetEepromSize(size))
        return false;
    if (address < size)
        return true;
    platform::host().messageBox(
        QStringLiteral("Location %1 is past the end of the radio's memory (%2 bytes)")
            .arg(address)
            .arg(size),
        caption, platform::MB_OK);
    return false;
}

bool TfrmEEpromEdit::ReadLocation(int address) {
    uint8_t low = 0;
    uint8_t high = 0;
    if (RadioReadByte(uint16_t(address), low) != 0)
        return false;
    if (DataSize == 1 && RadioReadByte(uint16_t(address + 1), high) != 0)
        return false;
    if (DataSize == 1)
        EditBuffer->SetWord(address, uint16_t(low | high << 8));
    else
        EditBuffer->SetByte(address, low);
    return true;
}

bool TfrmEEpromEdit::WriteLocation(int address) {
    if (RadioWriteByte(uint16_t(address), EditBuffer->GetByte(address)) != 0)
        return false;
    return DataSize != 1 ||
           RadioWriteByte(uint16_t(address + 1), EditBuffer->GetByte(address + 1)) == 0;
}

void TfrmEEpromEdit::btnReadAddrClick() {
    const QString caption = QStringLiteral("Read EEPROM");
    int address = 0;
    if (!ReadGrid() ||
        !SelectedAddress(address, QStringLiteral("Please select data location to read"), caption))
        return;
    StartLine(QStringLiteral("Reading EEPROM ..."));
    const bool answered = WithinRadio(address, caption) && ReadLocation(address);
    ShowBuffer();
    EndLine(answered ? QStringLiteral(" OK") : QStringLiteral(" Fail"));
}

void TfrmEEpromEdit::btnWriteAddrClick() {
    const QString caption = QStringLiteral("Write EEPROM");
    int address = 0;
    if (!ReadGrid() ||
        !SelectedAddress(address, QStringLiteral("Please select data location to write"), caption))
        return;
    StartLine(QStringLiteral("Writing EEPROM ..."));
    const bool answered = WithinRadio(address, caption) && WriteLocation(address);
    EndLine(answered ? QStringLiteral(" OK") : QStringLiteral(" Fail"));
}

// --- whole image -----------------------------------------------------------------------

// As far as the radio's own size byte says: on a radio of 8 KiB, addresses from 8192 up
// would land on the lower half, calibration included.
bool TfrmEEpromEdit::ReadAll() {
    int size = 0;
    if (!frmBelmar->GetEepromSize(size))
        return false;
    return Transfer({0, 0, size});
}

// The radio keeps its own size byte; an image made for the other size or band is written
// only after the user has heard what it loses.
bool TfrmEEpromEdit::WriteAll() {
    uint8_t sizeByte = 0;
    uint8_t bandByte = 0;
    if (!frmBelmar->GetSizeByte(sizeByte) || !frmBelmar->GetBandByte(bandByte))
        return false;
    const transfer_job_struct job = ImageWriteJob(0, sizeByte);
    const QString warning = ImageWriteWarning(job, bandByte);
    if (!warning.isEmpty() && !mainwindow::askBeforeWrite(warning))
        return false;
    return Transfer(job);
}

bool TfrmEEpromEdit::Transfer(const transfer_job_struct& job) {
    RadioSetBaudRate(frmBelmar->maxBdRate);
    return ShowTransfer(job) == TRANSFER_DONE;
}

// The transfer reads straight into the program's image, erased first as for the main
// window's read; a read that does not end well gives the image back as it was, so no
// half-read image is left behind.
void TfrmEEpromEdit::btnReadAllClick() {
    StartLine(QStringLiteral("Reading EEPROM..."));
    const auto kept = std::make_unique<EEPROM>();
    kept->WriteBlock(0, eeprom.data, BufferSize);
    eeprom.Erase();
    if (ReadAll()) {
        CopyFromImage();
        ShowBuffer();
        EndLine(QStringLiteral("OK"));
    } else {
        eeprom.WriteBlock(0, kept->data, BufferSize);
        EndLine(QStringLiteral("Fail"));
    }
}

// A write the user stops ends as a cancelled transfer does: "Fail".
void TfrmEEpromEdit::btnWriteAllClick() {
    memoEE->clear();
    if (!ReadGrid())
        return;
    CopyToImage();
    StartLine(QStringLiteral("Writing EEPROM..."));
    EndLine(WriteAll() ? QStringLiteral("OK") : QStringLiteral("Fail"));
}

void TfrmEEpromEdit::btnEraseClick() {
    EditBuffer->Erase();
    ShowBuffer();
}

void TfrmEEpromEdit::btnResetClick() {
    StartLine(QStringLiteral("RESET radio..."));
    RadioDisconnect();
    EndLine(QStringLiteral(" OK"));
}

void TfrmEEpromEdit::btnOKClick() {
    if (!ReadGrid())
        return;
    CopyToImage();
    done(mrOk);
}
