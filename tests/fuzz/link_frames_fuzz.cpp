// The first generation's reply recogniser: the serial worker scans the bytes of each input
// as they would arrive at the port, walking each frame backwards from its sync byte and
// handing the reply to the forms that wait for it.
#include "Forms.h"
#include "Fuzz_app.h"
#include "Rs232_com.h"
#include "Ser_com.h"

#include <QCoreApplication>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

namespace {

rs232_processor& Worker() {
    static rs232_processor* worker = [] {
        fuzz::StartForms(CreateForms);
        return new rs232_processor(*frmSerial);
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

// The worker marks the ring pending before it takes a byte and clears the mark once the
// ring is scanned and every reply handed on.
void WaitForScan(TfrmSerial& serial) {
    while (serial.RxTail != serial.RxHead || serial.RxPending)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Worker();
    // One input at most fills the ring less one byte, as the port's reads do between scans.
    const size_t count = size < RX_RING_SIZE - 1 ? size : RX_RING_SIZE - 1;
    PutInRing(*frmSerial, data, count);
    WaitForScan(*frmSerial);
    QCoreApplication::sendPostedEvents();
    return 0;
}
