#include "Chanedit_p.h"

#include "Channel_edit.h"
#include "Controls.h"
#include "Ctcss.h"
#include "Eeprom.h"
#include "Frequency_edit.h"
#include "Help_pane.h"
#include "Key_filter.h"
#include "Text_format.h"
#include "Up_down.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

TfrmEditChannel2* frmEditChannel2 = nullptr;

namespace {

constexpr int BAND_BYTE = 40;
constexpr uint8_t UHF_BAND = 0x80;
constexpr uint32_t STEP_5K = 5000;
constexpr uint32_t STEP_6K25 = 6250;

using T = TfrmEditChannel2;
// The option boxes: offset 0 is the record's flags, offset 1 its flags1.
constexpr BitBox<T, QCheckBox> OptionBits[] = {
    {0, chbit::Visible, &T::chkChEnabled, true},
    {0, chbit::TalkAround, &T::chkTaEnabled},
    {0, chbit::BusyLockout, &T::chkBlEnabled},
    {0, chbit::LowPower, &T::chkTxLowPower},
    {0, chbit::CtcssVoting, &T::chkDisableChannelHold},
    {1, chbit::OpenScan, &T::chkOsMem},
    {1, chbit::GroupScan, &T::chkGsMem},
    {1, chbit::Quiet, &T::chkQMem},
    {1, chbit::SquelchSw, &T::chkSqlSwEnabled},
    {1, chbit::Narrow, &T::chkNarrowBand},
    {1, chbit::CpuOffset, &T::chkCpuXtalOffset},
    {1, chbit::DcsInvert, &T::chkDcsInvertOK},
};

QString ZoneLabel(int zone) {
    return zone == 0 ? QStringLiteral("Zone") : QStringLiteral("Zone %1").arg(zone);
}

void LoadToneList(QComboBox* box) {
    for (int code = 0; code < TONE_LIST_SIZE; ++code)
        box->addItem(ToneCodeText(code));
}

} // namespace

TfrmEditChannel2::TfrmEditChannel2(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Edit Channel"));
    controls::helpAndButtons(this, HelpText, OKBtn, CancelBtn, &TfrmEditChannel2::OKBtnClick,
                             &TfrmEditChannel2::CancelBtnClick);
    HelpText->setPlaceholderText(QStringLiteral("Help Messages..."));
    help = new HelpPane(HelpText);

    QGroupBox* transmit = BuildTransmit();
    QGroupBox* receive = BuildReceive();
    QGroupBox* general = BuildGeneral();
    chanedit::LayOut(this, {BuildNameRow(), transmit, receive, general}, HelpText, OKBtn,
                     CancelBtn);

    LoadToneList(cmbTxCtcss);
    LoadToneList(cmbRxCtcss);
    flags.checks(this, OptionBits);
    chanedit::WatchFrequenciesAndTones(edits, *this);
    BindHelp();
}

QWidget* TfrmEditChannel2::BuildNameRow() {
    auto* row = new QWidget(this);
    lblAlphaTag = new QLabel(QStringLiteral("Name"), row);
    txtChannelAlpha = new QLineEdit(row);
    txtChannelAlpha->setMaxLength(CH_NAME_LENGTH);
    txtChannelAlpha->setFixedWidth(100);
    lblTag = new QLabel(QStringLiteral("Tag"), row);
    editChTag = new QLineEdit(row);
    editChTag->setMaxLength(CH_TAG_LENGTH);
    editChTag->setFixedWidth(40);
    for (QLineEdit* edit : {txtChannelAlpha, editChTag})
        keys::allowOnly(edit, keys::AlphaTag, true);
    lblZone = new QLabel(QStringLiteral("Zone"), row);
    lblZoneName = new QLabel(row);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : std::initializer_list<QWidget*>{lblAlphaTag, txtChannelAlpha, lblTag,
                                                            editChTag, lblZone, lblZoneName})
        layout->addWidget(control);
    layout->addStretch(1);
    return row;
}

