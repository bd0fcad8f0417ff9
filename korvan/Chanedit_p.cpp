#include "Chanedit_p.h"

#include "Channel_edit.h"
#include "Controls.h"
#include "Ctcss.h"
#include "Eeprom.h"
#include "Frequency_edit.h"
#include "Group_members.h"
#include "Help_pane.h"
#include "Key_filter.h"
#include "Main.h"
#include "Text_format.h"
#include "Up_down.h"
#include "platform/Convert.h"
#include "platform/Host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <initializer_list>

TfrmEditChannel2* frmEditChannel2 = nullptr;

namespace {

constexpr uint32_t UHF_MAX_HZ = 550000000;
constexpr uint32_t VHF_MAX_HZ = 200000000;
constexpr uint8_t UHF_BAND = 0x80; // band byte bit 7

} // namespace

TfrmEditChannel2::TfrmEditChannel2(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Edit Channel"));
    controls::helpAndButtons(this, HelpText, OKBtn, CancelBtn, &TfrmEditChannel2::OKBtnClick,
                             &TfrmEditChannel2::CancelBtnClick);
    help = new HelpPane(HelpText);

    QGroupBox* transmit = BuildTransmit();
    QGroupBox* receive = BuildReceive();
    QGroupBox* general = BuildGeneral();
    chanedit::LayOut(this, {BuildChannelRow(), transmit, receive, general}, HelpText, OKBtn,
                     CancelBtn);

    // FormCreate: the tone lists are filled once.
    LoadToneList(cmbTxCtcss);
    LoadToneList(cmbRxCtcss);
    BindFlags();
    chanedit::WatchFrequenciesAndTones(edits, *this);
    BindHelp();
}

QWidget* TfrmEditChannel2::BuildChannelRow() {
    auto* row = new QWidget(this);
    lblChannelNumber = new QLabel(QStringLiteral("Channel Number : "), row);
    editChnl = new QLineEdit(row);
    editChnl->setMaxLength(3);
    editChnl->setFixedWidth(40);
    keys::allowOnly(editChnl, keys::Digits);
    udChnl = new UpDown(row);
    udChnl->setRange(1, CH_LAST_SLOT);
    udChnl->setAssociate(editChnl);
    udChnl->setPosition(1);
    connect(udChnl, &UpDown::Click, this, &TfrmEditChannel2::udChnlClick);
    connect(editChnl, &QLineEdit::returnPressed, this, &TfrmEditChannel2::editChnlKeyPress);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lblChannelNumber);
    layout->addWidget(editChnl);
    layout->addWidget(udChnl);
    layout->addStretch(1);
    return row;
}

QGroupBox* TfrmEditChannel2::BuildTransmit() {
    TxGroup = new QGroupBox(QStringLiteral("Transmit Options."), this);
    lblTxFreq = new QLabel(QStringLiteral("Transmit Frequency"), TxGroup);
    editTxFreq = freqedit::NewBox(TxGroup);
    udTxFreq = new SpinButton(TxGroup);
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

    QGridLayout* layout =
        freqedit::LayOutGroup(TxGroup, {lblTxFreq, editTxFreq, udTxFreq, lblTxCtcss, cmbTxCtcss},
                              {chkTxDisable, chkTxLowPower, chkBlEnabled, chkTaEnabled});
    layout->setRowStretch(6, 1);
    return TxGroup;
}

QGroupBox* TfrmEditChannel2::BuildReceive() {
    RxGroup = new QGroupBox(QStringLiteral("Receive Options."), this);
    lblRxFreq = new QLabel(QStringLiteral("Receive Frequency"), RxGroup);
    editRxFreq = freqedit::NewBox(RxGroup);
    udRxFreq = new SpinButton(RxGroup);
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

    freqedit::LayOutGroup(RxGroup, {lblRxFreq, editRxFreq, udRxFreq, lblRxCtcss, cmbRxCtcss},
                          {chkOsMem, chkGsMem, chkQMem, chkSqlSwEnabled, chkDcsInvertOK});
    return RxGroup;
}

