#include "Text_format.h"

#include "platform/Convert.h"
#include "platform/Host.h"

#include <QRegularExpression>

namespace text {

QString FrequencyText(uint32_t hz) {
    return platform::FormatFloat("000.00000", hz / 1e6);
}

QString TxFrequencyText(uint32_t hz) {
    return hz == 0 ? QStringLiteral("TX Disabled") : FrequencyText(hz);
}

QStringList FrequencyCellTexts() {
    return {TxFrequencyText(0), FrequencyText(0)};
}

uint32_t ParseFrequency(const QString& mhz, uint32_t maxHz) {
    // At least one digit; the leading zeros stay out of the whole part.
    static const QRegularExpression number(
        QStringLiteral("^\\s*(?=\\.?\\d)0*(\\d*)(?:\\.(\\d*))?\\s*$"));
    const auto match = number.match(mhz);
    if (!match.hasMatch())
        throw platform::EConvertError(
            QStringLiteral("'%1' is not a valid floating point value").arg(mhz));
    // Leading zeros are gone: more whole digits than 32 bits of Hz can reach is too much.
    constexpr int MAX_WHOLE_DIGITS = 4;
    const QString whole = match.captured(1);
    const QString fraction = (match.captured(2) + QStringLiteral("000000")).left(6);
    const uint64_t hz = whole.size() > MAX_WHOLE_DIGITS
                            ? UINT64_MAX
                            : whole.toULongLong() * 1000000ull + fraction.toULongLong();
    if (hz > maxHz)
        throw platform::EConvertError(QStringLiteral("'%1' is out of range").arg(mhz));
    return uint32_t(hz);
}

QString StepWordText(uint16_t word) {
    return platform::FormatFloat("00.0000", word * 125 * 0.0001);
}

uint16_t ParseStepWord(const QString& mhz) {
    const double value = platform::StrToFloat(mhz);
    const float tenKilo = float(value * 10000.0);
    const float word = float(double(tenKilo) * 0.008);
    if (!(word >= 0.0f && word < 65536.0f))
        throw platform::EConvertError(QStringLiteral("'%1' is out of range").arg(mhz));
    return uint16_t(word);
}

QString HexByte(uint8_t value) {
    return platform::IntToHex(value, 2);
}

bool TryStrToInt(const QString& typed, int& value) {
    try {
        value = platform::StrToInt(typed);
        return true;
    } catch (const platform::EConvertError& error) {
        platform::host().showException(error.message());
        return false;
    }
}

QString ValueText(int value, int scale, const QString& unit) {
    return QString::number(value * scale) + unit;
}

} // namespace text
