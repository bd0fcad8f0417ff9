#pragma once
// Engineering settings: factory settings of the memory image that no other dialog shows
// (radio type bits, switch-on and transmit delays, IF offset and PLL reference, a few
// option bits), and a list of the whole image with live reads and writes of single
// locations of the radio.

#include "Engineering_groups.h"
#include "Image_fields.h"
#include "Rs232_com.h"

#include "Form.h"
#include <atomic>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QTimer;
class QWidget;

class TfrmEngineering : public Form, public LocationReplySink {
    Q_OBJECT
public:
    explicit TfrmEngineering(QWidget* parent = nullptr);
    ~TfrmEngineering() override;

    // A location reply from the serial worker (any thread).
    void LocationReply(int address, uint8_t value) override;

    // Handlers.
    void FormCreate();
    void FormShow() override;
    void OKBtnClick();
    void chkEnablePowerSaveClick();
    void chkAuxPttEnableClick();
    void eeprom_listClick();
    void btnReadLocationClick();
    void btnWriteLocationClick();
    void Timer1Timer();
    // Own operations.
    void FillEepromList();
    void EnableLocationControls(bool enabled);

    // 1 while a location exchange waits for its reply; the serial worker clears it.
    std::atomic<uint8_t> WaitingReply{0};
    std::atomic<int> Location{0};
    std::atomic<uint8_t> LocationValue{0};
    uint8_t RadioType = 0; // byte 40 as it was when the dialog was shown

    QTabWidget* PageControl1;
    QWidget* tabOptions;
    QWidget* tabPowerSave;
    QWidget* tabEeprom;

    // Options page.
    QLineEdit* txtIfOffset;
    QLineEdit* txtPLLRef;
    QScrollBar* hsbPowerDownDelay;
    QLabel* lblPowerDownDelayValue;
    QScrollBar* hsbTxDelay;
    QLabel* lblTxDelayValue;
    QCheckBox* chkTempComp;
    QCheckBox* chkCtcssOnEmergency;
    QCheckBox* chkHighSpeedPcb;
    QCheckBox* chkRemAlmTriSta;
    QGroupBox* gbAuxInput;
    QCheckBox* chkAuxPttEnable;
    QCheckBox* chkAuxPttHigh;
    QCheckBox* chkAuxBusyEnable;
    QCheckBox* chkAuxBusyHigh;
    QCheckBox* chkRadioTypeBit7;
    QCheckBox* chkRadioTypeBit6;
    QCheckBox* chkRadioTypeBit5;
    QCheckBox* chkRadioTypeBit4;

    // Power save page (its bars are shown only; this radio keeps no power save times).
    QCheckBox* chkEnablePowerSave;
    QScrollBar* hsbPSHoldOnTime;
    QScrollBar* hsbPSOnTime;
    QScrollBar* hsbPSOffTime;
    QScrollBar* hsbPSPllUpTime;
    QScrollBar* hsbPSRxUpTime;
    QScrollBar* hsbPSVcoUpTime;
    QLabel* lblPSHoldOnTimeValue;
    QLabel* lblPSOnTimeValue;
    QLabel* lblPSOffTimeValue;
    QLabel* lblPSPllUpTimeValue;
    QLabel* lblPSRxUpTimeValue;
    QLabel* lblPSVcoUpTimeValue;

    // EEPROM list page.
    QTableWidget* eeprom_list;
    QLabel* lblLocation;
    QLineEdit* txtLocation;
    QLabel* lblData;
    QLineEdit* txtData;
    QLabel* lblDataHex;
    QLineEdit* txtDataHex;
    QPushButton* btnReadLocation;
    QPushButton* btnWriteLocation;

    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QTextEdit* RichEdit1;
    QTimer* Timer1;

protected:
private:
    QWidget* buildOptionsPage();
    QWidget* buildPowerSavePage();
    QWidget* buildEepromPage();
    QGroupBox* buildAuxGroup();
    void wireControls();
    void bindImageFields();
    void ShowEepromRow(int location);
    bool TakeLocation(int& location);
    void StartLocationExchange();
    uint8_t* Image() const;

    ImageFields fields;
    engineering::ValueBar powerDownDelay{nullptr, nullptr, 0.1, "0.0", " Seconds"};
    engineering::ValueBar txDelay;
    engineering::PowerSaveBars powerSave;
};

extern TfrmEngineering* frmEngineering;
