#include "Tune_radio.h"

#include "Adv_edit.h"
#include "Cal_layout.h"
#include "Chdata.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Main.h"
#include "Radio_rw.h"
#include "Ser_com.h"
#include "Text_format.h"
#include "Up_down.h"
#include "platform/Host.h"
#include "platform/RadioUpdate.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

TfrmTuneRadio* frmTuneRadio = nullptr;

namespace {

using T = TfrmTuneRadio;
constexpr auto First = cal::Generation::First;
constexpr int CAL_FLAGS = cal::FLAGS;
constexpr int RADIO_TYPE = cal::RADIO_TYPE;
constexpr uint8_t LOW_POWER_BIT = cal::LOW_POWER_BIT;
constexpr uint8_t MUTE_OPEN_BIT = cal::MUTE_OPEN_BIT;
constexpr uint8_t UHF_BIT = cal::UHF_BIT;

// Keys of the radio sent by the remote keypad; a key's release code is its press code - 0x20
// and a held key is reported as press code + 0x20.
struct RemoteKey {
    QPushButton* TfrmTuneRadio::*button;
    const char* caption;
    uint8_t press;
};

const RemoteKey RemoteKeys[] = {
    {&T::btnF1, "F1", '3'},     {&T::btnF2, "F2", '9'},     {&T::btnF3, "F3", '4'},
    {&T::btnF4, "F4", '5'},     {&T::btnF5, "F5", '2'},     {&T::btnF6, "F6", '8'},
    {&T::btnCall, "Call", '7'}, {&T::btnEmerg, "---", ';'},
};

constexpr uint8_t KEY_RELEASE_OFFSET = 0x20;
constexpr uint8_t KEY_HELD_OFFSET = 0x20;
constexpr uint8_t KEY_TX_ON = '6';
constexpr uint8_t KEY_TX_OFF = 0x16;
constexpr uint8_t KEY_CHANNEL_DOWN = '0';
constexpr uint8_t KEY_CHANNEL_UP = '1';
constexpr int HOLD_TICKS = 2;

// Display indicators, in the order of display_data::indicators: byte of DisplayBytes, bit.
struct Indicator {
    QLabel* TfrmTuneRadio::*label;
    const char* caption;
    int byte;
    int bit;
};

const Indicator Indicators[] = {
    {&T::lblScan, "SCAN", 2, 0}, {&T::lblCall, "CALL", 2, 1},   {&T::lblTo, "TO", 2, 2},
    {&T::lblFrom, "FROM", 2, 3}, {&T::lblQmem, "Q", 2, 4},      {&T::lblScanMem, "M", 2, 5},
    {&T::lblBusy, "BUSY", 2, 6}, {&T::lblDup, "DUP", 2, 7},     {&T::lblTa, "T/A", 1, 0},
    {&T::lblTx, "TX", 1, 1},     {&T::lblQuiet, "QUIET", 1, 2}, {&T::lblSilent, "SILENT", 1, 3},
};
constexpr int CB_INDICATOR = 12; // byte 1 bit 4: the channel shown is a CB channel

// Channel records of slots 1..99 in the image (8 bytes each).
constexpr int CHANNEL_RECORDS = 1247;
constexpr int CHANNEL_RECORD_SIZE = 8;
constexpr int LAST_NAMED_SLOT = 99;
constexpr uint8_t GROUP_BIT = 0x10;
constexpr uint8_t EXTENSION_BIT = 0x80; // frequency code extension (flags6: TX, flags7: RX)

// A display byte as a character: 0 is a blank, anything not printable a '?'.
QChar displayChar(uint8_t byte) {
    if (byte == 0)
        return QLatin1Char(' ');
    const QChar c = QChar::fromLatin1(char(byte));
    return c.isPrint() ? c : QLatin1Char('?');
}

QString displayText(const std::array<uint8_t, DISPLAY_BYTES>& bytes,
                    std::initializer_list<int> at) {
    QString text;
    for (int i : at)
        text += displayChar(bytes[size_t(i)]);
    return text;
}

QLabel* plainLabel(const QString& caption, QWidget* parent = nullptr) {
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* readOut() {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setFixedWidth(60);
    return edit;
}

} // namespace

TfrmTuneRadio::TfrmTuneRadio(QWidget* parent) : Form(parent) {
    FormCreate();
    rs232_processor::SetTuningSink(this);
}

TfrmTuneRadio::~TfrmTuneRadio() {
    rs232_processor::SetTuningSink(nullptr);
}

void TfrmTuneRadio::FormCreate() {
    setWindowTitle(QStringLiteral("Tune Radio"));
    cal::Build(*this, First);
    txtSqlClose2 = new QLineEdit;
    txtSqlClose3 = new QLineEdit;

    PageControl1 = new QTabWidget;
    tabTransmit = buildTransmitPage();
    tabReceive = buildReceivePage();
    tabFrequency = buildFrequencyPage();
    tabSquelch = buildSquelchPage();
    tabRemote = buildRemotePage();
    PageControl1->addTab(tabTransmit, QStringLiteral("Transmit"));
    PageControl1->addTab(tabReceive, QStringLiteral("Receiver"));
    PageControl1->addTab(tabFrequency, QStringLiteral("Frequency"));
    PageControl1->addTab(tabSquelch, QStringLiteral("Squelch and S-Meter"));
    PageControl1->addTab(tabRemote, QStringLiteral("Remote Control"));
    PageControl1->setCurrentWidget(tabTransmit);
    PageControl1->setUsesScrollButtons(false);
    pageBeforeChange = tabTransmit;

    HelpText = new QTextEdit;
    HelpText->setFixedHeight(64);
    CancelBtn = forms::button(QStringLiteral("Close"));

    auto* side = new QVBoxLayout;
    side->addWidget(buildOnlinePanel());
    side->addWidget(buildFilePanel());
    side->addStretch();
    side->addWidget(CancelBtn, 0, Qt::AlignRight);
    auto* top = new QHBoxLayout;
    top->addWidget(PageControl1, 1);
    top->addLayout(side);
    auto* form = new QVBoxLayout(this);
    form->addLayout(top);
    form->addWidget(HelpText);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer1->start();
    help = new HelpPane(HelpText);
    wireControls();
    bindHelp();
    SetControlTags();
}

QWidget* TfrmTuneRadio::buildTransmitPage() {
    gbTransmit = new QGroupBox(QStringLiteral("TX Power control"));
    cal::LayTxPower(*this, gbTransmit);
    gbModulation = new QGroupBox(QStringLiteral("Modulation"));
    cal::LayModulation(*this, gbModulation, new QLabel(QStringLiteral("Balance:")))
        ->setColumnStretch(2, 1);
    return cal::Page({gbTransmit, gbModulation});
}

QWidget* TfrmTuneRadio::buildReceivePage() {
    gbReceive = new QGroupBox(QStringLiteral("Tune Receive"));
    cal::LayReceiveTune(*this, First, gbReceive);
    editRxRssi = readOut();
    chkRxRssiPolling = new QCheckBox(QStringLiteral("RSSI Polling"));
    auto* rssi = new QHBoxLayout;
    rssi->addWidget(new QLabel(QStringLiteral("RSSI")));
    rssi->addWidget(editRxRssi);
    rssi->addWidget(chkRxRssiPolling);
    rssi->addStretch();
    return cal::Page({gbReceive}, rssi);
}

QWidget* TfrmTuneRadio::buildFrequencyPage() {
    gbFrequency = new QGroupBox(QStringLiteral("Ref. XTAL Tune"));
    auto* grid = new QGridLayout(gbFrequency);
    const std::pair<const char*, QWidget*> rows[] = {
        {"PLL Reference crystal align", cal::Cell(txtXtalRef1, udXtalRef1)},
        {"PLL Reference crystal Receiver offset", cal::Cell(txtRxRefOffset, udRxRefOffset)},
        {"Temperature compensation slope", cal::Cell(txtTempCompGain, udTempCompGain)},
        {"6.25KHz offset align", cal::Cell(txt625Cal, ud625Cal)},
    };
    int row = 0;
    for (const auto& [caption, cell] : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption)), row, 0);
        grid->addWidget(cell, row++, 1);
    }
    grid->setColumnStretch(2, 1);
    return cal::Page({gbFrequency});
}

