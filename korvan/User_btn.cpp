#include "User_btn.h"

#include "Chanedit_p.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Key_filter.h"
#include "Key_functions.h"
#include "Main.h"
#include "Ser_com.h"
#include "Up_down.h"
#include "platform/Convert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

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
    "Page",
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
};

// A programmable key's controls, in the order of keyfn::Keys (its image bytes).
struct Key {
    QLabel* T::*label;
    QComboBox* T::*function;
    const char* caption;
    QLabel* T::*speedLabel;
    QComboBox* T::*speedDial;
    const char* speedCaption;
};

constexpr Key Keys[keyfn::KeyCount] = {
    {&T::lblButtonF1, &T::cmbButtonF1, "Button F1", &T::lblSelcallBtnF1, &T::cmbSelcallBtnF1, "F1"},
    {&T::lblButtonF2, &T::cmbButtonF2, "Button F2", &T::lblSelcallBtnF2, &T::cmbSelcallBtnF2, "F2"},
    {&T::lblButtonF3, &T::cmbButtonF3, "Button F3", &T::lblSelcallBtnF3, &T::cmbSelcallBtnF3, "F3"},
    {&T::lblButtonF4, &T::cmbButtonF4, "Button F4", &T::lblSelcallBtnF4, &T::cmbSelcallBtnF4, "F4"},
    {&T::lblButtonA, &T::cmbButtonA, "Button F5", &T::lblSelcallBtnA, &T::cmbSelcallBtnA, "F5"},
    {&T::lblButtonB, &T::cmbButtonB, "Button F6", &T::lblSelcallBtnB, &T::cmbSelcallBtnB, "F6"},
    {&T::lblButtonE, &T::cmbButtonE, "Emerg. Btn", &T::lblSelcallBtnE, &T::cmbSelcallBtnE,
     "Emerg."},
    {&T::lblButtonCall, &T::cmbButtonCall, "Call Btn", &T::lblSelcallBtnCall, &T::cmbSelcallBtnCall,
     "Call"},
    {&T::lblButtonMicA, &T::cmbButtonMicA, "Mic (--) Btn", &T::lblSelcallBtnMicA,
     &T::cmbSelcallBtnMicA, "MIC (--)"},
};

struct RecallMemory {
    QLabel* T::*label;
    QComboBox* T::*combo;
    int byte;
};

constexpr RecallMemory RecallMemories[RECALL_MEMORIES] = {
    {&T::lblRecallM1, &T::cmbRecallM1, 0x59},
    {&T::lblRecallM2, &T::cmbRecallM2, 0x5A},
    {&T::lblRecallM3, &T::cmbRecallM3, 0x5B},
    {&T::lblRecallM4, &T::cmbRecallM4, 0x5C},
};

// Memories 1-3 take only DTMF keys; memory 4 takes any character.
struct DtmfMemory {
    QLineEdit* T::*edit;
    bool keyFiltered;
};

constexpr DtmfMemory DtmfMemories[DTMF_MEMORIES] = {
    {&T::txtDtmfMem1, true},
    {&T::txtDtmfMem2, true},
    {&T::txtDtmfMem3, true},
    {&T::txtDtmfMem4, false},
};

constexpr BitBox<T, QCheckBox> OptionBits[] = {
    {0x47, 6, &T::chkMonitorOpenSql},    {0x48, 0, &T::chkQuietMemMod},
    {0x48, 1, &T::chkScanMemMod},        {0x48, 2, &T::chkRecallChMod},
    {0x4D, 5, &T::chkCallButtonEnabled}, {0x4E, 5, &T::chkAlarmInput},
    {0x4E, 6, &T::chkGsTxOnHold},        {0x4F, 5, &T::chkF1F4RsImm},
};

constexpr int LiveByteOffset = 2;
constexpr uint8_t LowPowerBit = 0x01;
constexpr uint8_t MuteOpenBit = 0x02;
constexpr int CbEnableByte = 0x47;
constexpr uint8_t CbEnableBit = 0x08;

// Recall memory values: 0..99 channel v + 1, 100..139 CB channel v - 99.
constexpr int LastChannel = 100;
constexpr int FirstCbValue = LastChannel;
constexpr int LastRecallValue = LastChannel + keyfn::CbChannels - 1;
// In-use flags (record byte 6, bit 0) of channels 1..99, and of channel 100, whose record
// is the first of the unnamed channels.
constexpr int NamedChannelFlags = 0x4DF + 6;
constexpr int Channel100Flags = 0x221 + 6;

