#include "platform/FileKind.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

namespace platform {

bool isNoRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

bool isLinkLoop(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) != 0 && errno == ELOOP;
}

} // namespace platform
