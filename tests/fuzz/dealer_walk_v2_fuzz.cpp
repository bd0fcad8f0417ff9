// The dealer's walk through the second program's editors: the input chooses the image and
// the user's actions; a broken rule of an OK or a Cancel aborts.
#include "Forms.h"
#include "Fuzz_app.h"
#include "korvanv2/Dealer_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::ScriptedHost& host = fuzz::StartForms(CreateForms);
    walk::Walk(data, size, host, fuzz::Broken);
    host.messages.clear();
    return 0;
}