QWidget* TfrmTuneRadio::buildSquelchPage() {
    gbSmeter = new QGroupBox(QStringLiteral("S-Meter Calibration"));
    btnSetS0 = forms::button(QStringLiteral("Set S-Meter level S1"));
    btnSetS10 = forms::button(QStringLiteral("Set S-Meter level S9+"));
    cal::LaySMeter(*this, gbSmeter, btnSetS0, btnSetS10, -121, -79);

    gbSquelch = new QGroupBox(QStringLiteral("Squelch Calibration"));
    QGridLayout* squelch = cal::LaySquelch(*this, gbSquelch);
    squelch->addWidget(txtSqlClose2, 2, 2);
    squelch->addWidget(txtSqlClose3, 3, 2);
    controls::hideForGood(txtSqlClose2);
    controls::hideForGood(txtSqlClose3);
    txtSignalStrength = readOut();
    txtBusyLevel = readOut();
    chk_rssi_poll = new QCheckBox(QStringLiteral("RSSI/Noisevolts Polling"));
    squelch->addWidget(new QLabel(QStringLiteral("RSSI")), 0, 4);
    squelch->addWidget(txtSignalStrength, 1, 4);
    squelch->addWidget(new QLabel(QStringLiteral("Squelch Noise")), 2, 4);
    squelch->addWidget(txtBusyLevel, 3, 4);
    squelch->addWidget(chk_rssi_poll, 4, 0, 1, 5);
    return cal::Page({gbSmeter, gbSquelch});
}

