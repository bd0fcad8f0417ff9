#include "User_edits.h"

#include "Up_down.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

void UserEdits::watch(QWidget* control) {
    const auto markControl = [this, control] { mark(control); };
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(box, &QLineEdit::textEdited, &context, markControl);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QObject::connect(combo, &QComboBox::activated, &context, markControl);
        if (QLineEdit* text = combo->lineEdit())
            QObject::connect(text, &QLineEdit::textEdited, &context, markControl);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, &context, markControl);
    } else if (auto* arrows = qobject_cast<UpDown*>(control)) {
        QObject::connect(arrows, &UpDown::Click, &context, markControl);
        if (QLineEdit* box = arrows->associate())
            QObject::connect(box, &QLineEdit::textEdited, &context, markControl);
    } else if (auto* bar = qobject_cast<QAbstractSlider*>(control)) {
        QObject::connect(bar, &QAbstractSlider::actionTriggered, &context, markControl);
    }
}

void UserEdits::mark(const QWidget* control) {
    edited.insert(control);
}

void UserEdits::mark(const QWidget* grid, int row, int column) {
    editedCells.insert({grid, row, column});
}

void UserEdits::clear() {
    edited.clear();
    editedCells.clear();
}

bool UserEdits::changed(const QWidget* control) const {
    return edited.count(control) != 0;
}

bool UserEdits::changed(const QWidget* grid, int row, int column) const {
    return editedCells.count({grid, row, column}) != 0;
}

bool UserEdits::anyChanged(const std::vector<QWidget*>& controls) const {
    return std::any_of(controls.begin(), controls.end(),
                       [this](const QWidget* control) { return changed(control); });
}
