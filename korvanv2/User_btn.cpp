#include "User_btn.h"

#include "Chdata.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Key_filter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

TfrmUserButtons* frmUserButtons = nullptr;

namespace {

using T = TfrmUserButtons;

const char* const FunctionNames[KEY_FUNCTIONS] = {
    "Disabled",
    "TX High/Low power",
    "Monitor",
    "Squelch",
    "Talk around",
    "Scan",
    "OS/GS mode toggle",
    "Zone Select",
    "Quiet",
    "Recall channel M1",
    "Recall channel M2",
    "Recall channel M3",
    "Recall channel M4",
    "Speed dial Selcall Memory",
    "Recall channel M1 & speed dial Selcall Memory",
    "Recall channel M2 & speed dial Selcall Memory",
    "Recall channel M3 & speed dial Selcall Memory",
    "Recall channel M4 & speed dial Selcall Memory",
    "Speed dial DTMF M1",
    "Speed dial DTMF M2",
    "Speed dial DTMF M3",
    "Speed dial DTMF M4",
    "Recall channel M1 & speed dial DTMF M1",
    "Recall channel M1 & speed dial DTMF M2",
    "Recall channel M1 & speed dial DTMF M3",
    "Recall channel M1 & speed dial DTMF M4",
    "Recall channel M2 & speed dial DTMF M1",
    "Recall channel M2 & speed dial DTMF M2",
    "Recall channel M2 & speed dial DTMF M3",
    "Recall channel M2 & speed dial DTMF M4",
    "Recall channel M3 & speed dial DTMF M1",
    "Recall channel M3 & speed dial DTMF M2",
    "Recall channel M3 & speed dial DTMF M3",
    "Recall channel M3 & speed dial DTMF M4",
    "Recall channel M4 & speed dial DTMF M1",
    "Recall channel M4 & speed dial DTMF M2",
    "Recall channel M4 & speed dial DTMF M3",
    "Recall channel M4 & speed dial DTMF M4",
    "Call",
    "KeyLock",
    "Monitor (toggle)",
    "S-Meter (toggle)",
    "Display",
    "Recall Home Channel",
    "Recall Home Channel & speed dial Selcall Memory",
    "Recall Home Channel & speed dial DTMF M1",
    "Recall Home Channel & speed dial DTMF M2",
    "Recall Home Channel & speed dial DTMF M3",
    "Recall Home Channel & speed dial DTMF M4",
};

// A programmable key's controls, in the order of keyfn::Keys (its image bytes).
struct Key {
    QLabel* T::*label;
    QComboBox* T::*function;
    const char* caption;
    QLabel* T::*speedLabel;
    QComboBox* T::*speedDial;
    bool helped; // its controls show the help lines (not the emergency and microphone keys)
};

constexpr Key Keys[keyfn::KeyCount] = {
    {&T::lblButtonF1, &T::cmbButtonF1, "F1", &T::lblSelcallBtnF1, &T::cmbSelcallBtnF1, true},
    {&T::lblButtonF2, &T::cmbButtonF2, "F2", &T::lblSelcallBtnF2, &T::cmbSelcallBtnF2, true},
    {&T::lblButtonF3, &T::cmbButtonF3, "F3", &T::lblSelcallBtnF3, &T::cmbSelcallBtnF3, true},
    {&T::lblButtonF4, &T::cmbButtonF4, "F4", &T::lblSelcallBtnF4, &T::cmbSelcallBtnF4, true},
    {&T::lblButtonA, &T::cmbButtonA, "F5", &T::lblSelcallBtnA, &T::cmbSelcallBtnA, true},
    {&T::lblButtonB, &T::cmbButtonB, "F6", &T::lblSelcallBtnB, &T::cmbSelcallBtnB, true},
    {&T::Label2, &T::cmbButtonE, "Emerg.", &T::lblSelcallBtnE, &T::cmbSelcallBtnE, false},
    {&T::lblButtonCall, &T::cmbButtonCall, "Call", &T::lblSelcallBtnCall, &T::cmbSelcallBtnCall,
     true},
    {&T::lblButtonMicA, &T::cmbButtonMicA, "Mic (--)", &T::lblSelcallBtnMicA, &T::cmbSelcallBtnMicA,
     false},
};

struct RecallMemory {
    QLabel* T::*label;
    QComboBox* T::*combo;
    int word;
};

constexpr RecallMemory RecallMemories[keyfn::RecallMemories] = {
    {&T::lblRecallM1, &T::cmbRecallM1, 0x74},
    {&T::lblRecallM2, &T::cmbRecallM2, 0x76},
    {&T::lblRecallM3, &T::cmbRecallM3, 0x78},
    {&T::lblRecallM4, &T::cmbRecallM4, 0x7A},
};

struct DtmfMemory {
    QLabel* T::*label;
    QLineEdit* T::*edit;
};

constexpr DtmfMemory DtmfMemories[keyfn::DtmfMemories] = {
    {&T::lblDtmfMem1, &T::txtDtmfMem1},
    {&T::lblDtmfMem2, &T::txtDtmfMem2},
    {&T::lblDtmfMem3, &T::txtDtmfMem3},
    {&T::lblDtmfMem4, &T::txtDtmfMem4},
};

constexpr BitBox<T, QCheckBox> OptionBits[] = {
    {0x47, 6, &T::chkMonitorOpenSql},    {0x48, 0, &T::chkQuietMemMod},
    {0x48, 1, &T::chkScanMemMod},        {0x48, 2, &T::chkRecallChMod},
    {0x4D, 5, &T::chkCallButtonEnabled}, {0x4E, 5, &T::chkAlarmInput},
    {0x4E, 6, &T::chkGsTxOnHold},        {0x4F, 6, &T::chkFastResponse},
};

// The channel store's layout (chlayout): flags byte 0 (bit 0 visible) and the first five
// name characters of each record, name characters 6-9 and the zone byte elsewhere.
constexpr int Channels = CH_COUNT;
constexpr int ZoneByte = 3; // of a channel's tag entry
// Recall words: 0..499 channel v + 1, 500..539 CB channel v - 499.
constexpr keyfn::RecallRange RecallRange{Channels, true};
constexpr int FirstCbValue = Channels;
constexpr int LastRecallValue = Channels + keyfn::CbChannels - 1;

uint8_t get(int address) {
    return eeprom.GetByte(address);
}

void set(int address, uint8_t value) {
    eeprom.SetByte(address, value);
}

QString channelEntry(int index) {
    return QStringLiteral("%1 ").arg(index + 1, 3, 10, QLatin1Char('0')) +
           TfrmUserButtons::ChannelLabel(index);
}

// What a recall word shows: its channel, its CB channel, or nothing for a word that names
// neither.
QString recallText(int value) {
    if (value >= 0 && value < FirstCbValue)
        return channelEntry(value);
    if (value >= FirstCbValue && value <= LastRecallValue)
        return QStringLiteral("CB %1").arg(value - (FirstCbValue - 1), 2, 10, QLatin1Char('0'));
    return QString();
}

} // namespace

