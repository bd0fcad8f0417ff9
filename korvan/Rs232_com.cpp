#include "Rs232_com.h"

#include "Main.h"
#include "Radio_rw.h"
#include "Ser_com.h"

#include "platform/RadioUpdate.h"

#include <QLabel>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>

rs232_processor* rs232Thread = nullptr;

namespace {

constexpr int READ_CHUNK = 256;      // a poll takes at most this many waiting bytes
constexpr int MAX_VERSION_TEXT = 19; // longer version texts are cut to this
constexpr int SHORT_FRAME = 7;       // n = 4
constexpr int LONG_FRAME = 13;       // n = 10
constexpr int VERSION_WAIT_MS = 100; // the radio needs a moment before its version reply
constexpr int RETRIES = 5;

constexpr int CMD_READ_BYTE_REPLY = 70; // location replies beside 6, 7 and 71

const char* const NO_RADIO = "Can't find Radio. Check COM port and leads.";
const char* const NO_VERSION = "Failed while trying to read radio version.";
const char* const VERIFY_FAILED = "Failed while trying to verify last data write to radio.";

// Reply sinks: set from the UI thread, used by the worker under sinkMutex, so a setter
// that returns knows its old sink is no longer in use.
std::mutex sinkMutex;
LocationReplySink* locationSink = nullptr;
TuningReplySink* tuningSink = nullptr;
FlashLink* flashLink = nullptr;

int wrap(int index) {
    return (index % RX_RING_SIZE + RX_RING_SIZE) % RX_RING_SIZE;
}

// Runs `change` on the main window's thread.
template <typename Change> void PostToMainWindow(Change change) {
    if (frmBelmar)
        platform::PostCall(frmBelmar, change);
}

} // namespace

struct rs232_processor::Frame {
    uint8_t sync = 0;
    uint8_t command = 0;
    int count = 0;              // data bytes n
    uint8_t data[256 + 1] = {}; // D[0..n-1]
};

rs232_processor::rs232_processor(TfrmSerial& serial) : serial(serial) {
    thread = std::thread([this] { Execute(); });
}

rs232_processor::~rs232_processor() {
    Terminate();
    WaitFor();
}

void rs232_processor::Terminate() {
    terminated = true;
}

void rs232_processor::WaitFor() {
    if (thread.joinable() && !OnWorkerThread())
        thread.join();
}

bool rs232_processor::OnWorkerThread() const {
    return std::this_thread::get_id() == thread.get_id();
}

void rs232_processor::SetLocationSink(LocationReplySink* sink) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    locationSink = sink;
}

void rs232_processor::SetTuningSink(TuningReplySink* sink) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    tuningSink = sink;
}

void rs232_processor::SetFlashLink(FlashLink* link) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    flashLink = link;
}

void rs232_processor::Execute() {
    while (!terminated) {
        std::this_thread::sleep_for(std::chrono::milliseconds(POLL_MS));
        if (terminated)
            break;
        ++poll_count;
        ReadPort();
        if (FlashBranch())
            continue;
        ScanRing();
        if (!frmReadWrite)
            continue;
        const int mode = frmReadWrite->Mode;
        if (mode == TfrmReadWrite::MODE_READ)
            ReadJobStep();
        else if (mode == TfrmReadWrite::MODE_WRITE)
            WriteJobStep();
    }
}

void rs232_processor::ReadPort() {
    uint8_t chunk[READ_CHUNK];
    const int count = serial.device.readAvailable(chunk, READ_CHUNK);
    if (count <= 0)
        return; // nothing waits, or the device is gone: the job's time-outs report it
    std::lock_guard<std::mutex> lock(serial.ringMutex);
    int head = serial.RxHead;
    for (int i = 0; i < count; ++i) {
        serial.RxBuffer[head] = chunk[i];
        head = wrap(head + 1);
    }
    serial.RxHead = head;
}

// While the firmware upgrade owns the link it reads the ring itself. Returns false when
// the upgrade is not active.
bool rs232_processor::FlashBranch() {
    std::lock_guard<std::mutex> sinks(sinkMutex);
    if (!flashLink || !flashLink->FlashIsActive())
        return false;
    flashLink->FlashPoll();
    return true;
}

void rs232_processor::ScanRing() {
    for (;;) {
        Frame frame;
        bool found = false;
        {
            std::lock_guard<std::mutex> lock(serial.ringMutex);
            const int index = serial.RxTail;
            if (index == serial.RxHead)
                break;
            serial.RxPending = 1;
            serial.RxTail = wrap(index + 1);
            const uint8_t byte = serial.RxBuffer[index];
            if (byte == SYNC_CMD || byte == SYNC_KEY)
                found = TakeFrame(index, frame);
        }
        if (found)
            Decode(frame);
    }
    serial.RxPending = 0;
}

