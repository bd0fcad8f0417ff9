// Every radio command function against the simulated radio, and the faults of a real line.
#include "Protocol.h"
#include "Tarq_1.h"
#include "V2_link_fixture.h"
#include "support/Waits.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using testsupport::RadioFrame;
using testsupport::SecondGenRadio;

namespace {

QByteArray blockAt(const QByteArray& image, int address) {
    return image.mid(address, BLOCK_BYTES);
}

QByteArray bytes(const uint8_t* data, int n) {
    return QByteArray(reinterpret_cast<const char*>(data), n);
}

// A four-byte reply as the radio sends it: value, 0, then a word (address or rate).
QByteArray reply(uint8_t command, int word, uint8_t value = 0,
                 uint8_t sync = SecondGenRadio::SYNC_CMD) {
    const char data[] = {char(value), 0, char(word & 0xFF), char(word >> 8)};
    return SecondGenRadio::frame(QByteArray(data, 4), command, false, sync);
}

RadioFrame lastFrame(const SecondGenRadio& radio) {
    const QList<RadioFrame> frames = radio.frames();
    return frames.isEmpty() ? RadioFrame() : frames.last();
}

} // namespace

using V2RadioCommands = V2LinkFixture;

TEST_F(V2RadioCommands, BlocksRoundTripEveryByteValue) {
    const QByteArray image = pattern(1);
    radio.setImage(image);
    EXPECT_EQ(RadioConnect(), 1);
    uint8_t block[BLOCK_BYTES];
    for (int address = 0; address < 1024; address += BLOCK_BYTES) {
        ASSERT_EQ(RadioReadBlock(address, block), 16) << address;
        ASSERT_EQ(bytes(block, 16), blockAt(image, address)) << address;
    }
    // Addresses whose low byte needs escaping: 0xCC, 0x7E and 0xAA.
    for (int address : {0x01CC, 0x3E7E, 0x2AAA}) {
        ASSERT_EQ(RadioReadBlock(address, block), 16) << address;
        EXPECT_EQ(bytes(block, 16), blockAt(image, address)) << address;
    }
    // Writes: a block of nothing but escape values, then a whole other pattern.
    uint8_t escapes[BLOCK_BYTES];
    std::memset(escapes, 0x7E, 8);
    std::memset(escapes + 8, 0xCC, 4);
    std::memset(escapes + 12, 0xAA, 4);
    EXPECT_EQ(RadioWriteBlock(0x7E0, escapes), 0);
    EXPECT_EQ(blockAt(radio.image(), 0x7E0), bytes(escapes, 16));
    EXPECT_EQ(RadioReadBlock(0x7E0, block), 16);
    EXPECT_EQ(bytes(block, 16), bytes(escapes, 16));
    const QByteArray other = pattern(2, 512);
    for (int address = 48; address < 512; address += BLOCK_BYTES)
        ASSERT_EQ(
            RadioWriteBlock(address, reinterpret_cast<const uint8_t*>(other.constData()) + address),
            0);
    const QByteArray after = radio.image();
    EXPECT_EQ(after.mid(48, 464), other.mid(48, 464));
    EXPECT_EQ(after.left(48), image.left(48));
    EXPECT_EQ(after.mid(512, 16), image.mid(512, 16));
    const RadioFrame written = lastFrame(radio);
    EXPECT_EQ(written.command, CMD_WRITE_BLOCK);
    EXPECT_EQ(written.data.size(), 18);
}

