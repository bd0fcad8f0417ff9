#include "Boot_loader.h"

#include <algorithm>

namespace boot {

namespace {

constexpr int RATES[] = {9600, 19200, 38400, 57600};

// The ID bytes sit in the top byte of seven of the fixed vectors at 0xFFFDC..0xFFFFF.
constexpr uint32_t ID_BYTE_ADDRESSES[ID_LENGTH] = {0xFFFDF, 0xFFFE3, 0xFFFEB, 0xFFFEF,
                                                   0xFFFF3, 0xFFFF7, 0xFFFFB};

uint8_t high(int pageOffset) {
    return uint8_t((pageOffset >> 8) & 0xFF);
}
uint8_t top(int pageOffset) {
    return uint8_t(((srecord::FLASH_BASE + pageOffset) >> 16) & 0xFF);
}

} // namespace

int BaudCode(int rate) {
    for (int i = 0; i < 4; ++i)
        if (RATES[i] == rate)
            return BOOT_BAUD_9600 + i;
    return -1;
}

int RateOfCode(uint8_t code) {
    if (code < BOOT_BAUD_9600 || code > BOOT_BAUD_57600)
        return 0;
    return RATES[code - BOOT_BAUD_9600];
}

std::vector<uint8_t> IdCheckCommand(const IdCode& id) {
    std::vector<uint8_t> bytes = {BOOT_ID_CHECK, uint8_t(ID_ADDRESS & 0xFF),
                                  uint8_t((ID_ADDRESS >> 8) & 0xFF),
                                  uint8_t((ID_ADDRESS >> 16) & 0xFF), uint8_t(ID_LENGTH)};
    bytes.insert(bytes.end(), id.begin(), id.end());
    return bytes;
}

std::vector<uint8_t> PageReadCommand(int pageOffset) {
    return {BOOT_PAGE_READ, high(pageOffset), top(pageOffset)};
}

std::vector<uint8_t> PageProgramCommand(int pageOffset, const uint8_t* page) {
    std::vector<uint8_t> bytes = {BOOT_PAGE_PROGRAM, high(pageOffset), top(pageOffset)};
    bytes.insert(bytes.end(), page, page + PAGE_SIZE);
    return bytes;
}

bool PageIsBlank(const uint8_t* page) {
    return std::all_of(page, page + PAGE_SIZE, [](uint8_t b) { return b == 0xFF; });
}

IdCode IdCodeCandidate(int candidate, const uint8_t* image) {
    IdCode id;
    id.fill(0xFF);
    if (candidate == 0)
        for (int i = 0; i < ID_LENGTH; ++i)
            id[size_t(i)] = image[ID_BYTE_ADDRESSES[i] - srecord::FLASH_BASE];
    return id;
}

} // namespace boot
