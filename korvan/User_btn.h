#pragma once
// "User Defined Buttons": the function of each of the nine programmable keys (F1-F6,
// emergency, call, microphone) and what those functions use - four recall channel
// memories, four DTMF memories, a selcall speed-dial memory per key, the scan options, the
// microphone hook actions and a few option bits. The boxes "TX Low Power" and "Mute open"
// change image byte 2 and send it to the radio at once; Cancel puts the image back but
// not what the radio was sent.
//
// FunctionName gives the name of a key function code for the setup report; it needs no
// open dialog.

#include "Image_dialog.h"
#include "Image_fields.h"
#include "Key_controls.h"
#include "Key_functions.h"

#include <QString>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class UpDown;

constexpr int KEY_FUNCTIONS = 42;
constexpr int RECALL_MEMORIES = 4;
constexpr int DTMF_MEMORIES = 4;
constexpr int HOOK_ACTIONS = keyfn::HookActions;

class TfrmUserButtons : public ImageDialog,
                        public keyfn::ScanControls,
                        public keyfn::MemoryControls {
    Q_OBJECT
public:
    explicit TfrmUserButtons(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow() override;
    void OKBtnClick() override;
    void cmbButtonAChange();
    void chkLowPwrClick();
    void chkSquelchClick();

    // The name of a function code; a code outside 0..41 gives "Disabled".
    static QString FunctionName(int code);
    static void FillFunctionList(QComboBox* combo);
    void LoadButtonFunctions();
    void StoreButtonFunctions();
    void LoadUserButtons();
    void SaveUserButtons();
    void FillRecallLists();
    void StoreRecallChannels();
    void LoadDtmfMemories();
    void StoreDtmfMemories();
    QString DecodeDtmfMemory(int offset) const;
    void EncodeDtmfMemory(int offset, const QString& text);
    // Some key holds a function that uses DTMF memory / recall memory n (1..4).
    bool DtmfMemoryInUse(int n) const;
    bool RecallChannelInUse(int n) const;
    void WriteLiveByte(int offset, uint8_t value);

    QGroupBox* gbButtons;
    QLabel* lblButtonF1;
    QComboBox* cmbButtonF1;
    QLabel* lblButtonF2;
    QComboBox* cmbButtonF2;
    QLabel* lblButtonF3;
    QComboBox* cmbButtonF3;
    QLabel* lblButtonF4;
    QComboBox* cmbButtonF4;
    QLabel* lblButtonA;
    QComboBox* cmbButtonA; // F5
    QLabel* lblButtonB;
    QComboBox* cmbButtonB; // F6
    QLabel* lblButtonE;
    QComboBox* cmbButtonE; // emergency
    QLabel* lblButtonCall;
    QComboBox* cmbButtonCall;
    QLabel* lblButtonMicA;
    QComboBox* cmbButtonMicA; // microphone
    QCheckBox* chkF1F4RsImm;

    QGroupBox* gbSelcallMemories;
    QLabel* lblSelcallBtnF1;
    QComboBox* cmbSelcallBtnF1;
    QLabel* lblSelcallBtnF2;
    QComboBox* cmbSelcallBtnF2;
    QLabel* lblSelcallBtnF3;
    QComboBox* cmbSelcallBtnF3;
    QLabel* lblSelcallBtnF4;
    QComboBox* cmbSelcallBtnF4;
    QLabel* lblSelcallBtnA;
    QComboBox* cmbSelcallBtnA;
    QLabel* lblSelcallBtnB;
    QComboBox* cmbSelcallBtnB;
    QLabel* lblSelcallBtnE;
    QComboBox* cmbSelcallBtnE;
    QLabel* lblSelcallBtnCall;
    QComboBox* cmbSelcallBtnCall;
    QLabel* lblSelcallBtnMicA;
    QComboBox* cmbSelcallBtnMicA;

    QLineEdit* editPriChkRate;
    UpDown* udPriChkRate; // shows its position in editPriChkRate

    QGroupBox* gbHookActions;
    QCheckBox* chkOffHook[HOOK_ACTIONS] = {}; // chkOffHook_0 .. chkOffHook_7

    QGroupBox* gbOptions;
    QCheckBox* chkQuietMemMod;
    QCheckBox* chkCallButtonEnabled;
    QCheckBox* chkMonitorOpenSql;
    QCheckBox* chkAlarmInput;
    QCheckBox* chkLowPwr;
    QCheckBox* chkSquelch;

    uint8_t LiveByte = 0;
    bool ScanKeyUsed = false;
    bool OsGsKeyUsed = false;

private:
    void buildButtons();
    void buildSelcallMemories();
    void buildRecallChannels();
    void buildDtmf();
    void buildScan();
    void buildOptions();
    void bindFields();
    void bindPriorityRate();
    void bindHelp();
    void connectHandlers();

    keyfn::KeyCodes keyCodes() const;
    std::vector<QWidget*> functionBoxes() const;
    void enableSpeedDials();
    void enableScanControls();
    void showStoredRecall(int n);
    void setLiveBit(uint8_t mask, bool on);

    ImageFields functionFields;
    ImageFields optionFields;
    bool recallTouched[RECALL_MEMORIES] = {};
};

extern TfrmUserButtons* frmUserButtons;
