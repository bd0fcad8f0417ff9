#pragma once
// What the user-defined buttons of both generations have in common: the image bytes of the
// nine programmable keys, the rules of which function codes use which memory, the DTMF
// memory codec, the recall channel texts and the scan options. The function tables themselves
// differ (42 names in the first generation, 49 in the second) and stay with each program's dialog.

#include "Image_fields.h"

#include <QString>
#include <array>
#include <cstdint>

namespace keyfn {

// Function codes the rules test (the same in both tables).
enum Code {
    Disabled = 0,
    Monitor = 2,
    Scan = 5,
    OsGsToggle = 6,
    Quiet = 8,
    RecallM1 = 9,
    RecallM4 = 12,
    KeyLock = 39,
    MonitorToggle = 40,
};

// The function name of `code` in a table of `count` names; a code outside it is
// "Disabled" (the table's first name).
QString Name(const char* const* names, int count, int code);

// A programmable key's function code byte and its selcall speed-dial byte.
struct KeyBytes {
    int codeByte;
    int speedByte;
    bool keyLockEnablesMonitor; // "KeyLock" or "Monitor (toggle)" here enables the box
};

constexpr int KeyCount = 9;
// In the order F1, F2, F3, F4, F5, F6, emergency, call, microphone.
constexpr KeyBytes Keys[KeyCount] = {
    {0x8F, 0xAF, true}, {0x90, 0xB0, true},  {0x91, 0xB1, true},
    {0x92, 0xB2, true}, {0x8D, 0xAD, false}, {0x8E, 0xAE, false},
    {0x82, 0x83, true}, {0x50, 0xB3, true},  {0x44, 0x45, true},
};
constexpr int SpeedDialMemories = 40; // items "M1".."M40"

// The function code each key holds, in the order of Keys; -1 for none.
using KeyCodes = std::array<int, KeyCount>;
// Some key holds a code in low..high.
bool AnyHolds(const KeyCodes& codes, int low, int high);

constexpr int RecallMemories = 4;
constexpr int DtmfMemories = 4;
// Does `code` use DTMF memory / recall memory n (1..4), or the key's speed-dial memory?
bool UsesDtmfMemory(int code, int n);
bool UsesRecallMemory(int code, int n);
bool UsesSpeedDial(int code);
bool AnyUsesDtmfMemory(const KeyCodes& codes, int n);
bool AnyUsesRecallMemory(const KeyCodes& codes, int n);
// Recall memories name channels 1..channels (value channel - 1) and, after them, CB
// channels 1..40 (value channels + CB channel - 1).
constexpr int CbChannels = 40;
struct RecallRange {
    int channels;
    bool cb; // CB channels can be recalled
};
// The value of a recall text as the lists show one: a channel number 1..channels, alone or
// followed by a blank and the channel's name, or (with cb) "CB 01".."CB 40"; -1 for any
// other text.
int RecallValue(const QString& text, const RecallRange& range);
// The message for a recall text that names nothing; `memory` names the box.
QString RecallRefusal(const QString& memory, const QString& text, const RecallRange& range);
// "Monitor" on any key, or "KeyLock" or "Monitor (toggle)" on a key that allows it.
bool MonitorKeyUsed(const KeyCodes& codes);

// DTMF memories: six bytes of twelve 4-bit digits, the first in the high half.
constexpr int DtmfOffsets[DtmfMemories] = {0x93, 0x99, 0x9F, 0xA5};
constexpr int DtmfDigits = 12;
constexpr uint8_t DtmfEnd = 0x0F;
inline const QString DtmfKeys = QStringLiteral("0123456789*#p"); // codes 0..12
// The digit code of a DTMF key, -1 for anything else; with upperPause "P" is a pause too.
int DtmfCode(QChar c, bool upperPause);
// The text of a memory: the first code of 13 or more ends it.
QString DecodeDtmf(const ImageFields::ByteReader& read, int offset);

// Scan options.
constexpr int HookByte = 0x34;
constexpr int ScanModeByte = 0x4A;
constexpr int ScanSpeedByte = 0x54;
constexpr int PriorityRateByte = 0x55;
// The scan mode is bits 0..2 of its byte; group scan is bit 2.
constexpr uint8_t ScanModeMask = 0x07;
bool GroupScan(uint8_t scanMode);
// The scan mode bits the keys' functions give: without a "Scan" key open scan with the mode
// fixed, with a mode toggle key the user's choice, otherwise the chosen mode.
uint8_t ScanMode(const KeyCodes& codes, bool openScan);
// Scan time per channel: items Slow, Medium, Fast store 20, 10, 5 (x 10 ms).
int ScanSpeedItem(uint8_t stored);
uint8_t ScanSpeedValue(int item);

// The microphone hook actions: bit k of the hook byte is box k.
constexpr int HookActions = 8;
constexpr const char* HookActionCaptions[HookActions] = {
    "Monitor",         "Hold Scan",     "Clear Quiet", "Enter Quiet",
    "Arm Selcall ANI", "Arm_DTMF_Mem1", "Timeout",     "Beep",
};

// The help-pane lines both dialogs show.
namespace help {
inline const QString Functions =
    QStringLiteral("Select the operation of each buttons from the list of options.");
inline const QString Recall =
    QStringLiteral("Select the recall channel to from the list of available channels.");
inline const QString RecallModify =
    QStringLiteral("If enabled allows the user to change the recall (only) channel by "
                   "selecting the new channel then pressing and holding the button.");
inline const QString Dtmf =
    QStringLiteral("Enter the DTMF string to be sent. Up to 12 tones (0-9,* and #) can be "
                   "sent, use P for a pause of one tone period.");
inline const QString ScanMode = QStringLiteral("Select the scan mode to be used.");
inline const QString ScanMemoryModify =
    QStringLiteral("Allow the user to edit the channels in scan memory.");
inline const QString GsTxOnHold =
    QStringLiteral("Allow transmit on the holding channel in GS instead of jumping to the "
                   "Priority Channel");
inline const QString ScanSpeed =
    QStringLiteral("Sets the speed of the scan mode in time per channel.");
inline const QString QuietMemoryModify =
    QStringLiteral("Allow the user to edit the channels in Quiet memory.");
inline const QString SpeedDial = QStringLiteral("Select the Selcall memory to speed dial.");
inline const QString CallQuickEdit =
    QStringLiteral("Allows last three digits of 'Call To' ident to be continuously varied by "
                   "rotating the channel knob.");
inline const QString MonitorOpenSquelch =
    QStringLiteral("Enable monitor button to momentarily unmute the audio as well as "
                   "disabling the CTCSS.");
} // namespace help

} // namespace keyfn
