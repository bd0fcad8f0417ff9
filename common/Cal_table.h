#pragma once
// The calibration block at the start of the memory image (bytes 0..47) as the alignment
// dialogs of both generations edit it: which byte each box and up-down holds, the band
// points, the help lines, the key filter and range of the boxes, and the lost-link message. The
// second generation leaves bytes 20 and 21 alone, takes only digits and lets MOD and BAL hold 3
// characters.

#include "platform/Host.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class HelpPane;
class QLabel;
class QLineEdit;
class QWidget;
class UpDown;

namespace cal {

enum class Generation { First, Second };

constexpr int BLOCK_SIZE = 48;
constexpr int FLAGS = 2;
constexpr int MOD = 6;
constexpr int BAL = 8;
constexpr int S1_POINT = 9;
constexpr int S9_POINT = 10;
constexpr int RX_OFFSET = 23;
constexpr int RADIO_TYPE = 40;
constexpr uint8_t LOW_POWER_BIT = 0x01;
constexpr uint8_t MUTE_OPEN_BIT = 0x02;
constexpr uint8_t UHF_BIT = 0x80;
constexpr int RX_OFFSET_LIMIT = 15;

struct Range {
    int min, max;
};
// The values a box's arrows take: the receiver offset -15..15, every other box 0..255.
Range RangeOf(int address);
// The values the byte itself holds: the receiver offset is a signed byte, every other an
// unsigned one.
Range ByteRange(int address);
// The byte as its box shows it (the receiver offset signed).
int ValueOf(int address, uint8_t byte);

// Frequencies (MHz) of the four alignment points; VHF row first.
inline constexpr int32_t BandPoints[2][4] = {{144, 154, 164, 174}, {460, 475, 490, 510}};
// The four points of the band byte 40 names.
const int32_t* PointsOf(uint8_t radioType);

// The calibration boxes with their up-downs and the point labels of both dialogs.
struct Controls {
    QLabel *lbl_txpwr_f1, *lbl_txpwr_f2, *lbl_txpwr_f3, *lbl_txpwr_f4;
    QLabel *lbl_rxtune_f1, *lbl_rxtune_f2, *lbl_rxtune_f3, *lbl_rxtune_f4;
    QLineEdit *txtTxPower450, *txtTxPower470, *txtTxPower500, *txtTxPower520;
    UpDown *udTxPower450, *udTxPower470, *udTxPower500, *udTxPower520;
    QLineEdit *txtTxLowPower450, *txtTxLowPower470, *txtTxLowPower500, *txtTxLowPower520;
    UpDown *udTxLowPower450, *udTxLowPower470, *udTxLowPower500, *udTxLowPower520;
    QLineEdit *txtMod, *txtBal;
    UpDown *udMod, *udBal;
    QLineEdit *txtTune450_1, *txtTune450_2, *txtTune450_3, *txtTune450_4;
    QLineEdit *txtTune470_1, *txtTune470_2, *txtTune470_3, *txtTune470_4;
    QLineEdit *txtTune500_1, *txtTune500_2, *txtTune500_3, *txtTune500_4;
    QLineEdit *txtTune520_1, *txtTune520_2, *txtTune520_3, *txtTune520_4;
    UpDown *udTune450_1, *udTune450_2, *udTune450_3, *udTune450_4;
    UpDown *udTune470_1, *udTune470_2, *udTune470_3, *udTune470_4;
    UpDown *udTune500_1, *udTune500_2, *udTune500_3, *udTune500_4;
    UpDown *udTune520_1, *udTune520_2, *udTune520_3, *udTune520_4;
    QLineEdit *txtXtalRef1, *txtRxRefOffset, *txtTempCompGain, *txt625Cal;
    UpDown *udXtalRef1, *udRxRefOffset, *udTempCompGain, *ud625Cal;
    QLineEdit *txtS0Value, *txtS10Value;
    UpDown *upS0Value, *upS10Value;
    QLineEdit *txtSqlOpen1, *txtSqlClose1, *txtSqlOpen2, *txtSqlOpen3;
    UpDown *upSqlOpen1, *upSqlClose1, *upSqlOpen2, *upSqlOpen3;
};

enum class Help {
    None,
    TuneNotch,
    TuneSinad,
    TxHigh,
    TxLow,
    Xtal,
    RxOffset,
    TempComp,
    Cal625,
    SqlOpen,
    SqlClose
};

// One calibration byte: its box and up-down and its help line.
struct Field {
    int address;
    QLineEdit* Controls::*edit;
    UpDown* Controls::*upDown;
    Help help;
    bool freeLength; // no 3-character limit in the first generation
};

// Every box of the block, whichever generation edits it.
const std::vector<Field>& AllFields();
// The boxes a generation edits (each carries its byte as Tag).
std::vector<Field> FieldsOf(Generation generation);

// Makes every box and up-down (limits, ranges) and the point labels; the generation's
// boxes get their Tags and the key filter.
void Build(Controls& c, Generation generation);

// The number the user left in a box, whichever road his text came by (keys, the clipboard,
// the mouse, a drop): none while the program's text stands or the user's was taken already,
// none for a lone minus sign (a negative number on its way), and none for a text that is no
// number: the conversion error is shown and the box shows its stored byte (`byteAt` of its
// Tag) again. An emptied box is 0. A number taken marks the box's text as taken.
std::optional<int> TakeUserNumber(QLineEdit* box, const std::function<uint8_t(int)>& byteAt);

void SetTags(Controls& c, Generation generation);
// Each up-down of the generation from its byte (byte 23 as a signed byte).
void Load(Controls& c, Generation generation, const std::function<uint8_t(int)>& byteAt);
// The eight point labels: "460 MHz" and so on for the band byte 40 names.
void ShowBandPoints(Controls& c, uint8_t radioType);
// Help lines of the generation's boxes and up-downs.
void BindHelp(HelpPane& help, Controls& c, Generation generation);
// A box with its up-down on its right.
QWidget* Cell(QLineEdit* edit, UpDown* upDown);

// Help lines the dialogs share.
QString HelpLine(Help kind);
extern const QString OnlineNote;
extern const QString CloseHelp;
extern const QString TxOnHelp;
extern const QString TxOffHelp;
extern const QString ChannelHelp;
extern const QString WriteFileHelp;
extern const QString WriteRadioHelp;

// "Write to Radio" asks first: its text and caption.
extern const QString WriteRadioWarning;
extern const QString WriteRadioCaption;
// Asks that question, naming there what the write does to a radio of the other band than
// the block's (by the two band bytes, byte 40); false when the user cancels.
bool ConfirmWriteRadio(uint8_t blockBandByte, uint8_t radioBandByte);

// Tells the user that what the dialog sends no longer reaches the radio; with
// `mayBeTransmitting`, that he must switch a keyed radio off himself.
void ReportLinkLost(bool mayBeTransmitting);

// The save dialog for calibration files (the second generation prompts before overwriting).
platform::FileDialogRequest SaveDialogRequest(Generation generation);

} // namespace cal
