#include "Addzone.h"

#include "Controls.h"
#include "Editzone.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAddZone* frmAddZone = nullptr;

TfrmAddZone::TfrmAddZone(QWidget* parent) : Form(parent, mrCancel) {
    setWindowTitle(QStringLiteral("Add Zone"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    lblZone = new QLabel(QStringLiteral("Zone"), this);
    cbZone = new QComboBox(this);
    lblName = new QLabel(QStringLiteral("Name"), this);
    editName = new QLineEdit(this);
    lblTag = new QLabel(QStringLiteral("Tag"), this);
    editTag = new QLineEdit(this);
    btnOk = forms::button(QStringLiteral("Ok"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnOk, &QPushButton::clicked, this, &TfrmAddZone::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    auto* zone = new QGridLayout;
    zone->addWidget(lblZone, 0, 0);
    zone->addWidget(cbZone, 0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(zone);
    layout->addLayout(LayOutZoneEdits(lblName, editName, lblTag, editTag));
    layout->addLayout(controls::buttonRow(btnOk, btnCancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmAddZone::SetZoneList(const std::vector<int>& zones) {
    cbZone->clear();
    for (int z : zones)
        cbZone->addItem(QString::number(z));
    cbZone->setCurrentIndex(zones.empty() ? -1 : 0);
}

void TfrmAddZone::FormShow() {
    if (cbZone->currentIndex() >= 0) {
        const QString first = cbZone->itemText(0);
        ZoneName = QStringLiteral("ZONE ") + first;
        ZoneTag = first;
    }
    editName->setText(ZoneName);
    editTag->setText(ZoneTag);
}

void TfrmAddZone::btnOkClick() {
    Selection = cbZone->currentIndex();
    if (Selection < 0)
        return;
    ZoneName = editName->text();
    ZoneTag = editTag->text();
    done(mrOk);
}
