#include "Options.h"

#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Key_filter.h"
#include "Main.h"
#include "Radio_options.h"
#include "Up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

TfrmOptions* frmOptions = nullptr;

namespace {

constexpr int TotByte = 0x36;
constexpr int DisplayByte = 0x3B;
constexpr int ContrastByte = 0x3C;
constexpr int CtcssLevelByte = 0x84;
constexpr int ContrastLimit = 15;

const radio_options::CtcssTexts CtcssTexts{
    QStringLiteral("CTCSS Silent Tail"),
    QStringLiteral("Carrier only at end of transmission if CTCSS is active."),
    QStringLiteral("Enable CTCSS Reverse Phase Key at the end of a transmission."),
    QStringLiteral("CTCSS Level:")};

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
    const auto switchOn = radio_options::buildSwitchOn(*this, this);
    const auto timeOut = radio_options::buildTimeOut(*this, this);
    const auto ctcss = radio_options::buildCtcss(this, CtcssTexts);
    GroupBox3 = ctcss.group;
    chkCtcssEnabled = ctcss.enabled;
    chkCtcssRpkEnabled = ctcss.rpk;
    chkCTCSSSilentTail = ctcss.silentTail;
    chkCtcssNb = ctcss.narrowBand;
    chkCtcssHangIn = ctcss.hangIn;
    chkCtcssScan = ctcss.scan;
    lblCtcssLevel = ctcss.levelLabel;
    hsbCtcssLevel = ctcss.level;
    lblCtcssLevelValue = ctcss.levelValue;
    const auto general = radio_options::buildGeneral(*this, this);
    buildAuxBoxes();
    const auto display =
        radio_options::buildDisplay(this, QStringLiteral("Display"), ContrastLimit);
    gbDisplay = display.group;
    comboColour = display.colour;
    comboLevel = display.level;
    editContrast = display.contrastEdit;
    udContrast = display.contrast;

    auto* grid = new QGridLayout(this);
    grid->addWidget(gbSwitchOn, 0, 0);
    grid->addWidget(gbTimeOutTimer, 1, 0);
    grid->addWidget(GroupBox3, 2, 0);
    grid->addWidget(GroupBox2, 0, 1);
    grid->addWidget(gbDisplay, 1, 1, 2, 1, Qt::AlignTop);
    grid->addWidget(BuildBottomPanel(), 3, 0, 1, 2);

    bindFields();
    radio_options::bindHelp(help, switchOn);
    radio_options::bindHelp(help, timeOut);
    radio_options::bindHelp(help, ctcss, CtcssTexts);
    radio_options::bindHelp(help, general);
    bindAuxHelp();
    connectHandlers();
}

// Hidden in the form and never shown; only the two busy boxes carry image bits.
void TfrmOptions::buildAuxBoxes() {
    chkAuxBusyEnable = new QCheckBox(QStringLiteral("Enable Aux Busy output"), GroupBox2);
    chkAuxBusyHigh = new QCheckBox(QStringLiteral("Aux Busy output active high"), GroupBox2);
    chkAuxPttEnable = new QCheckBox(QStringLiteral("Enable Aux PTT input"), GroupBox2);
    chkAuxPttHigh = new QCheckBox(QStringLiteral("Aux PTT active high"), GroupBox2);
    chkAudioMuteIn =
        new QCheckBox(QStringLiteral("Enable external control using DO6..DO8"), GroupBox2);
    for (QWidget* box :
         {chkAuxBusyEnable, chkAuxBusyHigh, chkAuxPttEnable, chkAuxPttHigh, chkAudioMuteIn})
        controls::hideForGood(box);
}

void TfrmOptions::bindFields() {
    fields.checks(this, OptionBits);
    // A stored 0 shows as 1 and stays 0 until the bar is moved.
    fields.number(hsbTot, TotByte, 0xFF);
    fields.number(hsbCtcssLevel, CtcssLevelByte, 0xFF);
    bindContrast();
}

// An arrow click writes the contrast at once; a number typed into the box (only -15..15 go
// in, or the stored value) is stored by OK.
void TfrmOptions::bindContrast() {
    keys::allowRange(editContrast, -ContrastLimit, ContrastLimit,
                     [] { return int(eeBuffer->GetByte(ContrastByte)); });
    fields.add(
        ContrastByte, 0xFF, [this](uint8_t) { LoadContrast(); },
        [this](uint8_t& contrast) {
            bool isNumber = false;
            const int shown = editContrast->text().toInt(&isNumber);
            if (isNumber)
                contrast = uint8_t(shown);
            return isNumber;
        },
        {udContrast});
}

void TfrmOptions::bindAuxHelp() {
    help->bind(
        chkAuxBusyEnable,
        {QStringLiteral("Enable Aux Busy output for use.\nPin 5 of J801: CTS OUT/Aux Busy")});
    help->bind(chkAuxBusyHigh, {QStringLiteral("Set Aux Busy output level as active high (else "
                                               "it is active low).")});
    // Bound to the help handlers without a text of their own.
    help->bind({chkAuxPttEnable, chkAuxPttHigh, chkAudioMuteIn}, {});
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
    LoadDisplaySettings();
}

// Every listed bit, ticked or not, greyed or not, and a typed contrast; the display bytes
// were written when the user changed them.
void TfrmOptions::SaveRadioOptions() {
    fields.store(frmBelmar->RadioData);
}

// A stored value outside -15..15 shows as it is; the byte changes only when an arrow is
// clicked, which steps from the nearer end of the range, or a number is typed.
void TfrmOptions::LoadContrast() {
    udContrast->setPosition(eeBuffer->GetByte(ContrastByte));
}

// A field value of 3 shows as the last item; the byte is not changed by loading.
void TfrmOptions::LoadDisplaySettings() {
    const auto b = uint8_t(eeBuffer->GetByte(DisplayByte));
    comboLevel->setCurrentIndex(radio_options::levelItem(b));
    comboColour->setCurrentIndex(radio_options::colourItem(b));
}

uint8_t TfrmOptions::ComposeDisplayByte() const {
    return radio_options::composeDisplayByte(comboColour->currentIndex(),
                                             comboLevel->currentIndex());
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
    lblTotValue->setText(radio_options::timeOutText(hsbTot->value()));
}

void TfrmOptions::chkCtcssEnabledClick() {
    controls::enable({chkCtcssRpkEnabled, chkCtcssHangIn, chkCTCSSSilentTail, chkCtcssScan,
                      chkCtcssNb, lblCtcssLevel, hsbCtcssLevel, lblCtcssLevelValue},
                     chkCtcssEnabled->isChecked());
}

void TfrmOptions::hsbCtcssLevelChange() {
    lblCtcssLevelValue->setText(radio_options::ctcssLevelText(hsbCtcssLevel->value()));
}

void TfrmOptions::chkSMeterEnabledClick() {
    chkSExtend->setEnabled(chkSMeterEnabled->isChecked());
}

void TfrmOptions::chkAuxPttEnableClick() {
    chkAuxBusyHigh->setEnabled(chkAuxBusyEnable->isChecked());
}
