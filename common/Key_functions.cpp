#include "Key_functions.h"

#include <QRegularExpression>

namespace keyfn {

namespace {

constexpr uint8_t GroupScanBit = 0x04;
constexpr uint8_t ScanSpeeds[] = {20, 10, 5};
constexpr int RecallWithDtmf = 22;  // 22 + 4(r - 1) + (d - 1)
constexpr int HomeWithDtmf = 44;    // 44 + d
constexpr int HomeWithSelcall = 44; // "Recall Home Channel & speed dial Selcall Memory"

} // namespace

QString Name(const char* const* names, int count, int code) {
    return QString::fromUtf8(names[code < 0 || code >= count ? Disabled : code]);
}

bool UsesDtmfMemory(int code, int n) {
    if (n < 1 || n > DtmfMemories)
        return false;
    for (int first : {17, 21, 25, 29, 33, HomeWithDtmf})
        if (code == first + n)
            return true;
    return false;
}

bool UsesRecallMemory(int code, int n) {
    if (n < 1 || n > RecallMemories)
        return false;
    const int withDtmf = RecallWithDtmf + 4 * (n - 1);
    return code == 8 + n || code == 13 + n || (code >= withDtmf && code <= withDtmf + 3);
}

bool UsesSpeedDial(int code) {
    return (code >= 13 && code <= 17) || code == HomeWithSelcall;
}

bool AnyHolds(const KeyCodes& codes, int low, int high) {
    for (int code : codes)
        if (code >= low && code <= high)
            return true;
    return false;
}

bool AnyUsesDtmfMemory(const KeyCodes& codes, int n) {
    for (int code : codes)
        if (UsesDtmfMemory(code, n))
            return true;
    return false;
}

bool AnyUsesRecallMemory(const KeyCodes& codes, int n) {
    for (int code : codes)
        if (UsesRecallMemory(code, n))
            return true;
    return false;
}

int RecallValue(const QString& text, const RecallRange& range) {
    static const QRegularExpression cb(QStringLiteral("^CB ([0-9]{2})$"));
    static const QRegularExpression channel(QStringLiteral("^([0-9]{1,3})(?: .*)?$"));
    const QString typed = text.trimmed();
    if (const auto match = cb.match(typed); match.hasMatch()) {
        const int n = match.captured(1).toInt();
        return range.cb && n >= 1 && n <= CbChannels ? range.channels + n - 1 : -1;
    }
    if (const auto match = channel.match(typed); match.hasMatch()) {
        const int n = match.captured(1).toInt();
        return n >= 1 && n <= range.channels ? n - 1 : -1;
    }
    return -1;
}

QString RecallRefusal(const QString& memory, const QString& text, const RecallRange& range) {
    QString choices = QStringLiteral("a channel number from 1 to %1").arg(range.channels);
    if (range.cb)
        choices += QStringLiteral(" or CB 01 to CB %1").arg(CbChannels);
    return QStringLiteral("%1: \"%2\" is not a recall channel.\nEnter %3.")
        .arg(memory, text, choices);
}

bool MonitorKeyUsed(const KeyCodes& codes) {
    bool used = AnyHolds(codes, Monitor, Monitor);
    for (int k = 0; k < KeyCount; ++k)
        used |= Keys[k].keyLockEnablesMonitor && (codes[k] == KeyLock || codes[k] == MonitorToggle);
    return used;
}

int DtmfCode(QChar c, bool upperPause) {
    if (upperPause && c == QLatin1Char('P'))
        c = QLatin1Char('p');
    return int(DtmfKeys.indexOf(c));
}

QString DecodeDtmf(const ImageFields::ByteReader& read, int offset) {
    QString text;
    for (int i = 0; i < DtmfDigits; ++i) {
        const uint8_t byte = read(offset + i / 2);
        const int code = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
        if (code >= DtmfKeys.size())
            break;
        text += DtmfKeys[code];
    }
    return text;
}

bool GroupScan(uint8_t scanMode) {
    return scanMode & GroupScanBit;
}

uint8_t ScanMode(const KeyCodes& codes, bool openScan) {
    if (!AnyHolds(codes, Scan, Scan))
        return 0x03;
    if (AnyHolds(codes, OsGsToggle, OsGsToggle))
        return 0x00;
    return openScan ? 0x02 : 0x06;
}

int ScanSpeedItem(uint8_t stored) {
    return stored >= 11 ? 0 : stored <= 5 ? 2 : 1;
}

uint8_t ScanSpeedValue(int item) {
    return ScanSpeeds[item == 0 || item == 2 ? item : 1];
}

} // namespace keyfn
