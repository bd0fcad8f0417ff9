#pragma once
// Asks for the channel a cut or copied channel is pasted onto. Made for one paste and
// destroyed after it.

#include "Form.h"

class QComboBox;
class QLabel;
class QPushButton;

class TfrmChSelect : public Form {
    Q_OBJECT
public:
    // `target` receives the chosen channel number on OK.
    TfrmChSelect(QWidget* owner, int* target);

    void FormShow() override;
    void btnOKClick();
    void btnCancelClick();
    void LoadChannels();

    QLabel* Label1;
    QComboBox* cbChannel;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
private:
    int* target;
};
