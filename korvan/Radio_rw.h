#pragma once
// The read/write progress dialog. It holds the block job that the serial worker runs
// (range, mode, staging buffer, states) and shows its progress; Cancel stops the job.
// A good end closes the dialog by itself; a failure leaves it open with the message and
// a "Close" button.
//
// Callers run a job with RunJob(start, end, mode), which shows the dialog modally and
// returns the settled Mode: MODE_DONE when the whole job succeeded (a read has then copied
// image bytes start..end from the staging buffer), MODE_FAILED when it failed or was
// cancelled (a read leaves the image as the caller left it).
//
// Shared with the worker thread: Mode, the states, CurrentAddress, TimeoutTicks and
// RetriesLeft are atomic; the worker changes the controls only by posting to this
// dialog's thread. While the job runs the worker reads the image (write job) or writes it
// once at the good end (read job); the UI thread leaves the image alone until RunJob
// returns.

#include "Form.h"
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TfrmReadWrite : public Form {
    Q_OBJECT
public:
    enum JobMode { MODE_IDLE = 0, MODE_READ = 1, MODE_WRITE = 2, MODE_FAILED = 3, MODE_DONE = 4 };
    // States the worker and Cancel share: 45 shows a failure, 46 ends a cancelled job.
    static constexpr int STATE_FAILED = 45;
    static constexpr int STATE_CANCELLED = 46;
    static constexpr int BLOCK_SIZE = 8;
    static constexpr int BUFFER_SIZE = 4096;

    explicit TfrmReadWrite(QWidget* parent = nullptr);
    ~TfrmReadWrite() override;

    // Runs a job over image addresses start..end (inclusive, within 0..4095) modally and
    // returns Mode once the worker has settled.
    int RunJob(int start, int end, int mode);
    // A read job that leaves what it read in ReadBuffer alone: the image stays as it was and
    // the tuning dialog is not put on-line. Returns Mode as RunJob does.
    int ProbeJob(int start, int end);

    void FormShow() override;
    void timer_rwTimer();
    void btnCancelClick();

    // Worker side: runs `change` on the UI thread unless a later job has started since.
    void PostToDialog(std::function<void()> change);
    // Worker side: the gauge := percent.
    void PostProgress(int percent);
    // Worker side: the failure display (message, "Close", beep if asked).
    void ShowFailure(const QString& message, bool beep);
    // UI side of a good end: gauge 100, beep, "Close", and the dialog closes.
    void Finish();

    QPushButton* btnCancel;
    QLabel* lblAction;
    QProgressBar* gaugeProgress;
    QTimer* timer_rw;

    int StartAddress = 0;
    int EndAddress = 0;
    std::atomic<int> Mode{MODE_IDLE};
    uint8_t ReadBuffer[BUFFER_SIZE] = {}; // worker only while a job runs
    std::atomic<int> CurrentAddress{0};
    std::atomic<int> TimeoutTicks{0};
    std::atomic<int> RetriesLeft{0};
    std::atomic<int> WriteState{0};
    std::atomic<int> ReadState{0};
    std::atomic<bool> Probing{false}; // the read job is a ProbeJob

public slots:
    void reject() override;

protected:
private:
    int Run(int start, int end, int mode, bool probing);
    void CancelState(std::atomic<int>& state);
    void WaitForWorker();

    std::atomic<int> jobNumber{0};
};

extern TfrmReadWrite* frmReadWrite;
