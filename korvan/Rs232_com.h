#pragma once
// The serial worker. Every 10 ms it moves the bytes waiting at the port into the receive
// ring of frmSerial, recognises reply frames from their sync byte backwards, hands each
// reply to whoever waits for it, and runs one step of the read or write job of
// frmReadWrite (Radio_rw.h). It is started by TfrmSerial::OpenPort and stopped (and joined)
// by TfrmSerial::ClosePort.
//
// Dialogs that talk to the radio while they are open implement one of the reply sinks
// below and register it with rs232_processor::SetLocationSink / SetTuningSink /
// SetFlashLink (from the UI thread, typically in the constructor; pass nullptr in the
// destructor). Registrations outlive port reopening. The worker calls a sink on its own
// thread, so a sink:
//   - stores what it is given into std::atomic fields or under its own mutex,
//   - changes controls only by posting to the UI thread
//     (platform::PostCall),
//   - never blocks and never waits for the UI thread.
// Once a setter returns, the worker no longer calls the sink that was replaced.
//
// Block jobs go through frmReadWrite, which runs the job modally and returns its Mode:
//   // Hardware dialog, "Align Radio": fetch the calibration block (image bytes 0..47).
//   frmTuneRadio->Online = 0;
//   frmReadWrite->RunJob(0, 47, TfrmReadWrite::MODE_READ);
//   // A good end has called TuningReplySink::RadioReadSucceeded() (Online := 1) and
//   // copied the 48 bytes into the image before RunJob returns MODE_DONE.
//   // Tuning dialog, "Write to Radio": frmReadWrite->RunJob(0, 47, TfrmReadWrite::MODE_WRITE);

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

class TfrmSerial;

// The engineering dialog's single-location exchange (replies with command 6, 7, 70, 71).
class LocationReplySink {
public:
    virtual ~LocationReplySink() = default;
    // Every location reply: value D[0] for `address`. The dialog takes it only while it
    // waits (WaitingReply 1) and the address is its Location: LocationValue := value,
    // then WaitingReply := 0.
    virtual void LocationReply(int address, uint8_t value) = 0;
};

// The tuning dialog's live link: meter replies and display frames, and the good end of a
// read job (which puts the dialog on-line).
class TuningReplySink {
public:
    virtual ~TuningReplySink() = default;
    // LinkActive: meter replies and display frames are taken only while this is true.
    virtual bool LinkIsActive() const = 0;
    // METER_READ reply: store Rssi and Noise. The worker then posts WM_RADIO_UPDATE
    // (wParam 0, lParam 0) to RadioUpdateWindow(), whose event() runs ShowRssi.
    virtual void MeterReading(int rssi, int noise) = 0;
    virtual QObject* RadioUpdateWindow() = 0;
    // METER_CAL_S1 or METER_CAL_S9 reply: the S1 (resp. S9+) up-down position := value.
    virtual void SMeterPoint(uint8_t subCode, uint8_t value) = 0;
    // KEY_DISPLAY frame: bytes[i] is DisplayBytes[i] (already in display order). Store
    // them and run the display routine on the UI thread.
    virtual void DisplayFrame(const uint8_t (&bytes)[10]) = 0;
    // A read job ended well (calibration or whole image): Online := 1.
    virtual void RadioReadSucceeded() = 0;
};

// The firmware upgrade's boot-loader exchange, which borrows the receive ring.
class FlashLink {
public:
    virtual ~FlashLink() = default;
    // FlashActive: while true the worker neither recognises frames nor runs a job step;
    // it only fills the ring and lets the upgrade look at it.
    virtual bool FlashIsActive() const = 0;
    // Each poll while active, on the worker thread: the upgrade takes what the ring holds
    // (frmSerial->RxWaiting, RxTake) under its own step lock, so that a reply is matched to
    // the request it answers, and may send (ClearRxBuffer, SendBytes, SetBaudRate).
    virtual void FlashPoll() = 0;
};

class rs232_processor {
public:
    explicit rs232_processor(TfrmSerial& serial);
    // Terminates and joins the thread.
    ~rs232_processor();
    rs232_processor(const rs232_processor&) = delete;
    rs232_processor& operator=(const rs232_processor&) = delete;

    // Asks the thread to end after its current poll.
    void Terminate();
    // Waits for the thread to end (call Terminate first).
    void WaitFor();
    bool OnWorkerThread() const;
    // Recognises every frame the receive ring holds and hands each reply on; each poll
    // runs it. Call it from another thread only once this one has ended (Terminate,
    // WaitFor).
    void ScanRing();

    static void SetLocationSink(LocationReplySink* sink);
    static void SetTuningSink(TuningReplySink* sink);
    static void SetFlashLink(FlashLink* link);

    std::atomic<uint32_t> version_received{0}; // 1 when a version reply arrived
    std::atomic<uint32_t> block_received{0};   // 1 when a block reply arrived
    std::atomic<uint32_t> block_count{0};      // block replies seen
    std::atomic<uint32_t> poll_count{0};       // polls run (for measuring the job's pace)

    static constexpr int POLL_MS = 10;

private:
    struct Frame;

    void Execute();
    void ReadPort();
    bool FlashBranch();
    bool TakeFrame(int syncIndex, Frame& frame);
    bool CheckFrame(int checksumIndex, int frameLength);
    void Decode(const Frame& frame);
    void DecodeVersion(const Frame& frame);
    void DecodeBlock(const Frame& frame);
    void DecodeLocation(const Frame& frame);
    void DecodeMeter(const Frame& frame);
    void DecodeDisplay(const Frame& frame);

    void ReadJobStep();
    void WriteJobStep();
    bool CommonStep(std::atomic<int>& state, int step);
    void Advance(std::atomic<int>& state, int from, int to);
    void Restart(std::atomic<int>& state, int step);
    void Request(std::atomic<int>& state, int step, const std::function<void()>& send);
    bool WaitStep(std::atomic<int>& state, int step, bool replied, int next, int retry,
                  const char* failure, bool beep = true);
    void Fail(std::atomic<int>& state, int step, const char* message, bool beep);
    void AskVersion(std::atomic<int>& state);
    bool BlockMatchesImage() const;
    void BlockDone(std::atomic<int>& state, bool reading);
    void EndJob(std::atomic<int>& state);

    TfrmSerial& serial;
    int scan_index = 0; // ring index under test during a backward walk (worker only)
    std::atomic<bool> terminated{false};
    std::thread thread;
};

extern rs232_processor* rs232Thread;
