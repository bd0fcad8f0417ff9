#include "Files.h"

#include <QFile>
#include <QSaveFile>

FileResult ReadFileStart(const QString& name, int size, QByteArray& bytes) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::NotOpened;
    bytes.resize(size);
    const qint64 got = file.read(bytes.data(), size);
    if (got <= 0)
        return FileResult::Failed;
    bytes.resize(int(got));
    return FileResult::Done;
}

FileResult ReadFileExactly(const QString& name, int size, QByteArray& bytes) {
    const FileResult result = ReadFileStart(name, size, bytes);
    if (result == FileResult::Done && bytes.size() < size)
        return FileResult::Failed;
    return result;
}

// Unbuffered, so that a short write (disk full, size limit) shows in the count written.
FileResult WriteWholeFile(const QString& name, const uint8_t* data, int size) {
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::NotOpened;
    if (file.write(reinterpret_cast<const char*>(data), size) != size || !file.commit())
        return FileResult::Failed;
    return FileResult::Done;
}
