#include "Sel_ch.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmChannelSelect* frmChannelSelect = nullptr;

TfrmChannelSelect::TfrmChannelSelect(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Select Channel Type"));
    rbNormalChannel = new QRadioButton(QStringLiteral("Normal Channel"), this);
    rbMAC = new QRadioButton(QStringLiteral("Group Channel"), this);
    rbNormalChannel->setChecked(true);
    OKBtn = forms::button(QStringLiteral("OK"), this);
    connect(OKBtn, &QPushButton::clicked, this, [this] {
        OKBtnClick();
        accept();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
#if KORVAN_V2
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    buttons->addWidget(btnCancel);
#endif
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rbNormalChannel);
    layout->addWidget(rbMAC);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmChannelSelect::FormShow() {
    rbNormalChannel->setVisible(true);
    rbMAC->setVisible(true);
    rbNormalChannel->setChecked(true);
}

void TfrmChannelSelect::OKBtnClick() {
    GroupChannelChosen = rbMAC->isChecked() ? 1 : 0;
}
