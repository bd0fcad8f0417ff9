#pragma once
// Fixture for the alignment and engineering dialogs: every form of the program, and a
// simulated first-generation radio on the serial port that the program has opened.

#include "Korvan_fixture.h"
#include "Ser_com.h"
#include "support/FirstGenRadio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>

class TuningFixture : public KorvanFixture {
protected:
    static constexpr int PORT = 7;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(KorvanFixture::SetUp());
        ASSERT_TRUE(radio.isRunning());
        radio.mapToPort(PORT);
        ASSERT_TRUE(frmSerial->OpenPort(PORT));
    }
    void TearDown() override {
        frmSerial->ClosePort();
        KorvanFixture::TearDown();
    }

    // Runs the event loop for `ms` (lets the worker and queued updates arrive).
    static void Pump(int ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    // Data byte 0 of every key frame the radio heard, in order.
    QList<int> KeysHeard() const {
        QList<int> keys;
        for (const testsupport::RadioFrame& frame : radio.frames())
            if (frame.sync == testsupport::FirstGenRadio::SYNC_KEY)
                keys.append(uint8_t(frame.data[0]));
        return keys;
    }

    // (address, value) of every single-byte write the radio heard, in order.
    QList<QPair<int, int>> ByteWritesHeard() const {
        QList<QPair<int, int>> writes;
        for (const testsupport::RadioFrame& frame : radio.frames())
            if (frame.sync == testsupport::FirstGenRadio::SYNC_CMD &&
                frame.command == CMD_WRITE_BYTE)
                writes.append({frame.address(), uint8_t(frame.data[0])});
        return writes;
    }

    testsupport::FirstGenRadio radio;
};
