#pragma once
// Whole-image and calibration transfers on a worker thread, and the dialog that shows their
// progress. The worker moves 16-byte blocks between the radio and `eeprom` and reports to
// the main window only by posting WM_RADIO_UPDATE: (0, block address) after each block,
// (1, result) at the end.
//
// Callers: for a whole image RadioSetBaudRate, then ShowTransfer. The dialog stays until the
// worker's end message has reached the main window, which closes it; Cancel only asks the
// worker to stop.

#include "Form.h"
#include "platform/Event.h"

#include <QEvent>
#include <QString>
#include <cstdint>
#include <limits>

class QLabel;
class QProgressBar;
class QPushButton;

constexpr int TRANSFER_BLOCK = 16;
constexpr int TRANSFER_DONE = 0;
constexpr int TRANSFER_FAILED = -1;
constexpr int TRANSFER_CANCELLED = 1;

constexpr int NO_SIZE_BYTE = -1;

struct transfer_job_struct {
    int mode;  // 0 read, 1 write
    int start; // first address
    int end;   // end address, exclusive
    // A write sends this at EEPROM::SIZE_BYTE in place of the image's byte, so that the
    // radio keeps its own size; NO_SIZE_BYTE for reads and ranges that leave it out.
    int sizeByte = NO_SIZE_BYTE;
    // A write sends the bytes from here up erased (0xFF): an image holds nothing past the
    // size of the radio it was made for.
    int imageEnd = std::numeric_limits<int>::max();
};

// Set by CancelTransfer, cleared by each start and by the worker when it sees it.
extern platform::Event cancelEvent;

// Start a worker over start..end (a worker still running is cancelled and joined first).
// The worker posts to frmBelmar. Both return 1. StartWriteThread is for ranges below the
// size byte (calibration): whole images go out as ImageWriteJob makes them.
int StartReadThread(int start, int end);
int StartWriteThread(int start, int end);
// The write of the image from start to the end of the radio's memory, as the radio's own
// size byte gives it; that byte goes out as the radio has it, whatever the image holds. An
// image made for 8 KiB (its own size byte says so) goes out erased from 8192 up.
transfer_job_struct ImageWriteJob(int start, uint8_t radioSizeByte);
// What such a write does that the user may not expect, to tell them first: the image was
// made for a radio of the other size, or (by the radio's band byte) of the other band.
// Empty when the radio and the image agree.
QString ImageWriteWarning(const transfer_job_struct& job, uint8_t radioBandByte);
void CancelTransfer();
// Joins the last worker and returns its result (TRANSFER_DONE, _FAILED or _CANCELLED).
int WaitTransfer();
// Starts a worker (mode 0 read, 1 write), shows its progress until it ends and returns its
// result once joined.
int ShowTransfer(int mode, int start, int end);
int ShowTransfer(const transfer_job_struct& job);
// A worker was started and has not been joined yet.
bool TransferStarted();
// An update posted by a worker older than the last one started: its job is over.
bool IsStaleTransferUpdate(const QEvent* event);

class TfrmReadWrite : public Form {
    Q_OBJECT
public:
    explicit TfrmReadWrite(QWidget* parent = nullptr);
    ~TfrmReadWrite() override;

    void FormShow() override;
    void btnCancelClick();
    void SetRange(int minimum, int maximum);
    void SetProgress(int position);
    // The main window's end of a transfer: the dialog closes.
    void EndShowing();

    QPushButton* btnCancel;
    QLabel* lblAction;
    QProgressBar* gaugeProgress;
    int WriteMode = 0; // 0 read, 1 write; set by every caller before it shows the dialog

public slots:
    // Escape and the window's close ask the worker to stop, like Cancel.
    void reject() override;
};

extern TfrmReadWrite* frmReadWrite;