QWidget* TfrmTuneRadio::buildRemotePage() {
    auto* page = new QWidget;
    auto* display = new QFrame;
    display->setFrameShape(QFrame::Box);
    lblChannel = plainLabel(QStringLiteral("0"));
    lblLowerDisplay = plainLabel(QString(5, QLatin1Char(' ')));
    QFont big = lblChannel->font();
    big.setPointSize(big.pointSize() * 2);
    big.setStyleHint(QFont::Monospace);
    big.setFamily(QStringLiteral("Monospace"));
    lblChannel->setFont(big);
    lblLowerDisplay->setFont(big);
    auto* indicators = new QGridLayout;
    int i = 0;
    for (const Indicator& ind : Indicators) {
        QLabel* label = plainLabel(QString::fromLatin1(ind.caption));
        this->*ind.label = label;
        indicatorLabels.append(label);
        indicators->addWidget(label, i / 6, i % 6);
        ++i;
    }
    auto* screen = new QVBoxLayout(display);
    auto* digits = new QHBoxLayout;
    digits->addWidget(lblChannel);
    digits->addStretch();
    digits->addWidget(lblLowerDisplay);
    screen->addLayout(indicators);
    screen->addLayout(digits);

    auto* keypad = new QGridLayout;
    i = 0;
    for (const RemoteKey& key : RemoteKeys) {
        auto* button = forms::button(QString::fromLatin1(key.caption));
        this->*key.button = button;
        keypad->addWidget(button, i / 4, i % 4);
        ++i;
    }
    btnDisplayUpdate = forms::button(QStringLiteral("Force Display Update"));
    controls::hideForGood(btnDisplayUpdate);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(display);
    layout->addLayout(keypad);
    layout->addWidget(btnDisplayUpdate);
    layout->addStretch();
    return page;
}

