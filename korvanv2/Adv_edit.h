#pragma once
// The "Hardware Edit Screen" of the second-generation radio: squelch preset, mute timing,
// DTMF tone period and the debug display flag of the image; the way into alignment, live
// from the radio or from a calibration file; the link rate; and the firmware upgrade, run
// stage by stage through the flash boot loader on the UI thread.

#include "Boot_loader.h"
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
    // "Align Radio": on-line after the model check and a complete calibration read, else
    // off-line when the user agrees.
    void btnReadCalRadioClick();
    // "Read Calibration Factors from File": off-line on the file's calibration block.
    void btnReadCalFileClick();
    // The calibration block through the transfer worker; true only for a complete read.
    // A read that does not end well gives the block back as it was.
    bool ReadCalibrationFromRadio();

    // The stage display's reset, and the stage controls on or off.
    void ResetFirmwareStages();
    void EnableFirmwareControls(bool on);
    bool LoadSRecordFile(const QString& fileName);
    // "Upgrade": the file, then the run on the borrowed port, then the port given back.
    void btnNextClick();
    // The boot-loader sequence, run to its end on this thread; 0 when the radio did not
    // answer the sync at all, else 1.
    int RunFlashUpdate();
    // A run is in progress: the screen cannot be closed.
    bool Flashing() const { return flashing; }

    // The erase is polled this often, this many times.
    static constexpr int ERASE_POLLS = 32;
    static constexpr int ERASE_POLL_MS = 200;

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
    char AlignVersion[VERSION_BUFFER] = {};
    version_info_struct AlignInfo = {};

public slots:
    // Escape closes as Cancel does.
    void reject() override;

private:
    enum FlashState {
        fsFile,
        fsSync,
        fsBaud,
        fsVersion,
        fsId,
        fsErase,
        fsBlank,
        fsProgram,
        fsVerify,
        fsError,
        fsComplete,
        fsNoRadio
    };
    bool ChooseFirmwareFile(QString& chosen);
    bool BorrowPort();
    void GiveBackPort(int result);
    void SetRunControls(bool running);
    FlashState FlashStep(FlashState state);
    FlashState SyncStep();
    FlashState BaudStep();
    FlashState VersionStep();
    FlashState IdStep();
    FlashState EraseStep();
    FlashState BlankStep();
    FlashState ProgramStep();
    FlashState VerifyStep();
    FlashState Failed(Stage stage, const QString& label, const QString& message);
    bool IdMatches(const boot::IdCode& id);
    void StartProgress(Stage stage, const QString& label, int maximum);
    void StepProgress();
    // Paints the screen and lets timers run; typed keys and clicks wait for the run's end.
    void KeepPainted();
    void Pause(int ms);

    void BuildForm();
    void BuildFirmwareOptions();
    void BindHelp();

    bool flashing = false;
    QString flashMessage; // what the "Flash Error" box says
};

extern TfrmAdvanced* frmAdvanced;
