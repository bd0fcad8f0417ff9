#pragma once
// "Edit Zone": the name and tag of one zone. The caller puts the texts in before showing
// and reads them back after a result of 1, storing only a text the user typed in.

#include "Form.h"
#include "User_edits.h"

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
    // The user typed in the box since it was shown.
    bool NameTyped() const;
    bool TagTyped() const;

    int ZoneNumber = 0;
    QString ZoneName;
    QString ZoneTag;

    QLabel* lblName;
    QLineEdit* editZoneName;
    QLabel* lblTag;
    QLineEdit* editZoneTag;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    UserEdits edits;
};

extern TfrmEditZone* frmEditZone;

// The name and tag edits of the zone dialogs, with their labels, in a grid.
QGridLayout* LayOutZoneEdits(QLabel* nameLabel, QLineEdit* name, QLabel* tagLabel, QLineEdit* tag);
