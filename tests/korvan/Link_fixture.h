#pragma once
// The program's forms (KorvanFixture) and a simulated radio on COM9, with the port open and
// the serial worker running, for tests that talk to a radio.
//
//   TEST_F(LinkFixture, Something) {
//       radio.setMemory(pattern(1));
//       int mode = 0;
//       runJob(0, 47, TfrmReadWrite::MODE_READ, &mode);
//       EXPECT_EQ(image().left(48), pattern(1).left(48));
//   }

#include "Korvan_fixture.h"
#include "support/FirstGenRadio.h"

#include <QString>
#include <functional>

class LinkFixture : public KorvanFixture {
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

    testsupport::FirstGenRadio radio;
};
