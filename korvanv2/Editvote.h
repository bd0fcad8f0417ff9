#pragma once
// "Vote Setup": the radio-wide timings and options of receiver voting - busy voting hold
// and ignore times, the RSSI voting timings, forced revotes and the voting check boxes.
// Firmware before v2.02 (of the last radio read) knows only some of them: the others are
// greyed and the two ignore times are kept equal.
//
// Shown modally; OK (result 1) stores into eeprom, Cancel (result 2) only closes.

#include "Form.h"
#include "Image_fields.h"

class HelpPane;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTextEdit;

class TfrmEditVote : public Form {
    Q_OBJECT
public:
    // The first firmware that knows every control here (v2.02).
    static constexpr int FULL_VOTING_FIRMWARE = 202;

    explicit TfrmEditVote(QWidget* parent = nullptr);

    void FormShow() override;
    void btnOkClick();
    void btnCancelClick();
    // The busy hold, link establish, RSSI hold, fast vote and forced revote bars.
    void hsbMacIgnoreTimeChange();
    void hsbBusyChannelIgnoreTimeChange();
    void hsbRssiIgnoreTimeChange();

    QTabWidget* PageControl1;
    QWidget* TabSheet2; // "Busy Voting"
    QWidget* TabSheet1; // "RSSI Voting"

    QLabel* lblBusyChannelHoldTime;
    QScrollBar* hsbBusyChannelHoldTime;
    QLabel* lblBusyChannelHoldTimeValue;
    QLabel* lblBusyChannelIgnoreTime;
    QScrollBar* hsbBusyChannelIgnoreTime;
    QLabel* lblBusyChannelIgnoreTimeValue;
    QLabel* lblRssiLet;
    QScrollBar* hsbRssiLet;
    QLabel* lblRssiLetValue;
    QLabel* lblRssiChannelHoldTime;
    QScrollBar* hsbRssiChannelHoldTime;
    QLabel* lblRssiChannelHoldTimeValue;
    QLabel* lblRssiIgnoreTime;
    QScrollBar* hsbRssiIgnoreTime;
    QLabel* lblRssiIgnoreTimeValue;
    QLabel* lblFastVoteThreshold;
    QScrollBar* hsbFastVoteThreshold;
    QLabel* lblFastVoteThresholdValue;
    QLabel* lblForcedRevoteTime;
    QScrollBar* hsbForcedRevoteTime;
    QLabel* lblForcedRevoteTimeValue;

    QCheckBox* chkPTT_Forced_Revote;
    QCheckBox* chkVoteWithoutCTCSS;
    QCheckBox* chkForcedRevoteBusy;
    QCheckBox* chkPTTHomeChannel;
    QCheckBox* chkScanRepeaterInput;

    QTextEdit* MemoHelp;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    // major x 100 + minor of the last radio read; 0 when none is known.
    int FirmwareVersion = 0;

private:
    bool oldFirmware() const;
    void buildTabs();
    QWidget* buildBarTab(int firstBar, int lastBar);
    void bindFields();
    void bindHelp();
    void enableNewerControls();
    void rewriteLabel(int bar);
    void focusOkWithVersionNote();

    HelpPane* help = nullptr;
    ImageFields fields;
};

extern TfrmEditVote* frmEditVote;
