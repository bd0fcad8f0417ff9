#include "Tune_radio.h"

#include "Adv_edit.h"
#include "Cal_layout.h"
#include "Chdata.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Main.h"
#include "Protocol.h"
#include "Radio_rw.h"
#include "Radioabout.h"
#include "Text_format.h"
#include "Up_down.h"
#include "platform/Host.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <thread>

TfrmTuneRadio* frmTuneRadio = nullptr;

namespace {

constexpr auto Second = cal::Generation::Second;

constexpr uint8_t KEY_TX_ON = 0x36;
constexpr uint8_t KEY_TX_OFF = 0x16;
constexpr uint8_t KEY_CHANNEL_DOWN = 0x30;
constexpr uint8_t KEY_CHANNEL_UP = 0x31;

constexpr int TIMER_MS = 500;
constexpr int METER_SAMPLES = 10;
constexpr int METER_PAUSE_MS = 20;
constexpr int FIRMWARE_WITH_TONES = 202;

constexpr int CB_FIRST_INDEX = 500;
constexpr int LAST_INDEX = 539;
constexpr uint32_t CB_BASE_HZ = 476400000;
constexpr uint32_t CB_STEP_HZ = 25000;
constexpr int TAG_FIRST_BYTE = 10;

const int TestToneHz[] = {0, 50, 1000};

QLineEdit* readOut() {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setFixedWidth(50);
    return edit;
}

QString channelNumberText(int index) {
    return QStringLiteral("%1").arg(index + 1, 3, 10, QLatin1Char('0'));
}

} // namespace

// --- radio group -------------------------------------------------------------------------

RadioGroup::RadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), buttons(new QButtonGroup(this)) {
    new QVBoxLayout(this);
}

void RadioGroup::SetItems(const QStringList& items) {
    for (QAbstractButton* old : buttons->buttons()) {
        buttons->removeButton(old);
        delete old;
    }
    for (const QString& item : items) {
        auto* button = new QRadioButton(item);
        buttons->addButton(button, buttons->buttons().size());
        layout()->addWidget(button);
        button->show();
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                emit Click();
        });
    }
}

int RadioGroup::ItemIndex() const {
    return buttons->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
    if (index == ItemIndex())
        return;
    if (QAbstractButton* item = buttons->button(index)) {
        item->setChecked(true);
        return;
    }
    buttons->setExclusive(false);
    for (QAbstractButton* item : buttons->buttons())
        item->setChecked(false);
    buttons->setExclusive(true);
}

int RadioGroup::Count() const {
    return int(buttons->buttons().size());
}

QAbstractButton* RadioGroup::Item(int index) const {
    return buttons->button(index);
}

// --- building ----------------------------------------------------------------------------

TfrmTuneRadio::TfrmTuneRadio(QWidget* parent) : Form(parent) {
    FormCreate();
}

void TfrmTuneRadio::FormCreate() {
    setWindowTitle(QStringLiteral("Tune Radio"));
    cal::Build(*this, Second);

    PageControl1 = new QTabWidget;
    PageControl1->addTab(tabTransmit = buildTransmitPage(), QStringLiteral("Transmit"));
    PageControl1->addTab(tabReceive = buildReceivePage(), QStringLiteral("Receiver"));
    PageControl1->addTab(tabFrequency = buildFrequencyPage(), QStringLiteral("Frequency"));
    PageControl1->addTab(tabSquelch = buildSquelchPage(), QStringLiteral("Squelch and S-Meter"));
    PageControl1->addTab(tabRemote = new QWidget, QStringLiteral("Remote Control"));
    PageControl1->setTabVisible(PageControl1->indexOf(tabRemote), false);
    PageControl1->setCurrentWidget(tabTransmit);

    HelpText = new QTextEdit;
    HelpText->setReadOnly(true);
    HelpText->setFixedHeight(64);
    CancelBtn = forms::button(QStringLiteral("Close"));

    auto* left = new QVBoxLayout;
    left->addWidget(PageControl1, 1);
    left->addWidget(buildAlignPanel());
    auto* side = new QVBoxLayout;
    side->addWidget(buildOnlinePanel());
    side->addWidget(buildFilePanel());
    side->addStretch();
    side->addWidget(CancelBtn, 0, Qt::AlignRight);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(side);
    auto* form = new QVBoxLayout(this);
    form->addLayout(top);
    form->addWidget(HelpText);

    Timer1 = new QTimer(this);
    Timer1->setInterval(TIMER_MS);
    Timer1->start();
    help = new HelpPane(HelpText);
    wireControls();
    bindHelp();
}