QString channelEntry(int channel) {
    return platform::FormatFloat(QStringLiteral("00"), channel) + QLatin1Char(' ') +
           frmEditChannel2->GetChannelName(channel - 1);
}

QString cbEntry(int channel) {
    return QStringLiteral("CB ") + platform::FormatFloat(QStringLiteral("00"), channel);
}

bool channelInUse(int channel) {
    const int flags =
        channel < LastChannel ? NamedChannelFlags + 8 * (channel - 1) : Channel100Flags;
    return frmBelmar->RadioData[flags] & 0x01;
}

uint8_t imageByte(int offset) {
    return frmBelmar->RadioData[offset];
}

bool cbEnabled() {
    return frmBelmar->RadioData[CbEnableByte] & CbEnableBit;
}

// Channels 1..100, and CB channels when the radio has them.
keyfn::RecallRange recallRange() {
    return {LastChannel, cbEnabled()};
}

// The code of character i of a DTMF text, or -1 for a missing character or no DTMF key;
// "P" is no pause here.
int dtmfCode(const QString& text, int i) {
    return i < text.size() ? keyfn::DtmfCode(text.at(i), false) : -1;
}

} // namespace

TfrmUserButtons::TfrmUserButtons(QWidget* parent) : ImageDialog(parent) {
    setWindowTitle(QStringLiteral("User Defined Buttons"));
    buildButtons();
    buildSelcallMemories();
    buildRecallChannels();
    buildDtmf();
    buildScan();
    gbHookActions = keyfn::BuildHookActions(this, chkOffHook);
    buildOptions();

    auto* grid = new QGridLayout(this);
    grid->addWidget(gbButtons, 0, 0, 3, 1);
    grid->addWidget(gbSelcallMemories, 0, 1, 3, 1);
    grid->addWidget(gbRecallChannels, 0, 2);
    grid->addWidget(gbDtmf, 1, 2);
    grid->addWidget(gbOptions, 2, 2);
    grid->addWidget(GroupBox4, 0, 3);
    grid->addWidget(gbHookActions, 1, 3, 2, 1);
    grid->addWidget(BuildBottomPanel(), 3, 0, 1, 4);

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
    chkF1F4RsImm = new QCheckBox(QStringLiteral("Fast Response"), gbButtons);
    grid->addWidget(chkF1F4RsImm, row, 0, 1, 2);
    grid->setRowStretch(row + 1, 1);
}

void TfrmUserButtons::buildSelcallMemories() {
    gbSelcallMemories = new QGroupBox(QStringLiteral("Selcall Speed Dial"), this);
    auto* grid = new QGridLayout(gbSelcallMemories);
    int row = 0;
    for (const Key& key : Keys) {
        this->*key.speedLabel = new QLabel(QString::fromUtf8(key.speedCaption), gbSelcallMemories);
        auto* combo = new QComboBox(gbSelcallMemories);
        for (int m = 1; m <= keyfn::SpeedDialMemories; ++m)
            combo->addItem(QStringLiteral("M%1").arg(m));
        this->*key.speedDial = combo;
        grid->addWidget(this->*key.speedLabel, row, 0);
        grid->addWidget(combo, row++, 1);
    }
    grid->setRowStretch(row, 1);
}

void TfrmUserButtons::buildRecallChannels() {
    keyfn::BuildRecallChannels(*this, this,
                               {QStringLiteral("Channel Pri/M1"), QStringLiteral("Channel M2"),
                                QStringLiteral("Channel M3"), QStringLiteral("Channel M4")},
                               10);
}

// Memories 1-3 take only DTMF keys, with "P" typed as the pause "p".
void TfrmUserButtons::buildDtmf() {
    keyfn::BuildDtmf(*this, this);
    for (const DtmfMemory& memory : DtmfMemories)
        if (memory.keyFiltered)
            keys::allowOnly(this->*memory.edit, keyfn::DtmfKeys, keys::Case::Lower);
}

void TfrmUserButtons::buildScan() {
    QGridLayout* grid = keyfn::BuildScan(*this, this,
                                         {QStringLiteral("200mS / ch - Slow"),
                                          QStringLiteral("100mS / ch - Medium"),
                                          QStringLiteral("50mS / ch - Fast")});
    editPriChkRate = new QLineEdit(GroupBox4);
    udPriChkRate = new UpDown(GroupBox4);
    udPriChkRate->setRange(1, 10);
    udPriChkRate->setAssociate(editPriChkRate);
    // The box shows only a rate the up-down keeps, or the stored one.
    keys::allowRange(editPriChkRate, udPriChkRate->minimum(), udPriChkRate->maximum(),
                     [] { return int(imageByte(keyfn::PriorityRateByte)); });
    auto* rate = new QHBoxLayout;
    rate->setSpacing(0);
    rate->addWidget(editPriChkRate);
    rate->addWidget(udPriChkRate);
    grid->addLayout(rate, 5, 1);
}

