#pragma once
// The main window of the first-generation programmer: owns the memory image, the
// programming and calibration files, the settings and the radio commands.

#include <QMainWindow>
#include <QString>
#include <atomic>
#include <cstdint>

constexpr int IMAGE_SIZE = 4096;
constexpr int CALIBRATION_SIZE = 48;

class TfrmBelmar : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmBelmar(QWidget* parent = nullptr);
    ~TfrmBelmar() override;

    bool SaveProgrammingFile(const QString& name);
    bool LoadProgrammingFile(const QString& name);
    bool SaveCalibrationFile(const QString& name);
    bool LoadCalibrationFile(const QString& name);
    void ShowRadioType();
    void ShowVersion();
    void OpenComPort();
    void EnableEditing(bool enabled);

    QString DefaultFile;
    QString CurrentFile;
    int RadioReadCount = 0;
    uint8_t RadioData[IMAGE_SIZE] = {};
    std::atomic<uint32_t> LinkStatus{0}; // bit 0: the radio answered the connect command
    int ComPort = 1;
    int maxBdRate = 0;
    QString RadioVersion; // written by the serial worker; read after its job ends
};

extern TfrmBelmar* frmBelmar;
