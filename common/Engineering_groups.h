#pragma once
// The groups both engineering dialogs lay out alike: reference frequencies, the delay bars,
// the radio type boxes and the power save bars with their value labels.

#include <QString>
#include <array>
#include <initializer_list>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace engineering {

// A bar and the label that shows its value: position x scale in the pattern, then the unit.
struct ValueBar {
    QScrollBar* bar = nullptr;
    QLabel* label = nullptr;
    double scale = 1;
    const char* pattern = "0";
    const char* unit = " mSec";

    void ShowValue() const;
    void Enable(bool enabled) const;
};

// The six power save bars, in their page order.
struct PowerSaveBars {
    ValueBar holdOn{nullptr, nullptr, 1, "0", " Seconds"};
    ValueBar on;
    ValueBar off{nullptr, nullptr, 10, "0", " mSec"};
    ValueBar pllUp;
    ValueBar rxUp;
    ValueBar vcoUp;

    std::array<const ValueBar*, 6> All() const {
        return {&holdOn, &on, &off, &pllUp, &rxUp, &vcoUp};
    }
};

QGroupBox* BoxGroup(const QString& title, std::initializer_list<QWidget*> boxes);
// "IF Offset" and the PLL reference, each a MHz box that takes a decimal number.
QGroupBox* ReferenceGroup(QLineEdit*& ifOffset, QLineEdit*& pllReference,
                          const QString& pllCaption);
// A titled group with a caption over a 0..255 bar and its value label.
QGroupBox* DelayGroup(const QString& title, const QString& caption, ValueBar& bar);
// "UHF", two boxes without caption, "VCO Range": bits 7 to 4 of the radio type byte.
QGroupBox* RadioTypeGroup(const QString& caption, QCheckBox*& bit7, QCheckBox*& bit6,
                          QCheckBox*& bit5, QCheckBox*& bit4);
// "Enable Power Save Operation" over the six captioned bars; the bars' value labels follow
// each bar's moves.
QGroupBox* PowerSaveGroup(QCheckBox*& enable, PowerSaveBars& bars);

} // namespace engineering
