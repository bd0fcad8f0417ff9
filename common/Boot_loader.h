#pragma once
// The radio processor's flash boot loader (standard serial I/O mode): raw command bytes,
// no frame, no checksum, replies of fixed length. Shared by both programs.

#include "Srecord.h"

#include <array>
#include <cstdint>
#include <vector>

namespace boot {

constexpr uint8_t BOOT_BAUD_9600 = 0xB0;
constexpr uint8_t BOOT_BAUD_19200 = 0xB1;
constexpr uint8_t BOOT_BAUD_38400 = 0xB2;
constexpr uint8_t BOOT_BAUD_57600 = 0xB3;
constexpr uint8_t BOOT_VERSION = 0xFB;      // reply: 8 bytes of version text
constexpr uint8_t BOOT_READ_STATUS = 0x70;  // reply: SRD, SRD1
constexpr uint8_t BOOT_CLEAR_STATUS = 0x50; // no reply
constexpr uint8_t BOOT_ID_CHECK = 0xF5;     // address (3 bytes), count, ID; result in SRD1
constexpr uint8_t BOOT_ERASE_ALL = 0xA7;    // followed by BOOT_ERASE_CONFIRM
constexpr uint8_t BOOT_ERASE_CONFIRM = 0xD0;
constexpr uint8_t BOOT_PAGE_READ = 0xFF;    // A8-15, A16-23; reply: 256 bytes
constexpr uint8_t BOOT_PAGE_PROGRAM = 0x41; // A8-15, A16-23, 256 data bytes

constexpr int VERSION_LENGTH = 8;
constexpr int STATUS_LENGTH = 2;
constexpr int PAGE_SIZE = 256;
constexpr int PAGE_COUNT = srecord::FLASH_SIZE / PAGE_SIZE;

// Status register (SRD) bits.
constexpr uint8_t SRD_READY = 0x80; // clear while busy
constexpr uint8_t SRD_ERASE_ERROR = 0x20;
constexpr uint8_t SRD_PROGRAM_ERROR = 0x10;
// Status register 1 (SRD1) bits.
constexpr uint8_t SRD1_ID_VERIFIED = 0x0C; // both bits set: the ID matched
constexpr uint8_t SRD1_RECEIVE_TIMEOUT = 0x02;

constexpr uint32_t ID_ADDRESS = 0x0FFFDF;
constexpr int ID_LENGTH = 7;
using IdCode = std::array<uint8_t, ID_LENGTH>;

// The baud code for 9600, 19200, 38400 or 57600; -1 for any other rate.
int BaudCode(int rate);
// The rate a baud code selects; 0 for a byte that is no baud code.
int RateOfCode(uint8_t code);

std::vector<uint8_t> IdCheckCommand(const IdCode& id);
// `pageOffset` is the page's offset in the flash image (0..0xFF00).
std::vector<uint8_t> PageReadCommand(int pageOffset);
std::vector<uint8_t> PageProgramCommand(int pageOffset, const uint8_t* page);

bool PageIsBlank(const uint8_t* page);

// ID code candidates, tried in this order:
// 0: the ID bytes the firmware image carries in its fixed vectors (a radio running this
//    product's firmware was built with the same ID);
// 1: seven 0xFF bytes, the ID of firmware built without one (and of an erased part).
IdCode IdCodeCandidate(int candidate, const uint8_t* image);

} // namespace boot