void TfrmUserButtons::buildOptions() {
    gbOptions = new QGroupBox(QStringLiteral("Options"), this);
    chkQuietMemMod = new QCheckBox(QStringLiteral("Enable quiet memory modify"), gbOptions);
    chkCallButtonEnabled = new QCheckBox(QStringLiteral("Enable 'Call To QuickEdit'"), gbOptions);
    chkMonitorOpenSql =
        new QCheckBox(QStringLiteral("Monitor button also unmutes radio."), gbOptions);
    chkAlarmInput = new QCheckBox(QStringLiteral("Enable  Alarm Input"), gbOptions);
    chkLowPwr = new QCheckBox(QStringLiteral("TX Low Power"), gbOptions);
    chkSquelch = new QCheckBox(QStringLiteral("Mute open"), gbOptions);
    auto* column = new QVBoxLayout(gbOptions);
    for (QWidget* box : {chkQuietMemMod, chkCallButtonEnabled, chkMonitorOpenSql, chkAlarmInput,
                         chkLowPwr, chkSquelch})
        column->addWidget(box);
}

void TfrmUserButtons::FormCreate() {
    for (const Key& key : Keys)
        FillFunctionList(this->*key.function);
}

void TfrmUserButtons::bindFields() {
    // A stored code with no item shows no selection (the call key's shows "Disabled") and
    // is kept; a combo the user leaves without a selection stores 0xFF.
    for (int k = 0; k < keyfn::KeyCount; ++k) {
        QComboBox* function = this->*Keys[k].function;
        functionFields.comboIndex(function, keyfn::Keys[k].codeByte, 0xFF, 0xFF,
                                  function == cmbButtonCall ? keyfn::Disabled : -1);
        optionFields.comboIndex(this->*Keys[k].speedDial, keyfn::Keys[k].speedByte, 0xFF, 0xFF);
    }
    optionFields.checks(this, OptionBits);
    keyfn::BindHookActions(optionFields, chkOffHook);
    keyfn::BindScan(
        optionFields, *this, [this] { return keyCodes(); }, functionBoxes());
    bindPriorityRate();
}

// The box shows the stored rate as it is, one outside the arrows' range too, and stores the
// number it holds (a typed one is always in range).
void TfrmUserButtons::bindPriorityRate() {
    optionFields.add(
        keyfn::PriorityRateByte, 0xFF, [this](uint8_t rate) { udPriChkRate->setPosition(rate); },
        [this](uint8_t& rate) {
            bool isNumber = false;
            const int shown = editPriChkRate->text().trimmed().toInt(&isNumber);
            rate = uint8_t(isNumber ? shown : udPriChkRate->value());
            return true;
        },
        {udPriChkRate, editPriChkRate});
}

void TfrmUserButtons::bindHelp() {
    const QStringList functions{keyfn::help::Functions};
    const QStringList recall{keyfn::help::Recall};
    const QStringList speedDial{keyfn::help::SpeedDial};
    const QStringList dtmf{keyfn::help::Dtmf};
    const QStringList dtmfSpeedDial{
        dtmf.first(),
        QStringLiteral("On Ombrel use * to speed dial DTMF 3, # to speed dial DTMF 4.")};

    const std::pair<QWidget*, QStringList> table[] = {
        {chkF1F4RsImm,
         {QStringLiteral("Keys configured for functions Recall Channel Memory, ") +
          QStringLiteral("Recall Channel Memory + Dial Selcall Memory, Speed Dial DTMF Memory, "
                         "or Recall ") +
          QStringLiteral("Channel Memory + Dial DTMF Memory respond immediately to a keypress.")}},
        {gbButtons, functions},
        {gbRecallChannels, recall},
        {chkRecallChMod, {keyfn::help::RecallModify}},
        {gbDtmf, dtmf},
        {lblDtmfMem1, dtmf},
        {txtDtmfMem1, dtmf},
        {lblDtmfMem2, dtmf},
        {txtDtmfMem2, dtmf},
        {lblDtmfMem3, dtmfSpeedDial},
        {txtDtmfMem3, dtmfSpeedDial},
        {lblDtmfMem4, dtmfSpeedDial},
        {txtDtmfMem4, dtmfSpeedDial},
        {chkQuietMemMod, {keyfn::help::QuietMemoryModify}},
        {gbSelcallMemories, speedDial},
        {chkCallButtonEnabled, {keyfn::help::CallQuickEdit}},
        {chkMonitorOpenSql, {keyfn::help::MonitorOpenSquelch}},
        {chkAlarmInput, {QStringLiteral("Alarm input has the same function as Emerg. button.")}},
        // Bound to the help handlers without a text of their own.
        {BottomPanel, {}},
        {GroupBox4, {}},
        {HelpText, {}},
        {lblPriCheck, {}},
    };
    help->bindRows(table);
    keyfn::BindScanHelp(*help, *this);
    for (const Key& key : Keys) {
        help->bind(this->*key.label, functions);
        help->bind(this->*key.function, functions);
        help->bind(this->*key.speedLabel, speedDial);
        help->bind(this->*key.speedDial, speedDial);
    }
    for (const RecallMemory& memory : RecallMemories) {
        help->bind(this->*memory.label, recall);
        help->bind(this->*memory.combo, recall);
    }
}

