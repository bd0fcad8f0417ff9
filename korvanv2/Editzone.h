#pragma once
// "Edit Zone": the name and tag of one zone. The caller puts the texts in before showing
// and reads them back after a result of 1.

#include "Form.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmEditZone : public Form {
    Q_OBJECT
public:
    explicit TfrmEditZone(QWidget* parent = nullptr);

    void SetZoneNumber(int n) { ZoneNumber = n; }
    void FormShow() override;
    void btnOkClick();

    int ZoneNumber = 0;
    QString ZoneName;
    QString ZoneTag;

    QLabel* lblName;
    QLineEdit* editZoneName;
    QLabel* lblTag;
    QLineEdit* editZoneTag;
    QPushButton* btnOk;
    QPushButton* btnCancel;
};

extern TfrmEditZone* frmEditZone;

// The name and tag edits of the zone dialogs, with their labels, in a grid.
QGridLayout* LayOutZoneEdits(QLabel* nameLabel, QLineEdit* name, QLabel* tagLabel, QLineEdit* tag);
