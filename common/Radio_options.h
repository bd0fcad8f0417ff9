#pragma once
// What the radio options dialogs of both generations share: the groups of switch-on,
// time-out, CTCSS and general options with their help lines, the display group, the
// display byte (colour in bits 5-4, brightness in bits 1-0, every other bit 0) and the
// value labels. Where the generations differ the caller says how: the CTCSS texts, the
// display group's title and the contrast range.

#include <QString>
#include <cstdint>

class HelpPane;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QVBoxLayout;
class QWidget;
class UpDown;

namespace radio_options {

struct SwitchOnGroup {
    QGroupBox* group;
    QCheckBox* scan;
    QCheckBox* quiet;
    QCheckBox* channel;
    QCheckBox* squelch;
};

struct TimeOutGroup {
    QGroupBox* group;
    QCheckBox* enabled;
    QLabel* label;
    QScrollBar* bar; // 1..255 seconds
    QLabel* value;
};

// The captions and help lines that differ between the generations.
struct CtcssTexts {
    QString silentTail;
    QString silentTailHelp;
    QString rpkHelp;
    QString levelLabel;
};

struct CtcssGroup {
    QGroupBox* group;
    QCheckBox* enabled;
    QCheckBox* rpk;
    QCheckBox* silentTail;
    QCheckBox* narrowBand;
    QCheckBox* hangIn;
    QCheckBox* scan; // hidden
    QLabel* levelLabel;
    QScrollBar* level; // 0..255, 127 is nominal
    QLabel* levelValue;
};

struct GeneralGroup {
    QGroupBox* group;
    QVBoxLayout* column; // for a generation's further boxes
    QCheckBox* sMeter;
    QCheckBox* sExtend;
    QCheckBox* beeps;
};

struct DisplayGroup {
    QGroupBox* group;
    QGridLayout* grid; // for a generation's further boxes, below the contrast row
    QComboBox* colour; // "Red", "Green", "Orange"
    QComboBox* level;  // "Off", "Dim", "Bright"
    QLineEdit* contrastEdit;
    UpDown* contrast; // -limit..limit, shown in contrastEdit
};

// The switch-on, time-out and general controls under the names both dialogs give them; a
// dialog derives from it.
struct Common {
    QGroupBox* gbSwitchOn;
    QCheckBox* chkScanPdMem;
    QCheckBox* chkQuietPdMem;
    QCheckBox* chkChannelPdMem;
    QCheckBox* chkSqlPdMem;

    QGroupBox* gbTimeOutTimer;
    QCheckBox* chkTotEnabled;
    QLabel* lblTot;
    QScrollBar* hsbTot;
    QLabel* lblTotValue;

    QGroupBox* GroupBox2;
    QCheckBox* chkSMeterEnabled;
    QCheckBox* chkSExtend;
    QCheckBox* chkButtonBeeps;
};

SwitchOnGroup buildSwitchOn(QWidget* parent);
TimeOutGroup buildTimeOut(QWidget* parent);
CtcssGroup buildCtcss(QWidget* parent, const CtcssTexts& texts);
GeneralGroup buildGeneral(QWidget* parent);
DisplayGroup buildDisplay(QWidget* parent, const QString& title, int contrastLimit);
// The same groups, their controls also put into c.
SwitchOnGroup buildSwitchOn(Common& c, QWidget* parent);
TimeOutGroup buildTimeOut(Common& c, QWidget* parent);
GeneralGroup buildGeneral(Common& c, QWidget* parent);

// The help lines of each group's controls (the display group has none).
void bindHelp(HelpPane* help, const SwitchOnGroup& group);
void bindHelp(HelpPane* help, const TimeOutGroup& group);
void bindHelp(HelpPane* help, const CtcssGroup& group, const CtcssTexts& texts);
void bindHelp(HelpPane* help, const GeneralGroup& group);

// The items of the colour and brightness lists that a display byte shows; a field value
// of 3 shows the last item.
int colourItem(uint8_t displayByte);
int levelItem(uint8_t displayByte);
// The display byte of two items, written whole: every bit outside the two fields is 0.
uint8_t composeDisplayByte(int colourItem, int levelItem);

// "30 Seconds"; the CTCSS level as a percentage of nominal ("100%").
QString timeOutText(int seconds);
QString ctcssLevelText(int level);

} // namespace radio_options
