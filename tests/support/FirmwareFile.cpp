#include "FirmwareFile.h"

#include <QFile>
#include <algorithm>

namespace testsupport {

namespace {

constexpr uint32_t FLASH_BASE = 0xF0000;
constexpr int RECORD_BYTES = 32;

} // namespace

QByteArray SRecord(char type, uint32_t address, const uint8_t* data, int n) {
    const int addressBytes = type - '0' + 1;
    QByteArray body;
    for (int i = addressBytes - 1; i >= 0; --i)
        body.append(char(address >> (8 * i)));
    body.append(reinterpret_cast<const char*>(data), n);
    int sum = body.size() + 1;
    for (char b : body)
        sum += uint8_t(b);
    const QByteArray count(1, char(body.size() + 1));
    const QByteArray checksum(1, char(~sum & 0xFF));
    return QByteArray("S") + type + count.toHex().toUpper() + body.toHex().toUpper() +
           checksum.toHex().toUpper() + "\r\n";
}

std::vector<uint8_t> EveryPageFirmware(size_t size) {
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 31 + 7);
    return image;
}

QByteArray SRecordFile(const std::vector<uint8_t>& image) {
    QByteArray text = "S00600004844521B\r\n";
    for (size_t i = 0; i + RECORD_BYTES <= image.size(); i += RECORD_BYTES) {
        const uint8_t* run = image.data() + i;
        if (!std::all_of(run, run + RECORD_BYTES, [](uint8_t b) { return b == 0xFF; }))
            text += SRecord('2', FLASH_BASE + uint32_t(i), run, RECORD_BYTES);
    }
    return text + "S804000000FB\r\n";
}

QByteArray BlankLinesFile(qint64 size) {
    const uint8_t data[4] = {1, 2, 3, 4};
    QByteArray text = SRecord('2', 0xF0000, data, 4);
    text.append(QByteArray(size - text.size(), '\n'));
    return text;
}

bool WriteFirmwareFile(const QString& path, const std::vector<uint8_t>& image) {
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(SRecordFile(image)) >= 0;
}

} // namespace testsupport
