#pragma once
// Whole-file reads and writes of programming and calibration files.

#include <QByteArray>
#include <QString>
#include <cstdint>

enum class FileResult { Done, NotOpened, Failed };
// Whether a file that could not be opened at all is reported to the user.
enum class FileNotice { Quiet, Tell };

// Reads the first `size` bytes of a file (fewer when it is shorter). An empty file holds no
// image: it fails as a file that cannot be read does.
FileResult ReadFileStart(const QString& name, int size, QByteArray& bytes);
// Reads the first `size` bytes of a file; a shorter file is refused as Failed.
FileResult ReadFileExactly(const QString& name, int size, QByteArray& bytes);

// Writes a whole file through a temporary one: a failed save keeps the old file as it was.
FileResult WriteWholeFile(const QString& name, const uint8_t* data, int size);
