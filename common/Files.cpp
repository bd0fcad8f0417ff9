#include "Files.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileResult whyNotOpened(int error) {
    return error == ENOENT || error == ENOTDIR ? FileResult::Missing : FileResult::NotOpened;
}

// Done when `path` names a regular file once links are followed.
FileResult checkRegular(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return whyNotOpened(errno);
    return S_ISREG(info.st_mode) ? FileResult::Done : FileResult::NotOpened;
}

// Opens a regular file for reading. The open and the reads never wait: a pipe or device
// put in the file's place after the check is refused by the second look, and files that
// only look regular (such as some of /proc) fail a read rather than hold it.
FileResult openRegular(const QString& name, QFile& file) {
    const QByteArray path = QFile::encodeName(name);
    const FileResult found = checkRegular(path);
    if (found != FileResult::Done)
        return found;
    const int handle = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (handle < 0)
        return whyNotOpened(errno);
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return FileResult::NotOpened;
    }
    return FileResult::Done;
}

// At most `limit` bytes from the start of the file.
FileResult readStart(const QString& name, qint64 limit, QByteArray& bytes) {
    QFile file;
    const FileResult opened = openRegular(name, file);
    if (opened != FileResult::Done)
        return opened;
    bytes.clear();
    char chunk[64 * 1024];
    while (bytes.size() < limit) {
        const qint64 got = file.read(chunk, std::min<qint64>(sizeof chunk, limit - bytes.size()));
        if (got < 0)
            return FileResult::Failed;
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }
    return FileResult::Done;
}

} // namespace

FileResult ReadFileStart(const QString& name, int size, QByteArray& bytes) {
    const FileResult result = readStart(name, size, bytes);
    return result == FileResult::Done && bytes.isEmpty() ? FileResult::Failed : result;
}

FileResult ReadFileExactly(const QString& name, int size, QByteArray& bytes) {
    const FileResult result = ReadFileStart(name, size, bytes);
    if (result == FileResult::Done && bytes.size() < size)
        return FileResult::Failed;
    return result;
}

FileResult ReadWholeFile(const QString& name, qint64 maxSize, QByteArray& bytes) {
    const FileResult result = readStart(name, maxSize + 1, bytes);
    return result == FileResult::Done && bytes.size() > maxSize ? FileResult::Failed : result;
}

// Unbuffered, so that a short write (disk full, size limit) shows in the count written.
// A pipe, device or folder in the file's place is never written through or replaced.
FileResult WriteWholeFile(const QString& name, const uint8_t* data, int size) {
    if (checkRegular(QFile::encodeName(name)) == FileResult::NotOpened)
        return FileResult::NotOpened;
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::NotOpened;
    if (file.write(reinterpret_cast<const char*>(data), size) != size || !file.commit())
        return FileResult::Failed;
    return FileResult::Done;
}
