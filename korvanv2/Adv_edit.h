#pragma once
// The "Hardware Edit Screen" of the second-generation radio: squelch preset, mute timing,
// DTMF tone period and the debug display flag of the image; the way into alignment, live
// from the radio or from a calibration file; the link rate; and the firmware upgrade, run
// stage by stage through the flash boot loader on the UI thread.

#include "Firmware_stages.h"
#include "Form.h"
#include "Hardware_tabs.h"
#include "Protocol.h"
#include "Radioabout.h"
#include "platform/Host.h"

#include <cstdint>

class HelpPane;
class QCheckBox;
class QTabWidget;
class QTextEdit;

class TfrmAdvanced : public Form, public HardwareTabs, public FirmwareStages {
    Q_OBJECT
public:
    explicit TfrmAdvanced(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow() override;
    void OKBtnClick();
    void CancelBtnClick();
    void hsbPSHoldOnTimeChange(QScrollBar* bar);
    void rdgrpMaxBdRateClick();

    // The stage display's reset, and the stage controls on or off.
    void ResetFirmwareStages();
    void EnableFirmwareControls(bool on);
    bool LoadSRecordFile(const QString& fileName);

    QTabWidget* pageEngOptions;
    QCheckBox* chkBlankCheck;
    QCheckBox* chkVerify;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QTextEdit* HelpText;
    HelpPane* help;
    platform::FileDialogRequest OpenDialog1; // calibration and programming files
    platform::FileDialogRequest SaveDialog1; // calibration files, for the tuning screen

    uint8_t FirmwareImage[srecord::FLASH_SIZE];

public slots:
    // Escape closes as Cancel does.
    void reject() override;

private:
    void BuildForm();
    void BuildFirmwareOptions();
    void BindHelp();
};

extern TfrmAdvanced* frmAdvanced;
