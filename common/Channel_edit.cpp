#include "Channel_edit.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace chanedit {

void LayOut(QDialog* dialog, const Parts& parts, QTextEdit* help, QPushButton* ok,
            QPushButton* cancel) {
    auto* options = new QGridLayout;
    options->addWidget(parts.transmit, 0, 0);
    options->addWidget(parts.receive, 0, 1);
    options->addWidget(parts.general, 1, 0, 1, 2);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(parts.heading);
    layout->addLayout(options);
    layout->addLayout(controls::helpRow(help, ok, cancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EnableDcsInvert(QCheckBox* invert, const QComboBox* receiveTone) {
    invert->setEnabled(receiveTone->currentText().startsWith('D'));
}

} // namespace chanedit
