#pragma once
// Helpers for dialog tests that edit the main window's memory image: a repeatable filling
// of the image, a snapshot, and the bits that differ between two snapshots.

#include "Main.h"
#include "support/ImageChanges.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace imagecheck {

// Fills the whole image with bytes from a fixed seed, so unlisted bits hold both values.
inline void FillRandom(uint32_t seed) {
    testsupport::FillFromSeed(frmBelmar->RadioData, IMAGE_SIZE, seed);
}

inline QByteArray Snapshot() {
    return QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), IMAGE_SIZE);
}

using testsupport::Change;
using testsupport::Changes;

} // namespace imagecheck
