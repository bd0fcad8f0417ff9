#include "Link_fixture.h"

#include "Main.h"
#include "Radio_rw.h"
#include "Ser_com.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstring>

void LinkFixture::SetUp() {
    ASSERT_NO_FATAL_FAILURE(KorvanFixture::SetUp());
    ASSERT_TRUE(radio.isRunning());
    radio.mapToPort(RADIO_PORT);
    frmBelmar->ComPort = RADIO_PORT;
    ASSERT_TRUE(frmSerial->OpenPort(RADIO_PORT)) << frmSerial->device.errorText().toStdString();
}

void LinkFixture::TearDown() {
    frmSerial->ClosePort(); // the worker stops before the forms go
    KorvanFixture::TearDown();
}

LinkFixture::JobOutcome LinkFixture::runJob(const std::function<void()>& start, int limitMs,
                                            const std::function<void()>& duringJob) {
    JobOutcome outcome;
    QElapsedTimer clock;
    clock.start();
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!frmReadWrite->isVisible())
            return;
        if (frmReadWrite->btnCancel->text() == "Close") {
            outcome.message = frmReadWrite->lblAction->text();
            frmReadWrite->btnCancel->click();
        } else if (clock.elapsed() > limitMs) {
            outcome.watchdog = true;
            frmReadWrite->btnCancel->click();
        } else if (duringJob) {
            duringJob();
        }
    });
    watcher.start();
    start();
    return outcome;
}

LinkFixture::JobOutcome LinkFixture::runJob(int start, int end, int mode, int* finalMode,
                                            int limitMs) {
    int result = 0;
    const JobOutcome outcome =
        runJob([&] { result = frmReadWrite->RunJob(start, end, mode); }, limitMs);
    if (finalMode)
        *finalMode = result;
    return outcome;
}

QByteArray LinkFixture::pattern(int seed) {
    QByteArray bytes(IMAGE_SIZE, '\0');
    uint32_t state = uint32_t(seed) * 2654435761u + 1;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = char(state >> 16);
    }
    return bytes;
}

QByteArray LinkFixture::image() const {
    return QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), IMAGE_SIZE);
}

void LinkFixture::setImage(const QByteArray& bytes) {
    std::memcpy(frmBelmar->RadioData, bytes.constData(), size_t(qMin(bytes.size(), IMAGE_SIZE)));
}