// Reads the frame that ends with the sync byte at syncIndex backwards out of the ring
// (under the ring lock). False when the command is not a reply or the checksum fails.
bool rs232_processor::TakeFrame(int syncIndex, Frame& frame) {
    const uint8_t* ring = serial.RxBuffer;
    frame.sync = ring[syncIndex];
    frame.command = ring[wrap(syncIndex - 1)];
    const int checksumIndex = wrap(syncIndex - 2);
    int length = 0;
    if (frame.sync == SYNC_KEY) {
        length = frame.command == KEY_DISPLAY ? LONG_FRAME : 0;
    } else {
        switch (frame.command) {
        case CMD_CONNECT:
        case CMD_WRITE_BLOCK:
        case CMD_READ_LOCATION:
        case CMD_WRITE_LOCATION:
        case CMD_READ_BYTE_REPLY:
        case CMD_WRITE_BYTE:
        case CMD_METER:
            length = SHORT_FRAME;
            break;
        case CMD_READ_BLOCK:
            length = LONG_FRAME;
            break;
        case CMD_GET_VERSION:
            length = ring[wrap(syncIndex - 3)] + 4; // L text bytes, L, CHK, CMD, SYNC
            if (length == 4)
                length = 0; // an empty version is ignored
            break;
        default:
            break;
        }
    }
    if (length == 0 || !CheckFrame(checksumIndex, length))
        return false;
    frame.count = length - 3;
    for (int i = 0; i < frame.count; ++i)
        frame.data[i] = ring[wrap(checksumIndex - frame.count + i)];
    return true;
}

// Sums the frameLength - 3 bytes before the checksum; accepts when 255 minus the sum is
// the checksum. A frame of 3 bytes or fewer passes only with checksum 0xFF.
bool rs232_processor::CheckFrame(int checksumIndex, int frameLength) {
    const uint8_t* ring = serial.RxBuffer;
    uint8_t sum = 0;
    scan_index = checksumIndex;
    for (int i = 0; i < frameLength - 3; ++i) {
        scan_index = wrap(scan_index - 1);
        sum = uint8_t(sum + ring[scan_index]);
    }
    return uint8_t(255 - sum) == ring[checksumIndex];
}

void rs232_processor::Decode(const Frame& frame) {
    if (frame.sync == SYNC_KEY) {
        DecodeDisplay(frame);
        return;
    }
    switch (frame.command) {
    case CMD_CONNECT:
        serial.rxed.command = CMD_CONNECT;
        if (frmBelmar)
            frmBelmar->LinkStatus |= 1u;
        break;
    case CMD_GET_VERSION:
        DecodeVersion(frame);
        break;
    case CMD_READ_BLOCK:
        DecodeBlock(frame);
        break;
    case CMD_WRITE_BLOCK:
        serial.rxed.command = CMD_WRITE_BLOCK;
        break;
    case CMD_READ_LOCATION:
    case CMD_WRITE_LOCATION:
    case CMD_READ_BYTE_REPLY:
    case CMD_WRITE_BYTE:
        DecodeLocation(frame);
        break;
    case CMD_METER:
        DecodeMeter(frame);
        break;
    default:
        break;
    }
}

// Version text in reading order, its length as the last data byte. The text holds at most
// 19 characters: a longer one is cut to its first 19.
void rs232_processor::DecodeVersion(const Frame& frame) {
    const int length = std::min<int>(frame.data[frame.count - 1], MAX_VERSION_TEXT);
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(frame.data), length);
    version_received = 1;
    {
        std::lock_guard<std::mutex> lock(serial.versionMutex);
        serial.rxed.version = text;
    }
    PostToMainWindow([text] { frmBelmar->RadioVersion = text; });
    serial.rxed.version_state = 2;
}

void rs232_processor::DecodeBlock(const Frame& frame) {
    const int address = frame.data[9] * 256 + frame.data[8];
    if (frmReadWrite && address == frmReadWrite->CurrentAddress) {
        for (int i = 0; i < TfrmReadWrite::BLOCK_SIZE && address + i < TfrmReadWrite::BUFFER_SIZE;
             ++i)
            frmReadWrite->ReadBuffer[address + i] = frame.data[7 - i];
        serial.rxed.command = CMD_READ_BLOCK;
    }
    ++block_count;
    block_received = 1;
}

void rs232_processor::DecodeLocation(const Frame& frame) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    if (locationSink)
        locationSink->LocationReply(frame.data[3] * 256 + frame.data[2], frame.data[0]);
}