TfrmUserButtons::TfrmUserButtons(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("User Defined Buttons"));
    setModal(true);
    buildButtons();
    buildSelcallMemories();
    buildRecallChannels();
    buildDtmf();
    buildScan();
    gbHookActions = keyfn::BuildHookActions(this, chkOffHook);
    buildOptions();
    buildPanel();

    auto* grid = new QGridLayout(this);
    grid->addWidget(gbButtons, 0, 0, 3, 1);
    grid->addWidget(gbSelcallMemories, 0, 1, 3, 1);
    grid->addWidget(gbRecallChannels, 0, 2);
    grid->addWidget(gbDtmf, 1, 2);
    grid->addWidget(gbOptions, 2, 2);
    grid->addWidget(GroupBox4, 0, 3);
    grid->addWidget(gbHookActions, 1, 3, 2, 1);
    grid->addWidget(Panel, 3, 0, 1, 4);

    FormCreate();
    bindFields();
    bindHelp();
    connectHandlers();
}

void TfrmUserButtons::buildButtons() {
    gbButtons = new QGroupBox(QStringLiteral("Button Functions"), this);
    auto* grid = new QGridLayout(gbButtons);
    int row = 0;
    for (const Key& key : Keys) {
        this->*key.label = new QLabel(QString::fromUtf8(key.caption), gbButtons);
        this->*key.function = new QComboBox(gbButtons);
        grid->addWidget(this->*key.label, row, 0);
        grid->addWidget(this->*key.function, row++, 1);
    }
    grid->setRowStretch(row, 1);
    cmbButtonMicA->setEditable(true);
    cmbButtonMicA->setInsertPolicy(QComboBox::NoInsert);
}

