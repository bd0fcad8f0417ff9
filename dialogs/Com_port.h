#pragma once
// Choosing the serial port (and, in the second program, the highest link rate).
// Shared by both programs.

#include "Form.h"

class QComboBox;
class QLabel;
class QPushButton;

class TfrmPorts : public Form {
    Q_OBJECT
public:
    explicit TfrmPorts(QWidget* parent = nullptr);

    void FormShow() override;
    void btnOKClick();

    QLabel* Label2;
    QComboBox* cbPort;
#if KORVAN_V2
    QLabel* Label1;
    QComboBox* cbBaud;
#endif
    QPushButton* btnOK;
    QPushButton* BitBtn2;
};

extern TfrmPorts* frmPorts;
