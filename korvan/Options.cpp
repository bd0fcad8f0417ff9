#include "Options.h"

#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Main.h"
#include "Text_format.h"
#include "Up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

TfrmOptions* frmOptions = nullptr;

namespace {

constexpr int TotByte = 0x36;
constexpr int DisplayByte = 0x3B;
constexpr int ContrastByte = 0x3C;
constexpr int CtcssLevelByte = 0x84;
constexpr uint8_t ColourMask = 0x30;
constexpr uint8_t LevelMask = 0x03;
constexpr int NominalCtcssLevel = 127; // 100 %

constexpr BitBox<TfrmOptions, QCheckBox> OptionBits[] = {
    {0x46, 0, &TfrmOptions::chkTotEnabled},      {0x46, 2, &TfrmOptions::chkSMeterEnabled},
    {0x46, 7, &TfrmOptions::chkSExtend},         {0x47, 2, &TfrmOptions::chkButtonBeeps},
    {0x48, 3, &TfrmOptions::chkScanPdMem},       {0x48, 4, &TfrmOptions::chkQuietPdMem},
    {0x48, 5, &TfrmOptions::chkChannelPdMem},    {0x48, 6, &TfrmOptions::chkSqlPdMem},
    {0x49, 0, &TfrmOptions::chkCtcssEnabled},    {0x49, 1, &TfrmOptions::chkCtcssRpkEnabled},
    {0x49, 2, &TfrmOptions::chkCTCSSSilentTail}, {0x49, 4, &TfrmOptions::chkCtcssNb},
    {0x49, 5, &TfrmOptions::chkCtcssScan},       {0x49, 7, &TfrmOptions::chkCtcssHangIn},
    {0x4A, 6, &TfrmOptions::chkAuxBusyEnable},   {0x4A, 7, &TfrmOptions::chkAuxBusyHigh},
};

} // namespace

TfrmOptions::TfrmOptions(QWidget* parent) : ImageDialog(parent) {
    setWindowTitle(QStringLiteral("Radio Options"));
    buildSwitchOn();
    buildTimeOutTimer();
    buildCtcss();
    buildGeneral();
    buildDisplay();

    auto* grid = new QGridLayout(this);
    grid->addWidget(gbSwitchOn, 0, 0);
    grid->addWidget(gbTimeOutTimer, 1, 0);
    grid->addWidget(GroupBox3, 2, 0);
    grid->addWidget(GroupBox2, 0, 1);
    grid->addWidget(gbDisplay, 1, 1, 2, 1, Qt::AlignTop);
    grid->addWidget(BuildBottomPanel(), 3, 0, 1, 2);

    bindFields();
    bindHelp();
    connectHandlers();
}

void TfrmOptions::buildSwitchOn() {
    gbSwitchOn = new QGroupBox(QStringLiteral("Power Switch On Options"), this);
    chkScanPdMem = new QCheckBox(QStringLiteral("Clear Scan at switch on"), gbSwitchOn);
    chkQuietPdMem = new QCheckBox(QStringLiteral("Clear Quiet at switch on"), gbSwitchOn);
    chkChannelPdMem =
        new QCheckBox(QStringLiteral("Recall channel memory 1 at switch on"), gbSwitchOn);
    chkSqlPdMem = new QCheckBox(QStringLiteral("Squelch closed (muted) at switch on"), gbSwitchOn);
    auto* column = new QVBoxLayout(gbSwitchOn);
    for (QWidget* box : {chkScanPdMem, chkQuietPdMem, chkChannelPdMem, chkSqlPdMem})
        column->addWidget(box);
}

void TfrmOptions::buildTimeOutTimer() {
    gbTimeOutTimer = new QGroupBox(QStringLiteral("Time Out Timer"), this);
    chkTotEnabled = new QCheckBox(QStringLiteral("Enable TOT"), gbTimeOutTimer);
    lblTot = new QLabel(QStringLiteral("Time in seconds"), gbTimeOutTimer);
    hsbTot = controls::bar(gbTimeOutTimer, 1, 255);
    lblTotValue = new QLabel(gbTimeOutTimer);
    auto* grid = new QGridLayout(gbTimeOutTimer);
    grid->addWidget(chkTotEnabled, 0, 0, 1, 2);
    grid->addWidget(lblTot, 1, 0);
    grid->addWidget(lblTotValue, 1, 1, Qt::AlignRight);
    grid->addWidget(hsbTot, 2, 0, 1, 2);
}

