#include "Selcall.h"

#include "Controls.h"
#include "Form.h"
#include "Help_pane.h"
#include "Image_access.h"
#include "Text_format.h"
#include "platform/Host.h"

#include <Selc_mem.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cstdlib>

TfrmSelcall* frmSelcall = nullptr;

namespace {

// Image bytes of the selcall settings.
constexpr int PowerSaveByte = 0x46;
constexpr uint8_t PowerSaveBit = 0x08;
constexpr int ToneCountByte = 0x88; // predictive count in bits 7-4, non-predictive in 3-0
constexpr uint8_t PredictiveMask = 0xF0;
constexpr uint8_t NonPredictiveMask = 0x0F;
constexpr int TonesDisplayByte = 0x87;
constexpr int TonePeriodByte = 0x89;
constexpr int TonesetByte = 0xAC;

#if KORVAN_V2
constexpr bool SignedTonePeriod = true; // 128..255 read as negative: "20ms"
#else
constexpr bool SignedTonePeriod = false;
#endif

// Loaded in this order; every other bit of these bytes is kept.
constexpr BitBox<TfrmSelcall, QCheckBox> CheckFields[] = {
    {0x4B, 0, &TfrmSelcall::chkSelcallDecEnabled},
    {0x4B, 1, &TfrmSelcall::chkSelcallEncEnabled},
    {0x4B, 2, &TfrmSelcall::chkLeadInDelayEnabled},
    {0x4B, 3, &TfrmSelcall::chkLeadInToneEnabled},
    {0x4B, 4, &TfrmSelcall::chkBeepAlarms},
    {0x4B, 5, &TfrmSelcall::chkLeadOutEnabled},
    {0x4B, 6, &TfrmSelcall::chkAppendAni},
    {0x4B, 7, &TfrmSelcall::chkBeepAckEnabled},
    {0x4C, 4, &TfrmSelcall::chkEdgeAniDecode},
    {0x4D, 1, &TfrmSelcall::chkReenterQuiet},
    {0x4D, 2, &TfrmSelcall::chkUnmuteOnSelcall},
    {0x4E, 0, &TfrmSelcall::chkPausePredNonPred, true},
    {0x4E, 1, &TfrmSelcall::chk3rdToneReset},
    {0x4E, 7, &TfrmSelcall::chkAlarmGroupCall},
#if !KORVAN_V2
    {0x4F, 1, &TfrmSelcall::chkAlarmIndivCall},
#endif
    {0x4F, 7, &TfrmSelcall::chkGrpBeepAlarms},
    {0x48, 7, &TfrmSelcall::chkSlowBeeps},
    {0x49, 6, &TfrmSelcall::chkCtcssSelcall},
    {0x4A, 3, &TfrmSelcall::chkRingAlert},
};

struct BarField {
    QScrollBar* TfrmSelcall::*bar;
    int offset;
    uint8_t mask;
};

// Stored as shown once the user set them, also a count the user's predictive count lowered.
constexpr BarField ToneCountFields[] = {
    {&TfrmSelcall::hsbTonesPred, ToneCountByte, PredictiveMask},
    {&TfrmSelcall::hsbTonesDisplay, TonesDisplayByte, 0xFF},
    {&TfrmSelcall::hsbToneNonPred, ToneCountByte, NonPredictiveMask},
};

// A stored value outside the bar's range shows clamped, and OK stores what the bar shows.
constexpr BarField TimeFields[] = {
    {&TfrmSelcall::hsbLeadInDelay, 0x56, 0xFF},
    {&TfrmSelcall::hsbBeepDuration, 0x31, 0xFF},
    {&TfrmSelcall::hsbPttLeadin, 0x85, 0xFF},
    {&TfrmSelcall::hsbPausePredNonPred, 0x86, 0xFF},
};

constexpr int PttLeadingEdge = 1; // cmbPttAni item "on leading edge"

QScrollBar* makeBar(int minimum, int maximum) {
    return controls::bar(nullptr, minimum, maximum, 140);
}

QComboBox* makeCombo(const QStringList& items) {
    auto* combo = new QComboBox;
    combo->addItems(items);
    return combo;
}

// One bar row: caption (none beneath the box that switches the bar), bar, value label.
void addBarRow(QGridLayout* grid, QLabel* caption, QScrollBar* bar, QLabel* value) {
    const int row = grid->rowCount();
    if (caption)
        grid->addWidget(caption, row, 0);
    grid->addWidget(bar, row, 1);
    grid->addWidget(value, row, 2);
}

// The four ident bytes as 8 tone digits, high nibble first, and back.
uint32_t readIdent(int address) {
    uint32_t digits = 0;
    for (int i = 0; i < 4; ++i)
        digits = (digits << 8) | image::get(address + i);
    return digits;
}

void writeIdent(int address, uint32_t digits) {
    for (int i = 0; i < 4; ++i)
        image::set(address + i, uint8_t(digits >> (8 * (3 - i))));
}

uint32_t rotateLeft(uint32_t value, int bits) {
    bits &= 31;
    return bits == 0 ? value : (value << bits) | (value >> (32 - bits));
}

} // namespace

