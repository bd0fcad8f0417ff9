#pragma once
// Alignment of the radio: edits the 48-byte calibration block at the start of the memory
// image. On-line (the block was just read from the radio) every change is also written to
// the radio at once, and the transmitter, channel, remote keypad and meters work; off-line
// (the block came from a calibration file) changes stay in the image until "Write to Radio".

#include "Cal_table.h"
#include "Image_fields.h"
#include "Rs232_com.h"

#include "Form.h"
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

class HelpPane;
class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTimer;
class QWidget;
class SpinButton;
class UpDown;

using cal::BandPoints;

constexpr int DISPLAY_BYTES = 10;

class TfrmTuneRadio : public Form, public TuningReplySink, public cal::Controls {
    Q_OBJECT
public:
    explicit TfrmTuneRadio(QWidget* parent = nullptr);
    ~TfrmTuneRadio() override;

    // The radio's display as the mirror shows it.
    struct display_data {
        QString channel;                      // 2 characters
        QString lower;                        // 5 characters
        std::array<uint8_t, 13> indicators{}; // SCAN .. SILENT, then the CB flag
    };

    // Set by the hardware dialog and the calibration read job before the dialog opens.
    std::atomic<uint8_t> Online{0};
    // 1 while the dialog is open; the serial worker delivers replies only then.
    std::atomic<uint8_t> LinkActive{0};
    std::atomic<int> Rssi{0};
    std::atomic<int> Noise{0};
    display_data Display;
    uint8_t KeyCode = 0;
    int KeyHoldTicks = 0;
    uint8_t CalFlags = 0;
    uint8_t RadioType = 0;

    // Replies from the serial worker thread (safe from any thread).
    bool LinkIsActive() const override;
    void MeterReading(int rssi, int noise) override;
    QObject* RadioUpdateWindow() override;
    void SMeterPoint(uint8_t subCode, uint8_t value) override;
    void DisplayFrame(const uint8_t (&bytes)[DISPLAY_BYTES]) override;
    void RadioReadSucceeded() override;
    // The display bytes last received (a copy taken under the lock).
    std::array<uint8_t, DISPLAY_BYTES> DisplayBytes() const;

    // Handlers.
    void FormCreate();
    void FormShow() override;
    void FormClose();
    void CancelBtnClick();
    void udClick(UpDown* upDown);
    void OnTextChange(QLineEdit* edit);
    void chkLowPwrClick();
    void chkSquelchClick();
    void btnTxOnClick();
    void btnTxOffClick();
    void ChannelDown();
    void ChannelUp();
    void btnF5MouseDown(QAbstractButton* key);
    void btnF5MouseUp(QAbstractButton* key);
    void btnDisplayUpdateClick();
    void SetSMeter(QAbstractButton* button);
    void chk_rssi_pollClick();
    void chkRxRssiPollingClick();
    void tabSquelchExit();
    void tabReceiveExit();
    void Timer1Timer();
    void btnWriteFileClick();
    void btnWriteRadioClick();
    void FocusHelp(QObject* control);
    void MouseHelp(QObject* control);

    // Own operations.
    void SetControlTags();
    void LoadCalControls();
    void WriteCalValue(int address, int value);
    void LinkLost();
    bool SendTransmitOff();
    void UpdateRemoteDisplay();
    void ShowChannelInfo();
    void ShowRssi();

    // Pages.
    QTabWidget* PageControl1;
    QWidget* tabTransmit;
    QWidget* tabReceive;
    QWidget* tabFrequency;
    QWidget* tabSquelch;
    QWidget* tabRemote;

    // Transmit page.
    QGroupBox* gbTransmit;
    QGroupBox* gbModulation;

    // Receiver page.
    QGroupBox* gbReceive;
    QLineEdit* editRxRssi;
    QCheckBox* chkRxRssiPolling;

    // Frequency page.
    QGroupBox* gbFrequency;

    // Squelch and S-meter page.
    QGroupBox* gbSmeter;
    QPushButton* btnSetS0;
    QPushButton* btnSetS10;
    QGroupBox* gbSquelch;
    QLineEdit *txtSqlClose2, *txtSqlClose3; // hidden; no byte
    QLineEdit* txtSignalStrength;
    QLineEdit* txtBusyLevel;
    QCheckBox* chk_rssi_poll;

    // Remote control page: the radio's display and keypad.
    QLabel* lblChannel;
    QLabel* lblLowerDisplay;
    QLabel *lblScan, *lblCall, *lblTo, *lblFrom, *lblQmem, *lblScanMem, *lblBusy, *lblDup;
    QLabel *lblTa, *lblTx, *lblQuiet, *lblSilent;
    QPushButton *btnF1, *btnF2, *btnF3, *btnF4, *btnF5, *btnF6, *btnCall, *btnEmerg;
    QPushButton* btnDisplayUpdate;

    // On-line control panel.
    QGroupBox* gbOnline;
    QPushButton* btnTxOn;
    QPushButton* btnTxOff;
    SpinButton* ChannelChange;
    QLabel* lblChannelChange;
    QLabel* lblChannelInfo;
    QLabel* lblOnlineStatus;
    QCheckBox* chkLowPwr;
    QCheckBox* chkSquelch;

    // Calibration data.
    QGroupBox* gbFile;
    QPushButton* btnWriteFile;
    QPushButton* btnWriteRadio;
    QPushButton* CancelBtn;
    QTextEdit* HelpText;
    QTimer* Timer1;

protected:
    bool event(QEvent* event) override;

public:
    void done(int result) override;

private:
    QWidget* buildTransmitPage();
    QWidget* buildReceivePage();
    QWidget* buildFrequencyPage();
    QWidget* buildSquelchPage();
    QWidget* buildRemotePage();
    QWidget* buildOnlinePanel();
    QWidget* buildFilePanel();
    void wireControls();
    void bindHelp();
    void ShowBandPoints();
    void ShowOnlineState();
    void ResetDisplay();
    void ShowIndicators(const std::array<uint8_t, DISPLAY_BYTES>& bytes);
    bool SendKeyAction(uint8_t key);
    void PressKey(uint8_t key, int holdTicks);
    void SwitchOff();
    void ShowTransmit();
    QString ChannelFrequencies(int slot) const;
    uint8_t ImageByte(int address) const;

    HelpPane* help;
    bool keyed = false; // transmit on went out, and no transmit off since
    QWidget* pageBeforeChange = nullptr;
    QList<QLabel*> indicatorLabels;

    mutable std::mutex displayLock;
    std::array<uint8_t, DISPLAY_BYTES> displayBytes{}; // guarded by displayLock
};

extern TfrmTuneRadio* frmTuneRadio;