void TfrmOptions::buildCtcss() {
    GroupBox3 = new QGroupBox(QStringLiteral("CTCSS Options"), this);
    chkCtcssEnabled = new QCheckBox(QStringLiteral("Enable CTCSS operation"), GroupBox3);
    chkCtcssRpkEnabled = new QCheckBox(QStringLiteral("Enable RPK"), GroupBox3);
    chkCTCSSSilentTail = new QCheckBox(QStringLiteral("CTCSS Silent Tail"), GroupBox3);
    chkCtcssNb = new QCheckBox(QStringLiteral("CTCSS narrow band"), GroupBox3);
    chkCtcssHangIn = new QCheckBox(QStringLiteral("Increase CTCSS de-response time"), GroupBox3);
    chkCtcssScan = new QCheckBox(QStringLiteral("Enable CTCSS with scan"), GroupBox3);
    chkCtcssScan->hide();
    lblCtcssLevel = new QLabel(QStringLiteral("CTCSS Level:"), GroupBox3);
    hsbCtcssLevel = controls::bar(GroupBox3, 0, 255);
    lblCtcssLevelValue = new QLabel(GroupBox3);
    auto* grid = new QGridLayout(GroupBox3);
    int row = 0;
    for (QWidget* box :
         {chkCtcssEnabled, chkCtcssRpkEnabled, chkCTCSSSilentTail, chkCtcssNb, chkCtcssHangIn})
        grid->addWidget(box, row++, 0, 1, 2);
    grid->addWidget(lblCtcssLevel, row, 0);
    grid->addWidget(lblCtcssLevelValue, row++, 1, Qt::AlignRight);
    grid->addWidget(hsbCtcssLevel, row, 0, 1, 2);
}

void TfrmOptions::buildGeneral() {
    GroupBox2 = new QGroupBox(QStringLiteral("General Options"), this);
    chkSMeterEnabled = new QCheckBox(QStringLiteral("S-Meter enabled"), GroupBox2);
    chkSExtend = new QCheckBox(QStringLiteral("S-Meter dB Linear"), GroupBox2);
    chkButtonBeeps = new QCheckBox(QStringLiteral("Enable key press beeps"), GroupBox2);
    chkAuxBusyEnable = new QCheckBox(QStringLiteral("Enable Aux Busy output"), GroupBox2);
    chkAuxBusyHigh = new QCheckBox(QStringLiteral("Aux Busy output active high"), GroupBox2);
    chkAuxPttEnable = new QCheckBox(QStringLiteral("Enable Aux PTT input"), GroupBox2);
    chkAuxPttHigh = new QCheckBox(QStringLiteral("Aux PTT active high"), GroupBox2);
    chkAudioMuteIn =
        new QCheckBox(QStringLiteral("Enable external control using DO6..DO8"), GroupBox2);
    auto* column = new QVBoxLayout(GroupBox2);
    for (QWidget* box : {chkSMeterEnabled, chkSExtend, chkButtonBeeps})
        column->addWidget(box);
    for (QWidget* box :
         {chkAuxBusyEnable, chkAuxBusyHigh, chkAuxPttEnable, chkAuxPttHigh, chkAudioMuteIn})
        box->hide();
}

