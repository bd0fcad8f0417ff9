#pragma once
// A simulated second-generation radio on COM4 and the global serialPort open on it with its
// threads running, for tests that talk to a radio through the command functions.
//
//   TEST_F(V2LinkFixture, Something) {
//       radio.setByte(40, 0x90);
//       uint8_t value = 0;
//       EXPECT_EQ(RadioReadByte(40, value), 0);
//   }

#include "Serial.h"
#include "support/SecondGenRadio.h"

#include <QByteArray>
#include <gtest/gtest.h>

class V2LinkFixture : public ::testing::Test {
protected:
    static constexpr int RADIO_PORT = 4;

    void SetUp() override {
        ASSERT_TRUE(radio.isRunning());
        radio.mapToPort(RADIO_PORT);
        serialPort = new SerialPort;
        ASSERT_TRUE(serialPort->Open(QStringLiteral("COM%1").arg(RADIO_PORT), 9600));
        ASSERT_TRUE(serialPort->Start());
    }

    void TearDown() override {
        delete serialPort;
        serialPort = nullptr;
    }

    // A reproducible image of pseudo-random bytes, escape values among them.
    static QByteArray pattern(int seed, int size = testsupport::SecondGenRadio::IMAGE_SIZE) {
        QByteArray bytes(size, '\0');
        uint32_t state = uint32_t(seed) * 2654435761u + 1;
        for (int i = 0; i < size; ++i) {
            state = state * 1103515245u + 12345u;
            bytes[i] = char(state >> 16);
        }
        for (int i = 0; i < size; i += 37) // plenty of bytes that need escaping
            bytes[i] = char(i % 3 == 0 ? 0x7E : i % 3 == 1 ? 0xAA : 0xCC);
        return bytes;
    }

    testsupport::SecondGenRadio radio;
};