QGroupBox* TfrmEditChannel2::BuildTransmit() {
    TxGroup = new QGroupBox(QStringLiteral("Transmit Options."), this);
    lblTxFreq = new QLabel(QStringLiteral("Transmit Frequency"), TxGroup);
    editTxFreq = freqedit::NewBox(TxGroup);
    udTxFreq = new SpinButton(TxGroup);
    rbTx_1 = new QRadioButton(QStringLiteral("5 kHz"), TxGroup);
    rbTx_2 = new QRadioButton(QStringLiteral("6.25 kHz"), TxGroup);
    lblTxCtcss = new QLabel(QStringLiteral("Transmit CTCSS"), TxGroup);
    cmbTxCtcss = new QComboBox(TxGroup);
    chkTxDisable = new QCheckBox(QStringLiteral("Disable Transmit"), TxGroup);
    chkTxLowPower = new QCheckBox(QStringLiteral("TX Low Power Only"), TxGroup);
    chkBlEnabled = new QCheckBox(QStringLiteral("Enable Busy Lockout"), TxGroup);
    chkTaEnabled = new QCheckBox(QStringLiteral("Enable Talk Around"), TxGroup);
    connect(udTxFreq, &SpinButton::UpClick, this, [this] { udTxFreqClick(true); });
    connect(udTxFreq, &SpinButton::DownClick, this, [this] { udTxFreqClick(false); });
    connect(editTxFreq, &QLineEdit::returnPressed, this,
            [this] { editTxFreqKeyPress(editTxFreq); });
    connect(chkTxDisable, &QCheckBox::toggled, this, &TfrmEditChannel2::chkTxDisableClick);
    connect(rbTx_1, &QRadioButton::toggled, this,
            [this](bool on) { TxStep = on ? STEP_5K : STEP_6K25; });
    auto* steps = new QHBoxLayout;
    steps->addWidget(rbTx_1);
    steps->addWidget(rbTx_2);
    QGridLayout* layout =
        freqedit::LayOutGroup(TxGroup, {lblTxFreq, editTxFreq, udTxFreq, lblTxCtcss, cmbTxCtcss},
                              {chkTxDisable, chkTxLowPower, chkBlEnabled, chkTaEnabled});
    layout->addLayout(steps, 6, 0, 1, 2);
    layout->setRowStretch(7, 1);
    return TxGroup;
}

QGroupBox* TfrmEditChannel2::BuildReceive() {
    RxGroup = new QGroupBox(QStringLiteral("Receive Options."), this);
    lblRxFreq = new QLabel(QStringLiteral("Receive Frequency"), RxGroup);
    editRxFreq = freqedit::NewBox(RxGroup);
    udRxFreq = new SpinButton(RxGroup);
    rbRx_1 = new QRadioButton(QStringLiteral("5 kHz"), RxGroup);
    rbRx_2 = new QRadioButton(QStringLiteral("6.25 kHz"), RxGroup);
    lblRxCtcss = new QLabel(QStringLiteral("Receive CTCSS"), RxGroup);
    cmbRxCtcss = new QComboBox(RxGroup);
    chkOsMem = new QCheckBox(QStringLiteral("Channel in Open Scan Memory"), RxGroup);
    chkGsMem = new QCheckBox(QStringLiteral("Channel in Group Scan Memory"), RxGroup);
    chkQMem = new QCheckBox(QStringLiteral("Channel in Quiet Memory"), RxGroup);
    chkSqlSwEnabled = new QCheckBox(QStringLiteral("Enable Squelch Switch"), RxGroup);
    chkDcsInvertOK = new QCheckBox(QStringLiteral("Decode Inverted DCS Code"), RxGroup);
    connect(udRxFreq, &SpinButton::UpClick, this, [this] { udRxFreqClick(true); });
    connect(udRxFreq, &SpinButton::DownClick, this, [this] { udRxFreqClick(false); });
    connect(editRxFreq, &QLineEdit::returnPressed, this,
            [this] { editTxFreqKeyPress(editRxFreq); });
    connect(cmbRxCtcss, &QComboBox::currentIndexChanged, this, &TfrmEditChannel2::cmbRxCtcssChange);
    connect(rbRx_1, &QRadioButton::toggled, this,
            [this](bool on) { RxStep = on ? STEP_5K : STEP_6K25; });
    auto* steps = new QHBoxLayout;
    steps->addWidget(rbRx_1);
    steps->addWidget(rbRx_2);
    QGridLayout* layout =
        freqedit::LayOutGroup(RxGroup, {lblRxFreq, editRxFreq, udRxFreq, lblRxCtcss, cmbRxCtcss},
                              {chkOsMem, chkGsMem, chkQMem, chkSqlSwEnabled, chkDcsInvertOK});
    layout->addLayout(steps, 7, 0, 1, 2);
    return RxGroup;
}

