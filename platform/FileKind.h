#pragma once
// What stands at a path the user named: a file the programs may open is a regular file or
// nothing at all.

#include <QString>

namespace platform {

// Something other than a regular file (a named pipe, a device, a folder) is at `path`, links
// followed. Nothing there, or a link to nothing, is not.
bool isNoRegularFile(const QString& path);

} // namespace platform
