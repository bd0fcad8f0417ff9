#pragma once
// Firmware files of Motorola S-records, loaded into the 64 KiB image of the radio
// processor's flash area 0xF0000..0xFFFFF. Shared by both programs.

#include <QByteArray>
#include <cstdint>
#include <functional>

namespace srecord {

constexpr uint32_t FLASH_BASE = 0xF0000;
constexpr int FLASH_SIZE = 0x10000;
// Larger files are refused unread: a whole flash image in S-records is a few hundred KiB.
constexpr qint64 MAX_FILE_SIZE = 16 * 1024 * 1024;

struct Progress {
    qint64 bytesRead = 0; // characters walked, up to and including the line feed
    qint64 fileSize = 0;
    int lines = 0; // line feeds so far
    int percent() const { return fileSize > 0 ? int(bytesRead * 100 / fileSize) : 0; }
};

// Fills all FLASH_SIZE bytes of `image` (index = address - FLASH_BASE) with 0xFF, then
// stores the data of the S2 and S3 records of `text`. S0 and S7..S9 records have their
// checksum tested; S4..S6 are skipped. Refused (false): text that does not begin with
// "S", an S1 record, data outside the window, a bad checksum, a record cut off by the end
// of the text, a count too small for its record, and text that holds no data at all.
// `lineDone` (may be empty) is called at each line feed.
bool Load(const QByteArray& text, uint8_t* image,
          const std::function<void(const Progress&)>& lineDone = {});

} // namespace srecord
