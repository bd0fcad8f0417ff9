#pragma once
// The Australian CB settings that both generations keep at the same image bytes, and the
// controls both CB options dialogs draw alike: the "CB CTCSS options" group (option bits
// of 0x4F, the two tone combos) and the memory pages - four 40-channel bit maps of five
// bytes each (CB channel n in bit (n-1) mod 8 of byte first + (n-1) div 8) and the duplex
// byte of channels 1-8.
//
// A dialog derives from CbControls, builds the controls, and keeps its channel boxes
// where it likes: each memory's boxes are handed over as an array from channel 1 on.

#include <cstdint>
#include <functional>

class HelpPane;
class ImageFields;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QObject;
class QPushButton;
class QTabWidget;
class QWidget;

namespace cb {

constexpr int Channels = 40;
constexpr int DuplexChannels = 8;
constexpr int ChannelMemories = 4; // open scan, group scan, quiet, CTCSS

constexpr int OptionByte = 0x4F;
constexpr int ClearSilentBit = 0;
constexpr int CtcssOnDuplexBit = 2;
constexpr int BusyLockoutBit = 4;
constexpr int RxToneByte = 0x5D;
constexpr int TxToneByte = 0x5E;
constexpr int DuplexByte = 0x5F;

struct Memory {
    int firstByte;
    const char* caption;
    const char* help;
};
extern const Memory Memories[ChannelMemories];

// Byte and bit of CB channel n (from 1) in the map that starts at firstByte.
int channelByte(int firstByte, int n);
uint8_t channelBit(int n);

} // namespace cb

class CbControls {
public:
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* chkEnableCbCtcss = nullptr;
    QCheckBox* chkCbBusyLockout = nullptr;
    QCheckBox* chkCtcssOnDup = nullptr;
    QCheckBox* chkClearPrivOnPri = nullptr;
    QLabel* lblCbCtcssTx = nullptr;
    QComboBox* cmbTxCtcss = nullptr;
    QLabel* lblCbCtcssRx = nullptr;
    QComboBox* cmbRxCtcss = nullptr;

    QTabWidget* pageCbMemories = nullptr;
    QWidget* tabOpenScan = nullptr;
    QWidget* tabGroupScan = nullptr;
    QWidget* tabQuiet = nullptr;
    QWidget* tabSilent = nullptr;
    QWidget* tabDuplex = nullptr;
    QPushButton* btnOsSelectAll = nullptr;
    QPushButton* btnOsDeselectAll = nullptr;
    QPushButton* btnGsSelectAll = nullptr;
    QPushButton* btnGsDeselectAll = nullptr;
    QPushButton* btnQSelectAll = nullptr;
    QPushButton* btnQDeselectAll = nullptr;
    QPushButton* btnCtcssSelectAll = nullptr;
    QPushButton* btnCtcssDeselectAll = nullptr;

protected:
    // The options group. typedTones: the tone combos take typed text; otherwise a tone is
    // picked from the list only, though a text the list lacks can still be shown.
    void BuildCbOptions(QWidget* form, bool typedTones);
    // The five tabs; each memory tab gets its two buttons, which call selectClick with
    // themselves as the sender.
    void BuildCbPages(QWidget* form, std::function<void(QObject* sender)> selectClick);
    // The 40 boxes of a memory tab ("Channel 1".."Channel 40", four columns of ten, above
    // the buttons), made into boxes[0..39].
    void BuildChannelBoxes(int memory, QCheckBox** boxes);
    // The 8 duplex boxes, one column.
    void BuildDuplexBoxes(QCheckBox** boxes);

    // Option bits of 0x4F into options, every bit of the maps and the duplex byte into
    // memories (from the boxes built above).
    void BindCbFields(ImageFields& options, ImageFields& memories) const;
    // The help lines; rxLabelHelp: the receive tone label shows its combo's line.
    void BindCbHelp(HelpPane& help, QWidget* bottomPanel, bool rxLabelHelp) const;
    // The tone and option controls follow the enable box.
    void EnableCbOptions();
    // "&Select All" ticks all boxes of the sender's tab, "&Deselect All" clears them.
    void SelectFromButton(QObject* sender);

private:
    QCheckBox** memoryBoxes[cb::ChannelMemories] = {};
    QCheckBox** duplexBoxes = nullptr;
};
