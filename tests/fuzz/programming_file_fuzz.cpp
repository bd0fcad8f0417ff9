// First-generation programming and calibration files: any file loads or is refused with a
// message, and the setup report of whatever was loaded can be made.
#include "Forms.h"
#include "Fuzz_app.h"
#include "Main.h"
#include "Print.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::ScriptedHost& host = fuzz::StartForms(CreateForms);
    const QString path = fuzz::InputFile(data, size);
    if (path.isEmpty())
        return 0;
    frmBelmar->LoadCalibrationFile(path);
    if (frmBelmar->LoadProgrammingFile(path))
        SetupReportLines(frmBelmar->RadioData, CustomerDetails{},
                         ReportSections{true, true, true, true});
    host.messages.clear();
    return 0;
}
