#include "Image_dialog.h"

#include "Controls.h"
#include "Help_pane.h"
#include "Image_access.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

ImageDialog::ImageDialog(QWidget* parent, int cancelResult) : Form(parent, cancelResult) {
    setModal(true);
    connect(this, &QDialog::finished, this, &ImageDialog::FormClose);
}

// Made after the dialog's own controls, so it comes last in the tab order.
QWidget* ImageDialog::BuildBottomPanel() {
    BottomPanel = new QWidget(this);
    OKBtn = forms::button(QStringLiteral("OK"), BottomPanel);
    CancelBtn = forms::button(QStringLiteral("Cancel"), BottomPanel);
    HelpText = new QTextEdit(BottomPanel);
    BuildHelp();
    HelpText->setPlainText(QStringLiteral("Help messages..."));
    HelpText->setFixedHeight(64);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch();
    auto* row = new QHBoxLayout(BottomPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(HelpText, 1);
    row->addLayout(buttons);

    ConnectButtons();
    return BottomPanel;
}

QHBoxLayout* ImageDialog::BuildButtonRow() {
    OKBtn = forms::button(QStringLiteral("OK"));
    CancelBtn = forms::button(QStringLiteral("Cancel"));
    ConnectButtons();
    return controls::buttonRow(OKBtn, CancelBtn);
}

void ImageDialog::ConnectButtons() {
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &ImageDialog::CancelBtnClick);
}

void ImageDialog::BuildHelp() {
    help = new HelpPane(HelpText);
    help->bindOkCancel(OKBtn, CancelBtn);
}

void ImageDialog::CancelBtnClick() {
    reject();
}

void ImageDialog::FormClose(int modalResult) {
    if (modalResult != mrOk)
        UndoChanges();
}

void ImageDialog::UndoChanges() {
    RestoreBackup();
}

void ImageDialog::TakeBackup() {
    Backup = image::copy();
}

void ImageDialog::RestoreBackup(int from) {
    image::restore(Backup, from);
}