void rs232_processor::DecodeMeter(const Frame& frame) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    if (!tuningSink || !tuningSink->LinkIsActive())
        return;
    serial.rxed.command = CMD_METER;
    switch (frame.data[2]) {
    case METER_READ:
        tuningSink->MeterReading(frame.data[1], frame.data[0]);
        platform::PostRadioUpdate(tuningSink->RadioUpdateWindow(), 0, 0);
        break;
    case METER_CAL_S1:
    case METER_CAL_S9:
        tuningSink->SMeterPoint(frame.data[2], frame.data[0]);
        break;
    default:
        break;
    }
}

void rs232_processor::DecodeDisplay(const Frame& frame) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    if (!tuningSink || !tuningSink->LinkIsActive())
        return;
    uint8_t bytes[10];
    for (int i = 0; i < 10; ++i)
        bytes[i] = frame.data[9 - i];
    tuningSink->DisplayFrame(bytes);
}

// ---- Jobs -------------------------------------------------------------------------------
// A step reads its state, acts, and moves on only when the state is still the one it read:
// a Cancel on the UI thread (state 46) always wins.

void rs232_processor::Advance(std::atomic<int>& state, int from, int to) {
    state.compare_exchange_strong(from, to);
}

void rs232_processor::Restart(std::atomic<int>& state, int step) {
    frmReadWrite->RetriesLeft = RETRIES;
    Advance(state, step, step + 1);
}

void rs232_processor::Request(std::atomic<int>& state, int step,
                              const std::function<void()>& send) {
    serial.ClearRxBuffer();
    send();
    frmReadWrite->TimeoutTicks = 1;
    Advance(state, step, step + 1);
}

bool rs232_processor::WaitStep(std::atomic<int>& state, int step, bool replied, int next, int retry,
                               const char* failure, bool beep) {
    TfrmReadWrite& job = *frmReadWrite;
    if (replied) {
        Advance(state, step, next);
        return true;
    }
    if (job.TimeoutTicks > 0)
        return false;
    if (job.RetriesLeft > 0) {
        --job.RetriesLeft;
        Advance(state, step, retry);
    } else {
        Fail(state, step, failure, beep);
    }
    return false;
}

void rs232_processor::Fail(std::atomic<int>& state, int step, const char* message, bool beep) {
    int expected = step;
    if (state.compare_exchange_strong(expected, TfrmReadWrite::STATE_FAILED))
        frmReadWrite->ShowFailure(QString::fromLatin1(message), beep);
}

void rs232_processor::EndJob(std::atomic<int>& state) {
    TfrmReadWrite& job = *frmReadWrite;
    job.PostProgress(0);
    serial.SendDisconnect();
    state = 0;
    job.Mode = TfrmReadWrite::MODE_FAILED;
}

// Steps 1 to 5 (find the radio) and 45/46 (failed or cancelled) are the same for both
// jobs. Returns false for the other steps.
bool rs232_processor::CommonStep(std::atomic<int>& state, int step) {
    TfrmReadWrite& job = *frmReadWrite;
    switch (step) {
    case 1:
        job.CurrentAddress = job.StartAddress;
        Advance(state, 1, 2);
        return true;
    case 2:
    case 5:
        Restart(state, step);
        return true;
    case 3:
        Request(state, 3, [this] { serial.SendConnect(); });
        return true;
    case 4:
        WaitStep(state, 4, frmBelmar && (frmBelmar->LinkStatus & 1u), 5, 3, NO_RADIO);
        return true;
    case TfrmReadWrite::STATE_FAILED:
    case TfrmReadWrite::STATE_CANCELLED:
        EndJob(state);
        return true;
    default:
        return false;
    }
}

void rs232_processor::AskVersion(std::atomic<int>& state) {
    serial.rxed.command = 0;
    serial.ClearRxBuffer();
    serial.SendGetVersion();
    std::this_thread::sleep_for(std::chrono::milliseconds(VERSION_WAIT_MS));
    frmReadWrite->TimeoutTicks = 1;
    Advance(state, 6, 7);
}

