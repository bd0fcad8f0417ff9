#pragma once
// "User Defined Buttons" of a second-generation radio: the function of each of the nine
// programmable keys (F1-F6, emergency, call, microphone) and what those functions use -
// four recall channel memories (16-bit words naming channels 1-500 or CB channels), four
// DTMF memories, a selcall speed-dial memory per key, the scan options with the priority
// check rate, the microphone hook actions and a few option bits. Nothing is written before
// OK; a recall or DTMF memory the user did not change keeps its stored bytes.

#include "Form.h"
#include "Image_fields.h"
#include "Key_controls.h"
#include "Key_functions.h"

#include <QString>
#include <cstdint>

class HelpPane;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTextEdit;

constexpr int KEY_FUNCTIONS = 49;

class TfrmUserButtons : public Form, public keyfn::ScanControls, public keyfn::MemoryControls {
    Q_OBJECT
public:
    explicit TfrmUserButtons(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow() override;
    void FormClose() {}
    void OKBtnClick();
    void CancelBtnClick();
    void reject() override;
    void cmbButtonAChange();
    void hsbPriCheckRateChange();

    // The name of a function code; a code outside 0..48 gives "Disabled".
    static QString FunctionName(int code);
    static void FillFunctionList(QComboBox* combo);
    static void FillSpeedDialList(QComboBox* combo);
    void LoadButtonFunctions();
    void StoreButtonFunctions();
    void LoadUserButtons();
    void SaveUserButtons();
    void FillRecallLists();
    void StoreRecallChannels();
    int ParseRecallChannel(const QComboBox* combo) const;
    static bool ChannelSelectable(int index);
    static QString ChannelLabel(int index);
    void LoadDtmfMemories();
    void StoreDtmfMemories();
    QString DecodeDtmfMemory(int offset) const;
    void EncodeDtmfMemory(int offset, const QString& text);
    bool DtmfMemoryInUse(int n) const;
    bool RecallChannelInUse(int n) const;
    // The code a function combo holds: its item, or for the editable microphone combo the
    // item its text names; -1 for none.
    static int ComboCode(const QComboBox* combo);

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
    QLabel* Label2;
    QComboBox* cmbButtonE; // emergency
    QLabel* lblButtonCall;
    QComboBox* cmbButtonCall;
    QLabel* lblButtonMicA;
    QComboBox* cmbButtonMicA; // microphone, editable

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
    QComboBox* cmbSelcallBtnMicA; // editable

    QScrollBar* hsbPriCheckRate;
    QLabel* lblPriCheckRate;

    QGroupBox* gbHookActions;
    QCheckBox* chkOffHook[keyfn::HookActions] = {}; // chkOffHook_0 .. chkOffHook_7

    QGroupBox* gbOptions;
    QCheckBox* chkQuietMemMod;
    QCheckBox* chkCallButtonEnabled;
    QCheckBox* chkMonitorOpenSql;
    QCheckBox* chkAlarmInput;
    QCheckBox* chkFastResponse;

    QWidget* Panel;
    QTextEdit* HelpText;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    bool ScanKeyUsed = false;
    bool OsGsKeyUsed = false;

private:
    void buildButtons();
    void buildSelcallMemories();
    void buildRecallChannels();
    void buildDtmf();
    void buildScan();
    void buildOptions();
    void buildPanel();
    void bindFields();
    void bindHelp();
    void connectHandlers();

    keyfn::KeyCodes keyCodes() const;
    std::vector<QWidget*> functionBoxes() const;
    void enableScanControls();
    void showStoredRecall(int n);

    HelpPane* help = nullptr;
    ImageFields functionFields;
    ImageFields optionFields;
    // The recall memories the user typed in or chose from, as OK found them: one the user
    // left alone is not written.
    bool recallTouched[keyfn::RecallMemories] = {};
};

extern TfrmUserButtons* frmUserButtons;
