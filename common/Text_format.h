#pragma once
// Number texts the dialogs share: frequencies in MHz ("000.00000"), hexadecimal bytes,
// the value labels beside bars ("12s", "250ms") and typed whole numbers.

#include <QString>
#include <QStringList>
#include <cstdint>

namespace text {

// Hz shown as MHz with the pattern "000.00000".
QString FrequencyText(uint32_t hz);
// A channel's transmit frequency as the channel lists show it: "TX Disabled" for 0 Hz.
QString TxFrequencyText(uint32_t hz);
// The texts a channel list's frequency cell can show, for its column's width.
QStringList FrequencyCellTexts();
// Typed MHz to Hz: the decimal text multiplied by 1000000, digits beyond the sixth
// decimal dropped (exactly, without binary rounding). Leading zeros are digits of the same
// number ("00477.0125" is 477.0125 MHz). Throws platform::EConvertError for text that is
// not a non-negative decimal number or whose value is above maxHz.
uint32_t ParseFrequency(const QString& mhz, uint32_t maxHz = UINT32_MAX);
// A word in units of 12.5 kHz (MHz x 80) shown in MHz with the pattern "00.0000"
// (1712 shows "21.4000").
QString StepWordText(uint16_t word);
// Typed MHz to a word in units of 12.5 kHz: MHz x 10000, then x 0.008, each product held
// in single precision, truncated toward zero ("21.400" gives 1712). Throws
// platform::EConvertError for text that is not a number or a word outside 0..65535.
uint16_t ParseStepWord(const QString& mhz);
// Upper-case hexadecimal, two digits.
QString HexByte(uint8_t value);
// A typed whole number (StrToInt's forms) into value; false, after showing the
// conversion error through the host, when the text is no number. value is left alone then.
bool TryStrToInt(const QString& typed, int& value);
// A control's value as its value label shows it: value x scale, then the unit ("250ms").
QString ValueText(int value, int scale, const QString& unit);

} // namespace text
