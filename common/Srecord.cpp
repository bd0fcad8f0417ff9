#include "Srecord.h"

#include <cstring>

namespace srecord {

namespace {

// Upper-case hexadecimal digit; any other character counts as 0.
int digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

// Reads one record starting at its "S", adding its bytes to a running sum the way the
// checksum is defined (count + address + data + checksum = 0xFF).
class RecordReader {
public:
    RecordReader(const QByteArray& text, uint8_t* image) : text(text), image(image) {}

    // On success `pos` is past the last character the record used.
    bool read(qint64& pos) {
        at = pos + 1;
        if (at >= text.size())
            return false;
        const char type = text[at++];
        int count = 0;
        if (!byte(count))
            return false;
        sum = count;
        bool good = true;
        switch (type) {
        case '0':
        case '7':
        case '8':
        case '9':
            good = skipped(count - 1) && checksum();
            break;
        case '1':
            good = false; // a 16-bit address lies below the flash window
            break;
        case '2':
            good = data(3, count) && checksum();
            break;
        case '3':
            good = data(4, count) && checksum();
            break;
        default:
            break; // S4..S6 and unknown types: their characters are skipped
        }
        pos = at;
        return good;
    }

    int storedBytes() const { return stored; }

private:
    bool byte(int& value) {
        if (at + 2 > text.size())
            return false;
        value = digit(text[at]) * 16 + digit(text[at + 1]);
        at += 2;
        return true;
    }

    bool summed(int& value) {
        if (!byte(value))
            return false;
        sum += value;
        return true;
    }

    bool skipped(int bytes) {
        if (bytes < 0)
            return false;
        int value = 0;
        for (int i = 0; i < bytes; ++i)
            if (!summed(value))
                return false;
        return true;
    }

    bool data(int addressBytes, int count) {
        const int length = count - addressBytes - 1;
        if (length < 0)
            return false;
        uint64_t address = 0;
        int value = 0;
        for (int i = 0; i < addressBytes; ++i) {
            if (!summed(value))
                return false;
            address = address * 256 + uint64_t(value);
        }
        if (address < FLASH_BASE || address + uint64_t(length) > FLASH_BASE + FLASH_SIZE)
            return false;
        uint8_t* target = image + (address - FLASH_BASE);
        for (int i = 0; i < length; ++i) {
            if (!summed(value))
                return false;
            target[i] = uint8_t(value);
        }
        stored += length;
        return true;
    }

    bool checksum() {
        int value = 0;
        if (!byte(value))
            return false;
        return ((sum + value) & 0xFF) == 0xFF;
    }

    const QByteArray& text;
    uint8_t* image;
    qint64 at = 0;
    int sum = 0;
    int stored = 0;
};

} // namespace

bool Load(const QByteArray& text, uint8_t* image,
          const std::function<void(const Progress&)>& lineDone) {
    std::memset(image, 0xFF, FLASH_SIZE);
    RecordReader reader(text, image);
    Progress progress;
    progress.fileSize = text.size();
    bool error = true; // so the text must begin with "S"
    qint64 pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == 'S') {
            error = !reader.read(pos);
        } else {
            ++pos;
            if (c == '\n') {
                progress.bytesRead = pos;
                ++progress.lines;
                if (lineDone)
                    lineDone(progress);
            }
        }
        if (error)
            return false;
    }
    return reader.storedBytes() > 0;
}

} // namespace srecord
