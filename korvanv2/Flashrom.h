#pragma once
// The link to the radio processor's flash boot loader: raw command bytes on the port that
// serialPort holds open, borrowed while its threads are stopped (SerialPort::Stop, then
// FlashOpen(serialPort->GetHandle()); FlashClose, then SerialPort::Start or Close). Every
// command purges the line first, so a late byte of an earlier exchange is never a reply.
// Every wait is bounded: a read ends 5 ms after its last byte, or when no byte came within
// 100 ms + 1 ms a byte; a page's ready poll gives up after 10 x 40 ms.

#include "Boot_loader.h"

#include <cstdint>

namespace platform {
class SerialDevice;
}

// Results of FlashRead besides the count.
constexpr int FLASH_READ_NOTHING = -1; // no byte came within the read's time-outs
constexpr int FLASH_READ_FAILED = -2;  // the line failed (a lead pulled out)
constexpr int FLASH_READ_STOPPED = -5; // the wait was stopped
constexpr int FLASH_READ_MAX = 256;

// False for a closed port or when the link is already active. Sets 9600 8N1 and purges.
bool FlashOpen(platform::SerialDevice* port);
// Ends the link; the port stays open (it belongs to serialPort).
bool FlashClose();
bool FlashActive();
// The PC port's rate; returns the rate, or 0 when it cannot be set.
int FlashSetRate(int rate);
void FlashPurge();
// 0 when the bytes went out, -1 when they did not.
int FlashSendByte(uint8_t byte);
int FlashWrite(const uint8_t* bytes, int n);
// n bytes (1..256) into the buffer: n, or one of the FLASH_READ_ results. A failed read
// purges the line, so the next command starts clean.
int FlashRead(uint8_t* buffer, int n);

// 0x00 seventeen times, 20 ms apart, then one byte: 1 when it is 0xB0, 0 for another byte,
// the read's result when none came.
int FlashSync();
// The loader's rate code for 9600..57600 (-1 for any other rate, nothing sent): 1 when
// echoed, 0 for another byte, the read's result when none came. The caller then switches
// the PC port with FlashSetRate.
int FlashSetBaud(int rate);
// 8 characters and a NUL into buffer (9 bytes); 1, or 0 without a reply.
int FlashGetVersion(char* buffer);
// status := SRD + 256 * SRD1; 1, or 0 without a reply.
int FlashReadStatus(int& status);
// The commands without a reply: 1 when sent, 0 when the line did not take them.
int FlashClearStatus();
// The ID check at boot::ID_ADDRESS with 7 ID bytes; its result shows in SRD1.
int FlashIdCheck(const boot::IdCode& id);
int FlashEraseAll();
// pageAddress: 0xF0000 + 256 * page. 1 when exactly 256 bytes came, else 0.
int FlashPageRead(uint32_t pageAddress, uint8_t* buffer);
int FlashSendPage(uint32_t pageAddress, const uint8_t* data);
// A blank page (all 0xFF) is not sent. Else clear status, send, poll for ready; 1 when it
// was programmed, 0 when the loader never got ready or reported a program error.
int FlashProgramPage(uint32_t pageAddress, const uint8_t* data);
