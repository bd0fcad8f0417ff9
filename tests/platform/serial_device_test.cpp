#include "platform/SerialDevice.h"
#include "support/Pty.h"
#include "support/Waits.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

using platform::SerialDevice;
using testsupport::PtyPair;

TEST(SerialDevice, ComNumbersMapThroughSettingsOrToTtyS) {
    EXPECT_EQ(SerialDevice::devicePathForPort(0), QString());
    EXPECT_EQ(SerialDevice::devicePathForPort(257), QString());
    EXPECT_EQ(SerialDevice::devicePathForPort(1), "/dev/ttyS0");
    EXPECT_EQ(SerialDevice::devicePathForPort(256), "/dev/ttyS255");
    testsupport::mapComPort(3, "/dev/pts/77");
    EXPECT_EQ(SerialDevice::devicePathForPort(3), "/dev/pts/77");
    EXPECT_EQ(SerialDevice::devicePathForPort(4), "/dev/ttyS3");
}

TEST(SerialDevice, BytesCrossThePseudoTerminalBothWays) {
    PtyPair pty;
    ASSERT_TRUE(pty.isOpen());
    pty.spoilLine();
    ASSERT_EQ(pty.lineSettings().rate, 1200);
    ASSERT_FALSE(pty.lineSettings().raw8N1);
    SerialDevice device;
    ASSERT_TRUE(device.open(pty.slavePath())) << device.errorText().toStdString();
    EXPECT_EQ(device.baudRate(), 9600);
    EXPECT_EQ(pty.lineSettings().rate, 9600) << "as the far side sees the line";
    EXPECT_TRUE(pty.lineSettings().raw8N1);

    const uint8_t frame[] = {0x00, 0x00, 0x23, 0x01, 0xDB, 0x04, 0xCC};
    EXPECT_EQ(device.writeAll(frame, sizeof frame), int(sizeof frame));
    EXPECT_EQ(pty.receive(sizeof frame, testsupport::WAIT_LIMIT_MS),
              QByteArray(reinterpret_cast<const char*>(frame), 7));

    uint8_t buffer[16];
    EXPECT_EQ(device.readAvailable(buffer, sizeof buffer), 0) << "nothing waits yet";
    ASSERT_TRUE(pty.send(QByteArray("\x01\xFF\xCC", 3)));
    EXPECT_EQ(device.waitReadable(2000), SerialDevice::Wait::Readable);
    EXPECT_EQ(device.readAvailable(buffer, sizeof buffer), 3);
    EXPECT_EQ(buffer[2], 0xCC);
}

TEST(SerialDevice, RatesOutsideTheFourAreRefusedAndKeepTheLine) {
    PtyPair pty;
    SerialDevice device;
    ASSERT_TRUE(device.open(pty.slavePath()));
    for (int rate : {19200, 38400, 57600, 9600}) {
        EXPECT_TRUE(device.setBaudRate(rate));
        EXPECT_EQ(device.baudRate(), rate);
        EXPECT_EQ(pty.lineSettings().rate, rate);
        EXPECT_TRUE(pty.lineSettings().raw8N1) << rate;
    }
    EXPECT_TRUE(device.setBaudRate(38400));
    EXPECT_FALSE(device.setBaudRate(4800));
    EXPECT_FALSE(device.setBaudRate(115200));
    EXPECT_EQ(device.baudRate(), 38400);
    EXPECT_EQ(pty.lineSettings().rate, 38400);
    EXPECT_TRUE(pty.lineSettings().raw8N1);
}

TEST(SerialDevice, OpenFailsCleanlyForAbsentBusyAndNonSerialPaths) {
    SerialDevice device;
    EXPECT_FALSE(device.open("/dev/does-not-exist-korvan"));
    EXPECT_FALSE(device.isOpen());
    EXPECT_FALSE(device.errorText().isEmpty());

    QTemporaryDir dir;
    const QString plainFile = dir.filePath("not-a-port");
    FILE* f = fopen(plainFile.toLocal8Bit().constData(), "w");
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_FALSE(device.open(plainFile));
    EXPECT_TRUE(device.errorText().contains("not a serial device"));

    PtyPair pty;
    SerialDevice first, second;
    ASSERT_TRUE(first.open(pty.slavePath()));
    EXPECT_FALSE(second.open(pty.slavePath())) << "the port is exclusive";

    uint8_t byte = 0;
    EXPECT_EQ(device.readAvailable(&byte, 1), -1) << "closed port";
    EXPECT_EQ(device.writeAll(&byte, 1), -1);
}

TEST(SerialDevice, PulledLeadIsReportedNotHung) {
    PtyPair pty;
    SerialDevice device;
    ASSERT_TRUE(device.open(pty.slavePath()));
    EXPECT_FALSE(device.hasDropped());
    pty.hangUp();
    EXPECT_EQ(device.waitReadable(2000), SerialDevice::Wait::Failed);
    uint8_t buffer[4];
    EXPECT_EQ(device.readAvailable(buffer, sizeof buffer), -1);
    EXPECT_TRUE(device.hasDropped());

    PtyPair replugged;
    ASSERT_TRUE(device.open(replugged.slavePath()));
    EXPECT_FALSE(device.hasDropped()) << "a fresh open starts with the line up";
}

TEST(SerialDevice, StopWakesAWaitingReader) {
    PtyPair pty;
    SerialDevice device;
    ASSERT_TRUE(device.open(pty.slavePath()));
    EXPECT_EQ(device.waitReadable(20), SerialDevice::Wait::TimedOut);
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        device.stop();
    });
    EXPECT_EQ(device.waitReadable(5000), SerialDevice::Wait::Stopped);
    stopper.join();
    device.clearStop();
    EXPECT_EQ(device.waitReadable(20), SerialDevice::Wait::TimedOut);
}
