#include "Editvote.h"

#include "Controls.h"
#include "Eeprom.h"
#include "Help_pane.h"
#include "Radioabout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <iterator>
#include <memory>
#include <vector>

TfrmEditVote* frmEditVote = nullptr;

namespace {

constexpr int BarPageStep = 4;
constexpr int IgnoreTimeScale = 4; // stored in quarter seconds, shown in seconds

QString seconds(int value) {
    return QStringLiteral("%1s").arg(value);
}
QString tensOfMilliseconds(int value) {
    return QStringLiteral("%1ms").arg(value * 10);
}
QString decibels(int value) {
    return QStringLiteral("%1dB").arg(value);
}
QString minutesOrOff(int value) {
    return value == 0 ? QStringLiteral("OFF") : QStringLiteral("%1min").arg(value);
}

QStringList CtcssIgnoredLines(const char* voting) {
    return {QStringLiteral("Channel with incorrect CTCSS is removed from %1 voting for this time.")
                .arg(QString::fromLatin1(voting)),
            QStringLiteral(
                "Channel is restored to vote group when carrier disappears or timer expires.")};
}

// A bar with its caption and value label, and the image byte it edits.
struct VoteBar {
    int offset;
    int maximum;
    int scale;
    QString (*valueText)(int value);
    QLabel* TfrmEditVote::*caption;
    QScrollBar* TfrmEditVote::*bar;
    QLabel* TfrmEditVote::*value;
    const char* captionText;
};

// Busy Voting tab, then RSSI Voting tab.
constexpr VoteBar Bars[] = {
    {82, 60, 1, seconds, &TfrmEditVote::lblBusyChannelHoldTime,
     &TfrmEditVote::hsbBusyChannelHoldTime, &TfrmEditVote::lblBusyChannelHoldTimeValue,
     "Channel Hold Time:"},
    {65, 10, IgnoreTimeScale, seconds, &TfrmEditVote::lblBusyChannelIgnoreTime,
     &TfrmEditVote::hsbBusyChannelIgnoreTime, &TfrmEditVote::lblBusyChannelIgnoreTimeValue,
     "Channel Ignore Time:"},
    {48, 255, 1, tensOfMilliseconds, &TfrmEditVote::lblRssiLet, &TfrmEditVote::hsbRssiLet,
     &TfrmEditVote::lblRssiLetValue, "Link Establish Time:"},
    {83, 60, 1, seconds, &TfrmEditVote::lblRssiChannelHoldTime,
     &TfrmEditVote::hsbRssiChannelHoldTime, &TfrmEditVote::lblRssiChannelHoldTimeValue,
     "Channel Hold Time:"},
    {81, 10, IgnoreTimeScale, seconds, &TfrmEditVote::lblRssiIgnoreTime,
     &TfrmEditVote::hsbRssiIgnoreTime, &TfrmEditVote::lblRssiIgnoreTimeValue,
     "Channel Ignore Time:"},
    {63, 65, 1, decibels, &TfrmEditVote::lblFastVoteThreshold, &TfrmEditVote::hsbFastVoteThreshold,
     &TfrmEditVote::lblFastVoteThresholdValue, "Fast Vote Margin:"},
    {64, 30, 1, minutesOrOff, &TfrmEditVote::lblForcedRevoteTime,
     &TfrmEditVote::hsbForcedRevoteTime, &TfrmEditVote::lblForcedRevoteTimeValue,
     "Forced Revote Time:"},
};
constexpr int BusyIgnoreBar = 1;
constexpr int RssiIgnoreBar = 4;
constexpr int FirstRssiBar = 2;
constexpr int FastVoteBar = 5;
constexpr int ForcedRevoteBar = 6;
constexpr int BarCount = int(std::size(Bars));

struct VoteBox {
    BitBox<TfrmEditVote, QCheckBox> bit;
    const char* caption;
};

constexpr VoteBox Boxes[] = {
    {{74, 7, &TfrmEditVote::chkPTT_Forced_Revote}, "Forced Revote on PTT"},
    {{74, 6, &TfrmEditVote::chkVoteWithoutCTCSS}, "Vote Without CTCSS"},
    {{77, 4, &TfrmEditVote::chkForcedRevoteBusy}, "Forced Revote While Busy"},
    {{77, 3, &TfrmEditVote::chkPTTHomeChannel}, "PTT on Home Channel"},
    {{79, 5, &TfrmEditVote::chkScanRepeaterInput}, "Scan Repeater Input Frequencies"},
};

uint8_t readImage(int offset) {
    return eeprom.GetByte(offset);
}

void writeImage(int offset, uint8_t value) {
    eeprom.SetByte(offset, value);
}

} // namespace