TfrmSelcall::TfrmSelcall(QWidget* parent) : ImageDialog(parent, QDialog::Rejected) {
    setWindowTitle(QStringLiteral("Selcall Options"));
    BuildControls();
    BindImageFields();
    BindHelp();
    ConnectHandlers();
}

void TfrmSelcall::BuildControls() {
    chkSelcallDecEnabled = new QCheckBox(QStringLiteral("Selcall Receiver Enabled"));
    chkEdgeAniDecode = new QCheckBox(QStringLiteral("Enable leading or trailing edge decode"));
    chkBeepAckEnabled = new QCheckBox(QStringLiteral("Enable beep acknowledge"));
    chkRingAlert = new QCheckBox(QStringLiteral("Ring Tone"));
    chkBeepAlarms = new QCheckBox(QStringLiteral("Alert tones for individual calls"));
    chkGrpBeepAlarms = new QCheckBox(QStringLiteral("Alert tones for group calls"));
    chkSlowBeeps = new QCheckBox(QStringLiteral("Enable alert slow beeps"));
    lblBeepDuration = new QLabel(QStringLiteral("Beep alert duration"));
    hsbBeepDuration = makeBar(0, 60);
    lblBeepDurationValue = new QLabel;
#if !KORVAN_V2
    chkAlarmIndivCall = new QCheckBox(QStringLiteral("Alarm output for Individual Calls"));
#endif
    chkAlarmGroupCall = new QCheckBox(QStringLiteral("Alarm output for Group Calls"));
#if KORVAN_V2
    controls::hideForGood(chkAlarmGroupCall); // still loaded and stored
#endif
    chkUnmuteOnSelcall = new QCheckBox(QStringLiteral("Unmute on receipt of selcall"));
    chkReenterQuiet = new QCheckBox(QStringLiteral("Re-enter quiet if no answer"));
    chk3rdToneReset = new QCheckBox(QStringLiteral("Re-enter quiet on 3rd tone not matched"));
    cmbRxGroup = makeCombo({QStringLiteral("Accept no Group calls"),
                            QStringLiteral("Accept Group calls up to 10"),
                            QStringLiteral("Accept Group calls up to 100"),
                            QStringLiteral("Accept Group calls up to 1000")});
    chkCtcssSelcall = new QCheckBox(QStringLiteral("Use CTCSS"));

    chkSelcallEncEnabled = new QCheckBox(QStringLiteral("Selcall Transmit Enabled"));
    chkAppendAni = new QCheckBox(QStringLiteral("Append own ANI on call to"));
    chkLeadOutEnabled = new QCheckBox(QStringLiteral("Lead out delay enabled"));
    chkLeadInDelayEnabled = new QCheckBox(QStringLiteral("Lead in delay enabled"));
    hsbLeadInDelay = makeBar(0, 200);
    lblLeadInDelay = new QLabel;
    chkLeadInToneEnabled = new QCheckBox(QStringLiteral("Enable lead in tone"));
    cmbTxGroup = makeCombo({QStringLiteral("Send no Group calls"),
                            QStringLiteral("Send Group calls up to 10"),
                            QStringLiteral("Send Group calls up to 100"),
                            QStringLiteral("Send Group calls up to 1000")});
    lblPttAni = new QLabel(QStringLiteral("PTT ANI"));
    cmbPttAni = makeCombo({QStringLiteral("disabled"), QStringLiteral("on leading edge"),
                           QStringLiteral("on trailing edge")});
    lblPttLeadinLabel = new QLabel(QStringLiteral("PTT ANI lead in"));
    hsbPttLeadin = makeBar(0, 100);
    lblPttLeadin = new QLabel;

    lblSelcallToneset = new QLabel(QStringLiteral("Selcall Toneset"));
    cmbSelcallToneset =
        makeCombo({QStringLiteral("CCIR"), QStringLiteral("EEA"), QStringLiteral("ZVEI"),
                   QStringLiteral("ZVEI2"), QStringLiteral("DZVEI"), QStringLiteral("PZVEI"),
                   QStringLiteral("EIA")});
    lblSelcallTonePeriod = new QLabel(QStringLiteral("Tone period"));
    cmbSelcallTonePeriod =
        makeCombo({QStringLiteral("20ms"), QStringLiteral("33ms"), QStringLiteral("40ms"),
                   QStringLiteral("50ms"), QStringLiteral("70ms"), QStringLiteral("100ms")});
    lblNumPredTones = new QLabel(QStringLiteral("Predictive tones"));
    hsbTonesPred = makeBar(2, 8);
    lblTonePred = new QLabel;
    lblNumNonPredTones = new QLabel(QStringLiteral("Non predictive tones"));
    hsbToneNonPred = makeBar(2, 8);
    lblToneNonPred = new QLabel;
    lblNumTonesDisplay = new QLabel(QStringLiteral("Tones to display"));
    hsbTonesDisplay = makeBar(1, 5);
    lblTonesDisplay = new QLabel;
    chkPausePredNonPred = new QCheckBox(QStringLiteral("Pause predictive / non predictive"));
    hsbPausePredNonPred = makeBar(0, 250);
    lblPausePredNonPred = new QLabel;
    btnSelcallMem = forms::button(QStringLiteral("Edit Selcall Idents"));
#if KORVAN_V2
    chkAlarmInEnable = new QCheckBox(QStringLiteral("Enable Alarm In"));
    chkPageEnabled = new QCheckBox(QStringLiteral("Enable Page"));
    btnPageAlarm = forms::button(QStringLiteral("Edit Page/Alarm settings"));
#endif

    HelpText = new QTextEdit;
    HelpText->setFixedHeight(64);

    auto* receive = new QGroupBox(QStringLiteral("Receive"));
    auto* rx = new QGridLayout(receive);
    for (QWidget* box : std::initializer_list<QWidget*>{
             chkSelcallDecEnabled, chkEdgeAniDecode, chkBeepAckEnabled, chkRingAlert, chkBeepAlarms,
             chkGrpBeepAlarms, chkSlowBeeps})
        rx->addWidget(box, rx->rowCount(), 0, 1, 3);
    addBarRow(rx, lblBeepDuration, hsbBeepDuration, lblBeepDurationValue);
#if !KORVAN_V2
    rx->addWidget(chkAlarmIndivCall, rx->rowCount(), 0, 1, 3);
#endif
    for (QWidget* control :
         std::initializer_list<QWidget*>{chkAlarmGroupCall, chkUnmuteOnSelcall, chkReenterQuiet,
                                         chk3rdToneReset, cmbRxGroup, chkCtcssSelcall})
        rx->addWidget(control, rx->rowCount(), 0, 1, 3);
    rx->setRowStretch(rx->rowCount(), 1);

    auto* transmit = new QGroupBox(QStringLiteral("Transmit"));
    auto* tx = new QGridLayout(transmit);
    for (QWidget* box : std::initializer_list<QWidget*>{chkSelcallEncEnabled, chkAppendAni,
                                                        chkLeadOutEnabled, chkLeadInDelayEnabled})
        tx->addWidget(box, tx->rowCount(), 0, 1, 3);
    addBarRow(tx, nullptr, hsbLeadInDelay, lblLeadInDelay);
    tx->addWidget(chkLeadInToneEnabled, tx->rowCount(), 0, 1, 3);
    tx->addWidget(cmbTxGroup, tx->rowCount(), 0, 1, 3);
    const int pttRow = tx->rowCount();
    tx->addWidget(lblPttAni, pttRow, 0);
    tx->addWidget(cmbPttAni, pttRow, 1, 1, 2);
    addBarRow(tx, lblPttLeadinLabel, hsbPttLeadin, lblPttLeadin);
    tx->setRowStretch(tx->rowCount(), 1);

    auto* tones = new QGroupBox(QStringLiteral("Tones"));
    auto* tn = new QGridLayout(tones);
    tn->addWidget(lblSelcallToneset, 0, 0);
    tn->addWidget(cmbSelcallToneset, 0, 1, 1, 2);
    tn->addWidget(lblSelcallTonePeriod, 1, 0);
    tn->addWidget(cmbSelcallTonePeriod, 1, 1, 1, 2);
    addBarRow(tn, lblNumPredTones, hsbTonesPred, lblTonePred);
    addBarRow(tn, lblNumNonPredTones, hsbToneNonPred, lblToneNonPred);
    addBarRow(tn, lblNumTonesDisplay, hsbTonesDisplay, lblTonesDisplay);
    tn->addWidget(chkPausePredNonPred, tn->rowCount(), 0, 1, 3);
    addBarRow(tn, nullptr, hsbPausePredNonPred, lblPausePredNonPred);
    tn->addWidget(btnSelcallMem, tn->rowCount(), 0, 1, 3);
#if KORVAN_V2
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{chkAlarmInEnable, chkPageEnabled, btnPageAlarm}) {
        tn->addWidget(hidden, tn->rowCount(), 0, 1, 3);
        controls::hideForGood(hidden);
    }
