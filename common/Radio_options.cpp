#include "Radio_options.h"

#include "Controls.h"
#include "Help_pane.h"
#include "Image_fields.h"
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

namespace radio_options {

namespace {

constexpr uint8_t ColourMask = 0x30;
constexpr uint8_t LevelMask = 0x03;
constexpr int LastItem = 2;
constexpr int NominalCtcssLevel = 127; // 100 %

QCheckBox* box(const char* caption, QWidget* parent) {
    return new QCheckBox(QString::fromLatin1(caption), parent);
}

QComboBox* list(QWidget* parent, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    return combo;
}

} // namespace

SwitchOnGroup buildSwitchOn(QWidget* parent) {
    SwitchOnGroup g;
    g.group = new QGroupBox(QStringLiteral("Power Switch On Options"), parent);
    g.scan = box("Clear Scan at switch on", g.group);
    g.quiet = box("Clear Quiet at switch on", g.group);
    g.channel = box("Recall channel memory 1 at switch on", g.group);
    g.squelch = box("Squelch closed (muted) at switch on", g.group);
    auto* column = new QVBoxLayout(g.group);
    for (QWidget* b : {g.scan, g.quiet, g.channel, g.squelch})
        column->addWidget(b);
    return g;
}

TimeOutGroup buildTimeOut(QWidget* parent) {
    TimeOutGroup g;
    g.group = new QGroupBox(QStringLiteral("Time Out Timer"), parent);
    g.enabled = box("Enable TOT", g.group);
    g.label = new QLabel(QStringLiteral("Time in seconds"), g.group);
    g.bar = controls::bar(g.group, 1, 255);
    g.value = new QLabel(g.group);
    auto* grid = new QGridLayout(g.group);
    grid->addWidget(g.enabled, 0, 0, 1, 2);
    grid->addWidget(g.label, 1, 0);
    grid->addWidget(g.value, 1, 1, Qt::AlignRight);
    grid->addWidget(g.bar, 2, 0, 1, 2);
    return g;
}

CtcssGroup buildCtcss(QWidget* parent, const CtcssTexts& texts) {
    CtcssGroup g;
    g.group = new QGroupBox(QStringLiteral("CTCSS Options"), parent);
    g.enabled = box("Enable CTCSS operation", g.group);
    g.rpk = box("Enable RPK", g.group);
    g.silentTail = new QCheckBox(texts.silentTail, g.group);
    g.narrowBand = box("CTCSS narrow band", g.group);
    g.hangIn = box("Increase CTCSS de-response time", g.group);
    g.scan = box("Enable CTCSS with scan", g.group);
    controls::hideForGood(g.scan);
    g.levelLabel = new QLabel(texts.levelLabel, g.group);
    g.level = controls::bar(g.group, 0, 255);
    g.levelValue = new QLabel(g.group);
    auto* grid = new QGridLayout(g.group);
    int row = 0;
    for (QWidget* b : {g.enabled, g.rpk, g.silentTail, g.narrowBand, g.hangIn})
        grid->addWidget(b, row++, 0, 1, 2);
    grid->addWidget(g.levelLabel, row, 0);
    grid->addWidget(g.levelValue, row++, 1, Qt::AlignRight);
    grid->addWidget(g.level, row, 0, 1, 2);
    return g;
}

GeneralGroup buildGeneral(QWidget* parent) {
    GeneralGroup g;
    g.group = new QGroupBox(QStringLiteral("General Options"), parent);
    g.sMeter = box("S-Meter enabled", g.group);
    g.sExtend = box("S-Meter dB Linear", g.group);
    g.beeps = box("Enable key press beeps", g.group);
    g.column = new QVBoxLayout(g.group);
    for (QWidget* b : {g.sMeter, g.sExtend, g.beeps})
        g.column->addWidget(b);
    return g;
}

SwitchOnGroup buildSwitchOn(Common& c, QWidget* parent) {
    const SwitchOnGroup g = buildSwitchOn(parent);
    c.gbSwitchOn = g.group;
    c.chkScanPdMem = g.scan;
    c.chkQuietPdMem = g.quiet;
    c.chkChannelPdMem = g.channel;
    c.chkSqlPdMem = g.squelch;
    return g;
}

TimeOutGroup buildTimeOut(Common& c, QWidget* parent) {
    const TimeOutGroup g = buildTimeOut(parent);
    c.gbTimeOutTimer = g.group;
    c.chkTotEnabled = g.enabled;
    c.lblTot = g.label;
    c.hsbTot = g.bar;
    c.lblTotValue = g.value;
    return g;
}

GeneralGroup buildGeneral(Common& c, QWidget* parent) {
    const GeneralGroup g = buildGeneral(parent);
    c.GroupBox2 = g.group;
    c.chkSMeterEnabled = g.sMeter;
    c.chkSExtend = g.sExtend;
    c.chkButtonBeeps = g.beeps;
    return g;
}

DisplayGroup buildDisplay(QWidget* parent, const QString& title, int contrastLimit) {
    DisplayGroup g;
    g.group = new QGroupBox(title, parent);
    g.colour =
        list(g.group, {QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Orange")});
    g.level =
        list(g.group, {QStringLiteral("Off"), QStringLiteral("Dim"), QStringLiteral("Bright")});
    g.contrastEdit = new QLineEdit(QStringLiteral("0"), g.group);
    g.contrast = new UpDown(g.group);
    g.contrast->setRange(-contrastLimit, contrastLimit);
    g.contrast->setAssociate(g.contrastEdit);
    g.contrast->setPosition(0);
    auto* contrastRow = new QHBoxLayout;
    contrastRow->setSpacing(0);
    contrastRow->addWidget(g.contrastEdit);
    contrastRow->addWidget(g.contrast);
    g.grid = new QGridLayout(g.group);
    g.grid->addWidget(new QLabel(QStringLiteral("Colour"), g.group), 0, 0);
    g.grid->addWidget(g.colour, 0, 1);
    g.grid->addWidget(new QLabel(QStringLiteral("Brightness"), g.group), 1, 0);
    g.grid->addWidget(g.level, 1, 1);
    g.grid->addWidget(new QLabel(QStringLiteral("Contrast"), g.group), 2, 0);
    g.grid->addLayout(contrastRow, 2, 1);
    return g;
}

void bindHelp(HelpPane* help, const SwitchOnGroup& g) {
    help->bind(g.scan, {QStringLiteral("Clear Scan mode at switch on if it was active when the "
                                       "Radio was switched off.")});
    help->bind(g.quiet, {QStringLiteral("Clear Quiet mode at switch on if it was active when the "
                                        "Radio was switched off.")});
    help->bind(g.channel, {QStringLiteral("Enables the Radio to start up on the priority (M1) "
                                          "channel at switch on.")});
    help->bind(g.squelch, {QStringLiteral("Sets Squelch to close (muted) at switch on, "
                                          "regardless of switch off state.")});
}

void bindHelp(HelpPane* help, const TimeOutGroup& g) {
    help->bind(g.enabled, {QStringLiteral("Enable transmit time out timer operation.")});
    help->bind({g.label, g.bar, g.value},
               {QStringLiteral("Set amount of time for maximum transmit session.")});
}

void bindHelp(HelpPane* help, const CtcssGroup& g, const CtcssTexts& texts) {
    help->bind(g.enabled, {QStringLiteral("Enable CTCSS operation.")});
    help->bind(g.rpk, {texts.rpkHelp});
    help->bind(g.hangIn,
               {QStringLiteral("Increase the de-response time of the CTCSS decoder. Used for "
                               "situations where the subtone part of the received signal is "
                               "noisy or may include sudden phase jumps.")});
    help->bind(g.silentTail, {texts.silentTailHelp});
    help->bind(g.scan, {QStringLiteral("Enable CTCSS checking on scan mode.")});
    help->bind(g.narrowBand, {QStringLiteral("Enable narrow band CTCSS for tones above 151.4Hz.")});
    help->bind({g.levelLabel, g.level, g.levelValue},
               {QStringLiteral("CTCSS level as a % of nominal. Nominal for wideband radio is "
                               "300Hz deviation, and narrowband radio is 150Hz Deviation.")});
}

void bindHelp(HelpPane* help, const GeneralGroup& g) {
    help->bind(g.sMeter, {QStringLiteral("Enable S-meter to be displayed.")});
    help->bind(g.sExtend,
               {QStringLiteral("S-meter display is dB-linear, showing the fade margin. A display "
                               "of '20' corresponds to a signal which is 20dB above the 12dB "
                               "SINAD point.")});
    help->bind(g.beeps, {QStringLiteral("Enable beeps when a button is pressed.")});
}

int colourItem(uint8_t displayByte) {
    return std::min<int>(bits::get(displayByte, ColourMask), LastItem);
}

int levelItem(uint8_t displayByte) {
    return std::min<int>(bits::get(displayByte, LevelMask), LastItem);
}

uint8_t composeDisplayByte(int colourItem, int levelItem) {
    return bits::put(bits::put(0, ColourMask, uint8_t(colourItem & 3)), LevelMask,
                     uint8_t(levelItem & 3));
}

QString timeOutText(int seconds) {
    return text::ValueText(seconds, 1, QStringLiteral(" Seconds"));
}

QString ctcssLevelText(int level) {
    return QString::number(level * 100 / NominalCtcssLevel) + QStringLiteral("%");
}

} // namespace radio_options
