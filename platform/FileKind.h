#pragma once
// What stands at a path the user named: a file the programs may open is a regular file or
// nothing at all.

#include <QString>

namespace platform {

// Something other than a regular file (a named pipe, a device, a folder) is at `path`, links
// followed. Nothing there, or a link to nothing, is not.
bool isNoRegularFile(const QString& path);

// `path` is a symbolic link that leads round to itself (or through more links than the system
// follows), so that nothing can be opened there and a new file would replace the link.
bool isLinkLoop(const QString& path);

} // namespace platform
