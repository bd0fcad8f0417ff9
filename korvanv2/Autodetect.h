#pragma once
// "Auto Detect": tries COM1..COM256 in turn, one port per timer tick, until a Korvan answers
// the version request. The main window then takes the found port.

#include "Form.h"
#include "Protocol.h"
#include "Radioabout.h"

class QPlainTextEdit;
class QPushButton;
class QTimer;

class TfrmAutoDetect : public Form {
    Q_OBJECT
public:
    static constexpr int LAST_PORT = 256;
    static constexpr int TICK_MS = 50;

    explicit TfrmAutoDetect(QWidget* parent = nullptr);

    void FormShow() override;
    void TimerAutoDetectTimer();
    void btnCloseClick();
    // 0 when no radio was found.
    int GetFoundPort() const { return foundPort; }
    // Reopens serialPort on COMn at 9600; true when a Korvan answers there.
    bool ProbePort(int n);

    QPlainTextEdit* Memo1;
    QPushButton* btnClose;
    QTimer* TimerAutoDetect;

    int currentPort = 1;
    int foundPort = 0;
    char probeVersion[VERSION_BUFFER] = {};
    version_info_struct probeInfo{};

public slots:
    // Escape stops a search like Close.
    void reject() override;

private:
    void Finish();
};

extern TfrmAutoDetect* frmAutoDetect;
