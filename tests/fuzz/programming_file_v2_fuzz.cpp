// Second-generation programming and calibration files: any file loads or is refused with a
// message, and the channels, groups and zones of whatever was loaded can be read.
#include "Chdata.h"
#include "Eeprom.h"
#include "Forms.h"
#include "Fuzz_app.h"
#include "Main.h"

#include <QFile>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::ScriptedHost& host = [&]() -> platform::ScriptedHost& {
        platform::ScriptedHost& made = fuzz::StartApplication();
        CreateForms();
        return made;
    }();
    static const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + "/radio.mem";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return 0;
    file.close();
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
