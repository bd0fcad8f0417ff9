#pragma once
// "Selcall Options": the radio's selective-calling settings (receive and transmit
// switches, alerts, group-call ranges, ANI, lead-in and lead-out timing, tone set, tone
// period and the three tone counts). Shared by both programs; the second program's
// differences are the KORVAN_V2 blocks.
//
// Shown modally by the main window (frmSelcall->exec()). The image is copied when the
// dialog is shown and put back when it closes with anything but OK, which also undoes a
// re-lay of the idents and the idents dialog's own changes made meanwhile.

#include "Image_dialog.h"
#include "Image_fields.h"

#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

class TfrmSelcall : public ImageDialog {
    Q_OBJECT
public:
    explicit TfrmSelcall(QWidget* parent = nullptr);

    // Handlers.
    void FormShow() override;
    void OKBtnClick() override;
    void btnSelcallMemClick();
    void hsbTonesPredChange(QObject* sender);
    void hsbLeadInDelayChange();
    void hsbPttLeadinChange();
    void hsbPausePredNonPredChange();
    void hsbBeepDurationChange();
    void chkLeadInDelayEnabledClick(QObject* sender);
    void chkSelcallDecEnabledClick(QObject* sender);

    // Receive.
    QCheckBox* chkSelcallDecEnabled;
    QCheckBox* chkEdgeAniDecode;
    QCheckBox* chkBeepAckEnabled;
    QCheckBox* chkRingAlert;
    QCheckBox* chkBeepAlarms;
    QCheckBox* chkGrpBeepAlarms;
    QCheckBox* chkSlowBeeps;
    QLabel* lblBeepDuration;
    QScrollBar* hsbBeepDuration;
    QLabel* lblBeepDurationValue;
#if !KORVAN_V2
    QCheckBox* chkAlarmIndivCall;
#endif
    QCheckBox* chkAlarmGroupCall;
    QCheckBox* chkUnmuteOnSelcall;
    QCheckBox* chkReenterQuiet;
    QCheckBox* chk3rdToneReset;
    QComboBox* cmbRxGroup;
    QCheckBox* chkCtcssSelcall;
    // Transmit.
    QCheckBox* chkSelcallEncEnabled;
    QCheckBox* chkAppendAni;
    QCheckBox* chkLeadOutEnabled;
    QCheckBox* chkLeadInDelayEnabled;
    QScrollBar* hsbLeadInDelay;
    QLabel* lblLeadInDelay;
    QCheckBox* chkLeadInToneEnabled;
    QComboBox* cmbTxGroup;
    QLabel* lblPttAni;
    QComboBox* cmbPttAni;
    QLabel* lblPttLeadinLabel;
    QScrollBar* hsbPttLeadin;
    QLabel* lblPttLeadin;
    // Tones.
    QLabel* lblSelcallToneset;
    QComboBox* cmbSelcallToneset;
    QLabel* lblSelcallTonePeriod;
    QComboBox* cmbSelcallTonePeriod;
    QLabel* lblNumPredTones;
    QScrollBar* hsbTonesPred;
    QLabel* lblTonePred;
    QLabel* lblNumNonPredTones;
    QScrollBar* hsbToneNonPred;
    QLabel* lblToneNonPred;
    QLabel* lblNumTonesDisplay;
    QScrollBar* hsbTonesDisplay;
    QLabel* lblTonesDisplay;
    QCheckBox* chkPausePredNonPred;
    QScrollBar* hsbPausePredNonPred;
    QLabel* lblPausePredNonPred;
    QPushButton* btnSelcallMem;
#if KORVAN_V2
    // Hidden; enabled and disabled with the tone controls only.
    QCheckBox* chkAlarmInEnable;
    QCheckBox* chkPageEnabled;
    QPushButton* btnPageAlarm;
#endif

    uint8_t ToneCountChanged = 0;
    uint8_t Loading = 0;
#if KORVAN_V2
    // The option bytes as the image has them at OK (so bits the idents dialog changed
    // meanwhile are kept), with the dialog's bits set; written back after the other bytes,
    // 0xAC first.
    HeldBytes OptionBytes{{0xAC, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F}};
#endif

private:
    void BuildControls();
    void BindImageFields();
    void BindHelp();
    void ConnectHandlers();
    void ReadOptions();
    void WriteOptions();
    void StoreToneCounts();
    void LowerToPredictive(QScrollBar* count);
    void RelayIdents(int oldCount, int newCount);
    void ShowIdents();

    ImageFields fields;
    // Enabled with "Selcall Receiver Enabled", with "Selcall Transmit Enabled", and with
    // either of them.
    std::vector<QWidget*> receiveGroup;
    std::vector<QWidget*> transmitGroup;
    std::vector<QWidget*> toneGroup;
};

extern TfrmSelcall* frmSelcall;
