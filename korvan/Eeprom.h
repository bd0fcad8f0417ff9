#pragma once
// Byte accessor over the main window's 4096-byte memory image.

#include <cstdint>

class EEbuffer {
public:
    EEbuffer(uint8_t* data, int size);
    // The byte as a signed value (bit 7 shows as the sign); 0 outside the image.
    int8_t GetByte(int index) const;
    // Stores and returns true when 0 <= index < size; otherwise changes nothing.
    bool SetByte(int index, uint8_t value);

private:
    uint8_t* data; // not owned
    int32_t size;
};

extern EEbuffer* eeBuffer;
