#pragma once
// "Add Zone": pick a zone number from a list and name it.

#include "Form.h"

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmAddZone : public Form {
    Q_OBJECT
public:
    explicit TfrmAddZone(QWidget* parent = nullptr);

    void SetZoneList(const std::vector<int>& zones);
    int GetSelection() const { return Selection; }
    void FormShow() override;
    void btnOkClick();

    int Selection = 0;
    QString ZoneName;
    QString ZoneTag;

    QLabel* lblZone;
    QComboBox* cbZone;
    QLabel* lblName;
    QLineEdit* editName;
    QLabel* lblTag;
    QLineEdit* editTag;
    QPushButton* btnOk;
    QPushButton* btnCancel;
};

extern TfrmAddZone* frmAddZone;
