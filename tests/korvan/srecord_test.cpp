#include "Boot_loader.h"
#include "Srecord.h"

#include <QList>
#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

// One S-record line with a correct checksum: type, address of `addressBytes` bytes, data.
QByteArray record(char type, uint32_t address, int addressBytes, const QByteArray& data,
                  int countAdjust = 0, int checksumAdjust = 0) {
    QByteArray body;
    for (int i = addressBytes - 1; i >= 0; --i)
        body.append(char((address >> (8 * i)) & 0xFF));
    body.append(data);
    const int count = body.size() + 1 + countAdjust;
    int sum = count;
    for (char b : body)
        sum += uint8_t(b);
    const uint8_t checksum = uint8_t(~sum + checksumAdjust);
    QByteArray line = QByteArray("S") + type;
    line += QByteArray(1, char(count)).toHex().toUpper();
    line += body.toHex().toUpper();
    line += QByteArray(1, char(checksum)).toHex().toUpper();
    return line + "\r\n";
}

QByteArray bytes(int n, int first) {
    QByteArray data;
    for (int i = 0; i < n; ++i)
        data.append(char(first + i));
    return data;
}

const QByteArray HEADER = record('0', 0, 2, "korvan");
const QByteArray END = record('8', 0xF0000, 3, {});

struct Image {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(srecord::FLASH_SIZE, 0x5A);
    bool load(const QByteArray& text) { return srecord::Load(text, bytes.data()); }
    int countNot(uint8_t value) const {
        int n = 0;
        for (uint8_t b : bytes)
            n += b != value;
        return n;
    }
};

} // namespace

TEST(Srecord, StoresDataRecordsInTheWindowAndLeavesTheRestErased) {
    Image image;
    const QByteArray text = HEADER + record('2', 0xF1234, 3, bytes(16, 1)) +
                            record('3', 0x000F0000, 4, bytes(16, 0x40)) + record('5', 0, 2, {}) +
                            END;
    ASSERT_TRUE(image.load(text));
    EXPECT_EQ(image.bytes[0x1234], 1);
    EXPECT_EQ(image.bytes[0x1234 + 15], 16);
    EXPECT_EQ(image.bytes[0], 0x40) << "an S3 record at 0x000F0000 lands at index 0";
    EXPECT_EQ(image.bytes[15], 0x4F);
    EXPECT_EQ(image.bytes[16], 0xFF) << "exactly 16 bytes stored";
    EXPECT_EQ(image.countNot(0xFF), 32) << "all bytes no record fills stay 0xFF";

    // The top of the window: 16 bytes at 0xFFFF0 fit, 17 pass 0x100000.
    EXPECT_TRUE(image.load(HEADER + record('2', 0xFFFF0, 3, bytes(16, 0)) + END));
    EXPECT_EQ(image.bytes[0xFFFF], 15);
    EXPECT_FALSE(image.load(HEADER + record('2', 0xFFFF0, 3, bytes(17, 0)) + END));

    // A last line with no line end still loads; line ends may be bare line feeds.
    QByteArray noEnd = record('2', 0xF0000, 3, bytes(4, 9));
    noEnd.chop(2);
    EXPECT_TRUE(image.load(noEnd));
    EXPECT_TRUE(image.load(HEADER.left(HEADER.size() - 2) + "\n" + noEnd));
    EXPECT_EQ(image.bytes[3], 12);
}

