#pragma once
// The transmit and receive frequency boxes of the channel edit dialogs: the typed-MHz
// rule, one spin step, snapping to a channel raster, and the group layout of a frequency
// box with its spin button, tone list and options.

#include <QString>
#include <cstdint>
#include <initializer_list>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace freqedit {

enum class Typed {
    Valid,   // hz holds the frequency ("" and negative numbers give 0)
    Invalid, // not a decimal number
    TooHigh, // above `limit` Hz or beyond 32 bits of Hz; hz holds UINT32_MAX
};

// Typed MHz to Hz (x 1000000, truncated).
Typed Parse(const QString& typed, uint32_t& hz, uint32_t limit = UINT32_MAX);
// One arrow step: bit 31 cleared, delta added, the result limited to 0..maximum.
uint32_t Step(uint32_t hz, int delta, uint32_t maximum);
// The nearest multiple of step (halves round up), at most the largest that fits.
uint32_t RoundToStep(uint32_t hz, uint32_t step);

// Shows hz in the box as MHz ("000.00000").
void Show(QLineEdit* box, uint32_t hz);

// A frequency box: 10 characters, digits and "." only.
QLineEdit* NewBox(QWidget* parent);

// The controls heading a transmit or receive group.
struct Heading {
    QLabel* frequencyLabel;
    QLineEdit* frequency;
    QWidget* spin;
    QLabel* toneLabel;
    QComboBox* tones;
};

// The group's grid: the frequency with its spin button, the tone list, then one option a
// row across both columns.
QGridLayout* LayOutGroup(QGroupBox* group, const Heading& heading,
                         std::initializer_list<QCheckBox*> options);

} // namespace freqedit