QWidget* TfrmTuneRadio::buildOnlinePanel() {
    gbOnline = new QGroupBox(QStringLiteral("Online Control"));
    btnTxOn = forms::button(QStringLiteral("Transmit on"));
    btnTxOff = forms::button(QStringLiteral("Transmit off"));
    ChannelChange = new SpinButton;
    lblChannelChange = new QLabel(QStringLiteral("Channel"));
    lblChannelInfo = plainLabel(QString());
    lblChannelInfo->setMinimumWidth(270);
    lblOnlineStatus = cal::StatusLabel();
    chkLowPwr = new QCheckBox(QStringLiteral("TX Low Power"));
    chkSquelch = new QCheckBox(QStringLiteral("Mute Open"));

    auto* channel = new QHBoxLayout;
    channel->addWidget(ChannelChange);
    channel->addWidget(lblChannelChange);
    channel->addStretch();
    auto* layout = new QGridLayout(gbOnline);
    layout->addWidget(lblOnlineStatus, 0, 0, 1, 2);
    layout->addWidget(btnTxOn, 1, 0);
    layout->addWidget(btnTxOff, 1, 1);
    layout->addLayout(channel, 2, 0, 1, 2);
    layout->addWidget(lblChannelInfo, 3, 0, 1, 2);
    layout->addWidget(chkLowPwr, 4, 0, 1, 2);
    layout->addWidget(chkSquelch, 5, 0, 1, 2);
    return gbOnline;
}

QWidget* TfrmTuneRadio::buildFilePanel() {
    gbFile = new QGroupBox(QStringLiteral("Calibration data"));
    btnWriteFile = forms::button(QStringLiteral("Save to File"));
    btnWriteRadio = forms::button(QStringLiteral("Write to Radio"));
    auto* layout = new QGridLayout(gbFile);
    // Both buttons share the upper place; only one of them is shown at a time.
    layout->addWidget(btnWriteFile, 0, 0);
    layout->addWidget(btnWriteRadio, 0, 0);
    return gbFile;
}

void TfrmTuneRadio::wireControls() {
    for (const cal::Field& c : cal::AllFields()) {
        QLineEdit* edit = this->*c.edit;
        UpDown* upDown = this->*c.upDown;
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { OnTextChange(edit); });
        connect(upDown, &UpDown::Click, this, [this, upDown] { udClick(upDown); });
    }
    connect(chkLowPwr, &QCheckBox::toggled, this, &TfrmTuneRadio::chkLowPwrClick);
    connect(chkSquelch, &QCheckBox::toggled, this, &TfrmTuneRadio::chkSquelchClick);
    connect(btnTxOn, &QPushButton::clicked, this, &TfrmTuneRadio::btnTxOnClick);
    connect(btnTxOff, &QPushButton::clicked, this, &TfrmTuneRadio::btnTxOffClick);
    connect(ChannelChange, &SpinButton::DownClick, this, &TfrmTuneRadio::ChannelDown);
    connect(ChannelChange, &SpinButton::UpClick, this, &TfrmTuneRadio::ChannelUp);
    for (const RemoteKey& key : RemoteKeys) {
        QPushButton* button = this->*key.button;
        button->setProperty("PressCode", key.press);
        connect(button, &QPushButton::pressed, this, [this, button] { btnF5MouseDown(button); });
        connect(button, &QPushButton::released, this, [this, button] { btnF5MouseUp(button); });
    }
    connect(btnDisplayUpdate, &QPushButton::clicked, this, &TfrmTuneRadio::btnDisplayUpdateClick);
    connect(btnSetS0, &QPushButton::clicked, this, [this] { SetSMeter(btnSetS0); });
    connect(btnSetS10, &QPushButton::clicked, this, [this] { SetSMeter(btnSetS10); });
    connect(chk_rssi_poll, &QCheckBox::toggled, this, &TfrmTuneRadio::chk_rssi_pollClick);
    connect(chkRxRssiPolling, &QCheckBox::toggled, this, &TfrmTuneRadio::chkRxRssiPollingClick);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (pageBeforeChange == tabSquelch)
            tabSquelchExit();
        else if (pageBeforeChange == tabReceive)
            tabReceiveExit();
        pageBeforeChange = PageControl1->currentWidget();
    });
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
    cal::BindHelp(*help, *this, First);
}

