#include "Protocol.h"

#include "Serial.h"
#include "Tarq_1.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

namespace {

// Positions in a recognised frame: sync, command, checksum, then the data last to first.
constexpr int REPLY_LAST_DATA = 3; // D3 of a four-byte reply, the length of a version reply
constexpr int FOUR_BYTE_REPLY_LENGTH = 7;
constexpr int BLOCK_REPLY_LENGTH = BLOCK_DATA + 3;
constexpr int BLOCK_REPLY_FIRST_BYTE = 5;
constexpr int REPLY_D1 = 5;
constexpr int REPLY_D0 = 6;
constexpr int DISCONNECT_SETTLE_MS = 250;
constexpr int BAUD_SETTLE_MS = 50;
constexpr int HOME_RATE = 9600;
constexpr int ALIGN_STEP_HZ = 12500;

// One request and its reply at a time: a dialog's timer asking for the meter while a
// transfer runs must not take the worker's reply, nor the worker its.
std::mutex requestMutex;

std::unique_lock<std::mutex> OneRequest() {
    return std::unique_lock<std::mutex>(requestMutex);
}

// A port whose line dropped (a lead pulled out and plugged back) is opened again first, so
// every dialog that talks to the radio finds it once it is back.
bool SendRequest(const uint8_t* request, int length) {
    return serialPort && serialPort->EnsurePortOpen() &&
           serialPort->Send(request, length) == length;
}

// The first reply within 250 ms that fits the request; its length, or -1. Replies that do
// not fit (a late answer to an earlier request) are passed over.
int AwaitReply(uint8_t* reply, const ReplyExpectation& expected) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(SerialPort::RECEIVE_WAIT_MS);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return -1;
        const int length = serialPort->ReceiveWithin(reply, int(left.count()));
        if (length < 0)
            return -1;
        if (expected.Fits(reply, length))
            return length;
    }
}

// What each request takes as its answer. A reply that carries the request's address or
// rate must carry that one; the version's length is the recogniser's to check.
ReplyExpectation FourByteReply(uint8_t command, int word = ReplyExpectation::ANY) {
    return {command, FOUR_BYTE_REPLY_LENGTH, word == ReplyExpectation::ANY ? word : word & 0xFFFF};
}

ReplyExpectation BlockReply(int address) {
    return {CMD_READ_BLOCK, BLOCK_REPLY_LENGTH, address & 0xFFFF};
}

ReplyExpectation VersionReply() {
    return {CMD_GET_VERSION, ReplyExpectation::ANY, ReplyExpectation::ANY};
}

// The radio's answer to a test tone has no command the recogniser knows: any frame will do.
ReplyExpectation AnyFrame() {
    return {};
}

// Sends the request and waits for a reply that fits it; its length, or -1.
int Exchange(const uint8_t* request, int length, uint8_t* reply, const ReplyExpectation& expected) {
    if (!SendRequest(request, length))
        return -1;
    return AwaitReply(reply, expected);
}

void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

int RadioConnect() {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildConnect(request);
    return Exchange(request, length, reply, FourByteReply(CMD_CONNECT)) < 0 ? 0 : 1;
}

int RadioGetVersion(char* buffer) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildGetVersion(request);
    if (Exchange(request, length, reply, VersionReply()) < 0)
        return 0;
    // The text runs from the end of the record back to the length byte.
    const int textLength = reply[REPLY_LAST_DATA];
    const int kept = std::min(textLength, VERSION_BUFFER - 1);
    for (int i = 0; i < kept; ++i)
        buffer[i] = char(reply[REPLY_LAST_DATA + textLength - i]);
    buffer[kept] = '\0';
    return 1;
}

int RadioDisconnect() {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME];
    SendRequest(request, BuildDisconnect(request));
    Sleep(DISCONNECT_SETTLE_MS);
    return serialPort && serialPort->SetBaudRate(HOME_RATE) ? 1 : 0;
}

int RadioReadByte(uint16_t address, uint8_t& value) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildAddressRequest(request, CMD_READ_BYTE, address);
    if (Exchange(request, length, reply, FourByteReply(CMD_READ_BYTE, address)) < 0)
        return -1;
    value = reply[REPLY_D0];
    return 0;
}

int RadioWriteByte(uint16_t address, uint8_t value) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildAddressRequest(request, CMD_WRITE_BYTE, address, value);
    return Exchange(request, length, reply, FourByteReply(CMD_WRITE_BYTE, address)) < 0 ? -1 : 0;
}

int RadioReadBlock(int address, uint8_t* buffer) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildReadBlock(request, address);
    if (Exchange(request, length, reply, BlockReply(address)) < 0)
        return -1;
    std::copy(reply + BLOCK_REPLY_FIRST_BYTE, reply + BLOCK_REPLY_FIRST_BYTE + BLOCK_BYTES, buffer);
    return BLOCK_BYTES;
}

int RadioWriteBlock(int address, const uint8_t* data) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildWriteBlock(request, address, data);
    return Exchange(request, length, reply, FourByteReply(CMD_WRITE_BLOCK)) < 0 ? -1 : 0;
}

int RadioMeterRead(uint8_t& rssi, uint8_t& noise) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildAddressRequest(request, CMD_METER, METER_READ);
    if (Exchange(request, length, reply, FourByteReply(CMD_METER)) < 0)
        return -1;
    rssi = reply[REPLY_D1];
    noise = reply[REPLY_D0];
    return 0;
}

int RadioSendKey(uint8_t key) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME];
    return SendRequest(request, BuildKeyPress(request, key)) ? 0 : -1;
}

int RadioGetChannel(int& channel) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildAddressRequest(request, CMD_GET_CHANNEL, 0);
    if (Exchange(request, length, reply, FourByteReply(CMD_GET_CHANNEL)) < 0)
        return -1;
    channel = ReplyWord(reply);
    return 0;
}

int RadioSetBaudRate(int rate) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int length = BuildSetBaudRate(request, rate);
    if (Exchange(request, length, reply, FourByteReply(CMD_SET_BAUD, rate)) < 0) {
        if (serialPort)
            serialPort->SetBaudRate(HOME_RATE);
        return 0;
    }
    serialPort->SetBaudRate(rate);
    Sleep(BAUD_SETTLE_MS);
    return 1;
}

int RadioSetTestTone(int hz) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME], reply[SerialPort::FRAME_STORE];
    const int value = int32_t(int64_t(hz) * 65536 / 16000);
    const int length = BuildSetTestTone(request, value);
    return Exchange(request, length, reply, AnyFrame()) < 0 ? 0 : 1;
}

int RadioSetAlignFreq(uint32_t hz) {
    const auto one = OneRequest();
    uint8_t request[MAX_FRAME];
    SendRequest(request, BuildSetFrequency(request, int(hz / ALIGN_STEP_HZ)));
    return 1;
}
