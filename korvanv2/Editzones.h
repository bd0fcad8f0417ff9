#pragma once
// "Edit Zones": every zone's name, tag and active state in one editable grid.

#include "Form.h"
#include "User_edits.h"

class QPushButton;
class QTableWidget;

class TfrmEditZones : public Form {
    Q_OBJECT
public:
    explicit TfrmEditZones(QWidget* parent = nullptr);

    void FormShow() override;
    void LoadZones();
    void btnOkClick();

    QTableWidget* StringGridZones;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    // The image's radio keeps a zone table (a radio of 8 KiB has none).
    bool ZonesHeld = true;
    // The cells the user typed in: only they are stored.
    UserEdits edits;
};

extern TfrmEditZones* frmEditZones;