QGroupBox* TfrmEditChannel2::BuildGeneral() {
    GeneralGroup = new QGroupBox(QStringLiteral("General Options."), this);
    chkNarrowBand = new QCheckBox(QStringLiteral("Set Channel as Narrow Band"), GeneralGroup);
    chkCpuXtalOffset = new QCheckBox(QStringLiteral("Offset CPU crystal"), GeneralGroup);
    chkDisableChannelHold = new QCheckBox(QStringLiteral("Use CTCSS During Voting"), GeneralGroup);
    chkChEnabled = new QCheckBox(QStringLiteral("Hidden Channel"), GeneralGroup);
    auto* layout = new QGridLayout(GeneralGroup);
    layout->addWidget(chkNarrowBand, 0, 0);
    layout->addWidget(chkCpuXtalOffset, 1, 0);
    layout->addWidget(chkDisableChannelHold, 0, 1);
    layout->addWidget(chkChEnabled, 1, 1);
    return GeneralGroup;
}

void TfrmEditChannel2::BindHelp() {
    chanedit::BindSharedHelp(*help, *this);
    help->bind(chkNarrowBand, {QStringLiteral("Set this channel for narrow band operation.")});
    help->bind({lblTag, editChTag, rbTx_1, rbTx_2, rbRx_1, rbRx_2}, {});
}

void TfrmEditChannel2::SetChannel(int index, ch_normal_struct* channelRecord,
                                  const ChData* channels) {
    ChannelIndex = index;
    record = channelRecord;
    store = channels;
    Channel = *channelRecord;
}

void TfrmEditChannel2::SetCaption(const QString& text) {
    setWindowTitle(text);
}

void TfrmEditChannel2::ShowZoneName(const QString& text) {
    lblZoneName->setText(text);
}

void TfrmEditChannel2::ChooseSteps() {
    const bool uhf = BandByte & UHF_BAND;
    for (QRadioButton* step : {rbTx_1, rbTx_2, rbRx_1, rbRx_2})
        step->setVisible(!uhf);
    const bool tx5k = !uhf && Channel.txFreq % STEP_6K25 != 0;
    const bool rx5k = !uhf && Channel.rxFreq % STEP_6K25 != 0;
    (tx5k ? rbTx_1 : rbTx_2)->setChecked(true);
    (rx5k ? rbRx_1 : rbRx_2)->setChecked(true);
    TxStep = tx5k ? STEP_5K : STEP_6K25;
    RxStep = rx5k ? STEP_5K : STEP_6K25;
}

// A radio of 8 KiB keeps names of 5 characters and no tag.
void TfrmEditChannel2::FitRadioSize() {
    const int size = eeprom.RadioSize();
    txtChannelAlpha->setMaxLength(chlayout::NameLength(size));
    controls::enable({lblTag, editChTag}, chlayout::HoldsExtras(size));
}

void TfrmEditChannel2::FormShow() {
    BandByte = eeprom.GetByte(BAND_BYTE);
    FitRadioSize();
    ChooseSteps();
    ShowChannel();
    HelpText->clear();
}

void TfrmEditChannel2::ShowChannel() {
    txtChannelAlpha->setText(Channel.name);
    shownTag = Channel.GetTag();
    editChTag->setText(shownTag);
    lblZone->setText(ZoneLabel(Channel.zone));
    freqedit::Show(editTxFreq, Channel.txFreq);
    chkTxDisable->setChecked(Channel.txFreq == 0);
    chkTxDisableClick();
    freqedit::Show(editRxFreq, Channel.rxFreq);
    cmbTxCtcss->setCurrentIndex(ToneItem(Channel.txTone));
    cmbRxCtcss->setCurrentIndex(ToneItem(Channel.rxTone));
    edits.clear();
    const uint8_t bytes[2] = {Channel.flags, Channel.flags1};
    flags.load(bytes);
    cmbRxCtcssChange();
}

