#pragma once
// Picks one entry of a list of numbers (channels or zones).

#include "Form.h"

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

class TfrmChSelect : public Form {
    Q_OBJECT
public:
    explicit TfrmChSelect(QWidget* parent = nullptr);

    void SetChannelList(const std::vector<int>& numbers);
    void SetSelection(int index);
    int GetSelection() const { return Selection; }
    void btnOKClick();

    int Selection = 0;
    QLabel* Label1;
    QComboBox* cbChannel;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};

extern TfrmChSelect* frmChSelect;