void TfrmUserButtons::buildSelcallMemories() {
    gbSelcallMemories = new QGroupBox(QStringLiteral("Selcall Speed Dial"), this);
    auto* grid = new QGridLayout(gbSelcallMemories);
    int row = 0;
    for (const Key& key : Keys) {
        this->*key.speedLabel = new QLabel(QString::fromUtf8(key.caption), gbSelcallMemories);
        this->*key.speedDial = new QComboBox(gbSelcallMemories);
        grid->addWidget(this->*key.speedLabel, row, 0);
        grid->addWidget(this->*key.speedDial, row++, 1);
    }
    grid->setRowStretch(row, 1);
    cmbSelcallBtnMicA->setEditable(true);
    cmbSelcallBtnMicA->setInsertPolicy(QComboBox::NoInsert);
}

void TfrmUserButtons::buildRecallChannels() {
    keyfn::BuildRecallChannels(
        *this, this,
        {QStringLiteral("M1"), QStringLiteral("M2"), QStringLiteral("M3"), QStringLiteral("M4")},
        13);
    for (const RecallMemory& memory : RecallMemories)
        keys::allowOnly(this->*memory.combo, keys::PrintableAscii);
}

// The memories take only DTMF keys, "P" typed as the pause "p"; a paste keeps only them.
void TfrmUserButtons::buildDtmf() {
    keyfn::BuildDtmf(*this, this);
    for (const DtmfMemory& memory : DtmfMemories)
        keys::allowOnly(this->*memory.edit, keyfn::DtmfKeys, keys::Case::Lower);
}

void TfrmUserButtons::buildScan() {
    QGridLayout* grid = keyfn::BuildScan(*this, this,
                                         {QStringLiteral("200mS per channel - Slow"),
                                          QStringLiteral("100mS per channel - Medium"),
                                          QStringLiteral("50mS per channel - Fast")});
    hsbPriCheckRate = controls::bar(GroupBox4, 1, 10, 120);
    lblPriCheckRate = new QLabel(GroupBox4);
    lblPriCheckRate->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("10 channels")));
    grid->addWidget(hsbPriCheckRate, 5, 1);
    grid->addWidget(lblPriCheckRate, 6, 1);
}

void TfrmUserButtons::buildOptions() {
    gbOptions = new QGroupBox(QStringLiteral("Options"), this);
    chkQuietMemMod = new QCheckBox(QStringLiteral("Enable quiet memory modify"), gbOptions);
    chkCallButtonEnabled = new QCheckBox(QStringLiteral("Enable 'Call To QuickEdit'"), gbOptions);
    chkMonitorOpenSql =
        new QCheckBox(QStringLiteral("Monitor button also unmutes the radio"), gbOptions);
    chkAlarmInput = new QCheckBox(QStringLiteral("Enable Alarm Input"), gbOptions);
    chkFastResponse = new QCheckBox(QStringLiteral("Enable Fast Response"), gbOptions);
    auto* column = new QVBoxLayout(gbOptions);
    for (QWidget* box :
         {chkQuietMemMod, chkCallButtonEnabled, chkMonitorOpenSql, chkAlarmInput, chkFastResponse})
        column->addWidget(box);
}

void TfrmUserButtons::buildPanel() {
    Panel = new QWidget(this);
    HelpText = new QTextEdit(Panel);
    HelpText->setReadOnly(true);
    HelpText->setFixedHeight(64);
    OKBtn = forms::button(QStringLiteral("OK"), Panel);
    CancelBtn = forms::button(QStringLiteral("Cancel"), Panel);
    auto* row = controls::helpRow(HelpText, OKBtn, CancelBtn);
    row->setContentsMargins(0, 0, 0, 0);
    Panel->setLayout(row);
}

