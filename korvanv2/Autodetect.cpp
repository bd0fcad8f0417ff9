#include "Autodetect.h"

#include "Serial.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

TfrmAutoDetect* frmAutoDetect = nullptr;

TfrmAutoDetect::TfrmAutoDetect(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("AutoDetect"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFixedSize(300, Memo1->fontMetrics().lineSpacing() * 5);
    btnClose = forms::button(QStringLiteral("Close"), this);
    connect(btnClose, &QPushButton::clicked, this, &TfrmAutoDetect::btnCloseClick);
    TimerAutoDetect = new QTimer(this);
    connect(TimerAutoDetect, &QTimer::timeout, this, &TfrmAutoDetect::TimerAutoDetectTimer);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1);
    layout->addWidget(btnClose, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmAutoDetect::FormShow() {
    btnClose->setText(QStringLiteral("Cancel"));
    btnClose->setFocus();
    currentPort = 1;
    foundPort = 0;
    Memo1->clear();
    TimerAutoDetect->setInterval(TICK_MS);
    TimerAutoDetect->start();
}

void TfrmAutoDetect::TimerAutoDetectTimer() {
    Memo1->clear();
    if (currentPort > LAST_PORT) {
        foundPort = 0;
        TimerAutoDetect->stop();
        for (const char* line :
             {"Radio not found.", "Ensure radio is switched on.", "Check programming leads."})
            Memo1->appendPlainText(QString::fromLatin1(line));
        Finish();
        return;
    }
    Memo1->appendPlainText(QStringLiteral("Checking COM") + QString::number(currentPort));
    Memo1->repaint();
    if (!ProbePort(currentPort)) {
        ++currentPort;
        return;
    }
    TimerAutoDetect->stop();
    Memo1->clear();
    Memo1->appendPlainText(QStringLiteral("Radio found on COM") + QString::number(currentPort));
    Memo1->appendPlainText(QString::fromLatin1(probeVersion));
    foundPort = currentPort;
    Finish();
}

void TfrmAutoDetect::Finish() {
    btnClose->setText(QStringLiteral("Close"));
    btnClose->setFocus();
}

bool TfrmAutoDetect::ProbePort(int n) {
    if (!serialPort)
        return false;
    serialPort->Stop();
    serialPort->Close();
    const bool opened = serialPort->Open(QStringLiteral("COM") + QString::number(n), 9600);
    serialPort->Start();
    std::memset(probeVersion, 0, sizeof probeVersion);
    if (!opened || RadioGetVersion(probeVersion) != 1)
        return false;
    probeVersion[sizeof probeVersion - 1] = 0;
    ParseRadioVersion(probeVersion, probeInfo);
    return std::strcmp(probeInfo.model, "Korvan") == 0;
}

// Stops a search in progress; a port found so far stays found.
void TfrmAutoDetect::btnCloseClick() {
    TimerAutoDetect->stop();
    done(mrOk);
}

void TfrmAutoDetect::reject() {
    btnCloseClick();
}
