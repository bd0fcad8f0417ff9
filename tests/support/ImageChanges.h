#pragma once
// For tests of dialogs that edit a memory image: a repeatable filling, and the bits that
// differ between two snapshots.

#include <QByteArray>
#include <cstdint>
#include <ostream>
#include <random>
#include <vector>

namespace testsupport {

// Every byte from a fixed seed, so the bits a dialog does not own hold both values.
inline void FillFromSeed(uint8_t* image, int size, uint32_t seed) {
    std::mt19937 generator(seed);
    for (int i = 0; i < size; ++i)
        image[i] = uint8_t(generator());
}

// `size` bytes that tell every position apart: byte i is i * 7 + seed.
inline QByteArray BytePattern(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + seed) & 0xFF);
    return bytes;
}

struct Change {
    int offset;
    uint8_t bits; // the bits that differ
    bool operator==(const Change& other) const {
        return offset == other.offset && bits == other.bits;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Change& change) {
    return out << "{0x" << std::hex << change.offset << ", 0x" << int(change.bits) << std::dec
               << "}";
}

inline std::vector<Change> Changes(const QByteArray& before, const QByteArray& after) {
    std::vector<Change> changes;
    for (int i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i] != after[i])
            changes.push_back({i, uint8_t(before[i] ^ after[i])});
    return changes;
}

// Just the offsets of the bytes that differ, in order.
inline std::vector<int> ChangedOffsets(const QByteArray& before, const QByteArray& after) {
    std::vector<int> offsets;
    for (const Change& change : Changes(before, after))
        offsets.push_back(change.offset);
    return offsets;
}

} // namespace testsupport