QGroupBox* TfrmEditChannel2::BuildGeneral() {
    GeneralGroup = new QGroupBox(QStringLiteral("General Options."), this);
    chkChEnabled = new QCheckBox(QStringLiteral("Enable as Normal Channel"), GeneralGroup);
    chkNarrowBand = new QCheckBox(QStringLiteral("Set Channel as Narrow Band"), GeneralGroup);
    chkCpuXtalOffset = new QCheckBox(QStringLiteral("Offset CPU crystal"), GeneralGroup);
    chkDisableChannelHold = new QCheckBox(QStringLiteral("Use CTCSS During Voting"), GeneralGroup);
    chkAlphaTagEnabled = new QCheckBox(QStringLiteral("Enable channel Alpha Tag"), GeneralGroup);
    lblAlphaTag = new QLabel(QStringLiteral("Channel Alpha"), GeneralGroup);
    txtChannelAlpha = new QLineEdit(GeneralGroup);
    txtChannelAlpha->setMaxLength(CH_NAME_LENGTH);
    txtChannelAlpha->setFixedWidth(100);
    keys::allowOnly(txtChannelAlpha, keys::AlphaTag, true);
    connect(chkNarrowBand, &QCheckBox::toggled, this, &TfrmEditChannel2::chkNarrowBandClick);
    connect(chkAlphaTagEnabled, &QCheckBox::toggled, this,
            &TfrmEditChannel2::chkAlphaTagEnabledClick);

    auto* layout = new QGridLayout(GeneralGroup);
    layout->addWidget(chkChEnabled, 0, 0);
    layout->addWidget(chkNarrowBand, 1, 0);
    layout->addWidget(chkCpuXtalOffset, 2, 0);
    layout->addWidget(chkDisableChannelHold, 0, 1, 1, 2);
    layout->addWidget(chkAlphaTagEnabled, 1, 1, 1, 2);
    layout->addWidget(lblAlphaTag, 2, 1);
    layout->addWidget(txtChannelAlpha, 2, 2);
    return GeneralGroup;
}

// The option boxes against the record's flags6 (offset 0) and flags7 (offset 1).
void TfrmEditChannel2::BindFlags() {
    flags.check(chkChEnabled, 0, chflags::Enabled);
    flags.check(chkTaEnabled, 0, chflags::TalkAround);
    flags.check(chkBlEnabled, 0, chflags::BusyLockout);
    flags.check(chkTxLowPower, 0, chflags::LowPower);
    flags.check(chkDisableChannelHold, 0, chflags::CtcssVoting);
    flags.check(chkOsMem, 1, chflags::OpenScan);
    flags.check(chkGsMem, 1, chflags::GroupScan);
    flags.check(chkQMem, 1, chflags::Quiet);
    flags.check(chkSqlSwEnabled, 1, chflags::SquelchSw);
    flags.check(chkNarrowBand, 1, chflags::Narrow);
    flags.check(chkCpuXtalOffset, 1, chflags::CpuOffset);
    flags.check(chkDcsInvertOK, 1, chflags::DcsInvert);
}

void TfrmEditChannel2::BindHelp() {
    chanedit::BindSharedHelp(*help, *this);
    help->bind(
        {chkNarrowBand},
        {QStringLiteral("Tick to set this channel for 2.5kHz peak deviation (12.5 kHz channel "
                        "spacing). "),
         QStringLiteral("Untick to set channel for 5kHz peak deviation (25kHz channel spacing).")});
    help->bind({chkAlphaTagEnabled},
               {QStringLiteral("Enable the use of an Alpha Tag for this channel.")});
    help->bind({editChnl, lblChannelNumber}, {});
}

void TfrmEditChannel2::LoadToneList(QComboBox* box) {
    box->clear();
    for (int n = 0; n < CTCSS_ENTRIES; ++n)
        box->addItem(CtcssText(n));
    for (int d = 0; d < DCS_ENTRIES; ++d)
        box->addItem(DcsText(d));
}

void TfrmEditChannel2::SetChannelData(int* slot, ChData* channelStore,
                                      const CH_NORMAL_STRUCT& record) {
    channelOut = slot;
    store = channelStore;
    GivenChannel = *slot;
    ChannelRecord = record;
}

void TfrmEditChannel2::FormShow() {
    EditedChannel = GivenChannel;
    udChnl->setPosition(EditedChannel);
    BandByte = uint8_t(eeBuffer->GetByte(BAND_BYTE));
    MaxFrequency = (BandByte & UHF_BAND) ? UHF_MAX_HZ : VHF_MAX_HZ;
    SetStepFromBandwidth();
    ShowChannel();
    HelpText->clear();
}

