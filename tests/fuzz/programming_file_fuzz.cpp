// First-generation programming and calibration files: any file loads or is refused with a
// message, and the setup report of whatever was loaded can be made.
#include "Forms.h"
#include "Fuzz_app.h"
#include "Main.h"
#include "Print.h"

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
    if (frmBelmar->LoadProgrammingFile(path))
        SetupReportLines(frmBelmar->RadioData, CustomerDetails{},
                         ReportSections{true, true, true, true});
    host.messages.clear();
    return 0;
}
