#pragma once
// Selcall idents as the radio keeps them, the same in both generations: an ident is 4
// bytes of 8 tone digits (0..15, high nibble first); a call-memory record is the ident and
// the first five alpha-tag characters, the rest of the tag lies in a table of 4 bytes per
// slot. Tag characters are 7-bit; bit 7 of the first tag byte is the slot's Command flag
// and a stored 0xFF reads as an end. The command-call prefix is two decimal digits kept as
// two nibbles ("42" is 0x42).

#include "Image_fields.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace idents {

constexpr int IdentBytes = 4;
constexpr int IdentDigits = 8;
constexpr int RecordTagBytes = 5; // tag characters 1-5, record bytes 4-8
constexpr int TableTagBytes = 4;  // tag characters 6-9, in the separate table
constexpr int MaxTagLength = RecordTagBytes + TableTagBytes;
constexpr uint8_t CommandFlagBit = 0x80; // of the first tag byte

// Where a call-memory slot lives: its record (ident, then tag bytes) and its tag-table entry.
struct Slot {
    int record;
    int table;
};

// The first `digits` of the ident at `address`, one upper-case hexadecimal character each.
QString ReadIdent(const ImageFields::ByteReader& read, int address, int digits);
// The first 8 characters of `text`: '0'-'9' and 'A'-'F' give their digit, anything else
// (lower case included) 0; missing digits are 0.
void WriteIdent(const ImageFields::ByteWriter& write, int address, const QString& text);

// The slot's first `length` tag characters (5 or 9), ending at the first 0.
QString ReadTag(const ImageFields::ByteReader& read, const Slot& slot, int length);
// The Command flag as stored (an erased slot reads as a command slot).
bool ReadCommandFlag(const ImageFields::ByteReader& read, const Slot& slot);
// Writes `length` tag bytes: the text's characters through StoredCharacter, zeros after,
// bit 7 of the first byte the Command flag.
void WriteTag(const ImageFields::ByteWriter& write, const Slot& slot, int length,
              const QString& text, bool command);
// The first tag byte with the Command flag set or cleared and the character it reads as
// kept: a stored flag already so keeps the byte, an erased byte (an end) stays an end. No byte
// holds the character 0x7F with the flag set: that one reads as an end.
uint8_t FlaggedTagByte(uint8_t stored, bool command);
// Sets or clears the Command flag alone (see FlaggedTagByte); the other tag bytes are kept.
void WriteCommandFlag(const ImageFields::ByteReader& read, const ImageFields::ByteWriter& write,
                      const Slot& slot, bool command);
// The slot's tag as it reads once its Command flag is so.
QString ReadFlaggedTag(const ImageFields::ByteReader& read, const Slot& slot, int length,
                       bool command);

// The one rule for a character of a tag typed or pasted: a character of `allowed` is
// stored as it is, any other as '?'. `allowed` holds only 7-bit characters.
uint8_t StoredCharacter(QChar c, const QString& allowed);

// A typed prefix to its byte: an empty text is "00", one digit gets a "0" appended; no
// value for a text that is not one or two decimal digits.
std::optional<uint8_t> ParsePrefix(const QString& typed);

// Told when a prefix text is no number; focus then goes back to the prefix.
inline const QString PrefixError =
    QStringLiteral("The Command Call Prefix must be one or two digits (0 to 9).\n"
                   "Nothing has been stored.");
inline const QString PrefixErrorCaption = QStringLiteral("Command Call Prefix");

// The help-pane lines of the idents dialogs.
namespace help {
inline const QString RadioIdent = QStringLiteral("This is the Ident of the radio");
inline const QString Prefix =
    QStringLiteral("Specify the two digit prefix (fleet ID) to Command Calls. To enable a memory "
                   "location to hold a Command Call, toggle the 'Command?' flag.");
inline const QString OwnIdentModify =
    QStringLiteral("Allow the user to change the Ident of the radio");
inline const QString CallMemoryModify =
    QStringLiteral("Allow the user to edit the Selcall memories");
inline const QString Memories =
    QStringLiteral("Selcall memory Idents for the radio. To activate 'reset to quiet' on "
                   "receive, assign the alpha tag *RSTQ to the desired selcall Ident.");
} // namespace help

} // namespace idents