TfrmEditVote::TfrmEditVote(QWidget* parent) : Form(parent, mrCancel) {
    setWindowTitle(QStringLiteral("Vote Setup"));
    buildTabs();
    MemoHelp = new QTextEdit(this);
    MemoHelp->setFixedHeight(72);
    help = new HelpPane(MemoHelp);
    btnOk = forms::button(QStringLiteral("Ok"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    auto* column = new QVBoxLayout(this);
    column->addWidget(PageControl1);
    column->addLayout(controls::helpRow(MemoHelp, btnOk, btnCancel));
    bindFields();
    bindHelp();

    connect(btnOk, &QPushButton::clicked, this, &TfrmEditVote::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmEditVote::btnCancelClick);
    for (int b = 0; b < BarCount; ++b) {
        QScrollBar* bar = this->*Bars[b].bar;
        if (b == BusyIgnoreBar)
            connect(bar, &QScrollBar::valueChanged, this,
                    &TfrmEditVote::hsbBusyChannelIgnoreTimeChange);
        else if (b == RssiIgnoreBar)
            connect(bar, &QScrollBar::valueChanged, this, &TfrmEditVote::hsbRssiIgnoreTimeChange);
        else
            connect(bar, &QScrollBar::valueChanged, this, &TfrmEditVote::hsbMacIgnoreTimeChange);
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { focusOkWithVersionNote(); });
}

void TfrmEditVote::buildTabs() {
    PageControl1 = new QTabWidget(this);
    TabSheet2 = buildBarTab(0, FirstRssiBar);
    TabSheet1 = buildBarTab(FirstRssiBar, BarCount);
    auto* boxes = static_cast<QGridLayout*>(TabSheet1->layout());
    for (const VoteBox& row : Boxes) {
        QCheckBox* box = new QCheckBox(QString::fromLatin1(row.caption), TabSheet1);
        this->*row.bit.box = box;
        boxes->addWidget(box, boxes->rowCount(), 0, 1, 3);
    }
    boxes->setRowStretch(boxes->rowCount(), 1);
    PageControl1->addTab(TabSheet2, QStringLiteral("Busy Voting"));
    PageControl1->addTab(TabSheet1, QStringLiteral("RSSI Voting"));
}

QWidget* TfrmEditVote::buildBarTab(int firstBar, int lastBar) {
    auto* tab = new QWidget(PageControl1);
    auto* grid = new QGridLayout(tab);
    for (int b = firstBar; b < lastBar; ++b) {
        const VoteBar& row = Bars[b];
        this->*row.caption = new QLabel(QString::fromLatin1(row.captionText), tab);
        QScrollBar* bar = controls::bar(tab, 0, row.maximum, 220);
        bar->setPageStep(BarPageStep);
        this->*row.bar = bar;
        QLabel* value = new QLabel(row.valueText(row.maximum), tab);
        value->setMinimumWidth(value->sizeHint().width()); // the widest text fits
        this->*row.value = value;
        const int line = b - firstBar;
        grid->addWidget(this->*row.caption, line, 0);
        grid->addWidget(bar, line, 1);
        grid->addWidget(value, line, 2);
    }
    grid->setColumnStretch(1, 1);
    if (lastBar == FirstRssiBar)
        grid->setRowStretch(grid->rowCount(), 1);
    return tab;
}

void TfrmEditVote::bindFields() {
    for (const VoteBar& row : Bars)
        fields.number(this->*row.bar, row.offset, 0xFF, 0, row.scale);
    for (const VoteBox& row : Boxes)
        fields.check(this->*row.bit.box, row.bit.offset, uint8_t(1u << row.bit.bit));
}

void TfrmEditVote::bindHelp() {
    const QStringList lines[BarCount] = {
        {QStringLiteral("Delay after carrier disappears before Busy voting resumes.")},
        CtcssIgnoredLines("Busy"),
        {QStringLiteral(
            "Delay between when carrier is detected and RSSI on all channels is checked.")},
        {QStringLiteral("Delay after carrier disappears before RSSI voting resumes.")},
        CtcssIgnoredLines("RSSI"),
        {QStringLiteral("RSSI Voting selects the first channel with signal strength that "
                        "exceeds S0 (-122dBm) by more than the fast vote threshold.")},
        {QStringLiteral(
            "Force the radio to perform a revote if holding on a channel longer than this time.")},
    };
    for (int b = 0; b < BarCount; ++b)
        help->bind({this->*Bars[b].caption, this->*Bars[b].bar, this->*Bars[b].value}, lines[b]);
    const std::pair<QWidget*, QStringList> boxes[] = {
        {chkPTT_Forced_Revote,
         {QStringLiteral("When PTT is pressed while holding on a channel, perform Forced "
                         "Revote when PTT is released.")}},
        {chkForcedRevoteBusy,
         {QStringLiteral("Perform Forced Revote even if carrier is still present."),
          QStringLiteral("This may cause a brief interruption to the received signal while "
                         "radio revotes.")}},
        {chkVoteWithoutCTCSS,
         {QStringLiteral("Select vote channel with highest signal level regardless of CTCSS."),
          QStringLiteral(
              "Speeds up channel acquistion. CTCSS is only used to open speaker mute.")}},
        {chkPTTHomeChannel,
         {QStringLiteral("Transmit on first (home) channel in vote group whenever there is no "
                         "Last Voted Channel."),
          QStringLiteral("Otherwise, transmit on each channel in vote group in turn.")}},
        {chkScanRepeaterInput,
         {QStringLiteral("Include transmit (repeater input) frequencies in RSSI voting.")}},
    };
    help->bindRows(boxes);
}

bool TfrmEditVote::oldFirmware() const {
    return FirmwareVersion != 0 && FirmwareVersion < FULL_VOTING_FIRMWARE;
}

void TfrmEditVote::FormShow() {
    FirmwareVersion = FirmwareNumber(versionInfo);
    enableNewerControls();
    {
        // The labels and the tie of the ignore times follow below, busy ignore time first.
        std::vector<std::unique_ptr<QSignalBlocker>> quiet;
        for (const VoteBar& row : Bars)
            quiet.push_back(std::make_unique<QSignalBlocker>(this->*row.bar));
        fields.load(readImage);
    }
    hsbMacIgnoreTimeChange();
    hsbBusyChannelIgnoreTimeChange();
    hsbRssiIgnoreTimeChange();
    focusOkWithVersionNote();
}

void TfrmEditVote::enableNewerControls() {
    std::vector<QWidget*> newer;
    for (int b : {FastVoteBar, ForcedRevoteBar})
        newer.insert(newer.end(),
                     {this->*Bars[b].caption, this->*Bars[b].bar, this->*Bars[b].value});
    for (const VoteBox& row : Boxes)
        newer.push_back(this->*row.bit.box);
    controls::enable(newer, !oldFirmware());
}

void TfrmEditVote::focusOkWithVersionNote() {
    btnOk->setFocus();
    MemoHelp->clear();
    if (!oldFirmware())
        return;
    MemoHelp->append(QStringLiteral("Firmware version is earlier than v2.02."));
    MemoHelp->append(QStringLiteral("Controls that are not applicable are disabled."));
    MemoHelp->append(QStringLiteral("Busy Voting Channel Ignore Time and RSSI Voting Channel "
                                    "Ignore Time are the same."));
}

void TfrmEditVote::rewriteLabel(int b) {
    const VoteBar& row = Bars[b];
    (this->*row.value)->setText(row.valueText((this->*row.bar)->value()));
}

void TfrmEditVote::hsbMacIgnoreTimeChange() {
    for (int b = 0; b < BarCount; ++b)
        if (b != BusyIgnoreBar && b != RssiIgnoreBar)
            rewriteLabel(b);
}

void TfrmEditVote::hsbBusyChannelIgnoreTimeChange() {
    rewriteLabel(BusyIgnoreBar);
    if (oldFirmware())
        hsbRssiIgnoreTime->setValue(hsbBusyChannelIgnoreTime->value());
}

void TfrmEditVote::hsbRssiIgnoreTimeChange() {
    rewriteLabel(RssiIgnoreBar);
    if (oldFirmware())
        hsbBusyChannelIgnoreTime->setValue(hsbRssiIgnoreTime->value());
}

// Old firmware keeps one ignore time: a move of either bar is a move of both, and the RSSI
// byte follows the busy byte, also when an untouched busy byte that is no multiple of 4 is
// kept as stored.
void TfrmEditVote::btnOkClick() {
    if (oldFirmware() && fields.edits().anyChanged({hsbBusyChannelIgnoreTime, hsbRssiIgnoreTime}))
        for (QWidget* bar : {hsbBusyChannelIgnoreTime, hsbRssiIgnoreTime})
            fields.edits().mark(bar);
    fields.store(readImage, writeImage);
    if (oldFirmware())
        writeImage(Bars[RssiIgnoreBar].offset, readImage(Bars[BusyIgnoreBar].offset));
    done(mrOk);
}

void TfrmEditVote::btnCancelClick() {
    done(mrCancel);
}