#endif
    tn->setRowStretch(tn->rowCount(), 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(receive);
    groups->addWidget(transmit);
    groups->addWidget(tones);
    auto* buttons = BuildButtonRow();
    auto* main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addWidget(HelpText);
    main->addLayout(buttons);

    receiveGroup = {chkEdgeAniDecode,     chkBeepAckEnabled, chkRingAlert,       chkBeepAlarms,
                    chkGrpBeepAlarms,     chkSlowBeeps,      lblBeepDuration,    hsbBeepDuration,
                    lblBeepDurationValue, chkAlarmGroupCall, chkUnmuteOnSelcall, chkReenterQuiet,
                    chk3rdToneReset,      cmbRxGroup,        chkCtcssSelcall};
#if !KORVAN_V2
    receiveGroup.push_back(chkAlarmIndivCall);
#endif
    transmitGroup = {chkAppendAni, chkLeadOutEnabled, chkLeadInDelayEnabled,
                     cmbTxGroup,   lblPttAni,         cmbPttAni};
    toneGroup = {lblSelcallTonePeriod, cmbSelcallTonePeriod, btnSelcallMem,      lblNumPredTones,
                 hsbTonesPred,         lblTonePred,          lblNumNonPredTones, hsbToneNonPred,
                 lblToneNonPred,       lblNumTonesDisplay,   hsbTonesDisplay,    lblTonesDisplay,
                 chkPausePredNonPred};
#if KORVAN_V2
    toneGroup.push_back(chkAlarmInEnable);
    toneGroup.push_back(btnPageAlarm);
#endif
}

