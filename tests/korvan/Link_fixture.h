#pragma once
// Forms and a simulated radio for tests that talk to a radio: a scripted host, the main
// window, the job dialog and the serial holder (frmBelmar, frmReadWrite, frmSerial), and a
// FirstGenRadio on COM9 with the port open and the worker running.

#include "support/FirstGenRadio.h"

#include "platform/ScriptedHost.h"

#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class LinkFixture : public ::testing::Test {
protected:
    static constexpr int RADIO_PORT = 9;

    struct JobOutcome {
        QString message;       // lblAction when the job dialog showed "Close" (a failure)
        bool watchdog = false; // the time limit ran out and the dialog was cancelled
    };

    void SetUp() override;
    void TearDown() override;

    // Calls `start` (which shows the job dialog modally) and answers the dialog: a failure
    // display is read and closed; `duringJob` runs every 10 ms while the dialog is up; after
    // `limitMs` the dialog is cancelled and the outcome says so.
    JobOutcome runJob(const std::function<void()>& start, int limitMs = 20000,
                      const std::function<void()>& duringJob = {});
    // Runs a job of frmReadWrite over start..end and returns its outcome and Mode.
    JobOutcome runJob(int start, int end, int mode, int* finalMode, int limitMs = 20000);

    // A reproducible image of pseudo-random bytes.
    static QByteArray pattern(int seed);
    QByteArray image() const;
    void setImage(const QByteArray& bytes);

    platform::ScriptedHost host;
    testsupport::FirstGenRadio radio;
};
