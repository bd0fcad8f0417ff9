#include "Options.h"

#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Key_filter.h"
#include "Mactimer.h"
#include "Protocol.h"
#include "Radio_options.h"
#include "Up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <optional>

TfrmOptions* frmOptions = nullptr;

namespace {

constexpr int TotByte = 0x36;
constexpr int DisplayByte = 0x7C;
constexpr int ContrastByte = 0x7D;
constexpr int CtcssLevelByte = 0x84;
constexpr int ContrastLimit = 20;

const radio_options::CtcssTexts CtcssTexts{
    QStringLiteral("CTCSS Carrier-only Tail"),
    QStringLiteral("Briefly transmit carrier only after PTT is released when CTCSS is active."),
    QStringLiteral("Enable Reverse Phase Key at the end of a transmission."),
    QStringLiteral("CTCSS Level")};

// The boxes of the held bytes 0x46..0x4A.
constexpr BitBox<TfrmOptions, QCheckBox> OptionBits[] = {
    {0x46, 0, &TfrmOptions::chkTotEnabled},      {0x46, 2, &TfrmOptions::chkSMeterEnabled},
    {0x46, 7, &TfrmOptions::chkSExtend},         {0x47, 2, &TfrmOptions::chkButtonBeeps},
    {0x47, 7, &TfrmOptions::chkDisplayZoneTag},  {0x48, 3, &TfrmOptions::chkScanPdMem},
    {0x48, 4, &TfrmOptions::chkQuietPdMem},      {0x48, 5, &TfrmOptions::chkChannelPdMem},
    {0x48, 6, &TfrmOptions::chkSqlPdMem},        {0x49, 0, &TfrmOptions::chkCtcssEnabled},
    {0x49, 1, &TfrmOptions::chkCtcssRpkEnabled}, {0x49, 2, &TfrmOptions::chkCtcssSilentTail},
    {0x49, 3, &TfrmOptions::chkBlEnabled},       {0x49, 4, &TfrmOptions::chkCtcssNb},
    {0x49, 5, &TfrmOptions::chkCtcssScan},       {0x49, 7, &TfrmOptions::chkCtcssHangIn},
    {0x4A, 5, &TfrmOptions::chkDisplayZoneName},
};

uint8_t imageByte(int offset) {
    return eeprom.GetByte(offset);
}

int storedContrast() {
    return int8_t(imageByte(ContrastByte));
}

// The contrast its box shows, when that is a number (the box takes none a byte cannot hold).
std::optional<uint8_t> shownContrast(const QLineEdit* box) {
    bool isNumber = false;
    const int shown = box->text().toInt(&isNumber);
    return isNumber ? std::optional<uint8_t>(uint8_t(shown)) : std::nullopt;
}

void setImageByte(int offset, uint8_t value) {
    eeprom.SetByte(offset, value);
}

} // namespace

TfrmOptions::TfrmOptions(QWidget* parent)
    : Form(parent), HeldFlags({0x46, 0x47, 0x48, 0x49, 0x4A}) {
    setWindowTitle(QStringLiteral("Radio Options"));
    buildGroups();
    bindFields();
    connectHandlers();
}

