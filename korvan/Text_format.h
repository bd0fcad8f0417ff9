#pragma once
// Number texts the dialogs share: frequencies in MHz ("000.00000"), hexadecimal bytes and
// the value labels beside bars ("12s", "250ms").

#include <QString>
#include <cstdint>

namespace text {

// Hz shown as MHz with the pattern "000.00000".
QString FrequencyText(uint32_t hz);
// Typed MHz to Hz: the decimal text multiplied by 1000000, digits beyond the sixth
// decimal dropped (exactly, without binary rounding). Throws platform::EConvertError
// for text that is not a non-negative decimal number or that exceeds 4294 MHz.
uint32_t ParseFrequency(const QString& mhz);
// Upper-case hexadecimal, two digits.
QString HexByte(uint8_t value);
// A control's value as its value label shows it: value x scale, then the unit ("250ms").
QString ValueText(int value, int scale, const QString& unit);

} // namespace text
