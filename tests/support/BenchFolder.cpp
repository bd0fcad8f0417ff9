#include "BenchFolder.h"

namespace testsupport {

BenchFolder::BenchFolder() {
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace testsupport
