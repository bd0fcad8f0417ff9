#include "Selectchnl.h"

#include "Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmSelectChannel* frmSelectChannel = nullptr;

TfrmSelectChannel::TfrmSelectChannel(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Select Channel"));
    Label1 = new QLabel(QStringLiteral("Channel"), this);
    cbChannel = new QComboBox(this);
    cbChannel->setMinimumWidth(80);
    RadioGroup1 = new QGroupBox(QStringLiteral("Channel Type"), this);
    rbNormal = new QRadioButton(QStringLiteral("Normal Channel"), RadioGroup1);
    rbGroup = new QRadioButton(QStringLiteral("Group Channel"), RadioGroup1);
    auto* types = new QVBoxLayout(RadioGroup1);
    types->addWidget(rbNormal);
    types->addWidget(rbGroup);
    btnOk = forms::button(QStringLiteral("Ok"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnOk, &QPushButton::clicked, this, &TfrmSelectChannel::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(cbChannel, 0, 1);
    layout->addWidget(RadioGroup1, 1, 0, 1, 2);
    layout->addLayout(controls::buttonRow(btnOk, btnCancel), 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmSelectChannel::SetChannelList(const std::vector<int>& indices) {
    cbChannel->clear();
    for (int i : indices)
        cbChannel->addItem(QString::number(i + 1));
    cbChannel->setCurrentIndex(indices.empty() ? -1 : 0);
}

int TfrmSelectChannel::GetChannelType() const {
    return rbGroup->isChecked() ? 1 : 0;
}

void TfrmSelectChannel::FormShow() {
    Selection = 0;
    rbNormal->setChecked(true);
}

void TfrmSelectChannel::btnOkClick() {
    if (cbChannel->currentIndex() < 0)
        return;
    Selection = cbChannel->currentIndex();
    done(mrOk);
}
