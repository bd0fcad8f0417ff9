// The dealer's walk through the second program's editors, on fixed seeds: random images of
// 8 and 16 KiB, random user actions, and the rules of every OK and Cancel.

#include "Dealer_walk.h"
#include "Korvanv2_fixture.h"

#include <random>
#include <set>

namespace {

// The walk's bytes for a seed: the first choose the image, the rest the actions.
std::vector<uint8_t> WalkBytes(uint32_t seed, size_t size = 900) {
    std::mt19937 generator(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes)
        b = uint8_t(generator());
    return bytes;
}

class DealerWalkV2 : public Korvanv2Fixture {};

} // namespace

TEST_F(DealerWalkV2, EveryOkStoresWhatWasShownAndNothingElse) {
    // Seeds whose walk finds a fault not mended yet.
    const std::set<uint32_t> heldOut = {};
    for (uint32_t seed = 0; seed < 300; ++seed) {
        if (heldOut.count(seed))
            continue;
        const std::vector<uint8_t> bytes = WalkBytes(seed);
        walk::Walk(bytes.data(), bytes.size(), host, [seed](const QString& broken) {
            ADD_FAILURE() << "seed " << seed << ": " << broken.toStdString();
        });
    }
}
