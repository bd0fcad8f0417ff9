// Reads a whole 16 KiB image from the simulated second-generation radio, paced at the line
// rate, at 57600 baud through the transfer worker, and prints the time and its ratio to the
// bytes' own time on the wire.

#include "Eeprom.h"
#include "Protocol.h"
#include "Radio_rw.h"
#include "Serial.h"
#include "Tarq_1.h"
#include "support/SecondGenRadio.h"

#include "platform/ScriptedHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

namespace {

constexpr int RATE = 57600;
constexpr int PORT = 9;

// Bytes on the line for one block: the request and the reply, escapes included.
int WireBytes(const QByteArray& image) {
    int bytes = 0;
    for (int address = 0; address < EEPROM::SIZE; address += 16) {
        uint8_t request[MAX_FRAME];
        const uint8_t data[4] = {0, 0, uint8_t(address & 0xFF), uint8_t(address >> 8)};
        bytes += BuildFrame(request, data, 4, CMD_READ_BLOCK, SYNC_CMD, true);
        uint8_t reply[18];
        for (int i = 0; i < 16; ++i)
            reply[i] = uint8_t(image[address + 15 - i]);
        reply[16] = data[2];
        reply[17] = data[3];
        uint8_t frame[MAX_FRAME];
        bytes += BuildFrame(frame, reply, 18, CMD_READ_BLOCK, SYNC_CMD, true);
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    platform::ScriptedHost host;

    testsupport::SecondGenRadio radio;
    QByteArray image(EEPROM::SIZE, '\0');
    for (int i = 0; i < EEPROM::SIZE; ++i)
        image[i] = char((i * 37 + 11) & 0xFF);
    radio.setImage(image);
    radio.setPacing(true);
    radio.mapToPort(PORT);

    serialPort = new SerialPort;
    if (!serialPort->Open(QStringLiteral("COM%1").arg(PORT), 9600) || !serialPort->Start()) {
        std::fprintf(stderr, "cannot open the simulated radio's port\n");
        return 1;
    }
    if (RadioSetBaudRate(RATE) != 1) {
        std::fprintf(stderr, "the radio did not take %d baud\n", RATE);
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    StartReadThread(0, EEPROM::SIZE);
    const int result = WaitTransfer();
    const double seconds = clock.elapsed() / 1000.0;

    const double wireSeconds = WireBytes(image) * 10.0 / RATE;
    const bool equal = std::memcmp(eeprom.data, image.constData(), EEPROM::SIZE) == 0;
    const bool done = result == 0 && equal;
    std::printf("read of %d bytes at %d baud: %s, %.2f s, wire time %.2f s, ratio %.3f\n",
                EEPROM::SIZE, RATE, done ? "done" : "FAILED", seconds, wireSeconds,
                seconds / wireSeconds);
    delete serialPort;
    serialPort = nullptr;
    return done ? 0 : 1;
}
