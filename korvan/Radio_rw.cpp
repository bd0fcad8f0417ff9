#include "Radio_rw.h"

#include "Controls.h"
#include "Rs232_com.h"
#include "Ser_com.h"

#include "platform/Host.h"
#include "platform/RadioUpdate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <thread>

TfrmReadWrite* frmReadWrite = nullptr;

namespace {

const QString CANCEL_CAPTION = QStringLiteral("Cancel");
const QString CLOSE_CAPTION = QStringLiteral("Close");
constexpr int SETTLE_LIMIT_MS = 3000; // a cancelled job ends within a poll or a send

} // namespace

TfrmReadWrite::TfrmReadWrite(QWidget* parent) : Form(parent) {
    setObjectName(QStringLiteral("frmReadWrite"));
    setWindowTitle(QStringLiteral("Reading / writing to radio"));
    setModal(true);

    lblAction = new QLabel(this);
    lblAction->setObjectName(QStringLiteral("lblAction"));
    gaugeProgress = controls::progressBar(this);
    gaugeProgress->setObjectName(QStringLiteral("gaugeProgress"));
    btnCancel = forms::button(CANCEL_CAPTION, this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblAction);
    layout->addWidget(gaugeProgress);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    timer_rw = new QTimer(this);
    timer_rw->setInterval(500);
    connect(timer_rw, &QTimer::timeout, this, &TfrmReadWrite::timer_rwTimer);
    timer_rw->start();
    connect(btnCancel, &QPushButton::clicked, this, &TfrmReadWrite::btnCancelClick);
}

TfrmReadWrite::~TfrmReadWrite() {
    if (frmReadWrite == this)
        frmReadWrite = nullptr;
}

int TfrmReadWrite::RunJob(int start, int end, int mode) {
    return Run(start, end, mode, false);
}

int TfrmReadWrite::ProbeJob(int start, int end) {
    return Run(start, end, MODE_READ, true);
}

int TfrmReadWrite::Run(int start, int end, int mode, bool probing) {
    if (start < 0 || end >= BUFFER_SIZE || start > end ||
        (mode != MODE_READ && mode != MODE_WRITE)) {
        Mode = MODE_FAILED;
        return Mode;
    }
    frmSerial->EnsurePortOpen(); // a lead pulled out and back in since the last job, say
    Probing = probing;
    StartAddress = start;
    EndAddress = end;
    ++jobNumber;
    Mode = mode;
    exec();
    WaitForWorker();
    return Mode;
}

void TfrmReadWrite::FormShow() {
    btnCancel->setText(CANCEL_CAPTION);
    gaugeProgress->setValue(0);
    TimeoutTicks = 0;
    RetriesLeft = 0;
    const int mode = Mode;
    if (mode == MODE_READ) {
        setWindowTitle(QStringLiteral("Reading from radio"));
        lblAction->setText(QStringLiteral("Reading data from radio."));
    } else if (mode == MODE_WRITE) {
        setWindowTitle(QStringLiteral("Writing to radio"));
        lblAction->setText(QStringLiteral("Writing data to radio."));
    }
    if (mode != MODE_READ && mode != MODE_WRITE)
        return;
    if (!rs232Thread) {
        // No port is open, so no worker will ever answer: say so at once.
        Mode = MODE_FAILED;
        ShowFailure(QStringLiteral("Can't find Radio. Check COM port and leads."), true);
        return;
    }
    (mode == MODE_READ ? ReadState : WriteState) = 1;
}

void TfrmReadWrite::timer_rwTimer() {
    int ticks = TimeoutTicks;
    while (ticks > 0 && !TimeoutTicks.compare_exchange_weak(ticks, ticks - 1)) {
    }
}

void TfrmReadWrite::btnCancelClick() {
    reject();
}

// Cancel, Escape and the window's close box all come here: while the job runs, every
// job state that is not idle becomes 46 and the worker ends the job.
void TfrmReadWrite::reject() {
    if (btnCancel->text() == CANCEL_CAPTION) {
        CancelState(ReadState);
        CancelState(WriteState);
    }
    Form::reject();
}

void TfrmReadWrite::CancelState(std::atomic<int>& state) {
    int current = state;
    while (current != 0 && !state.compare_exchange_weak(current, STATE_CANCELLED)) {
    }
}

// After the dialog closed, give the worker the moment it needs to end a cancelled job, so
// the caller sees the job's final Mode.
void TfrmReadWrite::WaitForWorker() {
    const auto limit =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(SETTLE_LIMIT_MS);
    while (rs232Thread && (Mode == MODE_READ || Mode == MODE_WRITE) &&
           std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

void TfrmReadWrite::PostToDialog(std::function<void()> change) {
    const int job = jobNumber;
    platform::PostCall(this, [this, job, change = std::move(change)] {
        if (jobNumber == job)
            change();
    });
}

void TfrmReadWrite::PostProgress(int percent) {
    PostToDialog([this, percent] { gaugeProgress->setValue(percent); });
}

void TfrmReadWrite::ShowFailure(const QString& message, bool beep) {
    PostToDialog([this, message, beep] {
        if (beep)
            platform::host().beep();
        btnCancel->setText(CLOSE_CAPTION);
        lblAction->setText(message);
    });
}

void TfrmReadWrite::Finish() {
    gaugeProgress->setValue(100);
    platform::host().beep();
    btnCancel->setText(CLOSE_CAPTION);
    accept();
}
