#pragma once
// The second generation's memory image: 16384 bytes with bounded byte, word and block
// access. Radios of 8 KiB use the first half.

#include <cstdint>

class EEPROM {
public:
    static constexpr int SIZE = 16384;
    static constexpr int SMALL_SIZE = 8192;
    static constexpr int SIZE_BYTE = 128; // the radio's memory size in KiB

    // The image size of a radio by its size byte: exactly 16 is a radio of 16 KiB, any
    // other value one of 8 KiB. Every transfer and every dialog whose layout follows the
    // size decides by this alone.
    static int SizeFromByte(uint8_t sizeByte);
    // The size of the radio this image is for, by the image's own size byte: an editor
    // offers only what a radio of that size keeps.
    int RadioSize() const;

    EEPROM();
    // A copy would keep pointing at the other object's bytes: copy through data instead.
    EEPROM(const EEPROM&) = delete;
    EEPROM& operator=(const EEPROM&) = delete;

    // 0 outside the image.
    uint8_t GetByte(int index) const;
    // Low byte first; 0 when the word does not lie wholly inside the image.
    int GetWord(int index) const;
    // Outside the image nothing is stored.
    void SetByte(int index, uint8_t value);
    void SetWord(int index, uint16_t value);
    // Copy up to count bytes, stopping at the end of the image; return the number copied.
    int ReadBlock(int address, uint8_t* destination, int count) const;
    int WriteBlock(int address, const uint8_t* source, int count);
    // Every byte to 0xFF.
    void Erase();
    // The gate of every image that comes in (a file, Read Channels' file, a read from the
    // radio): an image holds nothing past the size its own size byte declares, so from there
    // to the end of the store its bytes are erased, for every editor, store and write at once.
    void EraseAboveRadioSize();
    // An image coming in as bytes: erased, then the bytes from 0 as far as they fit, then
    // the gate.
    void TakeImage(const uint8_t* source, int count);

    uint8_t* data;  // whole-image access: programming files, channel store
    uint8_t* image; // what the accessors use
    int size = SIZE;

private:
    uint8_t storage[SIZE];
};

extern EEPROM eeprom;
