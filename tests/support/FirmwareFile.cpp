#include "FirmwareFile.h"

#include <QFile>
#include <algorithm>

namespace testsupport {

namespace {

constexpr uint32_t FLASH_BASE = 0xF0000;
constexpr int RECORD_BYTES = 32;

QByteArray Hex(int value) {
    return QByteArray(1, char(value)).toHex().toUpper();
}

QByteArray S2Record(uint32_t address, const uint8_t* data) {
    const int count = RECORD_BYTES + 4;
    int sum = count + int(address >> 16) + int((address >> 8) & 0xFF) + int(address & 0xFF);
    QByteArray text = "S2" + Hex(count) + Hex(int(address >> 16)) + Hex(int(address >> 8) & 0xFF) +
                      Hex(int(address & 0xFF));
    for (int j = 0; j < RECORD_BYTES; ++j) {
        text += Hex(data[j]);
        sum += data[j];
    }
    return text + Hex(~sum & 0xFF) + "\r\n";
}

} // namespace

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
            text += S2Record(FLASH_BASE + uint32_t(i), run);
    }
    return text + "S804000000FB\r\n";
}

bool WriteFirmwareFile(const QString& path, const std::vector<uint8_t>& image) {
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(SRecordFile(image)) >= 0;
}

} // namespace testsupport