void TfrmSelcall::BindImageFields() {
    fields.checks(this, CheckFields);
    // Group-call ranges: items 0..3 are 00, 01, 11, 10.
    fields.combo(cmbRxGroup, 0x4C, 0x03, {0, 1, 3, 2});
    fields.combo(cmbTxGroup, 0x4C, 0x0C, {0, 1, 3, 2});
    // PTT ANI: bit 5 leading edge, bit 6 trailing edge; both set loads as leading edge.
    fields.combo(cmbPttAni, 0x4C, 0x60, {0, 1, 2}, {{3, 1}});
    fields.comboIndex(cmbSelcallToneset, TonesetByte, 0xF0);
    for (const BarField& f : ToneCountFields)
        fields.number(this->*f.bar, f.offset, f.mask);
    for (const BarField& f : TimeFields)
        fields.number(this->*f.bar, f.offset, f.mask);
    fields.comboBelow(cmbSelcallTonePeriod, TonePeriodByte, {20, 33, 40, 50, 70, 100},
                      {30, 40, 50, 70, 100}, SignedTonePeriod);
}

void TfrmSelcall::BindHelp() {
    BuildHelp();
    help->bind(chkSelcallDecEnabled,
               {QStringLiteral("Enable the radio to receive incoming Selcalls.")});
    help->bind(chkEdgeAniDecode,
               {QStringLiteral("Enabled the receiver to decode caller identification. The "
                               "transmiting radio needs to have leading or trailing edge ANI "
                               "enabled.")});
    help->bind(chkBeepAckEnabled, {QStringLiteral("Enables the transmit beep acknowledge tones.")});
    help->bind(chkRingAlert, {QStringLiteral("Use Telephone Ring Tones as Selcall Alert.")});
    help->bind(chkBeepAlarms,
               {QStringLiteral("Generate an alert tone if an individal call has been received.")});
    help->bind(chkGrpBeepAlarms,
               {QStringLiteral("Generate an alert tone if a group call has been received.")});
    help->bind(chkSlowBeeps,
               {QStringLiteral("Enable the slow beep alert tones if a call is not answered.")});
    help->bind(chkUnmuteOnSelcall, {QStringLiteral("The radio will clear Quiet mode if active "
                                                   "on receipt of a Selcall.")});
    help->bind(chkReenterQuiet,
               {QStringLiteral("If the user does not respond to the Selcall within 10 seconds, "
                               "the radio will stop the beep alert and return to Quiet mode.")});
    help->bind(chk3rdToneReset,
               {QStringLiteral("If after the 3rd tone of an incoming Selcall is receieved and "
                               "the following tones do not match, the radio will be switched to "
                               "Quiet mode automatically.")});
    help->bind(chkCtcssSelcall,
               {QStringLiteral("The radio must match both a correct incoming Selcall and correct "
                               "CTCSS tone for a Selcall to be acknowledged.")});
    help->bind(cmbRxGroup, {QStringLiteral("Enable the group Selcall receive options.")});
    help->bind(chkSelcallEncEnabled,
               {QStringLiteral("Enable the radio to make out going Selcalls.")});
    help->bind(chkAppendAni,
               {QStringLiteral("This enables the RX Ident of the radio to be attached to every "
                               "out going Selcall for caller identification at the receiving "
                               "end.")});
    help->bind(chkLeadOutEnabled,
               {QStringLiteral("Enable a lead out delay of clear carrier after the Selcall has "
                               "been sent (100ms).")});
    help->bind(chkLeadInDelayEnabled,
               {QStringLiteral("Enable a lead in carrier prior to the start of the Selcall.")});
    help->bind({hsbLeadInDelay, lblLeadInDelay},
               {QStringLiteral("Set the Lead in carrier length.")});
    help->bind(chkLeadInToneEnabled,
               {QStringLiteral("Enable the 1st tone of the Selcall transmission to be sent "
                               "during the lead in delay.")});
    help->bind(cmbTxGroup, {QString()});
    help->bind({cmbPttAni, lblPttAni},
               {QStringLiteral("Send the 'Own ID' string as identification at the beginning or "
                               "end of every transmission.")});
    help->bind({cmbSelcallToneset, lblSelcallToneset},
               {QStringLiteral("Select the Selcall Toneset to use.")});
    help->bind({lblSelcallTonePeriod, cmbSelcallTonePeriod},
               {QStringLiteral("Set the Selcall tone period.")});
    help->bind(btnSelcallMem, {QStringLiteral("Set up the Selcall Ident of the radio and the "
                                              "user call memories.")});
    help->bind({lblNumPredTones, hsbTonesPred, lblTonePred},
               {QStringLiteral("The number of tones to be sent in the first part of a call "
                               "('Call To' Ident). This number is also the length of the radio "
                               "'Own ID'.")});
    help->bind({lblNumNonPredTones, hsbToneNonPred, lblToneNonPred},
               {QStringLiteral("The number of tones from the Radio 'Own ID' to be appended to a "
                               "call as Automatic Number Identification (ANI), if enabled. This "
                               "part identifies the caller radio. If shorter than the Radio 'Own "
                               "ID', the leftmost digits are discarded.")});
    help->bind({lblNumTonesDisplay, hsbTonesDisplay, lblTonesDisplay},
               {QStringLiteral("Set the number of tones to display on the screen in 'Call To' "
                               "and 'Call From' modes. The rightmost digits of an ID are "
                               "displayed.")});
    help->bind({hsbBeepDuration, lblBeepDuration, lblBeepDurationValue},
               {QStringLiteral("Set the duration of Selcall Beep Alerts.")});
#if KORVAN_V2
    help->bind(chkAlarmInEnable,
               {QStringLiteral("If the Alarm In port is activated, switch to a preset channel "
                               "and send a preset selcall string as 'Alarm'. Edit call memory 39 "
                               "to set the actual selcall string to send.")});
#else
    help->bind(chkAlarmIndivCall, {QStringLiteral("Sets an alarm output if an individual call "
                                                  "has been received.")});
#endif
    help->bind(chkAlarmGroupCall,
               {QStringLiteral("Sets an alarm output if a group call has been received.")});
    // The rest clear the pane.
    help->bind({lblPttLeadinLabel, hsbPttLeadin, lblPttLeadin, chkPausePredNonPred,
                hsbPausePredNonPred, lblPausePredNonPred},
               {});
}