void TfrmTuneRadio::SetControlTags() {
    cal::SetTags(*this, First);
}

// --- showing and closing ---------------------------------------------------------------

void TfrmTuneRadio::FormShow() {
    SetControlTags();
    ShowBandPoints();
    LoadCalControls();
    ResetDisplay();
    chk_rssi_poll->setChecked(false);
    chkRxRssiPolling->setChecked(false);
    chk_rssi_pollClick();
    chkRxRssiPollingClick();
    // Before the display is asked for, so that its reply is taken however soon it comes.
    LinkActive = 1;
    ShowOnlineState();
}

void TfrmTuneRadio::ShowBandPoints() {
    RadioType = ImageByte(RADIO_TYPE);
    cal::ShowBandPoints(*this, RadioType);
}

void TfrmTuneRadio::LoadCalControls() {
    cal::Load(*this, First, [this](int address) { return ImageByte(address); });
    CalFlags = ImageByte(CAL_FLAGS);
    chkLowPwr->setChecked(CalFlags & LOW_POWER_BIT);
    chkSquelch->setChecked(CalFlags & MUTE_OPEN_BIT);
}

void TfrmTuneRadio::ShowOnlineState() {
    const bool online = Online == 1;
    PageControl1->setTabVisible(PageControl1->indexOf(tabRemote), online);
    ShowTransmit();
    ChannelChange->setEnabled(online);
    lblChannelChange->setEnabled(online);
    lblChannelInfo->setEnabled(online);
    cal::ShowStatus(lblOnlineStatus, online ? cal::Link::Live : cal::Link::File, this);
    btnWriteFile->setVisible(online);
    btnWriteRadio->setVisible(!online);
    if (online)
        btnDisplayUpdateClick();
}

void TfrmTuneRadio::ShowTransmit() {
    cal::ShowTransmit(btnTxOn, btnTxOff, Online == 1, keyed);
}

void TfrmTuneRadio::done(int result) {
    FormClose();
    Form::done(result);
}

void TfrmTuneRadio::FormClose() {
    chk_rssi_poll->setChecked(false);
    chkRxRssiPolling->setChecked(false);
    LinkActive = 0;
    if (keyed)
        SwitchOff();
    keyed = false;
}

void TfrmTuneRadio::CancelBtnClick() {
    close();
}

// --- editing ---------------------------------------------------------------------------

uint8_t TfrmTuneRadio::ImageByte(int address) const {
    return uint8_t(eeBuffer->GetByte(address));
}

// Every change the user makes to a box's text is stored at once, typed or put there by the
// clipboard or the mouse. A number beyond what the byte holds is stored as the nearest one
// it holds, so the box shows what the byte reads back as.
void TfrmTuneRadio::OnTextChange(QLineEdit* edit) {
    const std::optional<int> typed =
        cal::TakeUserNumber(edit, [this](int address) { return ImageByte(address); });
    if (!typed)
        return;
    const int address = edit->property("Tag").toInt();
    const cal::Range range = cal::ByteRange(address);
    const int value = std::clamp(*typed, range.min, range.max);
    WriteCalValue(address, value);
    edit->setText(QString::number(value));
}

void TfrmTuneRadio::udClick(UpDown* upDown) {
    WriteCalValue(upDown->property("Tag").toInt(), upDown->value());
}

void TfrmTuneRadio::WriteCalValue(int address, int value) {
    const uint8_t byte = uint8_t(value & 0xFF);
    eeBuffer->SetByte(address, byte);
    if (Online == 1 && frmSerial->SendWriteByte(address, byte) == 0)
        LinkLost();
}

