#include "Cb_opts.h"

#include "Controls.h"
#include "Ctcss.h"
#include "Help_pane.h"
#include "Main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmCbOptions* frmCbOptions = nullptr;

namespace {

constexpr int OptionByte = 0x4F;
constexpr int DuplexByte = 0x5F;
constexpr int CtcssOffCode = 50;
constexpr int StoredCtcssTones = 50; // codes 0..49
constexpr int ChannelsPerColumn = 10;

// The channel table's "67.0Hz" style tone labels.
const ToneHzLabels ToneLabels{};

// A 40-channel memory: a bit map of five bytes from firstByte, channel n in bit (n-1) mod 8
// of byte firstByte + (n-1) div 8.
struct ChannelMemory {
    int firstByte;
    QCheckBox* (TfrmCbOptions::*boxes)[CB_CHANNELS + 1];
    QWidget* TfrmCbOptions::*tab;
    QPushButton* TfrmCbOptions::*selectAll;
    QPushButton* TfrmCbOptions::*deselectAll;
    const char* caption;
    const char* help;
};

constexpr ChannelMemory Memories[] = {
    {0x60, &TfrmCbOptions::chkOs, &TfrmCbOptions::tabOpenScan, &TfrmCbOptions::btnOsSelectAll,
     &TfrmCbOptions::btnOsDeselectAll, "Open Scan Memory",
     "Select the CB channels in open scan memory"},
    {0x65, &TfrmCbOptions::chkGs, &TfrmCbOptions::tabGroupScan, &TfrmCbOptions::btnGsSelectAll,
     &TfrmCbOptions::btnGsDeselectAll, "Group Scan Memory",
     "Select the CB channels in group scan memory"},
    {0x6A, &TfrmCbOptions::chkQ, &TfrmCbOptions::tabQuiet, &TfrmCbOptions::btnQSelectAll,
     &TfrmCbOptions::btnQDeselectAll, "Quiet Memory", "Select the CB channels in quiet memory"},
    {0x6F, &TfrmCbOptions::chkCtcss, &TfrmCbOptions::tabSilent, &TfrmCbOptions::btnCtcssSelectAll,
     &TfrmCbOptions::btnCtcssDeselectAll, "CTCSS Memory",
     "Select the CB channels in silent memory"},
};

constexpr BitBox<TfrmCbOptions, QCheckBox> OptionBits[] = {
    {OptionByte, 0, &TfrmCbOptions::chkClearPrivOnPri},
    {OptionByte, 2, &TfrmCbOptions::chkCtcssOnDup},
    {OptionByte, 4, &TfrmCbOptions::chkCbBusyLockout},
};

QString channelCaption(int n) {
    return QStringLiteral("Channel %1").arg(n);
}

uint8_t channelBit(int n) {
    return uint8_t(1u << ((n - 1) % 8));
}

// Shows a tone label, also one the list does not hold (a DCS code).
void showToneText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    combo->setCurrentIndex(index);
    if (index < 0)
        combo->setEditText(text);
}

} // namespace

const TfrmCbOptions::ToneBox TfrmCbOptions::ToneBoxes[2] = {
    {&TfrmCbOptions::cmbTxCtcss, 0x5E},
    {&TfrmCbOptions::cmbRxCtcss, 0x5D},
};

TfrmCbOptions::TfrmCbOptions(QWidget* parent) : ImageDialog(parent) {
    setWindowTitle(QStringLiteral("Australian CB Options"));
    buildOptions();
    buildMemories();
    auto* column = new QVBoxLayout(this);
    column->addWidget(GroupBox2);
    column->addWidget(pageCbMemories);
    column->addWidget(BuildBottomPanel());
    bindFields();
    bindHelp();
    connect(chkEnableCbCtcss, &QCheckBox::toggled, this, &TfrmCbOptions::chkEnableCbCtcssClick);
    FormCreate();
}