void TfrmSelcall::ConnectHandlers() {
    connect(btnSelcallMem, &QPushButton::clicked, this, [this] { btnSelcallMemClick(); });
    for (QScrollBar* bar : {hsbTonesPred, hsbTonesDisplay, hsbToneNonPred})
        connect(bar, &QScrollBar::valueChanged, this, [this, bar] { hsbTonesPredChange(bar); });
    connect(hsbLeadInDelay, &QScrollBar::valueChanged, this, [this] { hsbLeadInDelayChange(); });
    connect(hsbPttLeadin, &QScrollBar::valueChanged, this, [this] { hsbPttLeadinChange(); });
    connect(hsbPausePredNonPred, &QScrollBar::valueChanged, this,
            [this] { hsbPausePredNonPredChange(); });
    connect(hsbBeepDuration, &QScrollBar::valueChanged, this, [this] { hsbBeepDurationChange(); });
    connect(chkLeadInDelayEnabled, &QCheckBox::toggled, this,
            [this] { chkLeadInDelayEnabledClick(chkLeadInDelayEnabled); });
    for (QCheckBox* box : {chkSelcallDecEnabled, chkSelcallEncEnabled, chkPausePredNonPred})
        connect(box, &QCheckBox::toggled, this, [this, box] { chkSelcallDecEnabledClick(box); });
    connect(cmbPttAni, &QComboBox::currentIndexChanged, this,
            [this] { chkSelcallDecEnabledClick(cmbPttAni); });
}