// A live change or a key that could not go out (the port is gone or the lead pulled): the
// change stays in the image, and the dialog goes off-line so that nothing more seems to
// reach the radio; "Write to Radio" sends the block once the link is back. A keyed radio is
// first switched back to receive; when that fails too, the user is told to switch it off,
// and "Transmit off" and closing try again.
void TfrmTuneRadio::LinkLost() {
    if (keyed)
        keyed = !SendTransmitOff();
    Online = 0;
    ShowOnlineState();
    cal::ShowStatus(lblOnlineStatus, cal::Link::Lost, this);
    cal::ReportLinkLost(keyed);
}

// The transmit-off key on the link as it is, else once more on the port opened again (a
// lead pulled out and plugged back in); false when neither went out.
bool TfrmTuneRadio::SendTransmitOff() {
    frmSerial->ClearRxBuffer();
    if (frmSerial->SendKey(KEY_TX_OFF) != 0)
        return true;
    return frmSerial->EnsurePortOpen() && frmSerial->SendKey(KEY_TX_OFF) != 0;
}

void TfrmTuneRadio::chkLowPwrClick() {
    const uint8_t flags = bits::put(CalFlags, LOW_POWER_BIT, chkLowPwr->isChecked());
    if (flags != CalFlags) {
        CalFlags = flags;
        WriteCalValue(CAL_FLAGS, flags);
    }
}

void TfrmTuneRadio::chkSquelchClick() {
    const uint8_t flags = bits::put(CalFlags, MUTE_OPEN_BIT, chkSquelch->isChecked());
    if (flags != CalFlags) {
        CalFlags = flags;
        WriteCalValue(CAL_FLAGS, flags);
    }
}

// --- remote control --------------------------------------------------------------------

// False when the key could not go out.
bool TfrmTuneRadio::SendKeyAction(uint8_t key) {
    frmSerial->ClearRxBuffer();
    return frmSerial->SendKey(key) != 0;
}

void TfrmTuneRadio::btnTxOnClick() {
    if (Online != 1)
        return;
    if (!SendKeyAction(KEY_TX_ON))
        return LinkLost();
    keyed = true;
    ShowTransmit();
    btnDisplayUpdateClick();
}

void TfrmTuneRadio::btnTxOffClick() {
    if (Online != 1 && !keyed)
        return;
    SwitchOff();
    btnDisplayUpdateClick();
}

// Transmit off on the link while on-line; once the link was lost, on the link and on the
// port opened again. A key that cannot go out takes the lost-link path.
void TfrmTuneRadio::SwitchOff() {
    const bool sent = Online == 1 ? SendKeyAction(KEY_TX_OFF) : SendTransmitOff();
    if (!sent)
        return LinkLost();
    keyed = false;
    ShowTransmit();
}

void TfrmTuneRadio::ChannelDown() {
    if (Online == 1)
        PressKey(KEY_CHANNEL_DOWN, 0);
}

void TfrmTuneRadio::ChannelUp() {
    if (Online == 1)
        PressKey(KEY_CHANNEL_UP, 0);
}

void TfrmTuneRadio::btnF5MouseDown(QAbstractButton* key) {
    if (Online != 1)
        return;
    KeyCode = uint8_t(key->property("PressCode").toUInt());
    PressKey(KeyCode, HOLD_TICKS);
}

void TfrmTuneRadio::btnF5MouseUp(QAbstractButton* key) {
    if (Online != 1)
        return;
    KeyCode = uint8_t(key->property("PressCode").toUInt() - KEY_RELEASE_OFFSET);
    PressKey(KeyCode, 0);
}

// A key sent on-line; holdTicks timer steps later, unless another key comes first, the
// radio is told the key is held. The display is asked for after it.
void TfrmTuneRadio::PressKey(uint8_t key, int holdTicks) {
    if (!SendKeyAction(key))
        return LinkLost();
    KeyHoldTicks = holdTicks;
    btnDisplayUpdateClick();
}

void TfrmTuneRadio::btnDisplayUpdateClick() {
    if (Online != 1)
        return;
    frmSerial->ClearRxBuffer();
    frmSerial->SendGetDisplay();
}

