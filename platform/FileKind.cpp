#include "platform/FileKind.h"

#include <QFileInfo>

namespace platform {

bool isNoRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

} // namespace platform