void TfrmSelcall::FormShow() {
    Loading = 1;
    TakeBackup();
    ReadOptions();
    hsbPttLeadinChange();
    chkLeadInDelayEnabledClick(chkLeadInDelayEnabled);
    hsbTonesPredChange(hsbTonesPred);
    hsbTonesPredChange(hsbTonesDisplay);
    hsbTonesPredChange(hsbToneNonPred);
    hsbLeadInDelayChange();
    chkSelcallDecEnabledClick(chkSelcallDecEnabled);
    chkSelcallDecEnabledClick(chkSelcallEncEnabled);
    hsbPausePredNonPredChange();
    ToneCountChanged = 0;
    Loading = 0;
}

void TfrmSelcall::ReadOptions() {
    fields.load(image::get);
    hsbBeepDurationChange();
}

void TfrmSelcall::WriteOptions() {
#if KORVAN_V2
    OptionBytes.take(image::get);
    fields.store(OptionBytes.reader(image::get), OptionBytes.writer(image::set));
    OptionBytes.putBack(image::set);
#else
    fields.store(image::get, image::set);
#endif
}

void TfrmSelcall::OKBtnClick() {
    if (ToneCountChanged == 1 &&
        platform::host().messageBox(QStringLiteral("The number of Selcall Tones has changed.\n"
                                                   "You will need to check the Selcall idents.\n\n"
                                                   "Would you like to edit them now?"),
                                    QStringLiteral("Ident length changed"),
                                    platform::MB_YESNO | platform::MB_ICONQUESTION) ==
            platform::IDYES)
        btnSelcallMemClick();
    WriteOptions();
    accept();
}

void TfrmSelcall::btnSelcallMemClick() {
    const int newCount = hsbTonesPred->value();
    frmSelcallIdents->txtRadioIdent->setMaxLength(newCount);
    // Only a count the user set re-lays the idents: a stored count the bar cannot show (past
    // 8) stays with the idents laid out for it.
    const int oldCount = bits::get(image::get(ToneCountByte), PredictiveMask);
    if (fields.edits().changed(hsbTonesPred) && oldCount != newCount) {
        StoreToneCounts();
        RelayIdents(oldCount, newCount);
    }
    ShowIdents();
    ToneCountChanged = 0;
}

void TfrmSelcall::StoreToneCounts() {
    uint8_t counts = bits::put(0, PredictiveMask, uint8_t(hsbTonesPred->value()));
    counts = bits::put(counts, NonPredictiveMask, uint8_t(hsbToneNonPred->value()));
    image::set(ToneCountByte, counts);
}

