// The radio's version text: any text the radio sends parses without reading past it.
#include "Radioabout.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The version reply carries at most 255 characters; the receiver ends them with a NUL.
    const std::string text(reinterpret_cast<const char*>(data), size < 255 ? size : 255);
    version_info_struct record;
    ParseRadioVersion(text.c_str(), record);
    FirmwareNumber(record);
    return 0;
}
