// The first generation's reply recogniser: the bytes of each input stand in the receive ring
// as the port would have put them there, and the worker's scan walks each frame backwards
// from its sync byte and hands the reply to the forms that wait for it. The worker's thread
// is ended at once, so the scan runs here without waiting for a poll.
#include "Forms.h"
#include "Fuzz_app.h"
#include "Rs232_com.h"
#include "Ser_com.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace {

rs232_processor& Worker() {
    static rs232_processor* worker = [] {
        fuzz::StartForms(CreateForms);
        auto* made = new rs232_processor(*frmSerial);
        made->Terminate();
        made->WaitFor();
        return made;
    }();
    return *worker;
}

void PutInRing(TfrmSerial& serial, const uint8_t* data, size_t size) {
    std::lock_guard<std::mutex> lock(serial.ringMutex);
    int head = serial.RxHead;
    for (size_t i = 0; i < size; ++i) {
        serial.RxBuffer[head] = data[i];
        head = (head + 1) % RX_RING_SIZE;
    }
    serial.RxHead = head;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rs232_processor& worker = Worker();
    // One input at most fills the ring less one byte, as the port's reads do between scans.
    const size_t count = size < RX_RING_SIZE - 1 ? size : RX_RING_SIZE - 1;
    PutInRing(*frmSerial, data, count);
    worker.ScanRing();
    QCoreApplication::sendPostedEvents();
    return 0;
}
