#include "Eeprom.h"

EEbuffer* eeBuffer = nullptr;

EEbuffer::EEbuffer(uint8_t* data, int size) : data(data), size(size) {}

int8_t EEbuffer::GetByte(int index) const {
    if (index < 0 || index >= size)
        return 0;
    return int8_t(data[index]);
}

bool EEbuffer::SetByte(int index, uint8_t value) {
    if (index < 0 || index >= size)
        return false;
    data[index] = value;
    return true;
}
