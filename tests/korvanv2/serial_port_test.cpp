// The serial port object on a pseudo-terminal: open, start, stop, close, the reply wait and
// what happens when the line drops.
#include "Protocol.h"
#include "Serial.h"
#include "Tarq_1.h"
#include "V2_link_fixture.h"
#include "support/Pty.h"
#include "support/Waits.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

using testsupport::PtyPair;
using testsupport::SecondGenRadio;

TEST(V2SerialPort, ClosedPortRefusesEverything) {
    SerialPort port;
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Stop());
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(port.Start());
    EXPECT_FALSE(port.SetBaudRate(9600));
    EXPECT_EQ(port.GetHandle(), nullptr);
    EXPECT_EQ(port.PortName(), QStringLiteral("COM1"));
    EXPECT_EQ(port.BaudRate(), 9600);
    const uint8_t request[3] = {0xFF, 1, 0xCC};
    EXPECT_EQ(port.Send(request, 3), -1);
    uint8_t reply[SerialPort::FRAME_STORE];
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(port.Receive(reply), -1);
    EXPECT_GE(clock.elapsed(), 240);
    // Never opened: nothing to reopen (and no real port is tried).
    EXPECT_FALSE(port.EnsurePortOpen());
    // A name that is no COM port, and a COM port beyond 256, open nothing.
    EXPECT_FALSE(port.Open(QStringLiteral("LPT1"), 9600));
    EXPECT_FALSE(port.Open(QStringLiteral("COM257"), 9600));
    EXPECT_FALSE(port.IsOpen());
}

TEST(V2SerialPort, OpenTwiceFailsWithError2AndTheFirstStaysUsable) {
    PtyPair line;
    testsupport::mapComPort(5, line.slavePath());
    SerialPort port;
    ASSERT_TRUE(port.Open(QStringLiteral("COM5"), 19200));
    EXPECT_EQ(port.LastError(), 0);
    EXPECT_FALSE(port.Open(QStringLiteral("COM5"), 9600));
    EXPECT_EQ(port.LastError(), 2);
    EXPECT_EQ(port.PortName(), QStringLiteral("COM5"));
    ASSERT_TRUE(port.Start());
    EXPECT_EQ(port.BaudRate(), 19200);
    EXPECT_NE(port.GetHandle(), nullptr);

    // Bytes queued for the writer go out whole, beyond one 512-byte write.
    QByteArray many(900, '\0');
    for (int i = 0; i < many.size(); ++i)
        many[i] = char(i);
    EXPECT_EQ(port.Send(reinterpret_cast<const uint8_t*>(many.constData()), 900), 900);
    EXPECT_EQ(line.receive(900, testsupport::WAIT_LIMIT_MS), many);

    // A reply within the wait comes out as recognised; a second Receive finds nothing.
    ASSERT_TRUE(line.send(SecondGenRadio::frame(QByteArray::fromHex("00000102"), CMD_READ_BYTE)));
    uint8_t reply[SerialPort::FRAME_STORE];
    EXPECT_EQ(port.Receive(reply), 7);
    EXPECT_EQ(reply[1], CMD_READ_BYTE);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(port.Receive(reply), -1);
    EXPECT_GE(clock.elapsed(), 240);

    // A frame that waited unread is dropped by the next request.
    ASSERT_TRUE(line.send(SecondGenRadio::frame(QByteArray(4, '\0'), CMD_CONNECT)));
    QThread::msleep(100);
    const uint8_t request[7] = {0, 0, 0, 0, 0xFF, 2, 0xCC};
    EXPECT_EQ(port.Send(request, 7), 7);
    EXPECT_EQ(port.Receive(reply), -1);

    EXPECT_TRUE(port.Stop());
    EXPECT_TRUE(port.Stop()); // stopped again: still open, still true
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(port.Start());
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Close());
    // Closed, the port can be opened again.
    EXPECT_TRUE(port.Open(QStringLiteral("COM5"), 9600));
}

using V2SerialLine = V2LinkFixture;

TEST_F(V2SerialLine, HangUpMidRequestNeverHangsAndThePortReopens) {
    SecondGenRadio::Faults faults;
    faults.hangUpAfterBlocks = 2;
    radio.setFaults(faults);
    uint8_t block[BLOCK_BYTES];
    EXPECT_EQ(RadioReadBlock(0, block), 16);
    EXPECT_EQ(RadioReadBlock(16, block), 16);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(RadioReadBlock(32, block), -1);
    // Stop returns at once although the line is gone; the threads do not start on it.
    EXPECT_TRUE(serialPort->Stop());
    EXPECT_FALSE(serialPort->Start());
    // While the radio stays away each request tries the port again and fails at once.
    char version[VERSION_BUFFER];
    EXPECT_EQ(RadioGetVersion(version), 0);
    uint8_t value = 0;
    EXPECT_EQ(RadioReadByte(1, value), -1);
    EXPECT_FALSE(serialPort->IsOpen());
    EXPECT_LT(clock.elapsed(), testsupport::WAIT_LIMIT_MS) << "no request hangs";

    // The next request itself opens it again, whichever dialog makes it.
    SecondGenRadio replacement;
    replacement.mapToPort(RADIO_PORT);
    EXPECT_EQ(RadioGetVersion(version), 1);
    EXPECT_STREQ(version, "Korvan v2.02a");
    EXPECT_TRUE(serialPort->EnsurePortOpen()); // nothing to do on a good line
    // The radio answers before it records what it heard.
    EXPECT_TRUE(
        replacement.waitForFrames(SecondGenRadio::GET_VERSION, 1, testsupport::WAIT_LIMIT_MS));
    EXPECT_EQ(replacement.count(SecondGenRadio::GET_VERSION), 1);
}