void TfrmUserButtons::FormCreate() {
    for (const Key& key : Keys)
        FillFunctionList(this->*key.function);
    for (const Key& key : Keys)
        FillSpeedDialList(this->*key.speedDial);
}

// A stored code or speed-dial byte with no item shows no selection and is kept; a combo
// the user leaves without a selection (or whose typed text names no item) stores 0xFF.
void TfrmUserButtons::bindFields() {
    for (int k = 0; k < keyfn::KeyCount; ++k) {
        functionFields.comboIndex(this->*Keys[k].function, keyfn::Keys[k].codeByte, 0xFF, 0xFF);
        optionFields.comboIndex(this->*Keys[k].speedDial, keyfn::Keys[k].speedByte, 0xFF, 0xFF);
    }
    keyfn::BindScan(
        optionFields, *this, [this] { return keyCodes(); }, functionBoxes());
    optionFields.checks(this, OptionBits);
    keyfn::BindHookActions(optionFields, chkOffHook);
    optionFields.number(hsbPriCheckRate, keyfn::PriorityRateByte, 0xFF);
}

void TfrmUserButtons::bindHelp() {
    help = new HelpPane(HelpText);
    help->bindOkCancel(OKBtn, CancelBtn);
    const QStringList dtmf{keyfn::help::Dtmf};
    const QStringList priority{
        QStringLiteral("Set the priority channel check rate for Group Scan mode.")};
    const std::pair<QWidget*, QStringList> table[] = {
        {gbButtons, {keyfn::help::Functions}},
        {gbRecallChannels, {keyfn::help::Recall}},
        {chkRecallChMod, {keyfn::help::RecallModify}},
        {gbDtmf, dtmf},
        {chkQuietMemMod, {keyfn::help::QuietMemoryModify}},
        {gbSelcallMemories, {keyfn::help::SpeedDial}},
        {hsbPriCheckRate, priority},
        {lblPriCheck, priority},
        {lblPriCheckRate, priority},
        {chkCallButtonEnabled, {keyfn::help::CallQuickEdit}},
        {chkMonitorOpenSql, {keyfn::help::MonitorOpenSquelch}},
        {chkAlarmInput, {QStringLiteral("Alarm input has same function as Emerg. btn.")}},
        // Bound to the help handlers without a text of their own.
        {cmbButtonE, {}},
        {Label2, {}},
        {cmbSelcallBtnE, {}},
        {Panel, {}},
        {GroupBox4, {}},
        {HelpText, {}},
    };
    help->bindRows(table);
    keyfn::BindScanHelp(*help, *this);
    for (const Key& key : Keys)
        if (key.helped) {
            help->bind({this->*key.label, this->*key.function}, {keyfn::help::Functions});
            help->bind({this->*key.speedLabel, this->*key.speedDial}, {keyfn::help::SpeedDial});
        }
    for (const RecallMemory& memory : RecallMemories)
        help->bind({this->*memory.label, this->*memory.combo}, {keyfn::help::Recall});
    for (const DtmfMemory& memory : DtmfMemories)
        help->bind({this->*memory.label, this->*memory.edit}, dtmf);
}

void TfrmUserButtons::connectHandlers() {
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    for (const Key& key : Keys)
        connect(this->*key.function, &QComboBox::currentIndexChanged, this,
                &TfrmUserButtons::cmbButtonAChange);
    connect(cmbButtonMicA, &QComboBox::editTextChanged, this, &TfrmUserButtons::cmbButtonAChange);
    connect(rbOsMode, &QRadioButton::toggled, this, &TfrmUserButtons::cmbButtonAChange);
    connect(rbGsMode, &QRadioButton::toggled, this, &TfrmUserButtons::cmbButtonAChange);
    connect(hsbPriCheckRate, &QScrollBar::valueChanged, this,
            &TfrmUserButtons::hsbPriCheckRateChange);
    for (const RecallMemory& memory : RecallMemories)
        optionFields.edits().watch(this->*memory.combo);
}

QString TfrmUserButtons::FunctionName(int code) {
    return keyfn::Name(FunctionNames, KEY_FUNCTIONS, code);
}