void TfrmOptions::buildGroups() {
    const auto switchOn = radio_options::buildSwitchOn(*this, this);
    const auto timeOut = radio_options::buildTimeOut(*this, this);

    GroupBox1 = new QGroupBox(QStringLiteral("Channels"), this);
    chkBlEnabled = new QCheckBox(QStringLiteral("Enable global busy lockout"), GroupBox1);
    btnGroupChannelTimers = forms::button(QStringLiteral("Group Channel Timers"), GroupBox1);
    auto* channels = new QVBoxLayout(GroupBox1);
    channels->addWidget(chkBlEnabled);
    channels->addWidget(btnGroupChannelTimers);
    controls::hideForGood(btnGroupChannelTimers);

    const auto ctcss = radio_options::buildCtcss(this, CtcssTexts);
    GroupBox3 = ctcss.group;
    chkCtcssEnabled = ctcss.enabled;
    chkCtcssRpkEnabled = ctcss.rpk;
    chkCtcssSilentTail = ctcss.silentTail;
    chkCtcssNb = ctcss.narrowBand;
    chkCtcssHangIn = ctcss.hangIn;
    chkCtcssScan = ctcss.scan;
    lblCtcssLevel = ctcss.levelLabel;
    hsbCtcssLevel = ctcss.level;
    lblCtcssLevelValue = ctcss.levelValue;
    const auto general = radio_options::buildGeneral(*this, this);

    const auto display =
        radio_options::buildDisplay(this, QStringLiteral("Display"), ContrastLimit);
    gbDisplaySetup = display.group;
    cbColour = display.colour;
    cbLevel = display.level;
    editContrast = display.contrastEdit;
    udContrast = display.contrast;
    chkDisplayZoneName = new QCheckBox(QStringLiteral("Display Zone Name"), gbDisplaySetup);
    chkDisplayZoneTag = new QCheckBox(QStringLiteral("Display Zone Tag"), gbDisplaySetup);
    display.grid->addWidget(chkDisplayZoneName, 3, 0, 1, 2);
    display.grid->addWidget(chkDisplayZoneTag, 4, 0, 1, 2);

    OKBtn = forms::button(QStringLiteral("OK"), this);
    CancelBtn = forms::button(QStringLiteral("Cancel"), this);
    HelpText = new QTextEdit(this);
    HelpText->setPlainText(QStringLiteral("Help messages..."));
    HelpText->setFixedHeight(64);

    auto* grid = new QGridLayout(this);
    grid->addWidget(gbSwitchOn, 0, 0);
    grid->addWidget(gbTimeOutTimer, 1, 0);
    grid->addWidget(GroupBox1, 2, 0);
    grid->addWidget(GroupBox3, 0, 1, 2, 1);
    grid->addWidget(GroupBox2, 2, 1);
    grid->addWidget(gbDisplaySetup, 0, 2, 3, 1, Qt::AlignTop);
    grid->addLayout(controls::helpRow(HelpText, OKBtn, CancelBtn), 3, 0, 1, 3);

    help = new HelpPane(HelpText);
    help->bindOkCancel(OKBtn, CancelBtn);
    radio_options::bindHelp(help, switchOn);
    radio_options::bindHelp(help, timeOut);
    radio_options::bindHelp(help, ctcss, CtcssTexts);
    radio_options::bindHelp(help, general);
}

void TfrmOptions::bindFields() {
    fields.checks(this, OptionBits);
    // A stored 0 shows as 1 and stays 0 until the bar is moved.
    fields.number(hsbTot, TotByte, 0xFF);
    fields.number(hsbCtcssLevel, CtcssLevelByte, 0xFF);
    for (QWidget* control : std::initializer_list<QWidget*>{cbColour, cbLevel, udContrast})
        fields.edits().watch(control);
    // The box takes a contrast the arrows reach, or shows the stored one.
    keys::allowRange(editContrast, -ContrastLimit, ContrastLimit, storedContrast);
}

void TfrmOptions::connectHandlers() {
    connect(OKBtn, &QPushButton::clicked, this, &TfrmOptions::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmOptions::CancelBtnClick);
    connect(chkTotEnabled, &QCheckBox::toggled, this, &TfrmOptions::chkTotEnabledClick);
    connect(hsbTot, &QScrollBar::valueChanged, this, &TfrmOptions::hsbTotChange);
    connect(chkCtcssEnabled, &QCheckBox::toggled, this, &TfrmOptions::chkCtcssEnabledClick);
    connect(hsbCtcssLevel, &QScrollBar::valueChanged, this, &TfrmOptions::hsbCtcssLevelChange);
    // Picking an item (even the one shown) previews it; loading does not.
    connect(cbColour, &QComboBox::activated, this, &TfrmOptions::cbLevelClick);
    connect(cbLevel, &QComboBox::activated, this, &TfrmOptions::cbLevelClick);
    connect(udContrast, &UpDown::Click, this, &TfrmOptions::udContrastClick);
    connect(editContrast, &QLineEdit::editingFinished, this, &TfrmOptions::editContrastDone);
    connect(btnGroupChannelTimers, &QPushButton::clicked, this,
            &TfrmOptions::btnGroupChannelTimersClick);
}

