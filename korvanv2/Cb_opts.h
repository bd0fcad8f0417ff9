#pragma once
// "Australian CB Options" of the second generation: the CB transmit and receive tone (the
// tone list index, DCS codes included), busy lockout, CTCSS on the repeater channels,
// clearing silent mode on priority recall, and the open scan, group scan, quiet, CTCSS and
// duplex memories of the CB channels.
//
// Shown modally; OK (result 1) stores into eeprom, Cancel (result 2) only closes.

#include "Cb_memories.h"
#include "Form.h"
#include "Image_fields.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTextEdit;
class HelpPane;

class TfrmCbOptions : public Form, public CbControls {
    Q_OBJECT
public:
    static constexpr int MemoryBoxCount = cb::ChannelMemories * cb::Channels + cb::DuplexChannels;
    static constexpr int FirstDuplexBox = cb::ChannelMemories * cb::Channels; // 160

    explicit TfrmCbOptions(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow() override;
    void OKBtnClick();
    void CancelBtnClick();
    void chkEnableCbCtcssClick();
    // Shared by all eight select and deselect buttons; the sender decides.
    void btnOsSelectAllClick(QObject* sender);

    void CreateMemoryCheckBoxes();
    void CreateDuplexCheckBoxes();
    void FillToneLists();
    void LoadCbCtcssOptions();
    void SaveCbCtcssOptions();
    // The four 40-channel maps and the duplex byte.
    void LoadCbMemories();
    void SaveCbMemories();

    // 0..39 open scan channels 1..40, 40..79 group scan, 80..119 quiet, 120..159 CTCSS
    // memory, 160..167 duplex channels 1..8.
    QCheckBox* MemoryBoxes[MemoryBoxCount] = {};

    QWidget* BottomPanel = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QTextEdit* HelpText = nullptr;

private:
    // A tone combo and the byte it shows.
    struct Tone {
        QComboBox* combo = nullptr;
        int offset = 0;
    };

    void buildBottomPanel();
    void loadTone(const Tone& tone);
    void storeTone(const Tone& tone) const;

    HelpPane* help = nullptr;
    ImageFields optionFields;
    ImageFields memoryFields;
    Tone tones[2];
};

extern TfrmCbOptions* frmCbOptions;
