// The serial port holder: opening by COM number, and every request frame byte for byte on
// the far side of a pseudo-terminal.

#include "Korvan_fixture.h"
#include "Main.h"
#include "Rs232_com.h"
#include "Ser_com.h"
#include "support/Pty.h"
#include "support/Waits.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int PTY_PORT = 11;

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

class SerialHolder : public KorvanFixture {
protected:
    // What one builder puts on the line.
    QByteArray sent(const std::function<int()>& build, int expectedCount) {
        EXPECT_EQ(build(), expectedCount);
        return pty.receive(expectedCount, testsupport::WAIT_LIMIT_MS);
    }

    testsupport::PtyPair pty;
};

} // namespace

TEST_F(SerialHolder, EveryBuilderSendsItsFrameThroughTheMappedComPort) {
    testsupport::mapComPort(PTY_PORT, pty.slavePath());
    pty.spoilLine();
    ASSERT_TRUE(frmSerial->OpenPort(PTY_PORT));
    EXPECT_EQ(frmSerial->PortOpen, 1);
    EXPECT_EQ(pty.lineSettings().rate, 9600);
    EXPECT_TRUE(pty.lineSettings().raw8N1);
    EXPECT_NE(rs232Thread, nullptr);
    TfrmSerial& s = *frmSerial;

    frmBelmar->LinkStatus = 0x3;
    EXPECT_EQ(sent([&] { return s.SendConnect(); }, 7), hex("00000000ff01cc"));
    EXPECT_EQ(frmBelmar->LinkStatus, 0x2u) << "connect clears bit 0 only";
    EXPECT_EQ(sent([&] { return s.SendGetVersion(); }, 7), hex("00000000ff02cc"));
    EXPECT_EQ(sent([&] { return s.SendDisconnect(); }, 7), hex("00000000ff03cc"));
    EXPECT_EQ(sent([&] { return s.SendReadBlock(0x0123); }, 7), hex("00002301db04cc"));
    EXPECT_EQ(sent([&] { return s.SendReadBlock(0x12345); }, 7), hex("000045239704cc"))
        << "only the low 16 bits of the address go out";
    EXPECT_EQ(sent([&] { return s.SendReadLocation(0x0123); }, 7), hex("00002301db06cc"));
    EXPECT_EQ(sent([&] { return s.SendWriteLocation(0x0123, 0x5A); }, 7), hex("5a0023018107cc"));
    EXPECT_EQ(sent([&] { return s.SendMeterRead(); }, 7), hex("00000600f90acc"));
    EXPECT_EQ(sent([&] { return s.SendMeterCalLow(); }, 7), hex("00000200fd0acc"));
    EXPECT_EQ(sent([&] { return s.SendMeterCalHigh(); }, 7), hex("00000300fc0acc"));
    EXPECT_EQ(sent([&] { return s.SendGetDisplay(); }, 7), hex("00000000ff1acc"));
    EXPECT_EQ(sent([&] { return s.SendWriteByte(0x0123, 0x5A); }, 7), hex("5a0023018147cc"));
    EXPECT_EQ(sent([&] { return s.SendKey(0x30); }, 4), hex("30cf04aa"));

    // Block data runs from the highest address down: bytes 00..07 at 0x230.
    for (int i = 0; i < 8; ++i)
        frmBelmar->RadioData[0x230 + i] = uint8_t(i);
    EXPECT_EQ(sent([&] { return s.SendWriteBlock(0x230); }, 13), hex("07060504030201003002b105cc"));
    // The last whole block is the highest a block write may start at.
    EXPECT_EQ(s.SendWriteBlock(IMAGE_SIZE - 7), 0);
    EXPECT_EQ(sent([&] { return s.SendWriteBlock(IMAGE_SIZE - 8); }, 13).size(), 13);

    const uint8_t two[] = {1, 2};
    EXPECT_EQ(TfrmSerial::Checksum(two, 2), 0xFC);
    EXPECT_EQ(TfrmSerial::Checksum(two, 0), 0xFF);
    EXPECT_EQ(TfrmSerial::Checksum(nullptr, -3), 0xFF);

    // Rates: the four are taken, anything else leaves the line as it was.
    EXPECT_TRUE(s.SetBaudRate(38400));
    EXPECT_FALSE(s.SetBaudRate(4800));
    EXPECT_EQ(s.device.baudRate(), 38400);
    EXPECT_EQ(pty.lineSettings().rate, 38400);
    EXPECT_TRUE(pty.lineSettings().raw8N1);

    s.ClosePort();
    EXPECT_EQ(s.PortOpen, 0);
    EXPECT_EQ(rs232Thread, nullptr);
    EXPECT_EQ(s.SendConnect(), 0) << "a closed port sends nothing";
    s.ClosePort(); // a second close does nothing
}

TEST_F(SerialHolder, PortsThatCannotBeOpenedFailCleanly) {
    EXPECT_FALSE(frmSerial->OpenPort(0));
    EXPECT_FALSE(frmSerial->OpenPort(257));
    EXPECT_FALSE(frmSerial->OpenPort(-5));
    // COM200 is not mapped: /dev/ttyS199, which does not exist here.
    EXPECT_FALSE(frmSerial->OpenPort(200));
    // A COM number mapped to a plain file.
    QTemporaryDir dir;
    const QString plain = dir.filePath("not-a-port");
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    testsupport::mapComPort(12, plain);
    EXPECT_FALSE(frmSerial->OpenPort(12));
    // A port that another program holds.
    testsupport::mapComPort(PTY_PORT, pty.slavePath());
    platform::SerialDevice other;
    ASSERT_TRUE(other.open(pty.slavePath()));
    EXPECT_FALSE(frmSerial->OpenPort(PTY_PORT));

    EXPECT_EQ(frmSerial->PortOpen, 0);
    EXPECT_EQ(rs232Thread, nullptr);
    EXPECT_EQ(frmSerial->SendGetVersion(), 0);
    other.close();
    EXPECT_TRUE(frmSerial->OpenPort(PTY_PORT)) << "free again";
}
