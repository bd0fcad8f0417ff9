// The byte queue, the frame builder and the reply recogniser, without a line.
#include "Serial.h"
#include "Tarq_1.h"
#include "support/SecondGenRadio.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <vector>

using testsupport::SecondGenRadio;

namespace {

QByteArray bytes(const uint8_t* data, int n) {
    return QByteArray(reinterpret_cast<const char*>(data), n);
}

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

// Feeds the bytes; the length of the frame found at the last one (frames found earlier are
// counted in `earlier`).
int feed(tarq1_protocol& framer, const QByteArray& wire, int* earlier = nullptr) {
    int found = 0;
    for (int i = 0; i < wire.size(); ++i) {
        framer.AddByte(uint8_t(wire[i]));
        found = framer.FindFrame();
        if (found && i + 1 < wire.size() && earlier)
            ++*earlier;
    }
    return found;
}

QByteArray frameOf(const tarq1_protocol& framer, int length) {
    uint8_t out[tarq1_protocol::WINDOW];
    EXPECT_EQ(framer.GetFrame(out), length);
    return bytes(out, length);
}

} // namespace

TEST(ByteQueue, KeepsOrderAcrossTheEndAndStopsAt1024) {
    MTdeque queue;
    std::vector<uint8_t> in(2000), out(2000);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = uint8_t(i * 7);
    EXPECT_EQ(queue.Put(in.data(), 2000), 1024);
    EXPECT_EQ(queue.Count(), 1024);
    EXPECT_EQ(queue.Put(in.data(), 1), 0);
    EXPECT_EQ(queue.Get(out.data(), 2000), 1024);
    EXPECT_TRUE(std::equal(in.begin(), in.begin() + 1024, out.begin()));
    EXPECT_EQ(queue.Get(out.data(), 10), 0);

    // The positions now start near the middle: fill across the end of the store, in pieces.
    EXPECT_EQ(queue.Put(in.data(), 700), 700);
    EXPECT_EQ(queue.Get(out.data(), 600), 600);
    EXPECT_EQ(queue.Put(in.data() + 700, 900), 900); // wraps
    EXPECT_EQ(queue.Count(), 1000);
    EXPECT_EQ(queue.Get(out.data(), 1000), 1000);
    EXPECT_TRUE(std::equal(in.begin() + 600, in.begin() + 1600, out.begin()));

    EXPECT_EQ(queue.Put(in.data(), -1), -1);
    EXPECT_EQ(queue.Get(out.data(), -1), -1);
    EXPECT_EQ(queue.Put(in.data(), 0), 0);
}

TEST(FrameBuilder, WritesTheWireBytesOfEachRequest) {
    uint8_t out[MAX_FRAME];
    EXPECT_EQ(bytes(out, BuildConnect(out)), hex("00000000ff01cc"));
    EXPECT_EQ(bytes(out, BuildGetVersion(out)), hex("00000000ff02cc"));
    EXPECT_EQ(bytes(out, BuildDisconnect(out)), hex("00000000ff03cc"));
    // The low address byte 0xCC escaped, the checksum over the raw 00 00 CC 01.
    EXPECT_EQ(bytes(out, BuildReadBlock(out, 0x01CC)), hex("00007eec01"
                                                           "3204cc"));
    EXPECT_EQ(bytes(out, BuildReadBlock(out, 0x0123)), hex("00002301db04cc"));
    EXPECT_EQ(bytes(out, BuildSetBaudRate(out, 57600)), hex("000000e1"
                                                            "1e10cc"));
    EXPECT_EQ(bytes(out, BuildSetTestTone(out, 4096)), hex("00100000ef2dcc"));
    EXPECT_EQ(bytes(out, BuildSetFrequency(out, 0x3412)), hex("12340000b94dcc"));
    EXPECT_EQ(bytes(out, BuildAddressRequest(out, CMD_WRITE_BYTE, 0x0230, 0x5A)), hex("5a003002"
                                                                                      "7347cc"));
    EXPECT_EQ(bytes(out, BuildAddressRequest(out, CMD_METER, METER_READ)), hex("00000600f90acc"));
    EXPECT_EQ(bytes(out, BuildKeyPress(out, 0x30)), hex("30cf04aa"));
    // Command bytes are never escaped, even when the flag is set.
    const uint8_t none[1] = {0x00};
    EXPECT_EQ(bytes(out, BuildFrame(out, none, 1, 0xCC, 0xAA, true)), hex("00ffccaa"));
    EXPECT_EQ(bytes(out, BuildFrame(out, none, 0, 0x7E, 0xCC, true)), hex("ff7ecc"));
}

TEST(FrameBuilder, WriteBlockRunsHighestAddressFirstAndEscapesDataAndChecksum) {
    uint8_t block[BLOCK_BYTES], out[MAX_FRAME];
    for (int i = 0; i < BLOCK_BYTES; ++i)
        block[i] = uint8_t(i);
    QByteArray expected;
    for (int i = 15; i >= 0; --i)
        expected.append(char(i));
    expected += hex("3000");
    EXPECT_EQ(bytes(out, BuildWriteBlock(out, 0x0030, block)),
              expected + char(testsupport::frameChecksum(expected)) + hex("05cc"));

    // Every byte that needs it: 16 data bytes, the address and the checksum at most 40.
    for (uint8_t& b : block)
        b = 0xAA;
    const int length = BuildWriteBlock(out, 0xCC7E, block);
    EXPECT_LE(length, MAX_FRAME);
    const QByteArray wire = bytes(out, length);
    EXPECT_EQ(wire.left(4), hex("7e8a7e8a"));
    EXPECT_EQ(wire.mid(32, 4), hex("7e5e7eec"));
    EXPECT_EQ(wire.right(2), hex("05cc"));
    // What the radio's side makes of the same block is the same frame.
    EXPECT_EQ(wire, SecondGenRadio::frame(QByteArray(16, char(0xAA)) + hex("7ecc"), CMD_WRITE_BLOCK,
                                          true));
    EXPECT_TRUE(NeedsEscape(0x7E) && NeedsEscape(0xAA) && NeedsEscape(0xCC));
    EXPECT_FALSE(NeedsEscape(0x5E) || NeedsEscape(0x00) || NeedsEscape(0xFF));
    EXPECT_EQ(Checksum(nullptr, 0), 0xFF);
}

