#pragma once
// Engineering settings of the second-generation image: radio type bits, switch-on and
// transmit delays, power save timing, IF offset and PLL reference, a few option bits.
// Reached only through hidden main-window entries.

#include "Engineering_groups.h"
#include "Form.h"
#include "Image_fields.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTextEdit;

class TfrmEngineering : public Form {
    Q_OBJECT
public:
    explicit TfrmEngineering(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow() override;
    void OKBtnClick();
    void chkEnablePowerSaveClick();

    QTabWidget* PageControl1;
    QWidget* tabOptions;
    QWidget* tabPowerSave;
    QLineEdit* txtIfOffset;
    QLineEdit* editPLLRef;
    QScrollBar* hsbPowerDownDelay;
    QScrollBar* hsbTxDelay;
    QCheckBox* chkTempComp;
    QCheckBox* chkCtcssOnEmergency;
    QCheckBox* chk_vantel;
    QCheckBox* chkRadioTypeBit7;
    QCheckBox* chkRadioTypeBit6;
    QCheckBox* chkRadioTypeBit5;
    QCheckBox* chkRadioTypeBit4;
    QCheckBox* chkEnablePowerSave;
    QScrollBar* hsbPSHoldOnTime;
    QScrollBar* hsbPSOnTime;
    QScrollBar* hsbPSOffTime;
    QScrollBar* hsbPSPllUpTime;
    QScrollBar* hsbPSRxUpTime;
    QScrollBar* hsbPSVcoUpTime;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QTextEdit* RichEdit1;

    engineering::ValueBar powerDownDelay{nullptr, nullptr, 0.1, "0.0", " Seconds"};
    engineering::ValueBar txDelay;
    engineering::PowerSaveBars powerSave;

private:
    QWidget* BuildOptionsPage();
    QWidget* BuildPowerSavePage();
    void BindImageFields();

    ImageFields fields;
};

extern TfrmEngineering* frmEngineering;