void TfrmTuneRadio::Timer1Timer() {
    if (Online != 1)
        return;
    if (KeyHoldTicks != 0 && --KeyHoldTicks == 0) {
        KeyCode = uint8_t(KeyCode + KEY_HELD_OFFSET);
        frmSerial->SendKey(KeyCode);
    }
    if (chk_rssi_poll->isChecked() || chkRxRssiPolling->isChecked()) {
        frmSerial->ClearRxBuffer();
        frmSerial->SendMeterRead();
    }
}

// --- meters ----------------------------------------------------------------------------

void TfrmTuneRadio::SetSMeter(QAbstractButton* button) {
    if (Online != 1)
        return;
    if (button == btnSetS0)
        frmSerial->SendMeterCalLow();
    else if (button == btnSetS10)
        frmSerial->SendMeterCalHigh();
}

void TfrmTuneRadio::chk_rssi_pollClick() {
    txtBusyLevel->setEnabled(chk_rssi_poll->isChecked());
    txtSignalStrength->setEnabled(chk_rssi_poll->isChecked());
}

void TfrmTuneRadio::chkRxRssiPollingClick() {
    editRxRssi->setEnabled(chkRxRssiPolling->isChecked());
}

void TfrmTuneRadio::tabSquelchExit() {
    chk_rssi_poll->setChecked(false);
}

void TfrmTuneRadio::tabReceiveExit() {
    chkRxRssiPolling->setChecked(false);
}

bool TfrmTuneRadio::LinkIsActive() const {
    return LinkActive == 1;
}

void TfrmTuneRadio::MeterReading(int rssi, int noise) {
    Rssi = rssi;
    Noise = noise;
}

QObject* TfrmTuneRadio::RadioUpdateWindow() {
    return this;
}

void TfrmTuneRadio::SMeterPoint(uint8_t subCode, uint8_t value) {
    UpDown* point = subCode == METER_CAL_S1 ? upS0Value : upS10Value;
    platform::PostCall(this, [point, value] { point->setPosition(value); });
}

void TfrmTuneRadio::RadioReadSucceeded() {
    Online = 1;
}

bool TfrmTuneRadio::event(QEvent* event) {
    if (event->type() == platform::RadioUpdateEvent::eventType()) {
        ShowRssi();
        return true;
    }
    return QDialog::event(event);
}

void TfrmTuneRadio::ShowRssi() {
    if (chk_rssi_poll->isChecked()) {
        txtSignalStrength->setText(QString::number(Rssi));
        txtBusyLevel->setText(QString::number(Noise));
    }
    if (chkRxRssiPolling->isChecked())
        editRxRssi->setText(QString::number(Rssi));
}

// --- display mirror --------------------------------------------------------------------

void TfrmTuneRadio::DisplayFrame(const uint8_t (&bytes)[DISPLAY_BYTES]) {
    {
        std::lock_guard<std::mutex> hold(displayLock);
        std::copy(std::begin(bytes), std::end(bytes), displayBytes.begin());
    }
    platform::PostCall(this, [this] { UpdateRemoteDisplay(); });
}

std::array<uint8_t, DISPLAY_BYTES> TfrmTuneRadio::DisplayBytes() const {
    std::lock_guard<std::mutex> hold(displayLock);
    return displayBytes;
}

void TfrmTuneRadio::ResetDisplay() {
    {
        std::lock_guard<std::mutex> hold(displayLock);
        displayBytes.fill(0);
    }
    Display.channel = QStringLiteral("0");
    Display.lower = QString(5, QLatin1Char(' '));
    Display.indicators.fill(1);
    lblChannel->setText(Display.channel);
    lblLowerDisplay->setText(Display.lower);
    lblChannelInfo->clear();
    for (QLabel* label : indicatorLabels)
        label->setEnabled(true);
}

