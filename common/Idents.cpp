#include "Idents.h"

#include "Key_filter.h"

namespace idents {

namespace {

int digitValue(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return 0;
}

int tagAddress(const Slot& slot, int i) {
    return i < RecordTagBytes ? slot.record + IdentBytes + i : slot.table + i - RecordTagBytes;
}

} // namespace

QString ReadIdent(const ImageFields::ByteReader& read, int address, int digits) {
    QString text;
    for (int i = 0; i < IdentBytes; ++i)
        text += QStringLiteral("%1").arg(read(address + i), 2, 16, QLatin1Char('0')).toUpper();
    return text.left(digits);
}

void WriteIdent(const ImageFields::ByteWriter& write, int address, const QString& text) {
    const QString digits = text.left(IdentDigits);
    for (int i = 0; i < IdentBytes; ++i) {
        const int high = 2 * i < digits.size() ? digitValue(digits[2 * i]) : 0;
        const int low = 2 * i + 1 < digits.size() ? digitValue(digits[2 * i + 1]) : 0;
        write(address + i, uint8_t(high << 4 | low));
    }
}

QString ReadTag(const ImageFields::ByteReader& read, const Slot& slot, int length) {
    QString tag;
    for (int i = 0; i < length && i < MaxTagLength; ++i) {
        uint8_t c = read(tagAddress(slot, i));
        c = (c == 0xFF ? 0 : c) & 0x7F;
        if (c == 0)
            break;
        tag += QChar(c);
    }
    return tag;
}

bool ReadCommandFlag(const ImageFields::ByteReader& read, const Slot& slot) {
    return read(tagAddress(slot, 0)) & CommandFlagBit;
}

void WriteTag(const ImageFields::ByteWriter& write, const Slot& slot, int length,
              const QString& text, bool command) {
    uint8_t buffer[MaxTagLength] = {};
    const QString tag = text.left(MaxTagLength);
    for (int i = 0; i < tag.size(); ++i)
        buffer[i] = StoredCharacter(tag[i], keys::PrintableAscii);
    if (command)
        buffer[0] |= CommandFlagBit;
    for (int i = 0; i < length && i < MaxTagLength; ++i)
        write(tagAddress(slot, i), buffer[i]);
}

uint8_t FlaggedTagByte(uint8_t stored, bool command) {
    if (bool(stored & CommandFlagBit) == command)
        return stored;
    const uint8_t character = stored == 0xFF ? 0 : stored & ~CommandFlagBit;
    return command ? uint8_t(character | CommandFlagBit) : character;
}

void WriteCommandFlag(const ImageFields::ByteReader& read, const ImageFields::ByteWriter& write,
                      const Slot& slot, bool command) {
    const int flagByte = tagAddress(slot, 0);
    const uint8_t stored = read(flagByte);
    const uint8_t flagged = FlaggedTagByte(stored, command);
    if (flagged != stored)
        write(flagByte, flagged);
}

QString ReadFlaggedTag(const ImageFields::ByteReader& read, const Slot& slot, int length,
                       bool command) {
    const int flagByte = tagAddress(slot, 0);
    return ReadTag(
        [&](int address) {
            const uint8_t stored = read(address);
            return address == flagByte ? FlaggedTagByte(stored, command) : stored;
        },
        slot, length);
}

uint8_t StoredCharacter(QChar c, const QString& allowed) {
    return allowed.contains(c) && c.unicode() < 0x80 ? uint8_t(c.unicode()) : uint8_t('?');
}

std::optional<uint8_t> ParsePrefix(const QString& typed) {
    QString digits = typed;
    if (digits.isEmpty())
        digits = QStringLiteral("00");
    if (digits.size() == 1)
        digits += QLatin1Char('0');
    const auto decimal = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (digits.size() != 2 || !decimal(digits[0]) || !decimal(digits[1]))
        return std::nullopt;
    return uint8_t(digits.toUInt(nullptr, 16));
}

} // namespace idents