void TfrmEditChannel2::ShowChannel() {
    freqedit::Show(editTxFreq, ChannelRecord.TxFreq);
    freqedit::Show(editRxFreq, ChannelRecord.RxFreq);
    chkTxDisable->setChecked(ChannelRecord.TxFreq == 0);
    chkTxDisableClick();
    cmbTxCtcss->setCurrentIndex(ToneItem(int(ChannelRecord.TxTone)));
    cmbRxCtcss->setCurrentIndex(ToneItem(int(ChannelRecord.RxTone)));
    edits.clear();
    const uint8_t bytes[2] = {ChannelRecord.Flags6, ChannelRecord.Flags7};
    flags.load(bytes);
    cmbRxCtcssChange();
    const bool named = EditedChannel <= CH_LAST_NAMED;
    if (!named)
        chkChEnabled->setChecked(false);
    txtChannelAlpha->setText(ChannelRecord.Name);
    chkAlphaTagEnabled->setChecked(!ChannelRecord.Name.isEmpty());
    UpdateChannelControls(EditedChannel);
}

void TfrmEditChannel2::chkTxDisableClick() {
    chanedit::EnableTransmit(*this);
}

void TfrmEditChannel2::chkAlphaTagEnabledClick() {
    controls::enable({lblAlphaTag, txtChannelAlpha}, chkAlphaTagEnabled->isChecked());
}

void TfrmEditChannel2::cmbRxCtcssChange() {
    chanedit::EnableDcsInvert(chkDcsInvertOK, cmbRxCtcss);
}

// Slots 100..124 are always enabled and have no name.
void TfrmEditChannel2::UpdateChannelControls(int channel) {
    const bool named = channel <= CH_LAST_NAMED;
    controls::enable({chkChEnabled, chkAlphaTagEnabled}, named);
    controls::enable({lblAlphaTag, txtChannelAlpha}, named && chkAlphaTagEnabled->isChecked());
}

bool TfrmEditChannel2::ReadChannelNumber() {
    bool isNumber = false;
    const int channel = editChnl->text().trimmed().toInt(&isNumber);
    if (!isNumber || channel < 1 || channel > CH_LAST_SLOT) {
        platform::host().messageBox(QStringLiteral("Invalid Channel"), QStringLiteral("Error"),
                                    platform::MB_ICONEXCLAMATION);
        return false;
    }
    EditedChannel = channel;
    return true;
}

void TfrmEditChannel2::udChnlClick() {
    if (ReadChannelNumber())
        UpdateChannelControls(EditedChannel);
}

void TfrmEditChannel2::editChnlKeyPress() {
    udChnlClick();
}

// "" is 0 Hz; a negative number is 0 Hz; a number beyond what 32 bits of Hz hold is
// above every band and is later limited to the band's maximum.
bool TfrmEditChannel2::StrToFreq(const QString& text, uint32_t& hz) {
    return freqedit::Parse(text, hz) != freqedit::Typed::Invalid;
}

void TfrmEditChannel2::SetStepFromBandwidth() {
    FreqStep = chkNarrowBand->isChecked() ? 12500 : 25000;
}

// Up to 200 MHz a 5 kHz multiple stands; everything else goes to the nearest 6.25 kHz.
uint32_t TfrmEditChannel2::SnapFrequency(uint32_t hz) {
    if (hz <= VHF_MAX_HZ && hz % 5000 == 0)
        return hz;
    return RoundToStep(hz, 6250);
}

uint32_t TfrmEditChannel2::RoundToStep(uint32_t hz, uint32_t step) {
    return freqedit::RoundToStep(hz, step);
}

bool TfrmEditChannel2::CheckBand(uint32_t hz) {
    if (!(BandByte & UHF_BAND) || hz == 0 || hz >= VHF_MAX_HZ)
        return true;
    platform::host().messageBox(text::FrequencyText(hz) +
                                    QStringLiteral("MHz is a VHF frequency.\n"
                                                   "To use VHF frequencies, first read from a "
                                                   "VHF radio\nor read a VHF radio mem file."),
                                QStringLiteral("Frequency Error"), platform::MB_ICONEXCLAMATION);
    return false;
}

void TfrmEditChannel2::SpinFrequency(QLineEdit* box, bool up) {
    uint32_t hz = 0;
    if (!StrToFreq(box->text(), hz))
        return;
    const uint32_t next = freqedit::Step(hz, up ? FreqStep : -FreqStep, MaxFrequency);
    box->setText(text::FrequencyText(SnapFrequency(next)));
    edits.mark(box);
}

