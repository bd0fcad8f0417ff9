#pragma once
// "Group Channel Timers": four radio-wide timers of vote group channels (ignore time,
// busy-vote hold time, RSSI re-vote time, RSSI link establish time). Shared by both
// programs; the second program's differences are the KORVAN_V2 blocks.
//
// Shown modally with frmMacTimers->exec() (the channel table's "Group Channel Timers"
// button; the result needs no handling: OK has stored the timers, anything else has left
// the image as it was). In the first program the image is copied when the dialog is shown
// and put back when it closes with anything but OK.

#include "Image_fields.h"

#include <QDialog>
#include <cstdint>
#include <vector>

class QLabel;
class QPushButton;
class QScrollBar;

class TfrmMacTimers : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMacTimers(QWidget* parent = nullptr);

    void FormShow();
#if !KORVAN_V2
    void FormClose(int result);
#endif
    void OKBtnClick();
    void CancelBtnClick();
    void hsbMacIgnoreTimeChange();

    QScrollBar* hsbMacIgnoreTime;
    QLabel* lblMacIgnoreTime;
    QScrollBar* hsbMacHoldTime;
    QLabel* lblMacHoldTime;
    QScrollBar* hsbMacResetRssi;
    QLabel* lblMacResetRssi;
    QScrollBar* hsbRssiLet;
    QLabel* lblRssiLet;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

#if !KORVAN_V2
    std::vector<uint8_t> Backup; // the whole image, from show to close
#endif

protected:
    void showEvent(QShowEvent* event) override;
#if !KORVAN_V2
    void done(int result) override;
#endif

private:
    ImageFields fields;
};

extern TfrmMacTimers* frmMacTimers;
