#pragma once
// The hardware dialog: squelch preset, mute timing, DTMF tone period and the test option
// of the memory image; the alignment entry; the maximum link rate; and the firmware
// upgrade through the radio processor's flash boot loader.
//
// The upgrade is a state machine shared by two threads: the 100 ms timerFirmware on the
// UI thread sends, waits and retries; the serial worker reads each boot-loader reply and
// acts on it (FlashLink). One step runs at a time under flashMutex; the shared numbers
// are atomic, and every control change of a step is posted to the UI thread.

#include "Boot_loader.h"
#include "Firmware_stages.h"
#include "Hardware_tabs.h"
#include "Image_dialog.h"
#include "Main.h"
#include "Rs232_com.h"
#include "platform/Host.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

class QTimer;

class TfrmAdvanced : public ImageDialog,
                     public FlashLink,
                     public HardwareTabs,
                     public FirmwareStages {
    Q_OBJECT
public:
    explicit TfrmAdvanced(QWidget* parent = nullptr);
    ~TfrmAdvanced() override;

    // A step whose reply does not come is sent again this many times.
    static constexpr int RETRIES = 5;
    // Reply wait in ticks of timerFirmware (100 ms).
    static constexpr int WAIT_TICKS = 10;
    // How long the loader may stay busy with an erase or a page before the step fails.
    static constexpr std::chrono::milliseconds ERASE_BUSY_LIMIT{30000};
    static constexpr std::chrono::milliseconds PAGE_BUSY_LIMIT{1000};
    // How long a reply to a request sent again or given up may still arrive: dropped
    // until then, so that it never answers a later request. Shorter than a reply wait.
    static constexpr std::chrono::milliseconds LATE_REPLY_LIMIT{500};

    void FormCreate();
    void FormShow() override;
    void FormClose();
    void OKBtnClick() override;
    void CancelBtnClick();
    void hsbPSHoldOnTimeChange(QScrollBar* bar);
    void rdgrpMaxBdRateClick();
    void btnReadCalRadioClick();
    void btnReadCalFileClick();

    bool LoadSRecordFile(const QString& fileName);
    void btnNextClick();
    void tabFirmwareShow();
    void tabFirmwareHide();
    void timerFirmwareTimer();

    // FlashLink, called by the serial worker.
    bool FlashIsActive() const override { return FlashActive.load() == 1; }
    void FlashPoll() override;

    QTabWidget* pageEngOptions;
    QTimer* timerFirmware;

    platform::FileDialogRequest OpenDialog1; // calibration files
    platform::FileDialogRequest SaveDialog1; // calibration files, for the tuning dialog

    // Shared with the serial worker.
    std::atomic<uint8_t> FlashActive{0};
    std::atomic<uint8_t> FlashCommand{0};
    std::atomic<int> ReplyLength{0};
    std::atomic<int> FlashState{0};
    uint8_t FirmwareImage[srecord::FLASH_SIZE]; // written only while no upgrade runs
    std::atomic<int> PageAddress{0};
    std::atomic<int> WaitTicks{0};
    std::atomic<int> Retries{0};
    // The erase's busy limit in force (ERASE_BUSY_LIMIT unless a test shortens it).
    std::chrono::milliseconds EraseBusyLimit{ERASE_BUSY_LIMIT};

public slots:
    void done(int result) override;

protected:
    // A close other than OK keeps the calibration block, which an alignment may have
    // changed meanwhile.
    void UndoChanges() override;

private:
    void SetFileDialogs();
    void BindHelp();

    // Stage display (UI thread).
    void ResetFirmwareStages();
    // Step side (either thread, flashMutex held): the change reaches the controls on the
    // UI thread, unless the display was reset since.
    void Post(std::function<void()> change);
    void PostStage(Stage stage, const QColor& color, const QString& text);
    void PostReturnData(const QString& text);
    void PostPageProgress();
    void PostProgressRow(Stage stage);

    // Senders (flashMutex held).
    void SendBoot(const std::vector<uint8_t>& bytes, int replyLength);
    void SendBootBaud(int rate);
    void SendBootVersion();
    void SendBootReadStatus();
    void SendBootClearStatus();
    void SendBootIdCheck(int candidate);
    void SendBootEraseAll();
    void SendBootPageRead(int page);
    void SendBootPageProgram(int page);
    void ProgramPage(); // clear status, program PageAddress, read status

    // State machine (flashMutex held).
    void StartUpgrade();
    void TimerStep();
    bool WaitExpired() const { return WaitTicks.load() == 0; }
    bool TakeRetry();
    void NoReply(Stage stage);
    void EraseStatus();
    void StartBlankCheck();
    void StartWrite();
    void StartVerify();
    void EndRun(bool passed);
    void BackToIdle();
    void AbandonRequest();
    void DropLateReplies();
    void ActOnReply(const uint8_t* r);
    void ReplyConnect(const uint8_t* r);
    void ReplyBaud(const uint8_t* r);
    void ReplyVersion(const uint8_t* r);
    void ReplyId(const uint8_t* r);
    void ReplyBlankPage(const uint8_t* r);
    void ReplyWriteStatus(const uint8_t* r);
    void ReplyVerifyPage(const uint8_t* r);
    bool BusyTooLong(std::chrono::milliseconds limit) const;
    void SetLink(int rate);

    std::mutex flashMutex;
    std::atomic<int> displayGeneration{0};
    std::atomic<int> runBdRate{9600};                // maxBdRate taken when the upgrade starts
    std::atomic<uint8_t> lastStatus{0};              // SRD of the erase status reply
    std::chrono::steady_clock::time_point busySince; // flashMutex
    // Replies still owed by requests that were sent again or given up (flashMutex).
    struct OwedReply {
        int bytes;
        std::chrono::steady_clock::time_point until;
    };
    std::vector<OwedReply> owedReplies;
    int requestSends = 0; // times the awaited request went out (flashMutex)
};

extern TfrmAdvanced* frmAdvanced;