void TfrmEditChannel2::udTxFreqClick(bool up) {
    SpinFrequency(editTxFreq, up);
}

void TfrmEditChannel2::udRxFreqClick(bool up) {
    SpinFrequency(editRxFreq, up);
}

void TfrmEditChannel2::editTxFreqKeyPress(QLineEdit* Sender) {
    uint32_t hz = 0;
    if (!StrToFreq(Sender->text(), hz))
        return;
    Sender->setText(text::FrequencyText(SnapFrequency(std::min(hz, MaxFrequency))));
    edits.mark(Sender);
}

// A box the user left alone gives back the stored frequency: no clamp, snap or band check.
bool TfrmEditChannel2::ReadFrequency(QLineEdit* box, const QString& invalidText, uint32_t stored,
                                     uint32_t& hz) {
    hz = stored;
    if (!edits.changed(box))
        return true;
    if (!StrToFreq(box->text(), hz)) {
        platform::host().messageBox(invalidText, QStringLiteral("Error"),
                                    platform::MB_ICONEXCLAMATION);
        return false;
    }
    hz = SnapFrequency(std::min(hz, MaxFrequency));
    return CheckBand(hz);
}

bool TfrmEditChannel2::GetChannelData() {
    uint32_t tx = 0;
    uint32_t rx = 0;
    if (!chkTxDisable->isChecked() &&
        !ReadFrequency(editTxFreq, QStringLiteral("Invalid Transmit Frequency"),
                       ChannelRecord.TxFreq, tx))
        return false;
    if (!ReadFrequency(editRxFreq, QStringLiteral("Invalid Receive Frequency"),
                       ChannelRecord.RxFreq, rx))
        return false;
    ChannelRecord.TxFreq = tx;
    ChannelRecord.RxFreq = rx;
    ChannelRecord.TxTone = uint32_t(ToneTaken(cmbTxCtcss, edits, int(ChannelRecord.TxTone)));
    ChannelRecord.RxTone = uint32_t(ToneTaken(cmbRxCtcss, edits, int(ChannelRecord.RxTone)));

    // The voting bit means nothing to a normal channel and stays as stored.
    uint8_t bytes[2] = {uint8_t(ChannelRecord.Flags6 & ~chflags::Group), ChannelRecord.Flags7};
    flags.store(bytes);
    // Slots 100..124 have no enabled box: a new channel there is enabled, one the slot
    // already holds keeps its bit.
    const bool named = EditedChannel <= CH_LAST_NAMED;
    if (!named)
        bytes[0] = bits::put(bytes[0], chflags::Enabled,
                             StoresNewChannel() || (ChannelRecord.Flags6 & chflags::Enabled));
    ChannelRecord.Flags6 = bytes[0];
    ChannelRecord.Flags7 = bytes[1];
    ChannelRecord.Name =
        named && chkAlphaTagEnabled->isChecked() ? txtChannelAlpha->text() : QString();
    return true;
}

bool TfrmEditChannel2::StoresNewChannel() const {
    return EditedChannel != GivenChannel || store->IsEmpty(EditedChannel);
}

void TfrmEditChannel2::OKBtnClick() {
    if (!ReadChannelNumber())
        return;
    if (EditedChannel != GivenChannel && !store->IsEmpty(EditedChannel) &&
        platform::host().messageBox(
            QStringLiteral("Channel %1 already exists - Overwrite?").arg(EditedChannel),
            QStringLiteral("Warning"),
            platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION) != platform::IDOK)
        return;
    if (!GetChannelData())
        return;
    if (const GroupFault fault = store->FaultIfStored(ChannelRecord, EditedChannel)) {
        platform::host().messageBox(fault.Text(), QStringLiteral("Error"),
                                    platform::MB_ICONEXCLAMATION);
        return;
    }
    if (StoresNewChannel() && !members::AskToJoin(EditedChannel, store->GroupsUsing(EditedChannel)))
        return;
    store->SetNormal(ChannelRecord, EditedChannel);
    *channelOut = EditedChannel;
    done(1);
}

void TfrmEditChannel2::CancelBtnClick() {
    done(2);
}

QString TfrmEditChannel2::GetChannelName(int i) const {
    if (i < 0 || i > CH_LAST_SLOT - 1)
        return QString();
    if (i < CH_LAST_NAMED)
        return ReadImageName(frmBelmar->RadioData, i).left(5);
    return QStringLiteral("CH%1").arg(i + 1);
}
