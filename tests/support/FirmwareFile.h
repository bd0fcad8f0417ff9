#pragma once
// Firmware files for upgrade runs: a flash image that programs every page and its
// S-record text.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace testsupport {

// `size` bytes in which no page is all 0xFF, so that every page is programmed.
std::vector<uint8_t> EveryPageFirmware(size_t size);
// One S-record line of `type` '1', '2' or '3' (2, 3 or 4 address bytes) holding `n` bytes.
QByteArray SRecord(char type, uint32_t address, const uint8_t* data, int n);
// The image as S2 records of 32 bytes from address 0xF0000, leaving out runs that are all
// 0xFF, between a header and an end record.
QByteArray SRecordFile(const std::vector<uint8_t>& image);
// A file of one S2 record of four bytes (1, 2, 3, 4 at 0xF0000) and then blank lines,
// `size` bytes in all.
QByteArray BlankLinesFile(qint64 size);
// Writes the image's S-record file to `path`; false when it cannot.
bool WriteFirmwareFile(const QString& path, const std::vector<uint8_t>& image);

} // namespace testsupport
