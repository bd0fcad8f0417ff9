#pragma once
// Number conversions that behave like the form library's: a failed conversion throws
// EConvertError with a message fit to show the user.

#include <QString>
#include <stdexcept>

namespace platform {

class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message);
    QString message() const;
};

// Decimal integer, optional sign, surrounding blanks allowed; "$1F" / "0x1F" hexadecimal.
// Throws "'text' is not a valid integer value".
int StrToInt(const QString& text);
// Like StrToInt, returning fallback instead of throwing.
int StrToIntDef(const QString& text, int fallback);
// Decimal number with '.' as separator. Throws "'text' is not a valid floating point value".
double StrToFloat(const QString& text);
// Formats with a pattern of '0' (always a digit) and '#' (digit when significant), with
// an optional '.' and fraction digits, rounding half away from zero: "000.00000" -> 477.00625
// shows "477.00625", "#00.0" -> 5.0 shows "05.0", "0.0" -> 12.34 shows "12.3".
QString FormatFloat(const QString& pattern, double value);
// Upper-case hexadecimal, at least `digits` digits; negative values use their two's
// complement in 32 bits.
QString IntToHex(long long value, int digits);
QString IntToStr(long long value);

} // namespace platform
