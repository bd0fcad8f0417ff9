#pragma once
// Fixture for the alignment and engineering dialogs: every form of the program, and a
// simulated first-generation radio on the serial port that the program has opened.

#include "Korvan_fixture.h"
#include "Ser_com.h"
#include "Tune_radio.h"
#include "support/FirstGenRadio.h"
#include "support/Waits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QList>
#include <QTest>
#include <QTimer>

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

    // Shows the tuning dialog with its timer stopped (the test runs the ticks itself). On
    // line it asks the radio for its display: once the radio has heard that and the reply
    // is on show (a display shown anew reads "0", the radio's two characters), the radio's
    // record starts afresh.
    void ShowTuningDialog(bool online) {
        const int asked = radio.count(CMD_GET_DISPLAY);
        frmTuneRadio->Online = online ? 1 : 0;
        frmTuneRadio->show();
        frmTuneRadio->Timer1->stop();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frmTuneRadio));
        if (online) {
            EXPECT_TRUE(
                radio.waitForFrames(CMD_GET_DISPLAY, asked + 1, testsupport::WAIT_LIMIT_MS));
            EXPECT_TRUE(QTest::qWaitFor([] { return frmTuneRadio->lblChannel->text().size() == 2; },
                                        testsupport::WAIT_LIMIT_MS));
        }
        radio.clearFrames();
    }

    // Waits until the serial worker has found the line gone (the radio hung up).
    static bool WaitForHangUp() {
        return QTest::qWaitFor([] { return frmSerial->device.hasDropped(); },
                               testsupport::WAIT_LIMIT_MS);
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
