#include "Radio_text.h"

namespace radiotext {

namespace {

uint8_t TypedByte(QChar c) {
    const char16_t code = c.unicode();
    return code == 0 || code >= 0xFF ? ' ' : uint8_t(code);
}

} // namespace

uint8_t DecodeChar(uint8_t byte) {
    if (byte == 0xFF)
        return 0;
    uint8_t c = byte & 0x7F;
    if (c >= 'a' && c <= 'z')
        c = uint8_t(c - 'a' + 'A');
    return c < 0x20 || c > 'Z' ? ' ' : c;
}

uint8_t EncodeChar(QChar c) {
    const char16_t code = c.unicode();
    return code > 0x7E ? ' ' : DecodeChar(uint8_t(code));
}

QString Decode(const uint8_t* bytes, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        const uint8_t c = DecodeChar(bytes[i]);
        if (c == 0)
            break;
        text += QChar(c);
    }
    return text;
}

void Encode(const QString& text, uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i)
        bytes[i] = i < text.size() ? EncodeChar(text[i]) : 0;
}

void EncodeAsTyped(const QString& text, uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i)
        bytes[i] = i < text.size() ? TypedByte(text[i]) : 0;
}

} // namespace radiotext