TEST(Srecord, RefusesBadFiles) {
    Image image;
    const QByteArray good = record('2', 0xF0000, 3, bytes(16, 0));
    const QList<QPair<const char*, QByteArray>> refused = {
        {"S1 record", HEADER + record('1', 0x1000, 2, bytes(8, 0)) + END},
        {"below the window", record('2', 0xF0000 - 16, 3, bytes(16, 0))},
        {"beyond the window", record('3', 0x100000, 4, bytes(1, 0))},
        {"S3 far beyond", record('3', 0xFFFFFFF0, 4, bytes(16, 0))},
        {"bad checksum", record('2', 0xF0000, 3, bytes(16, 0), 0, 1)},
        {"bad header checksum", record('0', 0, 2, "x", 0, 1) + good},
        {"bad end checksum", good + record('9', 0, 2, {}, 0, 1)},
        {"first character not S", " " + good},
        {"lower-case s", "s" + good.mid(1)},
        {"empty file", {}},
        {"only header and end", HEADER + END},
        {"record cut off", good.left(20)},
        {"lone S at the end", good + "S"},
        {"count too small for S2", record('2', 0xF0000, 3, {}, -2)},
        {"count too small for S0", "S000FF\r\n"},
    };
    for (const auto& [why, text] : refused)
        EXPECT_FALSE(image.load(text)) << why;

    // 4 MB of garbage, with and without a leading "S", is refused quickly and safely.
    QByteArray garbage(4 * 1024 * 1024, '\0');
    QRandomGenerator random(42);
    for (char& c : garbage)
        c = char(random.bounded(256));
    garbage[0] = 'x';
    EXPECT_FALSE(image.load(garbage));
    garbage[0] = 'S';
    EXPECT_FALSE(image.load(garbage));
    // A refused file leaves no half image behind the caller's back: it starts erased.
    EXPECT_TRUE(image.load(good));
    EXPECT_EQ(image.countNot(0xFF), 16);
}

TEST(Srecord, ReportsEachLineFeedWithBytesAndLines) {
    std::vector<uint8_t> image(srecord::FLASH_SIZE);
    const QByteArray text = HEADER + record('2', 0xF0000, 3, bytes(4, 0)) + END;
    QList<srecord::Progress> seen;
    ASSERT_TRUE(srecord::Load(text, image.data(), [&](const srecord::Progress& p) { seen << p; }));
    ASSERT_EQ(seen.size(), 3);
    EXPECT_EQ(seen[0].bytesRead, HEADER.size());
    EXPECT_EQ(seen[1].lines, 2);
    EXPECT_EQ(seen[2].bytesRead, text.size());
    EXPECT_EQ(seen[2].percent(), 100);
}

TEST(BootLoader, CommandBytesAndIdCandidates) {
    EXPECT_EQ(boot::BaudCode(9600), 0xB0);
    EXPECT_EQ(boot::BaudCode(57600), 0xB3);
    EXPECT_EQ(boot::BaudCode(4800), -1);
    EXPECT_EQ(boot::RateOfCode(0xB2), 38400);
    EXPECT_EQ(boot::RateOfCode(0x70), 0);
    EXPECT_EQ(boot::PageReadCommand(0xAB00), (std::vector<uint8_t>{0xFF, 0xAB, 0x0F}));
    std::vector<uint8_t> image(srecord::FLASH_SIZE, 0xFF);
    const uint32_t idAddresses[] = {0xFFDF, 0xFFE3, 0xFFEB, 0xFFEF, 0xFFF3, 0xFFF7, 0xFFFB};
    for (int i = 0; i < 7; ++i)
        image[idAddresses[i]] = uint8_t(0x11 * (i + 1));
    const auto command = boot::IdCheckCommand(boot::IdCodeCandidate(0, image.data()));
    EXPECT_EQ(command, (std::vector<uint8_t>{0xF5, 0xDF, 0xFF, 0x0F, 7, 0x11, 0x22, 0x33, 0x44,
                                             0x55, 0x66, 0x77}));
    const auto blank = boot::IdCodeCandidate(1, image.data());
    EXPECT_TRUE(std::all_of(blank.begin(), blank.end(), [](uint8_t b) { return b == 0xFF; }));
    const auto program = boot::PageProgramCommand(0x100, image.data() + 0x100);
    ASSERT_EQ(program.size(), 259u);
    EXPECT_EQ(program[0], 0x41);
    EXPECT_EQ(program[1], 0x01);
    EXPECT_EQ(program[2], 0x0F);
}