TEST(Recogniser, FindsRepliesAtTheirSyncByteNewestFirst) {
    tarq1_protocol framer;
    // A version reply of 12 characters: text, length, checksum, command, sync.
    const QByteArray text = "Korvan v2.02";
    const QByteArray version = SecondGenRadio::frame(text + char(12), CMD_GET_VERSION);
    ASSERT_EQ(version.size(), 16);
    int earlier = 0;
    EXPECT_EQ(feed(framer, version, &earlier), 16);
    EXPECT_EQ(earlier, 0);
    const QByteArray found = frameOf(framer, 16);
    EXPECT_EQ(uint8_t(found[0]), 0xCC);
    EXPECT_EQ(uint8_t(found[1]), 2);
    EXPECT_EQ(uint8_t(found[3]), 12);
    QByteArray reversed;
    for (int i = 15; i >= 4; --i)
        reversed.append(found[i]);
    EXPECT_EQ(reversed, text);

    // Key-sync frames only with command 1; command 3 is not a reply; a bad checksum is none.
    framer.Reset();
    EXPECT_EQ(feed(framer, SecondGenRadio::frame(hex("01020304"), 1, false, 0xAA)), 7);
    framer.Reset();
    EXPECT_EQ(feed(framer, SecondGenRadio::frame(hex("01020304"), 2, false, 0xAA)), 0);
    framer.Reset();
    EXPECT_EQ(feed(framer, SecondGenRadio::frame(hex("00000000"), 3)), 0);
    framer.Reset();
    QByteArray bad = SecondGenRadio::frame(hex("05000102"), CMD_READ_BYTE);
    bad[4] = char(bad[4] ^ 1);
    EXPECT_EQ(feed(framer, bad), 0);
    // Noise before a frame does not hide it; the frame comes out data last to first.
    framer.Reset();
    EXPECT_EQ(feed(framer, SecondGenRadio::NOISE + SecondGenRadio::frame(hex("5a003002"), 70)), 7);
    EXPECT_EQ(frameOf(framer, 7),
              hex("cc46") + char(testsupport::frameChecksum(hex("5a003002"))) + hex("0230005a"));
}

TEST(Recogniser, UndoesEscapesOfBlockReplies) {
    tarq1_protocol framer;
    // A block reply whose data holds every escaped value; the checksum must be 0xAA to test
    // the escaped checksum: find an address that gives it.
    QByteArray data;
    for (int i = 0; i < 16; ++i)
        data.append(char(i % 3 == 0 ? 0x7E : i % 3 == 1 ? 0xAA : 0xCC));
    int address = 0;
    while (testsupport::frameChecksum(data + char(address & 0xFF) + char(address >> 8)) != 0xAA)
        ++address;
    const QByteArray raw = data + char(address & 0xFF) + char(address >> 8);
    const QByteArray wire = SecondGenRadio::frame(raw, CMD_READ_BLOCK, true);
    ASSERT_EQ(wire.mid(wire.size() - 4, 2), hex("7e8a"));
    EXPECT_EQ(feed(framer, wire), 21);
    const QByteArray found = frameOf(framer, 21);
    EXPECT_EQ(uint8_t(found[2]), 0xAA);
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(found[3 + i], raw[17 - i]) << i;

    // The same bytes unescaped are no frame: the checksum test sees other bytes.
    framer.Reset();
    EXPECT_EQ(feed(framer, SecondGenRadio::frame(raw, CMD_READ_BLOCK, false)), 0);
    framer.Reset();
    EXPECT_EQ(feed(framer, SecondGenRadio::frame(hex("00007e01"), CMD_WRITE_BLOCK, true)), 7);
    EXPECT_EQ(frameOf(framer, 7).right(4), hex("017e0000"));
}

TEST(Recogniser, VersionRepliesMustFitTheWindow) {
    tarq1_protocol framer;
    const QByteArray longest(60, 'x'); // 60 text bytes + length + 3 = 64
    EXPECT_EQ(feed(framer, SecondGenRadio::frame(longest + char(60), CMD_GET_VERSION)), 64);
    framer.Reset();
    const QByteArray tooLong(61, 'x');
    EXPECT_EQ(feed(framer, SecondGenRadio::frame(tooLong + char(61), CMD_GET_VERSION)), 0);
    // A length byte claiming far more than the window: no frame, nothing read past it.
    framer.Reset();
    EXPECT_EQ(feed(framer, hex("0102ff") + char(0) + hex("02cc")), 0);
    // After a reset the window is empty: a lone sync byte finds nothing.
    framer.Reset();
    EXPECT_EQ(feed(framer, hex("cc")), 0);
}
