#pragma once
// "Group Channel Timers": four radio-wide timers of vote group channels (ignore time,
// busy-vote hold time, RSSI re-vote time, RSSI link establish time). Shared by both
// programs; the second program's differences are the KORVAN_V2 blocks.
//
// Shown modally with frmMacTimers->exec() (the channel table's "Group Channel Timers"
// button; the result needs no handling: OK has stored the timers, anything else has left
// the image as it was). In the first program the image is copied when the dialog is shown
// and put back when it closes with anything but OK; the second keeps no copy.

#include "Image_dialog.h"
#include "Image_fields.h"

class QLabel;
class QScrollBar;

class TfrmMacTimers : public ImageDialog {
    Q_OBJECT
public:
    explicit TfrmMacTimers(QWidget* parent = nullptr);

    void FormShow() override;
    void OKBtnClick() override;
    void hsbMacIgnoreTimeChange();

    QScrollBar* hsbMacIgnoreTime;
    QLabel* lblMacIgnoreTime;
    QScrollBar* hsbMacHoldTime;
    QLabel* lblMacHoldTime;
    QScrollBar* hsbMacResetRssi;
    QLabel* lblMacResetRssi;
    QScrollBar* hsbRssiLet;
    QLabel* lblRssiLet;

private:
    ImageFields fields;
};

extern TfrmMacTimers* frmMacTimers;