void TfrmUserButtons::FillFunctionList(QComboBox* combo) {
    keyfn::FillNames(combo, FunctionNames, KEY_FUNCTIONS);
}

void TfrmUserButtons::FillSpeedDialList(QComboBox* combo) {
    combo->clear();
    for (int m = 1; m <= keyfn::SpeedDialMemories; ++m)
        combo->addItem(QStringLiteral("M%1").arg(m));
}

int TfrmUserButtons::ComboCode(const QComboBox* combo) {
    return ImageFields::chosenItem(combo);
}

void TfrmUserButtons::FormShow() {
    LoadUserButtons();
    cmbButtonAChange();
}

void TfrmUserButtons::OKBtnClick() {
    for (int i = 0; i < keyfn::RecallMemories; ++i)
        recallTouched[i] = optionFields.edits().changed(this->*RecallMemories[i].combo);
    if (!keyfn::CheckRecallTexts(*this, recallTouched, RecallRange))
        return;
    SaveUserButtons();
    done(mrOk);
}

void TfrmUserButtons::CancelBtnClick() {
    done(mrCancel);
}

void TfrmUserButtons::reject() {
    done(mrCancel);
}

void TfrmUserButtons::LoadButtonFunctions() {
    functionFields.load(get);
}

void TfrmUserButtons::StoreButtonFunctions() {
    functionFields.store(get, set);
}

void TfrmUserButtons::LoadUserButtons() {
    LoadButtonFunctions();
    FillRecallLists();
    LoadDtmfMemories();
    optionFields.load(get);
    hsbPriCheckRateChange();
}

void TfrmUserButtons::SaveUserButtons() {
    StoreButtonFunctions();
    StoreRecallChannels();
    StoreDtmfMemories();
    optionFields.store(get, set);
}

void TfrmUserButtons::hsbPriCheckRateChange() {
    const int rate = hsbPriCheckRate->value();
    lblPriCheckRate->setText(QString::number(rate) +
                             (rate > 1 ? QStringLiteral(" channels") : QStringLiteral(" channel")));
}

// A radio of 8 KiB has no zone bytes: they read erased, as such a radio leaves them.
bool TfrmUserButtons::ChannelSelectable(int index) {
    if (index < 0 || index >= Channels)
        return false;
    const bool visible = get(chlayout::Record(index)) & chbit::Mask(chbit::Visible);
    uint8_t zone = chlayout::HoldsExtras(eeprom.RadioSize()) ? get(chlayout::Tag(index) + ZoneByte)
                                                             : chlayout::ERASED;
    zone = zone == chlayout::ERASED ? 0 : zone;
    return visible && zone < ZONE_COUNT;
}

// Bytes 0xFF are characters here, not an end mark. A radio of 8 KiB keeps 5 characters.
QString TfrmUserButtons::ChannelLabel(int index) {
    if (index < 0 || index >= Channels)
        return QString();
    QString label;
    const int length = chlayout::NameLength(eeprom.RadioSize());
    for (int i = 0; i < length; ++i) {
        const int address = i < chlayout::NAME_HEAD_CHARS
                                ? chlayout::Record(index) + chlayout::RECORD_FIELDS + i
                                : chlayout::NameTail(index) + i - chlayout::NAME_HEAD_CHARS;
        const uint8_t c = get(address);
        if (c == 0)
            break;
        label += QChar(c);
    }
    return label;
}

void TfrmUserButtons::FillRecallLists() {
    QStringList entries;
    for (int index = 0; index < Channels; ++index)
        if (ChannelSelectable(index))
            entries << channelEntry(index);
    for (int n = 1; n <= keyfn::RecallMemories; ++n) {
        QComboBox* combo = this->*RecallMemories[n - 1].combo;
        combo->clear();
        combo->addItems(entries);
        showStoredRecall(n);
    }
}

void TfrmUserButtons::showStoredRecall(int n) {
    QComboBox* combo = this->*RecallMemories[n - 1].combo;
    const QString text = recallText(eeprom.GetWord(RecallMemories[n - 1].word));
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
}

// "CB nn" gives nn + 499, a channel number n (alone or before its name) n - 1; -1 for
// text that names neither.
int TfrmUserButtons::ParseRecallChannel(const QComboBox* combo) const {
    return keyfn::RecallValue(combo->currentText(), RecallRange);
}