void TfrmOptions::buildDisplay() {
    gbDisplay = new QGroupBox(QStringLiteral("Display"), this);
    comboColour = new QComboBox(gbDisplay);
    comboColour->addItems(
        {QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Orange")});
    comboLevel = new QComboBox(gbDisplay);
    comboLevel->addItems({QStringLiteral("Off"), QStringLiteral("Dim"), QStringLiteral("Bright")});
    editContrast = new QLineEdit(QStringLiteral("0"), gbDisplay);
    udContrast = new UpDown(gbDisplay);
    udContrast->setRange(-15, 15);
    udContrast->setAssociate(editContrast);
    udContrast->setPosition(0);
    auto* contrast = new QHBoxLayout;
    contrast->setSpacing(0);
    contrast->addWidget(editContrast);
    contrast->addWidget(udContrast);
    auto* grid = new QGridLayout(gbDisplay);
    grid->addWidget(new QLabel(QStringLiteral("Colour"), gbDisplay), 0, 0);
    grid->addWidget(comboColour, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Brightness"), gbDisplay), 1, 0);
    grid->addWidget(comboLevel, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Contrast"), gbDisplay), 2, 0);
    grid->addLayout(contrast, 2, 1);
}

void TfrmOptions::bindFields() {
    fields.checks(this, OptionBits);
    // The bar cannot show a stored 0: it shows 1, and OK stores what it shows.
    fields.numberClamped(hsbTot, TotByte, 0xFF);
    fields.number(hsbCtcssLevel, CtcssLevelByte, 0xFF);
}

void TfrmOptions::bindHelp() {
    const QStringList tot{QStringLiteral("Set amount of time for maximum transmit session.")};
    const QStringList level{QStringLiteral(
        "CTCSS level as a % of nominal. Nominal for wideband radio is 300Hz deviation, and "
        "narrowband radio is 150Hz Deviation.")};
    const std::pair<QWidget*, QStringList> table[] = {
        {chkScanPdMem,
         {QStringLiteral("Clear Scan mode at switch on if it was active when the Radio was "
                         "switched off.")}},
        {chkQuietPdMem,
         {QStringLiteral("Clear Quiet mode at switch on if it was active when the Radio was "
                         "switched off.")}},
        {chkChannelPdMem,
         {QStringLiteral("Enables the Radio to start up on the priority (M1) channel at switch "
                         "on.")}},
        {chkSqlPdMem,
         {QStringLiteral("Sets Squelch to close (muted) at switch on, regardless of switch off "
                         "state.")}},
        {chkTotEnabled, {QStringLiteral("Enable transmit time out timer operation.")}},
        {lblTot, tot},
        {hsbTot, tot},
        {lblTotValue, tot},
        {chkCtcssEnabled, {QStringLiteral("Enable CTCSS operation.")}},
        {chkCtcssRpkEnabled,
         {QStringLiteral("Enable CTCSS Reverse Phase Key at the end of a transmission.")}},
        {chkCtcssHangIn,
         {QStringLiteral("Increase the de-response time of the CTCSS decoder. Used for "
                         "situations where the subtone part of the received signal is noisy or "
                         "may include sudden phase jumps.")}},
        {chkCTCSSSilentTail,
         {QStringLiteral("Carrier only at end of transmission if CTCSS is active.")}},
        {chkCtcssScan, {QStringLiteral("Enable CTCSS checking on scan mode.")}},
        {chkCtcssNb, {QStringLiteral("Enable narrow band CTCSS for tones above 151.4Hz.")}},
        {chkSMeterEnabled, {QStringLiteral("Enable S-meter to be displayed.")}},
        {chkSExtend,
         {QStringLiteral("S-meter display is dB-linear, showing the fade margin. A display of "
                         "'20' corresponds to a signal which is 20dB above the 12dB SINAD "
                         "point.")}},
        {chkButtonBeeps, {QStringLiteral("Enable beeps when a button is pressed.")}},
        {chkAuxBusyEnable,
         {QStringLiteral("Enable Aux Busy output for use.\nPin 5 of J801: CTS OUT/Aux Busy")}},
        {chkAuxBusyHigh,
         {QStringLiteral("Set Aux Busy output level as active high (else it is active low).")}},
        {lblCtcssLevel, level},
        {hsbCtcssLevel, level},
        {lblCtcssLevelValue, level},
        // Bound to the help handlers without a text of their own.
        {chkAuxPttEnable, {}},
        {chkAuxPttHigh, {}},
        {chkAudioMuteIn, {}},
    };
    help->bindRows(table);
}

void TfrmOptions::connectHandlers() {
    connect(chkTotEnabled, &QCheckBox::toggled, this, &TfrmOptions::chkTotEnabledClick);
    connect(hsbTot, &QScrollBar::valueChanged, this, &TfrmOptions::hsbTotChange);
    connect(chkCtcssEnabled, &QCheckBox::toggled, this, &TfrmOptions::chkCtcssEnabledClick);
    connect(hsbCtcssLevel, &QScrollBar::valueChanged, this, &TfrmOptions::hsbCtcssLevelChange);
    connect(chkSMeterEnabled, &QCheckBox::toggled, this, &TfrmOptions::chkSMeterEnabledClick);
    connect(chkAuxPttEnable, &QCheckBox::toggled, this, &TfrmOptions::chkAuxPttEnableClick);
    connect(chkAuxBusyEnable, &QCheckBox::toggled, this, &TfrmOptions::chkAuxPttEnableClick);
    // Picking an item (even the one shown) writes the display byte; loading does not.
    connect(comboColour, &QComboBox::activated, this, &TfrmOptions::comboLevelClick);
    connect(comboLevel, &QComboBox::activated, this, &TfrmOptions::comboLevelClick);
    connect(udContrast, &UpDown::Click, this, &TfrmOptions::udContrastClick);
}

void TfrmOptions::FormShow() {
    TakeBackup();
    LoadRadioOptions();
}

void TfrmOptions::OKBtnClick() {
    SaveRadioOptions();
    done(mrOk);
}

void TfrmOptions::LoadRadioOptions() {
    fields.load(frmBelmar->RadioData);
    chkSMeterEnabledClick();
    chkTotEnabledClick();
    hsbTotChange();
    chkCtcssEnabledClick();
    hsbCtcssLevelChange();
    LoadContrast();
    LoadDisplaySettings();
}

// Every listed bit, ticked or not, greyed or not; the display bytes were written when the
// user changed them.
void TfrmOptions::SaveRadioOptions() {
    fields.store(frmBelmar->RadioData);
}

// A stored value outside -15..15 shows as it is; the byte changes only when an arrow is
// clicked, which steps from the nearer end of the range.
void TfrmOptions::LoadContrast() {
    udContrast->setPosition(eeBuffer->GetByte(ContrastByte));
}

// A field value of 3 shows as the last item; the byte is not changed by loading.
void TfrmOptions::LoadDisplaySettings() {
    const auto b = uint8_t(eeBuffer->GetByte(DisplayByte));
    comboLevel->setCurrentIndex(std::min<int>(bits::get(b, LevelMask), 2));
    comboColour->setCurrentIndex(std::min<int>(bits::get(b, ColourMask), 2));
}

// Colour in bits 5-4, brightness in bits 1-0, every other bit 0.
uint8_t TfrmOptions::ComposeDisplayByte() const {
    return bits::put(bits::put(0, ColourMask, uint8_t(comboColour->currentIndex() & 3)), LevelMask,
                     uint8_t(comboLevel->currentIndex() & 3));
}

void TfrmOptions::comboLevelClick() {
    eeBuffer->SetByte(DisplayByte, ComposeDisplayByte());
}

void TfrmOptions::udContrastClick() {
    eeBuffer->SetByte(ContrastByte, uint8_t(udContrast->value()));
}

void TfrmOptions::chkTotEnabledClick() {
    controls::enable({lblTot, hsbTot, lblTotValue}, chkTotEnabled->isChecked());
}

void TfrmOptions::hsbTotChange() {
    lblTotValue->setText(text::ValueText(hsbTot->value(), 1, QStringLiteral(" Seconds")));
}

void TfrmOptions::chkCtcssEnabledClick() {
    controls::enable({chkCtcssRpkEnabled, chkCtcssHangIn, chkCTCSSSilentTail, chkCtcssScan,
                      chkCtcssNb, lblCtcssLevel, hsbCtcssLevel, lblCtcssLevelValue},
                     chkCtcssEnabled->isChecked());
}

void TfrmOptions::hsbCtcssLevelChange() {
    lblCtcssLevelValue->setText(QString::number(hsbCtcssLevel->value() * 100 / NominalCtcssLevel) +
                                QStringLiteral("%"));
}

void TfrmOptions::chkSMeterEnabledClick() {
    chkSExtend->setEnabled(chkSMeterEnabled->isChecked());
}

void TfrmOptions::chkAuxPttEnableClick() {
    chkAuxBusyHigh->setEnabled(chkAuxBusyEnable->isChecked());
}
