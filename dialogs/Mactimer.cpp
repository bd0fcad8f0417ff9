#include "Mactimer.h"

#include "Controls.h"
#include "Image_access.h"
#include "Text_format.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

TfrmMacTimers* frmMacTimers = nullptr;

namespace {

constexpr int IgnoreTimeByte = 81; // seconds x 4
constexpr int IgnoreTimeScale = 4;
// The byte holds seconds x 4, so the bar offers only what the byte can hold.
constexpr int IgnoreTimeMax = 255 / IgnoreTimeScale;
constexpr int HoldTimeByte = 82;
constexpr int ResetRssiByte = 83;
constexpr int RssiLetByte = 48; // x 10 ms

QScrollBar* makeBar(int maximum) {
    auto* bar = controls::bar(nullptr, 0, maximum, 200);
    bar->setPageStep(4);
    return bar;
}

// A group box holding a bar, its value label and the explanation beneath.
QGroupBox* timerBox(const QString& title, QScrollBar* bar, QLabel* value, const QString& text) {
    auto* box = new QGroupBox(title);
    auto* row = new QHBoxLayout;
    row->addWidget(bar, 1);
    value->setMinimumWidth(48);
    row->addWidget(value);
    auto* column = new QVBoxLayout(box);
    column->addLayout(row);
    auto* explanation = new QLabel(text);
    explanation->setWordWrap(true);
    column->addWidget(explanation);
    return box;
}

} // namespace

TfrmMacTimers::TfrmMacTimers(QWidget* parent) : ImageDialog(parent, QDialog::Rejected) {
    setWindowTitle(QStringLiteral("Group Channel Timers"));
    hsbMacIgnoreTime = makeBar(IgnoreTimeMax);
    lblMacIgnoreTime = new QLabel;
    hsbMacHoldTime = makeBar(255);
    lblMacHoldTime = new QLabel;
    hsbMacResetRssi = makeBar(255);
    lblMacResetRssi = new QLabel;
    hsbRssiLet = makeBar(255);
    lblRssiLet = new QLabel;

    auto* main = new QVBoxLayout(this);
    main->addWidget(timerBox(QStringLiteral("Group Channel ignore timer"), hsbMacIgnoreTime,
                             lblMacIgnoreTime,
                             QStringLiteral("Time the radio will not check a busy channel after "
                                            "a non-valid signal has been detected.")));
    main->addWidget(timerBox(
        QStringLiteral("Busy Vote group channel hold timer"), hsbMacHoldTime, lblMacHoldTime,
        QStringLiteral("Time the radio will wait on a channel after it is detected as becoming "
                       "clear.")));
    auto* rssi =
        timerBox(QStringLiteral("Rssi Vote group channel timers"), hsbMacResetRssi, lblMacResetRssi,
                 QStringLiteral("Re-vote time: Time before logged signal strengths are "
                                "cleared after the chanel becomes inactive."));
    auto* letRow = new QHBoxLayout;
    letRow->addWidget(hsbRssiLet, 1);
    lblRssiLet->setMinimumWidth(48);
    letRow->addWidget(lblRssiLet);
    auto* rssiColumn = static_cast<QVBoxLayout*>(rssi->layout());
    rssiColumn->addLayout(letRow);
    rssiColumn->addWidget(
        new QLabel(QStringLiteral("Link Establish Time: delay before first vote is taken")));
    main->addWidget(rssi);
    main->addLayout(BuildButtonRow());
#if KORVAN_V2
    main->setSizeConstraint(QLayout::SetFixedSize);
#endif

    // Loaded in this order. A stored ignore time that is not a multiple of 4 is kept
    // unless the bar is moved.
    fields.number(hsbMacIgnoreTime, IgnoreTimeByte, 0xFF, 0, IgnoreTimeScale);
    fields.number(hsbMacHoldTime, HoldTimeByte, 0xFF);
    fields.number(hsbMacResetRssi, ResetRssiByte, 0xFF);
    fields.number(hsbRssiLet, RssiLetByte, 0xFF);

    for (QScrollBar* bar : {hsbMacIgnoreTime, hsbMacHoldTime, hsbMacResetRssi, hsbRssiLet})
        connect(bar, &QScrollBar::valueChanged, this, [this] { hsbMacIgnoreTimeChange(); });
}

void TfrmMacTimers::FormShow() {
#if !KORVAN_V2
    TakeBackup();
#endif
    fields.load(image::get);
    hsbMacIgnoreTimeChange();
}

void TfrmMacTimers::hsbMacIgnoreTimeChange() {
    const QString seconds = QStringLiteral("s");
    lblMacIgnoreTime->setText(text::ValueText(hsbMacIgnoreTime->value(), 1, seconds));
    lblMacHoldTime->setText(text::ValueText(hsbMacHoldTime->value(), 1, seconds));
    lblMacResetRssi->setText(text::ValueText(hsbMacResetRssi->value(), 1, seconds));
    lblRssiLet->setText(text::ValueText(hsbRssiLet->value(), 10, QStringLiteral("ms")));
}

void TfrmMacTimers::OKBtnClick() {
    fields.store(image::get, image::set);
    accept();
}
