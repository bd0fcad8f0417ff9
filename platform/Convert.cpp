#include "platform/Convert.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace platform {

EConvertError::EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString EConvertError::message() const {
    return QString::fromStdString(what());
}

namespace {

[[noreturn]] void notInteger(const QString& text) {
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

} // namespace

int StrToInt(const QString& text) {
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith('-') || digits.startsWith('+')) {
        negative = digits.startsWith('-');
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith('$')) {
        base = 16;
        digits.remove(0, 1);
    } else if (digits.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    }
    static const QRegularExpression decimal(QStringLiteral("^[0-9]+$"));
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]+$"));
    if (!(base == 10 ? decimal : hex).match(digits).hasMatch())
        notInteger(text);
    bool ok = false;
    const qlonglong magnitude = digits.toLongLong(&ok, base);
    const qlonglong value = negative ? -magnitude : magnitude;
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        notInteger(text);
    return int(value);
}

int StrToIntDef(const QString& text, int fallback) {
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        return fallback;
    }
}

double StrToFloat(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?\\s*$"));
    bool ok = number.match(text).hasMatch();
    const double value = ok ? text.trimmed().toDouble(&ok) : 0.0;
    if (!ok || !std::isfinite(value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

QString FormatFloat(const QString& pattern, double value) {
    const int point = pattern.indexOf('.');
    const QString wholePattern = point < 0 ? pattern : pattern.left(point);
    const int fractionDigits = point < 0 ? 0 : int(pattern.size()) - point - 1;
    const int minWholeDigits = int(wholePattern.count('0'));

    // Round half away from zero at the pattern's last digit, in decimal text to avoid
    // binary surprises (477.00625 must show 477.00625).
    const double scale = std::pow(10.0, fractionDigits);
    const double scaled = std::round(std::fabs(value) * scale * (1 + 1e-15));
    const bool negative = value < 0 && scaled != 0;
    QString digits = QString::number(scaled, 'f', 0);
    if (digits.size() <= fractionDigits)
        digits = QString(fractionDigits + 1 - digits.size(), '0') + digits;
    QString whole = digits.left(digits.size() - fractionDigits);
    const QString fraction = digits.right(fractionDigits);
    if (whole == QStringLiteral("0") && minWholeDigits == 0)
        whole.clear();
    while (whole.size() < minWholeDigits)
        whole.prepend('0');
    QString result = whole;
    if (fractionDigits > 0)
        result += '.' + fraction;
    return negative ? '-' + result : result;
}

QString IntToHex(long long value, int digits) {
    const unsigned long long bits =
        value < 0 ? static_cast<unsigned long long>(static_cast<uint32_t>(value))
                  : static_cast<unsigned long long>(value);
    return QString::number(bits, 16).toUpper().rightJustified(digits, '0');
}

QString IntToStr(long long value) {
    return QString::number(value);
}

} // namespace platform
