#pragma once
// The program's memory image as the dialogs that both programs share reach it: the main
// window's array in the first program, the global image object in the second.
//
// Program headers are included with <...> so that each program's build finds its own
// Main.h / Eeprom.h first on its include path (a "..." include would always find the copy
// beside this file).

#if KORVAN_V2
#include <Eeprom.h>
#else
#include <Main.h>
#endif

#include <cstdint>
#include <vector>

namespace image {

#if KORVAN_V2
constexpr int Size = 16384;

inline uint8_t get(int offset) {
    return eeprom.GetByte(offset);
}
inline void set(int offset, uint8_t value) {
    eeprom.SetByte(offset, value);
}
#else
constexpr int Size = IMAGE_SIZE;

// Offsets outside the image read as 0 and are not written.
inline uint8_t get(int offset) {
    return offset >= 0 && offset < Size ? frmBelmar->RadioData[offset] : 0;
}
inline void set(int offset, uint8_t value) {
    if (offset >= 0 && offset < Size)
        frmBelmar->RadioData[offset] = value;
}
#endif

// A copy of the whole image, byte by byte, and its restore (from the given offset on).
inline std::vector<uint8_t> copy() {
    std::vector<uint8_t> bytes(Size);
    for (int i = 0; i < Size; ++i)
        bytes[size_t(i)] = get(i);
    return bytes;
}

inline void restore(const std::vector<uint8_t>& bytes, int from = 0) {
    for (int i = from; i < Size && size_t(i) < bytes.size(); ++i)
        set(i, bytes[size_t(i)]);
}

} // namespace image