void TfrmEditChannel2::chkTxDisableClick() {
    chanedit::EnableTransmit(*this);
}

void TfrmEditChannel2::cmbRxCtcssChange() {
    chanedit::EnableDcsInvert(chkDcsInvertOK, cmbRxCtcss);
}

bool TfrmEditChannel2::StrToFreq(const QString& text, uint32_t& hz) {
    return freqedit::Parse(text, hz, FREQUENCY_CEILING - 1) == freqedit::Typed::Valid;
}

// The highest frequency an arrow reaches stays below the ceiling on either raster.
void TfrmEditChannel2::SpinFrequency(QLineEdit* box, uint32_t step, bool up) {
    uint32_t hz = 0;
    if (!StrToFreq(box->text(), hz))
        return;
    const int delta = up ? int(step) : -int(step);
    const uint32_t next = freqedit::Step(hz, delta, FREQUENCY_CEILING - step);
    box->setText(text::FrequencyText(freqedit::RoundToStep(next, step)));
    edits.mark(box);
}

void TfrmEditChannel2::udTxFreqClick(bool up) {
    SpinFrequency(editTxFreq, TxStep, up);
}

void TfrmEditChannel2::udRxFreqClick(bool up) {
    SpinFrequency(editRxFreq, RxStep, up);
}

void TfrmEditChannel2::editTxFreqKeyPress(QLineEdit* Sender) {
    uint32_t hz = 0;
    const uint32_t step = Sender == editTxFreq ? TxStep : RxStep;
    if (!StrToFreq(Sender->text(), hz))
        return;
    Sender->setText(text::FrequencyText(freqedit::RoundToStep(hz, step)));
    edits.mark(Sender);
}

bool TfrmEditChannel2::ReadFrequency(QLineEdit* box, uint32_t step, const QString& invalidText,
                                     uint32_t stored, uint32_t& hz) {
    hz = stored;
    if (!edits.changed(box))
        return true;
    if (StrToFreq(box->text(), hz)) {
        hz = freqedit::RoundToStep(hz, step);
        if (hz < FREQUENCY_CEILING)
            return true;
    }
    platform::host().messageBox(invalidText, QStringLiteral("Error"), platform::MB_ICONEXCLAMATION);
    box->setFocus();
    return false;
}

bool TfrmEditChannel2::GetChannelData() {
    uint32_t tx = 0;
    uint32_t rx = 0;
    if (!chkTxDisable->isChecked() &&
        !ReadFrequency(editTxFreq, TxStep, QStringLiteral("Invalid Transmit Frequency"),
                       Channel.txFreq, tx))
        return false;
    if (!ReadFrequency(editRxFreq, RxStep, QStringLiteral("Invalid Receive Frequency"),
                       Channel.rxFreq, rx))
        return false;
    Channel.txFreq = tx;
    Channel.rxFreq = rx;
    Channel.txTone = ToneTaken(cmbTxCtcss, edits, Channel.txTone);
    Channel.rxTone = ToneTaken(cmbRxCtcss, edits, Channel.rxTone);
    // A hidden record reads as a normal channel whatever its group bit says: it stays as
    // stored until the channel is shown. The voting bit means nothing to a normal channel.
    uint8_t bytes[2] = {Channel.flags, Channel.flags1};
    flags.store(bytes);
    if (bytes[0] & chbit::Mask(chbit::Visible))
        bytes[0] &= uint8_t(~chbit::Mask(chbit::Group));
    Channel.flags = bytes[0];
    Channel.flags1 = bytes[1];
    Channel.name = txtChannelAlpha->text();
    if (editChTag->text() != shownTag)
        Channel.SetTag(editChTag->text());
    return true;
}

// The caller's ext is left as it is.
void TfrmEditChannel2::OKBtnClick() {
    if (!GetChannelData())
        return;
    if (const GroupFault fault = store->FaultIfStored(Channel, ChannelIndex)) {
        platform::host().messageBox(fault.Text(), QStringLiteral("Error"),
                                    platform::MB_ICONEXCLAMATION);
        return;
    }
    const uint8_t ext = record->ext;
    *record = Channel;
    record->ext = ext;
    done(mrOk);
}
