// Firmware files: any text is refused or loaded into the flash image, never read or written
// past either.
#include "Srecord.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> image(srecord::FLASH_SIZE);
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    int lastPercent = 0;
    srecord::Load(text, image.data(),
                  [&](const srecord::Progress& progress) { lastPercent = progress.percent(); });
    return lastPercent > 100 ? -1 : 0;
}
