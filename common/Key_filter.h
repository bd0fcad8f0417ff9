#pragma once
// Character rules for edit boxes: what the user puts in a box (typed, pasted or dropped)
// keeps only the characters of an allowed set; typed characters outside it are swallowed,
// and so is any character typed with Alt held, which is a shortcut and never text. Editing
// keys (backspace, delete, arrows, clipboard shortcuts) always pass. A box's length limit
// counts only the characters the rule keeps. A text the program sets is shown as it is.

#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace keys {

inline const QString Digits = QStringLiteral("0123456789");
inline const QString Decimal = QStringLiteral("0123456789.");
inline const QString SignedDigits = QStringLiteral("0123456789-");
inline const QString Hex = QStringLiteral("0123456789ABCDEFabcdef");
// Characters 0x20 to 0x7E.
inline const QString PrintableAscii =
    QStringLiteral(" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
                   "abcdefghijklmnopqrstuvwxyz{|}~");
// Channel alpha tags: digits, letters (typed in upper case with allowOnly's upperCase)
// and a few marks.
inline const QString AlphaTag =
    QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz *+-._");

// How letters are turned before they are tested against the allowed set: only a to z (or
// A to Z) change case; any other letter is left for the allowed set to judge.
enum class Case { AsTyped, Upper, Lower };

// Puts the rule on `edit` (a line edit, spin box or editable combo): only characters in
// `allowed`. With upperCase, letters go in upper case. On a widget without text (a list)
// the rule swallows the typed keys.
void allowOnly(QWidget* edit, const QString& allowed, bool upperCase = false);
// The same with letters turned to `letters` first: Case::Lower with "p" lets a typed or
// pasted "P" in as "p".
void allowOnly(QWidget* edit, const QString& allowed, Case letters);

// The box takes only a whole number from `minimum` to `maximum`, or `stored()`, the number
// that stands (as stored, also outside the range): a key, paste or drop that would make any
// other text is refused, so the box never shows a number it cannot keep. The focus leaving
// the box keeps a number it takes; a box left empty or unfinished shows `stored()` again.
void allowRange(QLineEdit* box, int minimum, int maximum, std::function<int()> stored);

} // namespace keys
