// Second-generation programming and calibration files: any file loads or is refused with a
// message, and the channels, groups and zones of whatever was loaded can be read.
#include "Chdata.h"
#include "Eeprom.h"
#include "Forms.h"
#include "Fuzz_app.h"
#include "Main.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::ScriptedHost& host = fuzz::StartForms(CreateForms);
    const QString path = fuzz::InputFile(data, size);
    if (path.isEmpty())
        return 0;
    frmBelmar->LoadCalibrationFile(path);
    if (frmBelmar->LoadProgrammingFile(path)) {
        ChData channels(CH_COUNT);
        channels.LoadFromImage(eeprom.data);
        channels.CountZonedChannels();
        ch_normal_struct normal;
        ch_group_struct group;
        for (int i = 0; i < CH_COUNT; ++i)
            channels.IsGroup(i) ? channels.GetGroup(group, i) : channels.GetNormal(normal, i);
    }
    host.messages.clear();
    return 0;
}
