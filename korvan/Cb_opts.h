#pragma once
// "Australian CB Options": the CB transmit and receive tone, busy lockout, CTCSS on the
// repeater channels, clearing silent mode on priority recall, and the per-channel memories
// of the 40 CB channels (open scan, group scan, quiet, CTCSS) and duplex of channels 1-8.
//
// Opened by the channel table's "Edit Aust CB Options" button (UHF radios only) with
// frmCbOptions->exec(); the result needs no handling: OK has stored into the image, any
// other close has put the image back as it was when the dialog opened.

#include "Cb_memories.h"
#include "Image_dialog.h"
#include "Image_fields.h"

#include <QString>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

constexpr int CB_CHANNELS = cb::Channels;
constexpr int CB_DUPLEX_CHANNELS = cb::DuplexChannels;

class TfrmCbOptions : public ImageDialog, public CbControls {
    Q_OBJECT
public:
    explicit TfrmCbOptions(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow() override;
    void OKBtnClick() override;
    void chkEnableCbCtcssClick();
    // Shared by all eight select and deselect buttons; the sender decides.
    void btnOsSelectAllClick(QObject* sender);

    void LoadCbCtcssOptions();
    void SaveCbCtcssOptions();
    void LoadCbMemories();
    void SaveCbMemories();

    // Box n stands for CB channel n (index 0 unused).
    QCheckBox* chkOs[CB_CHANNELS + 1] = {};
    QCheckBox* chkGs[CB_CHANNELS + 1] = {};
    QCheckBox* chkQ[CB_CHANNELS + 1] = {};
    QCheckBox* chkCtcss[CB_CHANNELS + 1] = {};
    QCheckBox* chkDup[CB_DUPLEX_CHANNELS + 1] = {};

private:
    void buildMemories();
    void bindTone(QComboBox* combo, int offset);

    ImageFields optionFields;
    ImageFields memoryFields;
};

extern TfrmCbOptions* frmCbOptions;
