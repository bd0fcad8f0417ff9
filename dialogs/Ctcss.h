#pragma once
// Tone tables and their labels: the 50 CTCSS tones, the 104 DCS codes, and the
// conversions between the tone list index (what every tone combo box holds: 0 off,
// 1..50 CTCSS, 51..154 DCS) and the tone code stored in the memory image.
//
// The first program stores CTCSS tone n as n - 1 and "off" as 50; the second program
// stores the list index itself. The unit is built by both, with KORVAN_V2 for the second.

#include <QString>
#include <QStringList>
#include <cstdint>

class QComboBox;
class UserEdits;

constexpr int CTCSS_ENTRIES = 51; // entry 0 is "off"
constexpr int DCS_ENTRIES = 104;
constexpr int TONE_LIST_SIZE = CTCSS_ENTRIES + DCS_ENTRIES; // 155
constexpr int FIRST_DCS_INDEX = CTCSS_ENTRIES;              // 51

extern const float CtcssTable[CTCSS_ENTRIES];
extern const int32_t DcsTable[DCS_ENTRIES];

// "OFF" for 0, "CTC13 - 100.0" for 1..50, "" outside 0..50.
QString CtcssText(int n);
// "DCS 023" for DCS table position d (0..103); "" outside.
QString DcsText(int d);
// A code the tone list has an item for (0..154).
bool IsToneCode(int code);
// Stored code -> list index (0 for a code outside 0..154).
int ToneCodeToIndex(int code);
// List index -> stored code (the "off" code for an index outside 0..154).
int ToneIndexToCode(int index);
// The tone list item a stored code shows: -1 (no item) for a code past the list.
int ToneItem(int code);
// The code a tone list stores: `stored` while the user has chosen no item since loading,
// else the code of the item it shows.
int ToneTaken(const QComboBox* list, const UserEdits& edits, int stored);
// Label of a stored code; "" outside 0..154.
QString ToneCodeText(int code);
// The labels of every stored code 0..154, the texts a tone column can show.
QStringList ToneCodeTexts();

#if !KORVAN_V2
// The first program's "67.0Hz" style labels of stored tone codes, used by the CB options
// and the setup report. The channel table form carries them.
class ToneHzLabels {
public:
    // "67.0Hz".."254.1Hz" for codes 0..49, "Off" for 50, "DCS 023".."DCS 754" for 51..154,
    // "" for anything else.
    QString ToneHzText(int code) const;
    // The stored code of a label from ToneHzText; an unknown label reads as DCS.
    int ToneHzParse(const QString& label) const;
    // DcsTable position of the octal number after "DCS "; 0 when there is none.
    int DcsTextParse(const QString& label) const;
};
#endif