void TfrmCbOptions::buildOptions() {
    GroupBox2 = new QGroupBox(QStringLiteral("CB CTCSS options"), this);
    chkEnableCbCtcss = new QCheckBox(QStringLiteral("CTCSS on CB Enabled"), GroupBox2);
    chkCbBusyLockout = new QCheckBox(QStringLiteral("Enable busy lock out"), GroupBox2);
    chkCtcssOnDup = new QCheckBox(QStringLiteral("Enable CTCSS on repeater channels"), GroupBox2);
    chkClearPrivOnPri = new QCheckBox(QStringLiteral("Clear silent on priority recall"), GroupBox2);
    lblCbCtcssTx = new QLabel(QStringLiteral("CB CTCSS TX"), GroupBox2);
    lblCbCtcssRx = new QLabel(QStringLiteral("CB CTCSS RX"), GroupBox2);
    cmbTxCtcss = new QComboBox(GroupBox2);
    cmbRxCtcss = new QComboBox(GroupBox2);
    // A tone is chosen from the list only: nothing can be typed, deleted or pasted, but a
    // stored DCS code (not in the list) can still be shown.
    for (QComboBox* combo : {cmbTxCtcss, cmbRxCtcss}) {
        combo->setEditable(true);
        combo->lineEdit()->setReadOnly(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMinimumContentsLength(8);
    }
    auto* grid = new QGridLayout(GroupBox2);
    grid->addWidget(chkEnableCbCtcss, 0, 0);
    grid->addWidget(chkCbBusyLockout, 1, 0);
    grid->addWidget(chkCtcssOnDup, 2, 0);
    grid->addWidget(chkClearPrivOnPri, 3, 0);
    grid->addWidget(lblCbCtcssTx, 0, 1);
    grid->addWidget(cmbTxCtcss, 0, 2);
    grid->addWidget(lblCbCtcssRx, 1, 1);
    grid->addWidget(cmbRxCtcss, 1, 2);
    grid->setColumnStretch(0, 1);
}

void TfrmCbOptions::buildMemories() {
    pageCbMemories = new QTabWidget(this);
    pageCbMemories->tabBar()->setAttribute(Qt::WA_Hover);
    pageCbMemories->setUsesScrollButtons(false); // all five tabs in view
    for (int m = 0; m < int(std::size(Memories)); ++m)
        pageCbMemories->addTab(buildChannelTab(m), QString::fromUtf8(Memories[m].caption));
    pageCbMemories->addTab(buildDuplexTab(), QStringLiteral("Duplex Memory"));
}

QWidget* TfrmCbOptions::buildChannelTab(int memory) {
    const ChannelMemory& row = Memories[memory];
    auto* tab = new QWidget(pageCbMemories);
    this->*row.tab = tab;
    auto* grid = new QGridLayout(tab);
    QCheckBox** boxes = this->*row.boxes;
    for (int n = 1; n <= CB_CHANNELS; ++n) {
        boxes[n] = new QCheckBox(channelCaption(n), tab);
        grid->addWidget(boxes[n], (n - 1) % ChannelsPerColumn, (n - 1) / ChannelsPerColumn);
    }
    QPushButton* select = new QPushButton(QStringLiteral("&Select All"), tab);
    QPushButton* deselect = new QPushButton(QStringLiteral("&Deselect All"), tab);
    this->*row.selectAll = select;
    this->*row.deselectAll = deselect;
    for (QPushButton* button : {select, deselect}) {
        connect(button, &QPushButton::clicked, this,
                [this, button] { btnOsSelectAllClick(button); });
    }
    grid->addWidget(select, ChannelsPerColumn, 0);
    grid->addWidget(deselect, ChannelsPerColumn, 1);
    return tab;
}

QWidget* TfrmCbOptions::buildDuplexTab() {
    tabDuplex = new QWidget(pageCbMemories);
    auto* column = new QVBoxLayout(tabDuplex);
    for (int n = 1; n <= CB_DUPLEX_CHANNELS; ++n) {
        chkDup[n] = new QCheckBox(channelCaption(n), tabDuplex);
        column->addWidget(chkDup[n]);
    }
    column->addStretch();
    return tabDuplex;
}

void TfrmCbOptions::bindFields() {
    optionFields.checks(this, OptionBits);
    for (const ChannelMemory& row : Memories)
        for (int n = 1; n <= CB_CHANNELS; ++n)
            memoryFields.check((this->*row.boxes)[n], row.firstByte + (n - 1) / 8, channelBit(n));
    for (int n = 1; n <= CB_DUPLEX_CHANNELS; ++n)
        memoryFields.check(chkDup[n], DuplexByte, channelBit(n));
}

void TfrmCbOptions::bindHelp() {
    const QStringList tx{QStringLiteral("Set the CTCSS TX tone to use for CB channels")};
    const QStringList rx{QStringLiteral("Set the CTCSS RX tone to use for CB channels")};
    const std::pair<QWidget*, QStringList> table[] = {
        {chkEnableCbCtcss, {QStringLiteral("Enabled CTCSS operation on CB channels")}},
        {chkCbBusyLockout, {QStringLiteral("Enable Busy lock out operation on CB channels")}},
        {chkClearPrivOnPri, {QStringLiteral("Clear Silent mode on channel recall")}},
        {cmbTxCtcss, tx},
        {lblCbCtcssTx, tx},
        {cmbRxCtcss, rx},
        {lblCbCtcssRx, rx},
        {tabDuplex, {QStringLiteral("Select the CB channels in duplex memory")}},
        // Bound to the help handlers without a text of their own.
        {chkCtcssOnDup, {}},
        {GroupBox2, {}},
        {BottomPanel, {}},
    };
    help->bindRows(table);
    for (const ChannelMemory& row : Memories)
        help->bind(this->*row.tab, {QString::fromUtf8(row.help)});
}

// Once, at program start: the first tab, and both tone lists ("Off" and the 50 CTCSS
// tones; no DCS codes).
void TfrmCbOptions::FormCreate() {
    pageCbMemories->setCurrentWidget(tabOpenScan);
    for (QComboBox* combo : {cmbTxCtcss, cmbRxCtcss}) {
        combo->clear();
        combo->addItem(ToneLabels.ToneHzText(CtcssOffCode));
        for (int code = 0; code < StoredCtcssTones; ++code)
            combo->addItem(ToneLabels.ToneHzText(code));
    }
}

void TfrmCbOptions::FormShow() {
    TakeBackup();
    LoadCbCtcssOptions();
    LoadCbMemories();
}

void TfrmCbOptions::OKBtnClick() {
    SaveCbCtcssOptions();
    SaveCbMemories();
    done(mrOk);
}

void TfrmCbOptions::loadTone(const ToneBox& tone, LoadedTone& loaded) {
    loaded.code = frmBelmar->RadioData[tone.offset];
    loaded.text = ToneLabels.ToneHzText(loaded.code);
    showToneText(this->*tone.combo, loaded.text);
}

// A combo still showing the label it was loaded with keeps its stored byte, so a byte with
// no tone of its own (0xFF of an erased image) survives OK untouched.
uint8_t TfrmCbOptions::toneToStore(const ToneBox& tone, const LoadedTone& loaded) const {
    const QString text = (this->*tone.combo)->currentText();
    if (text == loaded.text)
        return loaded.code;
    return uint8_t(ToneLabels.ToneHzParse(text));
}

void TfrmCbOptions::LoadCbCtcssOptions() {
    optionFields.load(frmBelmar->RadioData);
    for (int i = 0; i < 2; ++i)
        loadTone(ToneBoxes[i], loadedTones[i]);
    const QString off = ToneLabels.ToneHzText(CtcssOffCode);
    chkEnableCbCtcss->setChecked(cmbRxCtcss->currentText() != off ||
                                 cmbTxCtcss->currentText() != off);
    chkEnableCbCtcssClick();
}

void TfrmCbOptions::SaveCbCtcssOptions() {
    if (!chkEnableCbCtcss->isChecked()) {
        const QString off = ToneLabels.ToneHzText(CtcssOffCode);
        showToneText(cmbRxCtcss, off);
        showToneText(cmbTxCtcss, off);
    }
    for (int i = 0; i < 2; ++i)
        frmBelmar->RadioData[ToneBoxes[i].offset] = toneToStore(ToneBoxes[i], loadedTones[i]);
    optionFields.store(frmBelmar->RadioData);
}

void TfrmCbOptions::LoadCbMemories() {
    memoryFields.load(frmBelmar->RadioData);
}

// Every bit of the five bytes of each memory and of the duplex byte.
void TfrmCbOptions::SaveCbMemories() {
    memoryFields.store(frmBelmar->RadioData);
}

void TfrmCbOptions::chkEnableCbCtcssClick() {
    controls::enable({chkCbBusyLockout, chkCtcssOnDup, lblCbCtcssTx, cmbTxCtcss, lblCbCtcssRx,
                      cmbRxCtcss, chkClearPrivOnPri},
                     chkEnableCbCtcss->isChecked());
}

void TfrmCbOptions::btnOsSelectAllClick(QObject* sender) {
    for (const ChannelMemory& row : Memories) {
        const bool select = sender == this->*row.selectAll;
        if (!select && sender != this->*row.deselectAll)
            continue;
        for (int n = 1; n <= CB_CHANNELS; ++n)
            (this->*row.boxes)[n]->setChecked(select);
    }
}