QWidget* TfrmTuneRadio::buildTransmitPage() {
    gbTransmit = new QGroupBox(QStringLiteral("TX Power control"));
    cal::LayTxPower(*this, gbTransmit);

    gbModulation = new QGroupBox(QStringLiteral("Modulation"));
    lblBalance = new QLabel(QStringLiteral("Balance:"));
    chkTrackMod = new QCheckBox(QStringLiteral("BAL tracks MOD"));
    rgTestTone = new RadioGroup(QStringLiteral("Test Tone"));
    rgTestTone->SetItems({QStringLiteral("OFF"), QStringLiteral("50 Hz"), QStringLiteral("1 kHz")});
    QGridLayout* modulation = cal::LayModulation(*this, gbModulation, lblBalance);
    modulation->addWidget(chkTrackMod, 2, 0, 1, 2);
    modulation->addWidget(rgTestTone, 0, 2, 3, 1);
    modulation->setColumnStretch(3, 1);
    return cal::Page({gbTransmit, gbModulation});
}

QWidget* TfrmTuneRadio::buildReceivePage() {
    gbReceive = new QGroupBox(QStringLiteral("Tune Receive"));
    cal::LayReceiveTune(*this, Second, gbReceive);
    return cal::Page({gbReceive});
}

QWidget* TfrmTuneRadio::buildFrequencyPage() {
    gbFrequency = new QGroupBox(QStringLiteral("Ref. XTAL Tune"));
    auto* grid = new QGridLayout(gbFrequency);
    grid->addWidget(new QLabel(QStringLiteral("Frequency Reference Align")), 0, 0);
    grid->addWidget(cal::Cell(txtXtalRef1, udXtalRef1), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Receiver Frequency Offset")), 1, 0);
    grid->addWidget(cal::Cell(txtRxRefOffset, udRxRefOffset), 1, 1);
    // The temperature slope is not edited here, nor the 6.25 kHz align.
    lblTempCompGain = new QLabel(QStringLiteral("Temperature compensation slope"));
    QWidget* slope = cal::Cell(txtTempCompGain, udTempCompGain);
    grid->addWidget(lblTempCompGain, 2, 0);
    grid->addWidget(slope, 2, 1);
    controls::hideForGood(lblTempCompGain);
    controls::hideForGood(slope);
    QWidget* align625 = cal::Cell(txt625Cal, ud625Cal);
    align625->setParent(gbFrequency);
    controls::hideForGood(align625);
    grid->setColumnStretch(2, 1);
    return cal::Page({gbFrequency});
}

QWidget* TfrmTuneRadio::buildSquelchPage() {
    gbSmeter = new QGroupBox(QStringLiteral("S-Meter Calibration"));
    btnSetS0 = forms::button(QStringLiteral("Set S-Meter level S1"));
    btnSetS10 = forms::button(QStringLiteral("Set S-Meter level S9+"));
    cal::LaySMeter(*this, gbSmeter, btnSetS0, btnSetS10, -122, -85);
    gbSquelch = new QGroupBox(QStringLiteral("Squelch Calibration"));
    cal::LaySquelch(*this, gbSquelch);
    return cal::Page({gbSmeter, gbSquelch});
}

QWidget* TfrmTuneRadio::buildOnlinePanel() {
    gbOnline = new QGroupBox(QStringLiteral("Online Control"));
    lblOnlineStatus = cal::StatusLabel();
    btnTxOn = forms::button(QStringLiteral("Transmit on"));
    btnTxOff = forms::button(QStringLiteral("Transmit off"));
    ChannelChange = new SpinButton;
    lblChnl = new QLabel(QStringLiteral("000"));
    lblAlphaTag = new QLabel;
    lblAlphaTag->setTextFormat(Qt::PlainText);
    lblTxFreq = new QLabel;
    lblRxFreq = new QLabel;
    chkLowPwr = new QCheckBox(QStringLiteral("TX Low Power"));
    chkSquelch = new QCheckBox(QStringLiteral("Mute Open"));

    auto* layout = new QGridLayout(gbOnline);
    layout->addWidget(lblOnlineStatus, 0, 0, 1, 4);
    layout->addWidget(btnTxOn, 1, 0, 1, 2);
    layout->addWidget(btnTxOff, 1, 2, 1, 2);
    layout->addWidget(ChannelChange, 2, 0);
    layout->addWidget(new QLabel(QStringLiteral("Channel")), 2, 1);
    layout->addWidget(lblChnl, 2, 2);
    layout->addWidget(lblAlphaTag, 2, 3);
    layout->addWidget(new QLabel(QStringLiteral("TX:")), 3, 1);
    layout->addWidget(lblTxFreq, 3, 2);
    layout->addWidget(new QLabel(QStringLiteral("MHz")), 3, 3);
    layout->addWidget(new QLabel(QStringLiteral("RX:")), 4, 1);
    layout->addWidget(lblRxFreq, 4, 2);
    layout->addWidget(new QLabel(QStringLiteral("MHz")), 4, 3);
    layout->addWidget(chkLowPwr, 5, 0, 1, 4);
    layout->addWidget(chkSquelch, 6, 0, 1, 4);
    return gbOnline;
}

QWidget* TfrmTuneRadio::buildAlignPanel() {
    panelAlignCommon = new QGroupBox;
    chkRSSI = new QCheckBox(QStringLiteral("RSSI / Noise Volts"));
    editRSSI_3 = readOut();
    editNoise_3 = readOut();
    rgAlignFreq = new RadioGroup(QStringLiteral("Alignment Frequency"));
    auto* meters = new QGridLayout;
    meters->addWidget(chkRSSI, 0, 0, 1, 2);
    meters->addWidget(new QLabel(QStringLiteral("RSSI")), 1, 0);
    meters->addWidget(editRSSI_3, 1, 1);
    meters->addWidget(new QLabel(QStringLiteral("Noise")), 2, 0);
    meters->addWidget(editNoise_3, 2, 1);
    auto* layout = new QHBoxLayout(panelAlignCommon);
    layout->addLayout(meters);
    layout->addWidget(rgAlignFreq);
    layout->addStretch();
    return panelAlignCommon;
}

QWidget* TfrmTuneRadio::buildFilePanel() {
    gbFile = new QGroupBox(QStringLiteral("Calibration data"));
    btnWriteFile = forms::button(QStringLiteral("Save to File"));
    btnWriteRadio = forms::button(QStringLiteral("Write to Radio"));
    auto* layout = new QVBoxLayout(gbFile);
    layout->addWidget(btnWriteFile);
    layout->addWidget(btnWriteRadio);
    return gbFile;
}

void TfrmTuneRadio::wireControls() {
    for (const cal::Field& f : cal::FieldsOf(Second)) {
        QLineEdit* edit = this->*f.edit;
        UpDown* upDown = this->*f.upDown;
        if (edit == txtMod) {
            forms::onExit(edit, [this] { OnModEditExit(); });
            connect(edit, &QLineEdit::returnPressed, this, [this] { OnModEditKeyPress(); });
            connect(edit, &QLineEdit::textEdited, this, [this] { trackBalance(); });
            connect(upDown, &UpDown::Click, this, &TfrmTuneRadio::udModClick);
        } else {
            forms::onExit(edit, [this, edit] { OnEditExit(edit); });
            connect(edit, &QLineEdit::returnPressed, this, [this, edit] { OnEditKeyPress(edit); });
            connect(upDown, &UpDown::Click, this, [this, upDown] { udClick(upDown); });
        }
    }
    connect(chkLowPwr, &QCheckBox::toggled, this, &TfrmTuneRadio::chkLowPwrClick);
    connect(chkSquelch, &QCheckBox::toggled, this, &TfrmTuneRadio::chkSquelchClick);
    connect(chkTrackMod, &QCheckBox::toggled, this, &TfrmTuneRadio::chkTrackModClick);
    connect(chkRSSI, &QCheckBox::toggled, this, &TfrmTuneRadio::chkRSSIClick);
    connect(btnTxOn, &QPushButton::clicked, this, &TfrmTuneRadio::btnTxOnClick);
    connect(btnTxOff, &QPushButton::clicked, this, &TfrmTuneRadio::btnTxOffClick);
    connect(ChannelChange, &SpinButton::DownClick, this, &TfrmTuneRadio::ChannelDown);
    connect(ChannelChange, &SpinButton::UpClick, this, &TfrmTuneRadio::ChannelUp);
    connect(btnSetS0, &QPushButton::clicked, this, [this] { SetSMeter(btnSetS0); });
    connect(btnSetS10, &QPushButton::clicked, this, [this] { SetSMeter(btnSetS10); });
    connect(rgTestTone, &RadioGroup::Click, this, &TfrmTuneRadio::rgTestToneClick);
    connect(rgAlignFreq, &RadioGroup::Click, this, &TfrmTuneRadio::rgAlignFreqClick);
    connect(Timer1, &QTimer::timeout, this, &TfrmTuneRadio::Timer1Timer);
    connect(btnWriteFile, &QPushButton::clicked, this, &TfrmTuneRadio::btnWriteFileClick);
    connect(btnWriteRadio, &QPushButton::clicked, this, &TfrmTuneRadio::btnWriteRadioClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmTuneRadio::CancelBtnClick);
}

void TfrmTuneRadio::bindHelp() {
    help->bind({this, gbTransmit, gbReceive, gbFrequency, gbSquelch, gbSmeter, gbOnline, gbFile},
               {cal::OnlineNote});
    cal::BindPanelHelp(*help,
                       {CancelBtn, btnTxOn, btnTxOff, ChannelChange, btnWriteFile, btnWriteRadio});
    cal::BindHelp(*help, *this, Second);
    help->bind(rgAlignFreq, {QStringLiteral("Set current frequency in radio to alignment "
                                            "frequency.")});
    bindStateHelp();
}

// The lines that depend on BAL tracking and on the radio's firmware.
void TfrmTuneRadio::bindStateHelp() {
    const bool oldFirmware = FirmwareVersion <= FIRMWARE_WITH_TONES - 1;
    QStringList modulation{QStringLiteral("Align MOD with 1kHz test tone for 3.0kHz deviation.")};
    modulation << (chkTrackMod->isChecked()
                       ? QStringLiteral("BAL with change in proportion to MOD.")
                       : QStringLiteral("Align BAL with 50Hz test tone for 3.0kHz deviation."));
    modulation << QStringLiteral("Note: On narrowband channels, align for 1.5kHz deviation.");
    if (oldFirmware)
        modulation << QStringLiteral("Radio generated test tone requires firmware v2.02 or "
                                     "higher.");
    help->bind(gbModulation, modulation);
    help->bind(panelAlignCommon,
               oldFirmware ? QStringList{QStringLiteral(
                                 "Alignment Frequencies requires firmware v2.02 or higher.")}
                           : QStringList{});
}

void TfrmTuneRadio::SetControlTags() {
    cal::SetTags(*this, Second);
}

// --- showing and closing -----------------------------------------------------------------

void TfrmTuneRadio::FormShow() {
    chkTrackMod->setChecked(false);
    SetControlTags();
    RadioType = imageByte(cal::RADIO_TYPE);
    cal::ShowBandPoints(*this, RadioType);
    FillAlignFreq();
    LoadCalControls();
    showOnlineState();
    ResetMeterDisplay();
    rgTestTone->SetItemIndex(0);
    rgAlignFreq->SetItemIndex(-1);
    ModReference = udMod->value();
    BalReference = udBal->value();
    chkTrackMod->setChecked(true);
    bindStateHelp();
}

void TfrmTuneRadio::FillAlignFreq() {
    const int32_t* points = cal::PointsOf(RadioType);
    QStringList items;
    for (int i = 0; i < 4; ++i)
        items << QStringLiteral("%1 MHz").arg(points[i]);
    rgAlignFreq->SetItems(items);
}

void TfrmTuneRadio::LoadCalControls() {
    cal::Load(*this, Second, [this](int address) { return imageByte(address); });
    CalFlags = imageByte(cal::FLAGS);
    chkLowPwr->setChecked(CalFlags & cal::LOW_POWER_BIT);
    chkSquelch->setChecked(CalFlags & cal::MUTE_OPEN_BIT);
}

void TfrmTuneRadio::showOnlineState() {
    const bool online = Online == 1;
    FirmwareVersion = 0;
    Transmitting = 0;
    if (online && RadioGetVersion(VersionText) == 1) {
        ParseRadioVersion(VersionText, versionInfo);
        FirmwareVersion = FirmwareNumber(versionInfo);
    }
    linkDown = false;
    cal::ShowTransmit(btnTxOn, btnTxOff, online, false);
    ChannelChange->setEnabled(online);
    cal::ShowStatus(lblOnlineStatus, online ? cal::Link::Live : cal::Link::File, this);
    if (online)
        readChannel();
    const bool tones = !online || FirmwareVersion >= FIRMWARE_WITH_TONES;
    rgTestTone->setEnabled(tones);
    rgAlignFreq->setEnabled(tones);
    PageControl1->setTabVisible(PageControl1->indexOf(tabRemote), false);
    btnWriteFile->setEnabled(true);
    btnWriteRadio->setEnabled(true);
}

void TfrmTuneRadio::ResetMeterDisplay() {
    chkRSSI->setChecked(false);
    for (QLineEdit* readOut : {editRSSI_3, editNoise_3}) {
        readOut->setText(QStringLiteral("0"));
        readOut->setEnabled(false);
    }
}

void TfrmTuneRadio::done(int result) {
    forms::leaveFocusedControl(this); // a value still in its box goes out before transmit-off
    FormClose();
    Form::done(result);
}

void TfrmTuneRadio::FormClose() {
    chkRSSI->setChecked(false);
    if (Online != 1)
        return;
    if (Transmitting == 1)
        switchOff();
    rgTestTone->SetItemIndex(0);
}

void TfrmTuneRadio::CancelBtnClick() {
    close();
}

// --- editing -----------------------------------------------------------------------------

uint8_t TfrmTuneRadio::imageByte(int address) const {
    return eeprom.GetByte(address);
}

// Stores the box's number once the user has changed it: an empty box is 0 (shown as "0"
// after Enter), a number beyond the box's range its nearest limit (255, or -15..15 for the
// receiver offset, which shows the negative values its arrows set). A box the user did not
// change stores nothing, so a stored value beyond the box's range stays as it is; a text
// that is no number stores nothing either and the box shows its byte again. True when it
// stored.
bool TfrmTuneRadio::commit(QLineEdit* edit, bool fromEnter) {
    const bool emptied = edit->text().trimmed().isEmpty();
    const std::optional<int> typed =
        cal::TakeUserNumber(edit, [this](int address) { return imageByte(address); });
    if (!typed)
        return false;
    const int address = edit->property("Tag").toInt();
    const cal::Range range = cal::RangeOf(address);
    const int bounded = std::clamp(*typed, range.min, range.max);
    if (bounded != *typed || (emptied && fromEnter))
        edit->setText(QString::number(bounded));
    WriteCalValue(address, bounded);
    return true;
}

bool TfrmTuneRadio::OnEditKeyPress(QLineEdit* edit) {
    return commit(edit, true);
}

bool TfrmTuneRadio::OnModEditKeyPress() {
    const bool stored = commit(txtMod, true);
    if (stored)
        trackBalance();
    return stored;
}

void TfrmTuneRadio::OnEditExit(QLineEdit* edit) {
    commit(edit, false);
}

void TfrmTuneRadio::OnModEditExit() {
    if (commit(txtMod, false))
        trackBalance();
}

void TfrmTuneRadio::udClick(UpDown* upDown) {
    WriteCalValue(upDown->property("Tag").toInt(), upDown->value());
}

void TfrmTuneRadio::udModClick() {
    udClick(udMod);
    trackBalance();
}

void TfrmTuneRadio::WriteCalValue(int address, int value) {
    const uint8_t byte = uint8_t(value & 0xFF);
    eeprom.SetByte(address, byte);
    if (Online != 1)
        return;
    if (RadioWriteByte(uint16_t(address), byte) != 0) {
        HelpText->setPlainText(QStringLiteral("Error writing to radio"));
        return lostLink();
    }
    if (linkDown) {
        linkDown = false;
        cal::ShowStatus(lblOnlineStatus, cal::Link::Live, this);
    }
}

// The radio did not answer, or a key could not go out: the value stays in the image and the
// status says the link is lost, which the user is told when it happens. A keyed radio is
// sent transmit off; since the radio does not answer, it may still be transmitting, and
// when the key could not go out either, "Transmit off" and closing try again.
void TfrmTuneRadio::lostLink() {
    const bool wasKeyed = Transmitting == 1;
    if (wasKeyed && RadioSendKey(KEY_TX_OFF) == 0)
        showTransmitting(false);
    const bool tellUser = !linkDown || wasKeyed;
    linkDown = true;
    cal::ShowStatus(lblOnlineStatus, cal::Link::Lost, this);
    if (tellUser)
        cal::ReportLinkLost(wasKeyed);
}

void TfrmTuneRadio::setFlag(uint8_t bit, bool on) {
    const uint8_t flags = on ? uint8_t(CalFlags | bit) : uint8_t(CalFlags & ~bit);
    if (flags == CalFlags)
        return;
    CalFlags = flags;
    WriteCalValue(cal::FLAGS, flags);
}

void TfrmTuneRadio::chkLowPwrClick() {
    setFlag(cal::LOW_POWER_BIT, chkLowPwr->isChecked());
}

void TfrmTuneRadio::chkSquelchClick() {
    setFlag(cal::MUTE_OPEN_BIT, chkSquelch->isChecked());
}

// --- BAL tracking ------------------------------------------------------------------------

void TfrmTuneRadio::chkTrackModClick() {
    const bool tracking = chkTrackMod->isChecked();
    txtBal->setEnabled(!tracking);
    udBal->setEnabled(!tracking);
    if (tracking) {
        ModReference = udMod->value();
        BalReference = udBal->value();
    }
    bindStateHelp();
}

// BAL in the proportion MOD and BAL had when tracking started, truncated toward zero; exact,
// so that MOD back at its reference gives BAL back.
int TfrmTuneRadio::ScaleBalance(int mod) const {
    if (ModReference <= 0)
        return BalReference;
    const int64_t scaled = int64_t(mod) * BalReference / ModReference;
    return int(std::clamp<int64_t>(scaled, 0, 255));
}

void TfrmTuneRadio::trackBalance() {
    if (!chkTrackMod->isChecked())
        return;
    const int balance = ScaleBalance(imageByte(cal::MOD));
    udBal->setPosition(balance);
    WriteCalValue(cal::BAL, balance);
}

// --- transmit, channel and meters --------------------------------------------------------

void TfrmTuneRadio::btnTxOnClick() {
    if (Online != 1)
        return;
    if (RadioSendKey(KEY_TX_ON) != 0)
        return lostLink();
    showTransmitting(true);
}

void TfrmTuneRadio::btnTxOffClick() {
    if (Online == 1)
        switchOff();
}

// The key request opens a dropped port again first; a key that still cannot go out takes
// the lost-link path.
void TfrmTuneRadio::switchOff() {
    if (RadioSendKey(KEY_TX_OFF) != 0)
        return lostLink();
    showTransmitting(false);
}

void TfrmTuneRadio::showTransmitting(bool on) {
    Transmitting = on ? 1 : 0;
    cal::ShowTransmit(btnTxOn, btnTxOff, Online == 1, on);
    editRSSI_3->setEnabled(!on && chkRSSI->isChecked());
    editNoise_3->setEnabled(!on && chkRSSI->isChecked());
}

void TfrmTuneRadio::ChannelDown() {
    stepChannel(KEY_CHANNEL_DOWN);
}

void TfrmTuneRadio::ChannelUp() {
    stepChannel(KEY_CHANNEL_UP);
}

void TfrmTuneRadio::stepChannel(uint8_t key) {
    if (Online != 1)
        return;
    RadioSendKey(key);
    readChannel();
    rgAlignFreq->SetItemIndex(-1);
}

void TfrmTuneRadio::readChannel() {
    int channel = 0;
    if (RadioGetChannel(channel) != 0)
        return;
    CurrentChannel = channel;
    lblChnl->setText(channelNumberText(channel));
    lblChnl->setEnabled(true);
    ShowChannelInfo(channel);
}

void TfrmTuneRadio::ShowChannelInfo(int index) {
    if (index < 0 || index > LAST_INDEX)
        return;
    if (index >= CB_FIRST_INDEX) {
        const int n = index - (CB_FIRST_INDEX - 1);
        const QString frequency = text::FrequencyText(CB_BASE_HZ + CB_STEP_HZ * uint32_t(n));
        lblAlphaTag->setText(QStringLiteral("CB%1").arg(n));
        lblTxFreq->setText(frequency);
        lblRxFreq->setText(frequency);
        return;
    }
    const int record = chlayout::Record(index);
    QString tag;
    for (int i = 0; i < chlayout::NAME_HEAD_CHARS; ++i) {
        const uint8_t c = imageByte(record + TAG_FIRST_BYTE + i);
        tag += c >= 0x20 && c < 0x7F ? QChar::fromLatin1(char(c)) : QLatin1Char(' ');
    }
    lblAlphaTag->setText(tag);
    if (imageByte(record) & chbit::Mask(chbit::Group)) {
        lblTxFreq->clear();
        lblRxFreq->clear();
        return;
    }
    auto code = [this, record](int low) {
        return uint16_t(imageByte(record + low) | imageByte(record + low + 1) << 8);
    };
    lblTxFreq->setText(text::FrequencyText(ChannelFrequency(code(2), imageByte(record + 4))));
    lblRxFreq->setText(text::FrequencyText(ChannelFrequency(code(5), imageByte(record + 7))));
}

uint32_t TfrmTuneRadio::ChannelFrequency(uint16_t code, uint8_t step) {
    return ChData::DecodeFrequency(code, step);
}

void TfrmTuneRadio::Timer1Timer() {
    if (Online == 1 && Transmitting == 0 && chkRSSI->isChecked())
        ShowRssi();
}

void TfrmTuneRadio::ShowRssi() {
    uint8_t rssi = 0, noise = 0;
    if (RadioMeterRead(rssi, noise) != 0)
        return;
    editRSSI_3->setText(QString::number(rssi));
    editNoise_3->setText(QString::number(noise));
}

void TfrmTuneRadio::chkRSSIClick() {
    editRSSI_3->setEnabled(chkRSSI->isChecked());
    editNoise_3->setEnabled(chkRSSI->isChecked());
}

void TfrmTuneRadio::SetSMeter(QPushButton* button) {
    if (Online != 1)
        return;
    int sum = 0;
    for (int i = 0; i < METER_SAMPLES; ++i) {
        uint8_t rssi = 0, noise = 0;
        if (RadioMeterRead(rssi, noise) != 0)
            return;
        sum += rssi;
        std::this_thread::sleep_for(std::chrono::milliseconds(METER_PAUSE_MS));
    }
    const int mean = sum / METER_SAMPLES;
    const bool s1 = button == btnSetS0;
    (s1 ? udS0 : udS10)->setPosition(mean);
    WriteCalValue(s1 ? cal::S1_POINT : cal::S9_POINT, mean);
}

// --- test tone and alignment frequency ---------------------------------------------------

void TfrmTuneRadio::rgTestToneClick() {
    const int index = rgTestTone->ItemIndex();
    if (index >= 0 && index < int(std::size(TestToneHz)))
        RadioSetTestTone(TestToneHz[index]);
}

void TfrmTuneRadio::rgAlignFreqClick() {
    const int index = rgAlignFreq->ItemIndex();
    if (index < 0 || index > 3)
        return;
    RadioSetAlignFreq(uint32_t(cal::PointsOf(RadioType)[index]) * 1000000u);
    lblChnl->setEnabled(false);
}

// --- calibration data --------------------------------------------------------------------

void TfrmTuneRadio::btnWriteFileClick() {
    QString chosen;
    if (platform::host().saveFileDialog(frmAdvanced->SaveDialog1, chosen))
        frmBelmar->SaveCalibrationFile(chosen, TfrmBelmar::FileNotice::Tell);
}

// The radio's band is read first, so that the question can name a block made for the other
// band; a radio that does not answer is written nothing. The meter waits meanwhile.
void TfrmTuneRadio::btnWriteRadioClick() {
    Timer1->stop();
    uint8_t radioBand = 0;
    if (frmBelmar->ProbeRadioBand(radioBand) &&
        cal::ConfirmWriteRadio(imageByte(cal::RADIO_TYPE), radioBand))
        ShowTransfer(1, 0, cal::BLOCK_SIZE);
    Timer1->start();
}

void TfrmTuneRadio::FocusHelp(QObject* control) {
    help->FocusHelp(control);
}

void TfrmTuneRadio::MouseHelp(QObject* control) {
    help->MouseHelp(control);
}