void TfrmTuneRadio::UpdateRemoteDisplay() {
    const std::array<uint8_t, DISPLAY_BYTES> bytes = DisplayBytes();
    // The indicators first: the channel information needs the CB flag of this frame.
    ShowIndicators(bytes);
    Display.channel = displayText(bytes, {9, 8});
    if (Display.channel != lblChannel->text()) {
        lblChannel->setText(Display.channel);
        ShowChannelInfo();
    }
    const QString lower = displayText(bytes, {7, 6, 5, 4, 3});
    if (lower != Display.lower) {
        Display.lower = lower;
        lblLowerDisplay->setText(lower);
    }
}

void TfrmTuneRadio::ShowIndicators(const std::array<uint8_t, DISPLAY_BYTES>& bytes) {
    for (size_t i = 0; i < std::size(Indicators); ++i) {
        const uint8_t on = (bytes[size_t(Indicators[i].byte)] >> Indicators[i].bit) & 1;
        if (on != Display.indicators[i]) {
            Display.indicators[i] = on;
            (this->*Indicators[i].label)->setEnabled(on);
        }
    }
    Display.indicators[CB_INDICATOR] = (bytes[1] >> 4) & 1;
}

void TfrmTuneRadio::ShowChannelInfo() {
    QString info = QStringLiteral("Channel ") + Display.channel;
    const QString channel = Display.channel.trimmed();
    bool isNumber = !channel.isEmpty();
    for (const QChar c : channel)
        isNumber = isNumber && c.isDigit() && c.unicode() < 0x80;
    if (isNumber) {
        const int slot = channel.toInt();
        if (Display.indicators[CB_INDICATOR])
            info += QStringLiteral(" CB");
        else if (slot >= 1 && slot <= LAST_NAMED_SLOT)
            info += QLatin1Char(' ') + ChannelFrequencies(slot);
    }
    lblChannelInfo->setText(info);
}

// "Group-Channel" for a vote group, else the TX and RX frequencies of the slot's record,
// decoded with the codec of the radio's band.
QString TfrmTuneRadio::ChannelFrequencies(int slot) const {
    const int record = CHANNEL_RECORDS + CHANNEL_RECORD_SIZE * (slot - 1);
    auto byte = [this, record](int i) { return ImageByte(record + i); };
    if (byte(6) & GROUP_BIT)
        return QStringLiteral("Group-Channel");
    const bool vhf = !(RadioType & UHF_BIT);
    auto frequency = [vhf](uint8_t low, uint8_t high, bool extension) {
        return text::FrequencyText(
            ChData::DecodeFrequency(uint16_t(high << 8 | low), extension, vhf));
    };
    return QStringLiteral("TX:") + frequency(byte(0), byte(1), byte(6) & EXTENSION_BIT) +
           QStringLiteral(" RX:") + frequency(byte(2), byte(3), byte(7) & EXTENSION_BIT);
}

// --- calibration data ------------------------------------------------------------------

void TfrmTuneRadio::btnWriteFileClick() {
    QString chosen;
    if (platform::host().saveFileDialog(frmAdvanced->SaveDialog1, chosen))
        frmBelmar->SaveCalibrationFile(chosen, TfrmBelmar::FileNotice::Tell);
}

// The radio's band is read first, so that the question can name a block made for the other
// band; a radio that cannot be read is written nothing.
void TfrmTuneRadio::btnWriteRadioClick() {
    uint8_t radioBand = 0;
    if (!frmBelmar->ProbeRadioBand(radioBand) ||
        !cal::ConfirmWriteRadio(ImageByte(RADIO_TYPE), radioBand))
        return;
    frmReadWrite->RunJob(0, CALIBRATION_SIZE - 1, TfrmReadWrite::MODE_WRITE);
    LoadCalControls();
}

void TfrmTuneRadio::FocusHelp(QObject* control) {
    help->FocusHelp(control);
}

void TfrmTuneRadio::MouseHelp(QObject* control) {
    help->MouseHelp(control);
}
