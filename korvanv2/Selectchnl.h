#pragma once
// Picks a free channel for a new channel, and whether it becomes a normal or a group
// channel.

#include "Form.h"

#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TfrmSelectChannel : public Form {
    Q_OBJECT
public:
    explicit TfrmSelectChannel(QWidget* parent = nullptr);

    // Channel indices; the list shows their numbers (index + 1).
    void SetChannelList(const std::vector<int>& indices);
    int GetSelection() const { return Selection; }
    // 0 "Normal Channel", 1 "Group Channel".
    int GetChannelType() const;
    void FormShow() override;
    void btnOkClick();

    int Selection = 0;
    QLabel* Label1;
    QComboBox* cbChannel;
    QGroupBox* RadioGroup1;
    QRadioButton* rbNormal;
    QRadioButton* rbGroup;
    QPushButton* btnOk;
    QPushButton* btnCancel;
};

extern TfrmSelectChannel* frmSelectChannel;
