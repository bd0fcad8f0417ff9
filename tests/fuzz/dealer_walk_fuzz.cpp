// The dealer walk of the first program on libFuzzer's bytes: the first four choose the
// image and what it holds beyond what the program writes, the rest the user's actions.
// A broken rule aborts.
#include "Forms.h"
#include "Fuzz_app.h"
#include "korvan/Walk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::ScriptedHost& host = fuzz::StartForms(CreateForms);
    if (size < 4)
        return 0;
    walk::Dice image(uint32_t(data[0]) << 16 | uint32_t(data[1]) << 8 | data[2]);
    walk::Dice dice(data + 4, size - 4);
    walk::Walk(
        image, dice, data[3] & walk::Everything, host,
        [](const std::string& broken) { fuzz::Broken(QString::fromStdString(broken)); }, 6);
    host.messages.clear();
    return 0;
}
