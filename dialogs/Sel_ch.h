#pragma once
// Asks whether a new channel is a normal channel or a group channel. Shared by both
// programs.

#include "Form.h"
#include <cstdint>

class QPushButton;
class QRadioButton;

class TfrmChannelSelect : public Form {
    Q_OBJECT
public:
    explicit TfrmChannelSelect(QWidget* parent = nullptr);

    void FormShow() override;
    void OKBtnClick();

    QRadioButton* rbNormalChannel;
    QRadioButton* rbMAC;
    QPushButton* OKBtn;
#if KORVAN_V2
    QPushButton* btnCancel;
#endif
    uint8_t GroupChannelChosen = 0; // 1 when "Group Channel" was chosen
};

extern TfrmChannelSelect* frmChannelSelect;
