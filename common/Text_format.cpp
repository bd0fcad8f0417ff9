#include "Text_format.h"

#include "platform/Convert.h"
#include "platform/Host.h"

#include <QRegularExpression>

namespace text {

QString FrequencyText(uint32_t hz) {
    return platform::FormatFloat("000.00000", hz / 1e6);
}

uint32_t ParseFrequency(const QString& mhz) {
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d*)(?:\\.(\\d*))?\\s*$"));
    const auto match = number.match(mhz);
    const QString whole = match.captured(1);
    const QString fraction = match.captured(2);
    if (!match.hasMatch() || (whole.isEmpty() && fraction.isEmpty()) || whole.size() > 4)
        throw platform::EConvertError(
            QStringLiteral("'%1' is not a valid floating point value").arg(mhz));
    const uint64_t hz = whole.toULongLong() * 1000000ull +
                        (fraction + QStringLiteral("000000")).left(6).toULongLong();
    if (hz > UINT32_MAX)
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
