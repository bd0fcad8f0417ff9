#include "Eeprom.h"

#include <algorithm>
#include <cstring>

EEPROM eeprom;

EEPROM::EEPROM() : data(storage), image(storage) {}

int EEPROM::SizeFromByte(uint8_t sizeByte) {
    return sizeByte == SIZE >> 10 ? SIZE : SMALL_SIZE;
}

int EEPROM::RadioSize() const {
    return SizeFromByte(GetByte(SIZE_BYTE));
}

uint8_t EEPROM::GetByte(int index) const {
    return index >= 0 && index < size ? image[index] : 0;
}

int EEPROM::GetWord(int index) const {
    if (index < 0 || index > size - 2)
        return 0;
    return image[index] + 256 * image[index + 1];
}

void EEPROM::SetByte(int index, uint8_t value) {
    if (index >= 0 && index < size)
        image[index] = value;
}

void EEPROM::SetWord(int index, uint16_t value) {
    if (index < 0 || index >= size - 1)
        return;
    image[index] = uint8_t(value & 0xFF);
    image[index + 1] = uint8_t(value >> 8);
}

int EEPROM::ReadBlock(int address, uint8_t* destination, int count) const {
    if (address < 0 || address >= size || count <= 0)
        return 0;
    const int copied = std::min(count, size - address);
    std::memcpy(destination, image + address, size_t(copied));
    return copied;
}

int EEPROM::WriteBlock(int address, const uint8_t* source, int count) {
    if (address < 0 || address >= size || count <= 0)
        return 0;
    const int copied = std::min(count, size - address);
    std::memcpy(image + address, source, size_t(copied));
    return copied;
}

void EEPROM::Erase() {
    std::memset(storage, 0xFF, sizeof storage);
}

void EEPROM::EraseAboveRadioSize() {
    const int end = RadioSize();
    std::memset(storage + end, 0xFF, sizeof storage - size_t(end));
}

void EEPROM::TakeImage(const uint8_t* source, int count) {
    Erase();
    WriteBlock(0, source, count);
    EraseAboveRadioSize();
}