// Shrinking the count moves each ident's digits left by the difference (the first ones go
// to the end), growing moves them right, so that shrinking and growing back restores them.
// Every ident the radio holds moves, so that all memories keep calling the same numbers.
void TfrmSelcall::RelayIdents(int oldCount, int newCount) {
    const int digits = std::abs(newCount - oldCount);
    const int shift = newCount < oldCount ? 4 * digits : 32 - (4 * digits) % 32;
    for (int address : frmSelcallIdents->IdentAddresses())
        writeIdent(address, rotateLeft(readIdent(address), shift));
}

void TfrmSelcall::ShowIdents() {
    frmSelcallIdents->exec();
}

void TfrmSelcall::hsbTonesPredChange(QObject* sender) {
    const int predictive = hsbTonesPred->value();
    if (sender == hsbTonesPred) {
        LowerToPredictive(hsbToneNonPred);
        LowerToPredictive(hsbTonesDisplay);
        lblTonePred->setText(QString::number(predictive));
        ToneCountChanged = 1;
    } else if (sender == hsbToneNonPred) {
        if (hsbToneNonPred->value() > predictive)
            hsbToneNonPred->setValue(predictive);
        lblToneNonPred->setText(QString::number(hsbToneNonPred->value()));
    } else if (sender == hsbTonesDisplay) {
        if (hsbTonesDisplay->value() > predictive)
            hsbTonesDisplay->setValue(predictive);
        lblTonesDisplay->setText(QString::number(hsbTonesDisplay->value()));
    }
}

// A count the user's predictive count lowers is the user's change too, stored as shown.
void TfrmSelcall::LowerToPredictive(QScrollBar* count) {
    if (count->value() <= hsbTonesPred->value())
        return;
    count->setValue(hsbTonesPred->value());
    if (fields.edits().changed(hsbTonesPred))
        fields.edits().mark(count);
}

void TfrmSelcall::hsbLeadInDelayChange() {
    lblLeadInDelay->setText(text::ValueText(hsbLeadInDelay->value(), 10, QStringLiteral("ms")));
}

void TfrmSelcall::hsbPttLeadinChange() {
    lblPttLeadin->setText(text::ValueText(hsbPttLeadin->value(), 10, QStringLiteral("ms")));
}

void TfrmSelcall::hsbPausePredNonPredChange() {
    lblPausePredNonPred->setText(
        text::ValueText(hsbPausePredNonPred->value(), 1, QStringLiteral("ms")));
}

void TfrmSelcall::hsbBeepDurationChange() {
    lblBeepDurationValue->setText(
        text::ValueText(hsbBeepDuration->value(), 1, QStringLiteral("s")));
}

void TfrmSelcall::chkLeadInDelayEnabledClick(QObject* sender) {
    const bool leadIn = chkLeadInDelayEnabled->isChecked();
    controls::enable({hsbLeadInDelay, lblLeadInDelay, chkLeadInToneEnabled}, leadIn);
    if (Loading == 1 || sender != chkLeadInDelayEnabled || leadIn ||
        !(image::get(PowerSaveByte) & PowerSaveBit))
        return;
    platform::host().messageBox(QStringLiteral("Selcall lead in tone must\n") +
                                    QStringLiteral("be used with power save mode."),
                                QStringLiteral("Power Save"),
                                platform::MB_OK | platform::MB_ICONINFORMATION);
}

void TfrmSelcall::chkSelcallDecEnabledClick(QObject*) {
    const bool receive = chkSelcallDecEnabled->isChecked();
    const bool transmit = chkSelcallEncEnabled->isChecked();
    const bool either = receive || transmit;
    controls::enable(receiveGroup, receive);
    controls::enable(transmitGroup, transmit);
    if (transmit)
        chkLeadInDelayEnabledClick(chkLeadInDelayEnabled);
    else
        controls::enable({hsbLeadInDelay, lblLeadInDelay, chkLeadInToneEnabled}, false);
    controls::enable({cmbSelcallToneset, lblSelcallToneset}, either);
    controls::enable({lblPttLeadin, lblPttLeadinLabel, hsbPttLeadin},
                     transmit && cmbPttAni->currentIndex() == PttLeadingEdge);
    controls::enable(toneGroup, either);
    controls::enable({hsbPausePredNonPred, lblPausePredNonPred},
                     either && chkPausePredNonPred->isChecked());
#if KORVAN_V2
    if (either)
        chkPageEnabled->setEnabled(true);
#endif
}
