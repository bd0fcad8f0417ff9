#pragma once
// One function per radio command of the second generation: one request through serialPort
// and, where a reply is expected, a wait of 250 ms for a recognised frame that fits the
// request (frames that do not fit are passed over). No retries.
// Requests from two threads (a transfer worker and a dialog's timer) take turns.

#include <cstdint>

int RadioConnect();                                    // 1 when any frame came, else 0
int RadioGetVersion(char* buffer);                     // 1 and NUL-terminated text, else 0
int RadioDisconnect();                                 // result of SetBaudRate(9600)
int RadioReadByte(uint16_t address, uint8_t& value);   // 0, or -1 without a reply
int RadioWriteByte(uint16_t address, uint8_t value);   // 0, or -1 without a reply
int RadioReadBlock(int address, uint8_t* buffer);      // 16, or -1 without a reply
int RadioWriteBlock(int address, const uint8_t* data); // 0, or -1 without a reply
int RadioMeterRead(uint8_t& rssi, uint8_t& noise);     // 0, or -1 without a reply
int RadioSendKey(uint8_t key);                         // 0, or -1 when it cannot go out
int RadioGetChannel(int& channel);                     // 0, or -1 without a reply
int RadioSetBaudRate(int rate);                        // 1, or 0 (PC port back at 9600)
int RadioSetTestTone(int hz);                          // 1 when a frame came, else 0
int RadioSetAlignFreq(uint32_t hz);                    // 1

// Version texts hold 31 characters and a terminator.
constexpr int VERSION_BUFFER = 32;
