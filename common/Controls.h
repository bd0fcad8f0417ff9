#pragma once
// Small pieces the dialogs share: horizontal bars, enabling a list of controls together,
// and the help pane with OK and Cancel.

#include <QPushButton>
#include <initializer_list>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QScrollBar;
class QString;
class QTextEdit;
class QWidget;

namespace controls {

// A horizontal bar over minimum..maximum (steps of 1, pages of 10), at least
// minimumWidth wide when that is given.
QScrollBar* bar(QWidget* parent, int minimum, int maximum, int minimumWidth = 0);

void enable(const std::vector<QWidget*>& list, bool enabled);

// A titled group holding the boxes one under the other, from the top.
QGroupBox* boxGroup(const QString& title, QWidget* parent, std::initializer_list<QWidget*> boxes);

// The help pane with OK and Cancel stacked on its right.
QHBoxLayout* helpRow(QTextEdit* help, QPushButton* ok, QPushButton* cancel);

// An edit dialog's help pane (60 high) and its OK and Cancel buttons, which click onOk and
// onCancel.
void makeHelpAndButtons(QWidget* dialog, QTextEdit*& pane, QPushButton*& ok, QPushButton*& cancel);
template <class Dialog>
void helpAndButtons(Dialog* dialog, QTextEdit*& pane, QPushButton*& ok, QPushButton*& cancel,
                    void (Dialog::*onOk)(), void (Dialog::*onCancel)()) {
    makeHelpAndButtons(dialog, pane, ok, cancel);
    QObject::connect(ok, &QPushButton::clicked, dialog, onOk);
    QObject::connect(cancel, &QPushButton::clicked, dialog, onCancel);
}
// The parts one under the other above the help row; the dialog keeps the size they need.
void stackAboveHelpRow(QWidget* dialog, std::initializer_list<QWidget*> parts, QTextEdit* pane,
                       QPushButton* ok, QPushButton* cancel);

// OK and Cancel side by side on the right.
QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel);

} // namespace controls
