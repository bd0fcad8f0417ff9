// The second generation's reply recogniser, fed byte by byte as the serial reader feeds it:
// a frame it finds always fits the frame store and ends with the sync byte just received.
#include "Tarq_1.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tarq1_protocol framer;
    uint8_t frame[tarq1_protocol::WINDOW];
    for (size_t i = 0; i < size; ++i) {
        framer.AddByte(data[i]);
        const int length = framer.FindFrame();
        if (length <= 0)
            continue;
        if (length > tarq1_protocol::WINDOW || framer.GetFrame(frame) != length ||
            frame[0] != data[i])
            std::abort();
        framer.Reset();
    }
    return 0;
}