void TfrmOptions::FormShow() {
    LoadRadioOptions();
}

void TfrmOptions::OKBtnClick() {
    SaveRadioOptions();
    done(mrOk);
}

void TfrmOptions::CancelBtnClick() {
    done(mrCancel);
}

void TfrmOptions::reject() {
    CancelBtnClick();
}

void TfrmOptions::LoadRadioOptions() {
    HeldFlags.take(imageByte);
    fields.load(HeldFlags.reader(imageByte));
    chkTotEnabledClick();
    hsbTotChange();
    chkCtcssEnabledClick();
    hsbCtcssLevelChange();
    LoadDisplaySettings();
    udContrast->setPosition(storedContrast());
}

// The listed bits the user changed go into the held bytes, which then go back whole; the
// display byte is written whole from the two lists once the user chose in either, and the
// contrast as its box shows it once the user clicked or typed there.
void TfrmOptions::SaveRadioOptions() {
    fields.store(HeldFlags.reader(imageByte), HeldFlags.writer(setImageByte));
    if (fields.edits().anyChanged({cbColour, cbLevel}))
        setImageByte(DisplayByte, ComposeDisplayByte());
    const std::optional<uint8_t> contrast = shownContrast(editContrast);
    if (fields.edits().changed(udContrast) && contrast)
        setImageByte(ContrastByte, *contrast);
    HeldFlags.putBack(setImageByte);
}

void TfrmOptions::LoadDisplaySettings() {
    const uint8_t b = imageByte(DisplayByte);
    cbLevel->setCurrentIndex(radio_options::levelItem(b));
    cbColour->setCurrentIndex(radio_options::colourItem(b));
}

uint8_t TfrmOptions::ComposeDisplayByte() const {
    return radio_options::composeDisplayByte(cbColour->currentIndex(), cbLevel->currentIndex());
}

// The image gets the display byte only on OK.
void TfrmOptions::cbLevelClick() {
    SendToRadio(DisplayByte, ComposeDisplayByte());
}

void TfrmOptions::udContrastClick() {
    PreviewContrast(uint8_t(udContrast->value()));
}

// A number the user typed, on Enter or leaving the box, goes as an arrow click's does.
void TfrmOptions::editContrastDone() {
    const std::optional<uint8_t> typed = shownContrast(editContrast);
    if (!editContrast->isModified() || !typed)
        return;
    editContrast->setModified(false);
    PreviewContrast(*typed);
}

void TfrmOptions::PreviewContrast(uint8_t contrast) {
    setImageByte(ContrastByte, contrast);
    SendToRadio(ContrastByte, contrast);
}

void TfrmOptions::SendToRadio(uint16_t address, uint8_t value) {
    if (!RadioConnect())
        return;
    RadioWriteByte(address, value);
    RadioDisconnect();
}

void TfrmOptions::btnGroupChannelTimersClick() {
    frmMacTimers->exec();
}

void TfrmOptions::chkTotEnabledClick() {
    controls::enable({lblTot, hsbTot, lblTotValue}, chkTotEnabled->isChecked());
}

void TfrmOptions::hsbTotChange() {
    lblTotValue->setText(radio_options::timeOutText(hsbTot->value()));
}

void TfrmOptions::chkCtcssEnabledClick() {
    controls::enable({chkCtcssRpkEnabled, chkCtcssHangIn, chkCtcssSilentTail, chkCtcssScan,
                      chkCtcssNb, lblCtcssLevel, hsbCtcssLevel, lblCtcssLevelValue},
                     chkCtcssEnabled->isChecked());
}

void TfrmOptions::hsbCtcssLevelChange() {
    lblCtcssLevelValue->setText(radio_options::ctcssLevelText(hsbCtcssLevel->value()));
}
