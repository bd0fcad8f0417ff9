#pragma once
// The serial port holder: opens, configures and closes the port, sends bytes, and builds
// every request frame of the radio link. Frames go out as data bytes, checksum (one's
// complement of the 8-bit sum of the data), command byte, and a sync byte last.

#include "platform/SerialDevice.h"

#include "Form.h"
#include <QString>
#include <atomic>
#include <cstdint>
#include <mutex>

constexpr uint8_t SYNC_CMD = 0xCC;
constexpr uint8_t SYNC_KEY = 0xAA;

enum RadioCommand : uint8_t {
    CMD_CONNECT = 1,
    CMD_GET_VERSION = 2,
    CMD_DISCONNECT = 3,
    CMD_READ_BLOCK = 4,
    CMD_WRITE_BLOCK = 5,
    CMD_READ_LOCATION = 6,
    CMD_WRITE_LOCATION = 7,
    CMD_METER = 10,
    CMD_GET_DISPLAY = 26,
    CMD_WRITE_BYTE = 71,
};

enum MeterSubCode : uint8_t {
    METER_CAL_S1 = 2,
    METER_CAL_S9 = 3,
    METER_READ = 6,
};

constexpr uint8_t KEY_PRESS = 4;   // command of a key frame to the radio (sync 0xAA)
constexpr uint8_t KEY_DISPLAY = 2; // command of a display frame from the radio (sync 0xAA)
constexpr int RX_RING_SIZE = 1024;

class TfrmSerial : public Form {
    Q_OBJECT
public:
    explicit TfrmSerial(QWidget* parent = nullptr);
    ~TfrmSerial() override;

    struct rxed_data_struct {
        std::atomic<int> command{0};
        std::atomic<int> version_state{0}; // 2 once a version reply was stored
        QString version;                   // guarded by versionMutex
    };

    bool OpenPort(int portNumber);
    void ClosePort();
    // Opens the chosen port again when it is not open (it could not be opened, or was
    // closed) or its line has dropped (a USB lead pulled out and plugged back in). True
    // when the port is open and its line is up.
    bool EnsurePortOpen();
    int SendBytes(const uint8_t* bytes, int count);
    bool SetBaudRate(int rate);
    void ClearRxBuffer();
    // Bytes waiting in the receive ring.
    int RxWaiting();
    // Removes up to `count` bytes from the front of the ring into `out` (dropped when
    // null); returns how many.
    int RxTake(uint8_t* out, int count);
    static uint8_t Checksum(const uint8_t* bytes, int count);

    int SendConnect();
    int SendGetVersion();
    int SendDisconnect();
    int SendReadBlock(int address);
    int SendWriteBlock(int address);
    int SendReadLocation(int address);
    int SendWriteLocation(int address, uint8_t value);
    int SendMeterRead();
    int SendMeterCalLow();
    int SendMeterCalHigh();
    int SendGetDisplay();
    int SendWriteByte(int address, uint8_t value);
    int SendKey(uint8_t key);

    // The last version text stored by the worker.
    QString ReceivedVersion();

    platform::SerialDevice device;
    std::atomic<uint8_t> PortOpen{0};
    std::atomic<uint8_t> RxPending{0};
    // The receive ring: filled and scanned by the worker, cleared by any thread; the ring
    // bytes and both indices change only under ringMutex.
    uint8_t RxBuffer[RX_RING_SIZE] = {};
    std::atomic<int> RxHead{0};
    std::atomic<int> RxTail{0};
    std::mutex ringMutex;
    rxed_data_struct rxed;
    std::mutex versionMutex;

private:
    int chosenPort = 0; // the last valid port asked for; UI thread only
    int SendFrame(const uint8_t* data, int count, uint8_t command, uint8_t sync = SYNC_CMD);
    int SendAddressRequest(uint8_t command, int address, uint8_t value = 0);
};

extern TfrmSerial* frmSerial;
