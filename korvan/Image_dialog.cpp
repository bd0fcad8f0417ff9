#include "Image_dialog.h"

#include "Help_pane.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

ImageDialog::ImageDialog(QWidget* parent) : QDialog(parent) {
    setModal(true);
    connect(this, &QDialog::finished, this, &ImageDialog::FormClose);
}

// Made after the dialog's own controls, so it comes last in the tab order.
QWidget* ImageDialog::BuildBottomPanel() {
    BottomPanel = new QWidget(this);
    OKBtn = new QPushButton(QStringLiteral("OK"), BottomPanel);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), BottomPanel);
    HelpText = new QTextEdit(BottomPanel);
    help = new HelpPane(HelpText);
    HelpText->setPlainText(QStringLiteral("Help messages..."));
    HelpText->setFixedHeight(64);
    // Enter in an edit box must not close the dialog.
    OKBtn->setAutoDefault(false);
    CancelBtn->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch();
    auto* row = new QHBoxLayout(BottomPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(HelpText, 1);
    row->addLayout(buttons);
    help->bind(OKBtn, {QStringLiteral("The OK button exits the screen and saves any changes.")});
    help->bind(CancelBtn,
               {QStringLiteral("The Cancel button exits the screen and discards any changes.")});

    connect(OKBtn, &QPushButton::clicked, this, [this] {
        OKBtnClick();
        done(mrOk);
    });
    connect(CancelBtn, &QPushButton::clicked, this, &ImageDialog::CancelBtnClick);
    return BottomPanel;
}

void ImageDialog::CancelBtnClick() {
    done(mrCancel);
}

void ImageDialog::reject() {
    done(mrCancel);
}

void ImageDialog::FormClose(int modalResult) {
    if (modalResult != mrOk)
        std::copy(std::begin(Backup), std::end(Backup), frmBelmar->RadioData);
}

void ImageDialog::TakeBackup() {
    std::copy(frmBelmar->RadioData, frmBelmar->RadioData + IMAGE_SIZE, Backup);
}

void ImageDialog::enableAll(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

void ImageDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}
