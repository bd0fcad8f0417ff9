#include "Controls.h"

#include "Form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace controls {

QScrollBar* bar(QWidget* parent, int minimum, int maximum, int minimumWidth) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(minimum, maximum);
    if (minimumWidth > 0)
        bar->setMinimumWidth(minimumWidth);
    return bar;
}

void enable(const std::vector<QWidget*>& list, bool enabled) {
    for (QWidget* control : list)
        control->setEnabled(enabled);
}

QGroupBox* boxGroup(const QString& title, QWidget* parent, std::initializer_list<QWidget*> boxes) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    for (QWidget* box : boxes) {
        box->setParent(group);
        layout->addWidget(box);
    }
    layout->addStretch(1);
    return group;
}

void makeHelpAndButtons(QWidget* dialog, QTextEdit*& pane, QPushButton*& ok, QPushButton*& cancel) {
    pane = new QTextEdit(dialog);
    pane->setFixedHeight(60);
    ok = forms::button(QStringLiteral("OK"), dialog);
    cancel = forms::button(QStringLiteral("Cancel"), dialog);
}

void stackAboveHelpRow(QWidget* dialog, std::initializer_list<QWidget*> parts, QTextEdit* pane,
                       QPushButton* ok, QPushButton* cancel) {
    auto* layout = new QVBoxLayout(dialog);
    for (QWidget* part : parts)
        layout->addWidget(part);
    layout->addLayout(helpRow(pane, ok, cancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QHBoxLayout* helpRow(QTextEdit* help, QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addWidget(help, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    row->addLayout(buttons);
    return row;
}

QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace controls
