#pragma once
// Alignment of a second-generation radio: edits the 48-byte calibration block at the start
// of the memory image. On-line every stored value is written to the radio at once, and the
// radio can be keyed, stepped through its channels, set to an alignment frequency and made
// to sound a test tone, and its RSSI and noise polled. Off-line values go to the image only
// until "Write to Radio". Every request waits at most one reply time-out.

#include "Cal_table.h"
#include "Form.h"

#include <QGroupBox>
#include <QStringList>
#include <atomic>
#include <cstdint>

class HelpPane;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTimer;
class SpinButton;
class UpDown;

// A framed group of exclusive choices; Click comes each time another item becomes selected
// (by the user or by SetItemIndex), not when the selection is cleared.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& caption, QWidget* parent = nullptr);
    void SetItems(const QStringList& items);
    int ItemIndex() const; // -1: none
    void SetItemIndex(int index);
    int Count() const;
    QAbstractButton* Item(int index) const;

signals:
    void Click();

private:
    QButtonGroup* buttons;
};

class TfrmTuneRadio : public Form, public cal::Controls {
    Q_OBJECT
public:
    explicit TfrmTuneRadio(QWidget* parent = nullptr);

    // Set by the hardware dialog before the show: 1 after the calibration block was read
    // from the radio, 0 for a block from a file.
    std::atomic<uint8_t> Online{0};
    uint8_t RadioType = 0;
    uint8_t CalFlags = 0;
    int FirmwareVersion = 0; // major x 100 + minor; 0 off-line or without a version reply
    uint8_t Transmitting = 0;
    int CurrentChannel = 0;
    int ModReference = 0;
    int BalReference = 0;
    char VersionText[32] = {};
    // The S-point up-downs go by these names here.
    UpDown*& udS0 = upS0Value;
    UpDown*& udS10 = upS10Value;

    // Handlers.
    void FormCreate();
    void FormShow() override;
    void FormClose();
    void CancelBtnClick();
    void udClick(UpDown* upDown);
    void udModClick();
    // Enter in a box: commits what the user changed; false when nothing was stored (the box
    // is unchanged or its text is no number).
    bool OnEditKeyPress(QLineEdit* edit);
    bool OnModEditKeyPress();
    void OnEditExit(QLineEdit* edit);
    void OnModEditExit();
    void chkLowPwrClick();
    void chkSquelchClick();
    void chkTrackModClick();
    void chkRSSIClick();
    void btnTxOnClick();
    void btnTxOffClick();
    void ChannelDown();
    void ChannelUp();
    void SetSMeter(QPushButton* button);
    void rgTestToneClick();
    void rgAlignFreqClick();
    void Timer1Timer();
    void btnWriteFileClick();
    void btnWriteRadioClick();
    void FocusHelp(QObject* control);
    void MouseHelp(QObject* control);

    // Own operations.
    void SetControlTags();
    void LoadCalControls();
    void WriteCalValue(int address, int value);
    void ShowChannelInfo(int index);
    static uint32_t ChannelFrequency(uint16_t code, uint8_t step);
    int ScaleBalance(int mod) const;
    void FillAlignFreq();
    void ShowRssi();
    void ResetMeterDisplay();

    QTabWidget* PageControl1;
    QWidget *tabTransmit, *tabReceive, *tabFrequency, *tabSquelch, *tabRemote;
    QGroupBox *gbTransmit, *gbModulation, *gbReceive, *gbFrequency, *gbSquelch, *gbSmeter;
    QLabel* lblBalance;
    QCheckBox* chkTrackMod;
    RadioGroup* rgTestTone;
    QLabel* lblTempCompGain;
    QPushButton *btnSetS0, *btnSetS10;

    QGroupBox* gbOnline;
    QLabel* lblOnlineStatus;
    QPushButton *btnTxOn, *btnTxOff;
    SpinButton* ChannelChange;
    QLabel *lblChnl, *lblAlphaTag, *lblTxFreq, *lblRxFreq;
    QCheckBox *chkLowPwr, *chkSquelch;

    QGroupBox* panelAlignCommon;
    QCheckBox* chkRSSI;
    QLineEdit *editRSSI_3, *editNoise_3;
    RadioGroup* rgAlignFreq;

    QGroupBox* gbFile;
    QPushButton *btnWriteFile, *btnWriteRadio, *CancelBtn;
    QTextEdit* HelpText;
    QTimer* Timer1;

    void done(int result) override;

private:
    QWidget* buildTransmitPage();
    QWidget* buildReceivePage();
    QWidget* buildFrequencyPage();
    QWidget* buildSquelchPage();
    QWidget* buildOnlinePanel();
    QWidget* buildAlignPanel();
    QWidget* buildFilePanel();
    void wireControls();
    void bindHelp();
    void bindStateHelp();
    void showOnlineState();
    bool commit(QLineEdit* edit, bool fromEnter);
    void trackBalance();
    void switchOff();
    void showTransmitting(bool on);
    void stepChannel(uint8_t key);
    void readChannel();
    void lostLink();
    void setFlag(uint8_t bit, bool on);
    uint8_t imageByte(int address) const;

    HelpPane* help;
    bool linkDown = false; // the radio stopped answering; cleared by its next answer or opening
};

extern TfrmTuneRadio* frmTuneRadio;
