#include "Chselect.h"

#include "Chdata.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TfrmChSelect::TfrmChSelect(QWidget* owner, int* target) : Form(owner), target(target) {
    setWindowTitle(QStringLiteral("Select Channel"));
    Label1 = new QLabel(QStringLiteral("Channel:"), this);
    cbChannel = new QComboBox(this);
    cbChannel->setMinimumWidth(80);
    btnOK = forms::button(QStringLiteral("OK"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnOK, &QPushButton::clicked, this, &TfrmChSelect::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmChSelect::btnCancelClick);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(cbChannel, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmChSelect::FormShow() {
    LoadChannels();
}

void TfrmChSelect::LoadChannels() {
    cbChannel->clear();
    for (int slot = 1; slot <= CH_LAST_SLOT; ++slot)
        cbChannel->addItem(QString::number(slot));
    cbChannel->setCurrentIndex(0);
}

void TfrmChSelect::btnOKClick() {
    *target = cbChannel->currentIndex() + 1;
    done(1);
}

void TfrmChSelect::btnCancelClick() {
    done(2);
}
