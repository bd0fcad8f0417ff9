#pragma once
// The radio's character rule for tags and names: the display shows digits, upper-case
// letters and a few marks. Reading a byte: 0xFF (erased) ends the text; otherwise bit 7 is
// cleared, a to z become A to Z, and anything then below 0x20 or above 'Z' shows as a
// space. Tags are stored by the same rule; names are stored as typed (the key filters
// decide what can be typed), one byte a character.

#include <QString>
#include <cstdint>

namespace radiotext {

// The character a stored byte shows; 0 for an erased byte (the end of the text).
uint8_t DecodeChar(uint8_t byte);
// The byte a typed character is stored as: the rule above, characters outside 7-bit
// ASCII a space.
uint8_t EncodeChar(QChar c);
// The text of `count` bytes, up to the first erased byte.
QString Decode(const uint8_t* bytes, int count);
// `count` bytes of 0, then the first `count` characters of the text by the rule.
void Encode(const QString& text, uint8_t* bytes, int count);
// `count` bytes of 0, then the first `count` characters of the text as they are: a
// character that is no single byte, or whose byte would end the text (0, 0xFF), becomes a
// space.
void EncodeAsTyped(const QString& text, uint8_t* bytes, int count);

} // namespace radiotext
