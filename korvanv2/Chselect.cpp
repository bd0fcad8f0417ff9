#include "Chselect.h"

#include "Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TfrmChSelect* frmChSelect = nullptr;

TfrmChSelect::TfrmChSelect(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Select Channel"));
    Label1 = new QLabel(QStringLiteral("Channel:"), this);
    cbChannel = new QComboBox(this);
    cbChannel->setMinimumWidth(80);
    btnOK = forms::button(QStringLiteral("OK"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnOK, &QPushButton::clicked, this, &TfrmChSelect::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(cbChannel, 0, 1);
    layout->addLayout(controls::buttonRow(btnOK, btnCancel), 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmChSelect::SetChannelList(const std::vector<int>& numbers) {
    cbChannel->clear();
    for (int n : numbers)
        cbChannel->addItem(QString::number(n));
    cbChannel->setCurrentIndex(numbers.empty() ? -1 : 0);
}

void TfrmChSelect::SetSelection(int index) {
    cbChannel->setCurrentIndex(index);
}

void TfrmChSelect::btnOKClick() {
    if (cbChannel->currentIndex() < 0)
        return;
    Selection = cbChannel->currentIndex();
    done(mrOk);
}