// A memory the user did not touch, or whose text names nothing, keeps its word.
void TfrmUserButtons::StoreRecallChannels() {
    for (int i = 0; i < keyfn::RecallMemories; ++i) {
        const int value = ParseRecallChannel(this->*RecallMemories[i].combo);
        if (recallTouched[i] && value >= 0)
            eeprom.SetWord(RecallMemories[i].word, uint16_t(value));
    }
}

void TfrmUserButtons::LoadDtmfMemories() {
    keyfn::LoadDtmf(*this, get);
}

// A memory whose text is as loaded keeps its six bytes.
void TfrmUserButtons::StoreDtmfMemories() {
    keyfn::StoreDtmf(*this,
                     [this](int offset, const QString& text) { EncodeDtmfMemory(offset, text); });
}

QString TfrmUserButtons::DecodeDtmfMemory(int offset) const {
    return keyfn::DecodeDtmf(get, offset);
}

// All six bytes: the first twelve characters, "P" or "p" a pause, anything else and the
// positions after the text the end code.
void TfrmUserButtons::EncodeDtmfMemory(int offset, const QString& text) {
    int codes[keyfn::DtmfDigits];
    for (int i = 0; i < keyfn::DtmfDigits; ++i) {
        const int code = i < text.size() ? keyfn::DtmfCode(text[i], true) : -1;
        codes[i] = code < 0 ? keyfn::DtmfEnd : code;
    }
    for (int k = 0; k < keyfn::DtmfDigits / 2; ++k)
        set(offset + k, uint8_t(16 * codes[2 * k] + codes[2 * k + 1]));
}

std::vector<QWidget*> TfrmUserButtons::functionBoxes() const {
    std::vector<QWidget*> boxes;
    for (const Key& key : Keys)
        boxes.push_back(this->*key.function);
    return boxes;
}

keyfn::KeyCodes TfrmUserButtons::keyCodes() const {
    keyfn::KeyCodes codes;
    for (int k = 0; k < keyfn::KeyCount; ++k)
        codes[k] = ComboCode(this->*Keys[k].function);
    return codes;
}

bool TfrmUserButtons::DtmfMemoryInUse(int n) const {
    return keyfn::AnyUsesDtmfMemory(keyCodes(), n);
}

bool TfrmUserButtons::RecallChannelInUse(int n) const {
    return keyfn::AnyUsesRecallMemory(keyCodes(), n);
}

void TfrmUserButtons::cmbButtonAChange() {
    const keyfn::KeyCodes codes = keyCodes();
    chkQuietMemMod->setEnabled(keyfn::AnyHolds(codes, keyfn::Quiet, keyfn::Quiet));
    enableScanControls();
    for (int n = 1; n <= keyfn::DtmfMemories; ++n)
        controls::enable({this->*DtmfMemories[n - 1].label, this->*DtmfMemories[n - 1].edit},
                         DtmfMemoryInUse(n));
    chkRecallChMod->setEnabled(keyfn::AnyHolds(codes, keyfn::RecallM1, keyfn::RecallM4));
    for (int n = 1; n <= keyfn::RecallMemories; ++n)
        controls::enable({this->*RecallMemories[n - 1].label, this->*RecallMemories[n - 1].combo},
                         RecallChannelInUse(n));
    for (int k = 0; k < keyfn::KeyCount; ++k)
        controls::enable({this->*Keys[k].speedLabel, this->*Keys[k].speedDial},
                         keyfn::UsesSpeedDial(codes[k]));
    chkMonitorOpenSql->setEnabled(keyfn::MonitorKeyUsed(codes));
}

void TfrmUserButtons::enableScanControls() {
    const keyfn::KeyCodes codes = keyCodes();
    OsGsKeyUsed = keyfn::AnyHolds(codes, keyfn::OsGsToggle, keyfn::OsGsToggle);
    ScanKeyUsed = keyfn::AnyHolds(codes, keyfn::Scan, keyfn::Scan);
    keyfn::EnableScan(*this, {hsbPriCheckRate, lblPriCheckRate}, OsGsKeyUsed, ScanKeyUsed);
}
