#include "Ser_com.h"

#include "Main.h"
#include "Rs232_com.h"

#include <cstring>

TfrmSerial* frmSerial = nullptr;

namespace {

constexpr int ADDRESS_FRAME_DATA = 4; // D[0] value, D[1] 0, D[2] address low, D[3] high
constexpr int BLOCK_FRAME_DATA = 10;  // 8 bytes, highest address first, then the address

} // namespace

TfrmSerial::TfrmSerial(QWidget* parent) : Form(parent) {
    setObjectName(QStringLiteral("frmSerial"));
}

TfrmSerial::~TfrmSerial() {
    ClosePort();
    if (frmSerial == this)
        frmSerial = nullptr;
}

bool TfrmSerial::OpenPort(int portNumber) {
    if (portNumber < 1 || portNumber > 256)
        return false;
    chosenPort = portNumber;
    ClosePort();
    if (!device.open(platform::SerialDevice::devicePathForPort(portNumber)))
        return false;
    if (!SetBaudRate(9600)) {
        device.close();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(ringMutex);
        RxHead = 0;
        RxTail = 0;
    }
    device.clearStop();
    PortOpen = 1;
    rs232Thread = new rs232_processor(*this);
    return PortOpen != 0;
}

bool TfrmSerial::EnsurePortOpen() {
    if (PortOpen && !device.hasDropped())
        return true;
    return chosenPort != 0 && OpenPort(chosenPort);
}

void TfrmSerial::ClosePort() {
    if (!PortOpen)
        return;
    if (rs232Thread) {
        rs232Thread->Terminate();
        device.stop(); // wakes a write that waits for the line
        delete rs232Thread;
        rs232Thread = nullptr;
    }
    device.purge();
    device.close();
    PortOpen = 0;
}

int TfrmSerial::SendBytes(const uint8_t* bytes, int count) {
    if (!PortOpen || count <= 0)
        return 0;
    const int written = device.writeAll(bytes, count);
    return written < 0 ? 0 : written;
}

bool TfrmSerial::SetBaudRate(int rate) {
    return device.setBaudRate(rate);
}

void TfrmSerial::ClearRxBuffer() {
    std::lock_guard<std::mutex> lock(ringMutex);
    std::memset(RxBuffer, 0, sizeof RxBuffer);
    RxHead = 0;
    RxTail = 0;
}

int TfrmSerial::RxWaiting() {
    std::lock_guard<std::mutex> lock(ringMutex);
    return (RxHead - RxTail + RX_RING_SIZE) % RX_RING_SIZE;
}

int TfrmSerial::RxTake(uint8_t* out, int count) {
    std::lock_guard<std::mutex> lock(ringMutex);
    int tail = RxTail;
    int taken = 0;
    for (; taken < count && tail != RxHead; ++taken) {
        if (out)
            out[taken] = RxBuffer[tail];
        tail = (tail + 1) % RX_RING_SIZE;
    }
    RxTail = tail;
    return taken;
}

uint8_t TfrmSerial::Checksum(const uint8_t* bytes, int count) {
    uint8_t sum = 0;
    for (int i = 0; i < count; ++i)
        sum = uint8_t(sum + bytes[i]);
    return uint8_t(~sum);
}

QString TfrmSerial::ReceivedVersion() {
    std::lock_guard<std::mutex> lock(versionMutex);
    return rxed.version;
}

int TfrmSerial::SendFrame(const uint8_t* data, int count, uint8_t command, uint8_t sync) {
    uint8_t frame[BLOCK_FRAME_DATA + 3];
    std::memcpy(frame, data, size_t(count));
    frame[count] = Checksum(data, count);
    frame[count + 1] = command;
    frame[count + 2] = sync;
    return SendBytes(frame, count + 3);
}

int TfrmSerial::SendAddressRequest(uint8_t command, int address, uint8_t value) {
    const uint8_t data[ADDRESS_FRAME_DATA] = {value, 0, uint8_t(address & 0xFF),
                                              uint8_t((address >> 8) & 0xFF)};
    return SendFrame(data, ADDRESS_FRAME_DATA, command);
}

int TfrmSerial::SendConnect() {
    if (frmBelmar)
        frmBelmar->LinkStatus &= ~1u;
    return SendAddressRequest(CMD_CONNECT, 0);
}

int TfrmSerial::SendGetVersion() {
    return SendAddressRequest(CMD_GET_VERSION, 0);
}

int TfrmSerial::SendDisconnect() {
    return SendAddressRequest(CMD_DISCONNECT, 0);
}

int TfrmSerial::SendReadBlock(int address) {
    return SendAddressRequest(CMD_READ_BLOCK, address);
}

int TfrmSerial::SendWriteBlock(int address) {
    if (!frmBelmar || address < 0 || address > IMAGE_SIZE - 8)
        return 0;
    uint8_t data[BLOCK_FRAME_DATA];
    for (int i = 0; i < 8; ++i)
        data[i] = frmBelmar->RadioData[address + 7 - i];
    data[8] = uint8_t(address & 0xFF);
    data[9] = uint8_t((address >> 8) & 0xFF);
    return SendFrame(data, BLOCK_FRAME_DATA, CMD_WRITE_BLOCK);
}

int TfrmSerial::SendReadLocation(int address) {
    return SendAddressRequest(CMD_READ_LOCATION, address);
}

int TfrmSerial::SendWriteLocation(int address, uint8_t value) {
    return SendAddressRequest(CMD_WRITE_LOCATION, address, value);
}

int TfrmSerial::SendMeterRead() {
    return SendAddressRequest(CMD_METER, METER_READ);
}

int TfrmSerial::SendMeterCalLow() {
    return SendAddressRequest(CMD_METER, METER_CAL_S1);
}

int TfrmSerial::SendMeterCalHigh() {
    return SendAddressRequest(CMD_METER, METER_CAL_S9);
}

int TfrmSerial::SendGetDisplay() {
    return SendAddressRequest(CMD_GET_DISPLAY, 0);
}

int TfrmSerial::SendWriteByte(int address, uint8_t value) {
    return SendAddressRequest(CMD_WRITE_BYTE, address, value);
}

int TfrmSerial::SendKey(uint8_t key) {
    return SendFrame(&key, 1, KEY_PRESS, SYNC_KEY);
}