void TfrmUserButtons::connectHandlers() {
    for (const Key& key : Keys)
        connect(this->*key.function, &QComboBox::currentIndexChanged, this,
                &TfrmUserButtons::cmbButtonAChange);
    connect(rbOsMode, &QRadioButton::toggled, this, &TfrmUserButtons::cmbButtonAChange);
    connect(rbGsMode, &QRadioButton::toggled, this, &TfrmUserButtons::cmbButtonAChange);
    connect(chkLowPwr, &QCheckBox::toggled, this, &TfrmUserButtons::chkLowPwrClick);
    connect(chkSquelch, &QCheckBox::toggled, this, &TfrmUserButtons::chkSquelchClick);
    // Any change of a recall text after loading, or a pick from its list, is the user's.
    for (int i = 0; i < RECALL_MEMORIES; ++i) {
        QComboBox* combo = this->*RecallMemories[i].combo;
        connect(combo, &QComboBox::editTextChanged, this, [this, i] { recallTouched[i] = true; });
        connect(combo, &QComboBox::activated, this, [this, i] { recallTouched[i] = true; });
    }
}

QString TfrmUserButtons::FunctionName(int code) {
    return keyfn::Name(FunctionNames, KEY_FUNCTIONS, code);
}

void TfrmUserButtons::FillFunctionList(QComboBox* combo) {
    keyfn::FillNames(combo, FunctionNames, KEY_FUNCTIONS);
}

void TfrmUserButtons::FormShow() {
    TakeBackup();
    LoadUserButtons();
    cmbButtonAChange();
    LiveByte = frmBelmar->RadioData[LiveByteOffset];
    chkLowPwr->setChecked(LiveByte & LowPowerBit);
    chkSquelch->setChecked(LiveByte & MuteOpenBit);
}

void TfrmUserButtons::OKBtnClick() {
    if (!keyfn::CheckRecallTexts(*this, recallTouched, recallRange()))
        return;
    SaveUserButtons();
    done(mrOk);
}

void TfrmUserButtons::LoadButtonFunctions() {
    functionFields.load(frmBelmar->RadioData);
}

void TfrmUserButtons::StoreButtonFunctions() {
    functionFields.store(frmBelmar->RadioData);
}

void TfrmUserButtons::LoadUserButtons() {
    LoadButtonFunctions();
    FillRecallLists();
    LoadDtmfMemories();
    optionFields.load(frmBelmar->RadioData);
}

void TfrmUserButtons::SaveUserButtons() {
    StoreButtonFunctions();
    StoreRecallChannels();
    StoreDtmfMemories();
    optionFields.store(frmBelmar->RadioData);
}

void TfrmUserButtons::FillRecallLists() {
    QStringList entries;
    for (int channel = 1; channel <= LastChannel; ++channel)
        if (channelInUse(channel))
            entries << channelEntry(channel);
    if (cbEnabled())
        for (int channel = 1; channel <= keyfn::CbChannels; ++channel)
            entries << cbEntry(channel);
    for (int n = 1; n <= RECALL_MEMORIES; ++n) {
        QComboBox* combo = this->*RecallMemories[n - 1].combo;
        combo->clear();
        combo->addItems(entries);
        showStoredRecall(n);
        recallTouched[n - 1] = false;
    }
}

// A stored value that names no listed entry shows an empty box: OK keeps that value
// unless the user picks or types another.
void TfrmUserButtons::showStoredRecall(int n) {
    const RecallMemory& memory = RecallMemories[n - 1];
    const int v = frmBelmar->RadioData[memory.byte];
    QString text;
    if (v < LastChannel && channelInUse(v + 1))
        text = channelEntry(v + 1);
    else if (v >= FirstCbValue && v <= LastRecallValue && cbEnabled())
        text = cbEntry(v - (FirstCbValue - 1));
    QComboBox* combo = this->*memory.combo;
    combo->setCurrentIndex(combo->findText(text));
    if (combo->currentIndex() < 0)
        combo->setEditText(QString());
}

