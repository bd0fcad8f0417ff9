#pragma once
// Whole-file reads and writes of the user's files: programming, calibration and firmware.
// Only a regular file (links followed) is read or written over; a named pipe, a device or
// a folder is refused at once, and nothing here waits on one.

#include <QByteArray>
#include <QString>
#include <cstdint>

// Missing: nothing at that path (or a link to nothing). NotOpened: something is there but it
// cannot be opened or is no regular file; for a write, the file cannot be created.
enum class FileResult { Done, Missing, NotOpened, Failed };
// Whether a file that could not be opened at all is reported to the user.
enum class FileNotice { Quiet, Tell };

// Reads the first `size` bytes of a file (fewer when it is shorter). An empty file holds no
// image: it fails as a file that cannot be read does.
FileResult ReadFileStart(const QString& name, int size, QByteArray& bytes);
// Reads the first `size` bytes of a file; a shorter file is refused as Failed.
FileResult ReadFileExactly(const QString& name, int size, QByteArray& bytes);
// Reads a whole file of at most `maxSize` bytes; a longer one is refused as Failed after
// reading no more than one byte past the limit, whatever its size claims.
FileResult ReadWholeFile(const QString& name, qint64 maxSize, QByteArray& bytes);

// Writes a whole file through a temporary one: a failed save keeps the old file as it was.
FileResult WriteWholeFile(const QString& name, const uint8_t* data, int size);
