#pragma once
// "Edit Zones": every zone's name, tag and active state in one editable grid.

#include "Form.h"

#include <QStringList>

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
    // Names and tags as shown, by zone: only a text the user changed is stored.
    QStringList shownNames;
    QStringList shownTags;
};

extern TfrmEditZones* frmEditZones;
