// Reads the whole 4096-byte image from an instant simulated radio and prints the time and
// the worker's polls per 8-byte block. The pace is set by the 10 ms poll: about 4 polls a
// block (send, reply, next block, new request).

#include "Main.h"
#include "Radio_rw.h"
#include "Rs232_com.h"
#include "Ser_com.h"
#include "support/FirstGenRadio.h"

#include "platform/ScriptedHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::ScriptedHost host;

    testsupport::FirstGenRadio radio;
    QByteArray memory(IMAGE_SIZE, '\0');
    for (int i = 0; i < IMAGE_SIZE; ++i)
        memory[i] = char((i * 37 + 11) & 0xFF);
    radio.setMemory(memory);
    constexpr int port = 9;
    radio.mapToPort(port);

    frmBelmar = new TfrmBelmar;
    frmReadWrite = new TfrmReadWrite(frmBelmar);
    frmSerial = new TfrmSerial(frmBelmar);
    if (!frmSerial->OpenPort(port)) {
        std::fprintf(stderr, "cannot open the simulated radio's port\n");
        return 1;
    }

    const uint32_t pollsBefore = rs232Thread->poll_count;
    QElapsedTimer clock;
    clock.start();
    const int mode = frmReadWrite->RunJob(0, IMAGE_SIZE - 1, TfrmReadWrite::MODE_READ);
    const qint64 elapsed = clock.elapsed();
    const uint32_t polls = rs232Thread->poll_count - pollsBefore;

    const int blocks = IMAGE_SIZE / TfrmReadWrite::BLOCK_SIZE;
    const bool equal = std::memcmp(frmBelmar->RadioData, memory.constData(), IMAGE_SIZE) == 0;
    std::printf(
        "read of %d bytes: %s, %lld ms, %u polls, %.2f polls per block, %.1f ms per block\n",
        IMAGE_SIZE, mode == TfrmReadWrite::MODE_DONE && equal ? "done" : "FAILED",
        static_cast<long long>(elapsed), polls, double(polls) / blocks, double(elapsed) / blocks);

    delete frmSerial;
    delete frmReadWrite;
    delete frmBelmar;
    return mode == TfrmReadWrite::MODE_DONE && equal ? 0 : 1;
}