// A memory the user did not touch, or whose text names nothing, keeps its stored value.
void TfrmUserButtons::StoreRecallChannels() {
    for (int i = 0; i < RECALL_MEMORIES; ++i) {
        const RecallMemory& memory = RecallMemories[i];
        const int value = keyfn::RecallValue((this->*memory.combo)->currentText(), recallRange());
        if (recallTouched[i] && value >= 0)
            frmBelmar->RadioData[memory.byte] = uint8_t(value);
    }
}

void TfrmUserButtons::LoadDtmfMemories() {
    keyfn::LoadDtmf(*this, imageByte);
}

// A memory whose text is as loaded keeps its six bytes.
void TfrmUserButtons::StoreDtmfMemories() {
    keyfn::StoreDtmf(*this,
                     [this](int offset, const QString& text) { EncodeDtmfMemory(offset, text); });
}

QString TfrmUserButtons::DecodeDtmfMemory(int offset) const {
    return keyfn::DecodeDtmf(imageByte, offset);
}

// Writes digit pairs until the text ends or holds a character that is no DTMF key; that
// digit becomes the end mark and the bytes after it keep their contents. Twelve digits fill
// all six bytes with no end mark.
void TfrmUserButtons::EncodeDtmfMemory(int offset, const QString& text) {
    uint8_t* image = frmBelmar->RadioData;
    for (int i = 0; i < keyfn::DtmfDigits; i += 2) {
        uint8_t& byte = image[offset + i / 2];
        const int high = dtmfCode(text, i);
        if (high < 0) {
            byte = uint8_t(keyfn::DtmfEnd << 4);
            return;
        }
        byte = uint8_t(high << 4);
        const int low = dtmfCode(text, i + 1);
        if (low < 0) {
            byte |= keyfn::DtmfEnd;
            return;
        }
        byte |= uint8_t(low);
    }
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
        codes[k] = (this->*Keys[k].function)->currentIndex();
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
    controls::enable({lblDtmfMem1, txtDtmfMem1}, DtmfMemoryInUse(1));
    controls::enable({lblDtmfMem2, txtDtmfMem2}, DtmfMemoryInUse(2));
    chkRecallChMod->setEnabled(keyfn::AnyHolds(codes, keyfn::RecallM1, keyfn::RecallM4));
    for (int n = 1; n <= RECALL_MEMORIES; ++n)
        controls::enable({this->*RecallMemories[n - 1].label, this->*RecallMemories[n - 1].combo},
                         RecallChannelInUse(n));
    enableSpeedDials();
    chkMonitorOpenSql->setEnabled(keyfn::MonitorKeyUsed(codes));
}

void TfrmUserButtons::enableScanControls() {
    const keyfn::KeyCodes codes = keyCodes();
    OsGsKeyUsed = keyfn::AnyHolds(codes, keyfn::OsGsToggle, keyfn::OsGsToggle);
    ScanKeyUsed = keyfn::AnyHolds(codes, keyfn::Scan, keyfn::Scan);
    keyfn::EnableScan(*this, {udPriChkRate, editPriChkRate}, OsGsKeyUsed, ScanKeyUsed);
}

void TfrmUserButtons::enableSpeedDials() {
    const keyfn::KeyCodes codes = keyCodes();
    for (int k = 0; k < keyfn::KeyCount; ++k)
        controls::enable({this->*Keys[k].speedLabel, this->*Keys[k].speedDial},
                         keyfn::UsesSpeedDial(codes[k]));
}

void TfrmUserButtons::chkLowPwrClick() {
    setLiveBit(LowPowerBit, chkLowPwr->isChecked());
}

void TfrmUserButtons::chkSquelchClick() {
    setLiveBit(MuteOpenBit, chkSquelch->isChecked());
}

void TfrmUserButtons::setLiveBit(uint8_t mask, bool on) {
    const uint8_t next = bits::put(LiveByte, mask, on ? 1 : 0);
    if (next == LiveByte)
        return;
    LiveByte = next;
    WriteLiveByte(LiveByteOffset, next);
}

// The image first, then the radio; no reply is awaited.
void TfrmUserButtons::WriteLiveByte(int offset, uint8_t value) {
    eeBuffer->SetByte(offset, value);
    frmSerial->SendWriteByte(offset, value);
}