void rs232_processor::ReadJobStep() {
    TfrmReadWrite& job = *frmReadWrite;
    std::atomic<int>& state = job.ReadState;
    const int step = state;
    if (CommonStep(state, step))
        return;
    // A probe before a write leaves the main window's labels alone: that write may never
    // start.
    const bool showsVersion = !job.Probing;
    switch (step) {
    case 6: {
        std::lock_guard<std::mutex> lock(serial.versionMutex);
        serial.rxed.version.clear();
    }
        if (showsVersion)
            PostToMainWindow([] { frmBelmar->lblVersion->clear(); });
        serial.rxed.version_state = 0;
        AskVersion(state);
        break;
    case 7:
        if (WaitStep(state, 7, serial.rxed.version_state == 2, 8, 6, NO_VERSION) && showsVersion)
            PostToMainWindow([] { frmBelmar->ShowVersion(); });
        break;
    case 8:
        Restart(state, 8);
        break;
    case 9:
        serial.rxed.command = 0;
        Request(state, 9, [this, &job] { serial.SendReadBlock(job.CurrentAddress); });
        break;
    case 10:
        WaitStep(state, 10, serial.rxed.command == CMD_READ_BLOCK, 40, 9,
                 "Failed while trying to read data from the radio.", false);
        break;
    case 40:
        BlockDone(state, true);
        break;
    default:
        break;
    }
}

bool rs232_processor::BlockMatchesImage() const {
    const TfrmReadWrite& job = *frmReadWrite;
    const int address = job.CurrentAddress;
    const int count = std::min(TfrmReadWrite::BLOCK_SIZE, IMAGE_SIZE - address);
    return frmBelmar && std::memcmp(job.ReadBuffer + address, frmBelmar->RadioData + address,
                                    size_t(count)) == 0;
}

void rs232_processor::WriteJobStep() {
    TfrmReadWrite& job = *frmReadWrite;
    std::atomic<int>& state = job.WriteState;
    const int step = state;
    if (CommonStep(state, step))
        return;
    // A block reply counts only when it carries the block in progress (rxed.command 4):
    // another address must not make a stale buffer pass for the radio's contents.
    const bool blockArrived = block_received && serial.rxed.command == CMD_READ_BLOCK;
    switch (step) {
    case 6:
        version_received = 0;
        AskVersion(state);
        break;
    case 7:
        if (WaitStep(state, 7, version_received != 0, 8, 6, NO_VERSION)) {
            version_received = 0;
            PostToMainWindow([] { frmBelmar->ShowVersion(); });
        }
        break;
    case 8:
    case 13:
    case 16:
        Restart(state, step);
        break;
    case 9:
    case 17:
        block_received = 0;
        serial.rxed.command = 0;
        Request(state, step, [this, &job] { serial.SendReadBlock(job.CurrentAddress); });
        break;
    case 10:
        if (WaitStep(state, 10, blockArrived, 11, 9,
                     "Failed while trying to read data before a write."))
            block_received = 0;
        break;
    case 11:
        Advance(state, 11, BlockMatchesImage() ? 40 : 13);
        break;
    case 14:
        serial.rxed.command = 0;
        Request(state, 14, [this, &job] { serial.SendWriteBlock(job.CurrentAddress); });
        break;
    case 15:
        // The acknowledgement test is a bit test: replies 5, 4 and 1 all pass; the read-back
        // that follows checks the block itself.
        WaitStep(state, 15, (serial.rxed.command & CMD_WRITE_BLOCK) != 0, 16, 14,
                 "Failed while trying to write data to the radio.");
        break;
    case 18:
        if (WaitStep(state, 18, blockArrived, 19, 17, VERIFY_FAILED))
            block_received = 0;
        break;
    case 19:
        if (BlockMatchesImage())
            Advance(state, 19, 40);
        else
            Fail(state, 19, VERIFY_FAILED, true);
        break;
    case 40:
        BlockDone(state, false);
        break;
    default:
        break;
    }
}

void rs232_processor::BlockDone(std::atomic<int>& state, bool reading) {
    TfrmReadWrite& job = *frmReadWrite;
    const int address = job.CurrentAddress;
    const int done = reading ? address + job.StartAddress : address;
    const int percent = done * 100 / (job.EndAddress + 1);
    job.PostProgress(percent);
    job.CurrentAddress = address + TfrmReadWrite::BLOCK_SIZE;
    if (job.CurrentAddress <= job.EndAddress) {
        Advance(state, 40, 8);
        return;
    }
    int expected = 40;
    if (!state.compare_exchange_strong(expected, 0))
        return; // cancelled at the last moment: step 46 ends the job
    const bool taken = reading && !job.Probing;
    if (taken && frmBelmar)
        std::memcpy(frmBelmar->RadioData + job.StartAddress, job.ReadBuffer + job.StartAddress,
                    size_t(job.EndAddress - job.StartAddress + 1));
    serial.SendDisconnect();
    if (taken) {
        std::lock_guard<std::mutex> lock(sinkMutex);
        if (tuningSink)
            tuningSink->RadioReadSucceeded();
    }
    job.PostToDialog([&job] { job.Finish(); });
    job.Mode = TfrmReadWrite::MODE_DONE;
}