TEST_F(V2RadioCommands, SingleLocationsVersionMeterChannelAndKeys) {
    radio.setByte(0x230, 0x5A);
    uint8_t value = 0;
    EXPECT_EQ(RadioReadByte(0x230, value), 0);
    EXPECT_EQ(value, 0x5A);
    EXPECT_EQ(RadioWriteByte(0x3FFF, 0xCC), 0);
    EXPECT_EQ(radio.byteAt(0x3FFF), 0xCC);
    EXPECT_EQ(RadioReadByte(0x3FFF, value), 0);
    EXPECT_EQ(value, 0xCC);

    char version[VERSION_BUFFER];
    EXPECT_EQ(RadioGetVersion(version), 1);
    EXPECT_STREQ(version, "Korvan v2.02a");
    // Longer texts than the buffer are cut at 31 characters, never past the buffer.
    radio.setVersion(QByteArray(50, 'k'));
    std::memset(version, '#', sizeof version);
    EXPECT_EQ(RadioGetVersion(version), 1);
    EXPECT_EQ(std::strlen(version), 31u);
    radio.setVersion("");
    EXPECT_EQ(RadioGetVersion(version), 1);
    EXPECT_STREQ(version, "");

    radio.setMeter(0x91, 0x12);
    uint8_t rssi = 0, noise = 0;
    EXPECT_EQ(RadioMeterRead(rssi, noise), 0);
    EXPECT_EQ(rssi, 0x91);
    EXPECT_EQ(noise, 0x12);
    radio.setChannel(437);
    int channel = 0;
    EXPECT_EQ(RadioGetChannel(channel), 0);
    EXPECT_EQ(channel, 437);

    EXPECT_EQ(RadioSendKey(0x30), 0);
    EXPECT_EQ(RadioSendKey(0xAA), 0);
    EXPECT_EQ(RadioSetAlignFreq(451012500), 1); // 36081 steps of 12.5 kHz
    ASSERT_TRUE(radio.waitForFrames(CMD_ALIGN_FREQ, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(radio.keys(), (QList<uint8_t>{0x30, 0xAA}));
    EXPECT_EQ(radio.lastAlignFrequency(), 36081);

    // The radio answers a test tone with a command the recogniser does not know.
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(RadioSetTestTone(1000), 0);
    EXPECT_GE(clock.elapsed(), 240);
    EXPECT_EQ(radio.lastTestTone(), 4096);
    RadioSetTestTone(50);
    EXPECT_EQ(radio.lastTestTone(), 204);
    RadioSetTestTone(0);
    EXPECT_EQ(radio.lastTestTone(), 0);
}

TEST_F(V2RadioCommands, RatesFollowTheRadioAndFallBackTo9600) {
    EXPECT_EQ(RadioSetBaudRate(57600), 1);
    EXPECT_EQ(serialPort->BaudRate(), 57600);
    EXPECT_EQ(radio.rate(), 57600);
    uint8_t block[BLOCK_BYTES];
    EXPECT_EQ(RadioReadBlock(0, block), 16);
    EXPECT_EQ(RadioDisconnect(), 1);
    EXPECT_EQ(serialPort->BaudRate(), 9600);
    EXPECT_EQ(radio.rate(), 9600);
    EXPECT_EQ(RadioConnect(), 1);
    EXPECT_EQ(radio.lostBytes(), 0);

    SecondGenRadio::Faults faults;
    faults.ignoreSetBaud = true;
    radio.setFaults(faults);
    EXPECT_EQ(RadioSetBaudRate(38400), 0);
    EXPECT_EQ(serialPort->BaudRate(), 9600);
    EXPECT_EQ(RadioConnect(), 1);

    // A radio left at 57600 by a job that stopped: the PC at 9600 gets nothing through.
    radio.setFaults({});
    EXPECT_EQ(RadioSetBaudRate(57600), 1);
    serialPort->SetBaudRate(9600);
    EXPECT_EQ(RadioConnect(), 0);
    EXPECT_GT(radio.lostBytes(), 0);
}

TEST_F(V2RadioCommands, EveryWaitingCommandFailsWithoutAReply) {
    SecondGenRadio::Faults faults;
    faults.silent = true;
    radio.setFaults(faults);
    uint8_t block[BLOCK_BYTES], value = 7, rssi = 1, noise = 2;
    int channel = 3;
    char version[VERSION_BUFFER] = "unchanged";
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(RadioConnect(), 0);
    EXPECT_EQ(RadioGetVersion(version), 0);
    EXPECT_EQ(RadioReadByte(0, value), -1);
    EXPECT_EQ(RadioWriteByte(0, 1), -1);
    EXPECT_EQ(RadioReadBlock(0, block), -1);
    EXPECT_EQ(RadioWriteBlock(48, block), -1);
    EXPECT_EQ(RadioMeterRead(rssi, noise), -1);
    EXPECT_EQ(RadioGetChannel(channel), -1);
    EXPECT_EQ(RadioSetTestTone(1000), 0);
    EXPECT_GE(clock.elapsed(), 9 * 240) << "each waited for its reply";
    EXPECT_STREQ(version, "unchanged");
    EXPECT_EQ(value, 7);
    EXPECT_EQ(channel, 3);
    // Every request reached the radio all the same, once: nothing is retried.
    for (uint8_t command :
         {CMD_CONNECT, CMD_GET_VERSION, CMD_READ_BYTE, CMD_WRITE_BYTE, CMD_READ_BLOCK,
          CMD_WRITE_BLOCK, CMD_METER, CMD_GET_CHANNEL, CMD_TEST_TONE})
        EXPECT_EQ(radio.count(command), 1) << int(command);

    faults = {};
    faults.noVersionReply = true;
    radio.setFaults(faults);
    EXPECT_EQ(RadioGetVersion(version), 0);
    EXPECT_EQ(RadioConnect(), 1);

    // Without serialPort nothing is sent and nothing waits.
    SerialPort* port = serialPort;
    serialPort = nullptr;
    clock.restart();
    EXPECT_EQ(RadioConnect(), 0);
    EXPECT_EQ(RadioReadBlock(0, block), -1);
    EXPECT_EQ(RadioDisconnect(), 0);
    EXPECT_EQ(RadioSetBaudRate(57600), 0);
    serialPort = port;
}

TEST_F(V2RadioCommands, LateWrongAndDamagedRepliesAreNeverTakenAsTheAnswer) {
    const QByteArray image = pattern(3);
    radio.setImage(image);
    uint8_t block[BLOCK_BYTES];

    // Late replies: each arrives after its own wait and must not answer the next request.
    SecondGenRadio::Faults faults;
    faults.replyDelayMs = 320;
    radio.setFaults(faults);
    EXPECT_EQ(RadioReadBlock(0, block), -1);
    EXPECT_EQ(RadioReadBlock(16, block), -1); // block 0's reply arrives during this wait
    radio.setFaults({});
    QThread::msleep(400);
    ASSERT_EQ(RadioReadBlock(32, block), 16);
    EXPECT_EQ(bytes(block, 16), blockAt(image, 32));
    uint8_t value = 0;
    faults.replyDelayMs = 300;
    radio.setFaults(faults);
    EXPECT_EQ(RadioReadByte(100, value), -1);
    radio.setFaults({});
    EXPECT_EQ(RadioReadByte(101, value), 0); // byte 100's reply comes while this waits
    EXPECT_EQ(value, uint8_t(image[101]));

    // Replies for another address or with a bad checksum look like no reply.
    faults = {};
    faults.wrongAddress = true;
    radio.setFaults(faults);
    EXPECT_EQ(RadioReadBlock(64, block), -1);
    EXPECT_EQ(RadioReadByte(5, value), -1);
    faults = {};
    faults.badChecksum = true;
    radio.setFaults(faults);
    EXPECT_EQ(RadioReadBlock(64, block), -1);
    EXPECT_EQ(RadioConnect(), 0);

    // Noise between frames changes nothing.
    faults = {};
    faults.noise = true;
    radio.setFaults(faults);
    for (int address = 0; address < 256; address += BLOCK_BYTES) {
        ASSERT_EQ(RadioReadBlock(address, block), 16);
        ASSERT_EQ(bytes(block, 16), blockAt(image, address));
    }
    char version[VERSION_BUFFER];
    EXPECT_EQ(RadioGetVersion(version), 1);
    EXPECT_STREQ(version, "Korvan v2.02a");

    // A radio that stops after some blocks.
    faults = {};
    faults.stopAfterBlocks = 3;
    radio.setFaults(faults);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(RadioReadBlock(i * 16, block), 16);
    EXPECT_EQ(RadioReadBlock(48, block), -1);
    EXPECT_EQ(RadioConnect(), 0);
}

// The radio misses the request; what comes back answers another one, and then nothing.
TEST_F(V2RadioCommands, ALateReplyToAnotherRequestAnswersNoCommand) {
    QByteArray blockAt0x50(BLOCK_DATA, '\0');
    blockAt0x50[BLOCK_BYTES] = char(0x50);
    uint8_t value = 0, rssi = 0, noise = 0, block[BLOCK_BYTES] = {};
    int channel = 0;
    char version[VERSION_BUFFER];
    const struct {
        const char* request;
        QByteArray lateReply;
        std::function<bool()> answered;
    } cases[] = {
        {"write byte, reply for the next address", reply(CMD_WRITE_BYTE, 0x101, 5),
         [] { return RadioWriteByte(0x100, 5) == 0; }},
        {"write byte, read reply for its address", reply(CMD_READ_BYTE, 0x100, 5),
         [] { return RadioWriteByte(0x100, 5) == 0; }},
        {"read byte, write reply for its address", reply(CMD_WRITE_BYTE, 0x100, 5),
         [&] { return RadioReadByte(0x100, value) == 0; }},
        {"set baud, echo of another rate", reply(CMD_SET_BAUD, 19200),
         [] { return RadioSetBaudRate(57600) == 1; }},
        {"connect, key frame", reply(CMD_CONNECT, 0, 0, SecondGenRadio::SYNC_KEY),
         [] { return RadioConnect() == 1; }},
        {"meter, channel reply", reply(CMD_GET_CHANNEL, 7),
         [&] { return RadioMeterRead(rssi, noise) == 0; }},
        {"channel, meter reply", reply(CMD_METER, METER_READ, 9),
         [&] { return RadioGetChannel(channel) == 0; }},
        {"version, byte reply", reply(CMD_READ_BYTE, 2, 0x0C),
         [&] { return RadioGetVersion(version) == 1; }},
        {"read block, another block", SecondGenRadio::frame(blockAt0x50, CMD_READ_BLOCK, true),
         [&] { return RadioReadBlock(0x40, block) == BLOCK_BYTES; }},
        {"write block, byte reply", reply(CMD_WRITE_BYTE, 0x40),
         [&] { return RadioWriteBlock(0x40, block) == 0; }},
    };
    for (const auto& c : cases) {
        SecondGenRadio::Faults faults;
        faults.lateReply = c.lateReply;
        radio.setFaults(faults);
        radio.clearFrames();
        EXPECT_FALSE(c.answered()) << c.request;
        EXPECT_EQ(radio.frames().size(), 1) << c.request << ": the request went out";
    }
    EXPECT_EQ(serialPort->BaudRate(), 9600) << "an unanswered set-baud falls back";
    EXPECT_EQ(radio.byteAt(0x100), 0) << "the radio never wrote";
}

TEST_F(V2RadioCommands, AnEightKilobyteRadioReportsItsSize) {
    radio.setImage(pattern(4));
    radio.setSize(8192);
    uint8_t value = 0;
    EXPECT_EQ(RadioReadByte(128, value), 0);
    EXPECT_EQ(value, 8);
    uint8_t first[BLOCK_BYTES], mirrored[BLOCK_BYTES];
    EXPECT_EQ(RadioReadBlock(0x0100, first), 16);
    EXPECT_EQ(RadioReadBlock(0x2100, mirrored), 16);
    EXPECT_EQ(bytes(first, 16), bytes(mirrored, 16));
    radio.setSize(16384);
    EXPECT_EQ(RadioReadByte(128, value), 0);
    EXPECT_EQ(value, 16);
}
