#include "Editzone.h"

#include "Controls.h"
#include "Key_filter.h"
#include "Zones.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmEditZone* frmEditZone = nullptr;

QGridLayout* LayOutZoneEdits(QLabel* nameLabel, QLineEdit* name, QLabel* tagLabel, QLineEdit* tag) {
    name->setMaxLength(ZONE_NAME_LENGTH);
    tag->setMaxLength(ZONE_TAG_LENGTH);
    name->setFixedWidth(100);
    tag->setFixedWidth(40);
    for (QLineEdit* edit : {name, tag})
        keys::allowOnly(edit, keys::AlphaTag, true);
    auto* layout = new QGridLayout;
    layout->addWidget(nameLabel, 0, 0);
    layout->addWidget(name, 0, 1);
    layout->addWidget(tagLabel, 1, 0);
    layout->addWidget(tag, 1, 1);
    return layout;
}

TfrmEditZone::TfrmEditZone(QWidget* parent) : Form(parent, mrCancel) {
    setWindowTitle(QStringLiteral("Edit Zone"));
    lblName = new QLabel(QStringLiteral("Name"), this);
    editZoneName = new QLineEdit(this);
    lblTag = new QLabel(QStringLiteral("Tag"), this);
    editZoneTag = new QLineEdit(this);
    btnOk = forms::button(QStringLiteral("Ok"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    edits.watch(editZoneName);
    edits.watch(editZoneTag);
    connect(btnOk, &QPushButton::clicked, this, &TfrmEditZone::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(LayOutZoneEdits(lblName, editZoneName, lblTag, editZoneTag));
    layout->addLayout(controls::buttonRow(btnOk, btnCancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmEditZone::FormShow() {
    setWindowTitle(QStringLiteral("Edit Zone %1").arg(ZoneNumber));
    editZoneName->setText(ZoneName);
    editZoneTag->setText(ZoneTag);
    edits.clear();
}

bool TfrmEditZone::NameTyped() const {
    return edits.changed(editZoneName);
}

bool TfrmEditZone::TagTyped() const {
    return edits.changed(editZoneTag);
}

void TfrmEditZone::btnOkClick() {
    ZoneName = editZoneName->text();
    ZoneTag = editZoneTag->text();
    done(mrOk);
}
