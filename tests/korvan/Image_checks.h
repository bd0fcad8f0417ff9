#pragma once
// Helpers for dialog tests that edit the main window's memory image: a repeatable filling
// of the image, a snapshot, and the bits that differ between two snapshots.

#include "Main.h"

#include <QByteArray>
#include <cstdint>
#include <ostream>
#include <random>
#include <vector>

namespace imagecheck {

// Fills the whole image with bytes from a fixed seed, so unlisted bits hold both values.
inline void FillRandom(uint32_t seed) {
    std::mt19937 generator(seed);
    for (uint8_t& byte : frmBelmar->RadioData)
        byte = uint8_t(generator());
}

inline QByteArray Snapshot() {
    return QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), IMAGE_SIZE);
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

} // namespace imagecheck
