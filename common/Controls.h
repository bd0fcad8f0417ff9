#pragma once
// Small pieces the dialogs share: horizontal bars, progress bars, enabling a list of controls
// together, controls hidden for good, and the help pane with OK and Cancel.

#include <QColor>
#include <QPushButton>
#include <initializer_list>
#include <vector>

class QAction;
class QGroupBox;
class QHBoxLayout;
class QProgressBar;
class QScrollBar;
class QString;
class QTextEdit;
class QWidget;

namespace controls {

// A horizontal bar over minimum..maximum (steps of 1, pages of 10), at least
// minimumWidth wide when that is given. It takes the focus from Tab and from a click, shows
// it, and then moves with the arrow and page keys: Right and Up raise it, Left and Down
// lower it.
QScrollBar* bar(QWidget* parent, int minimum, int maximum, int minimumWidth = 0);

// A progress bar over 0..100 showing its percentage in the middle, filled with `fill` (the
// style's own colour when none is given). Over the filled part the percentage is black or
// white, whichever reads on the fill; over the empty part it has the text colour.
QProgressBar* progressBar(QWidget* parent, const QColor& fill = QColor());

void enable(const std::vector<QWidget*>& list, bool enabled);

// A control or menu entry the program never shows. A screen reader's press still reaches a
// hidden control, so it is disabled too, and stays so while it is hidden whatever enables it
// later (Qt keeps an invisible menu entry disabled itself).
void hideForGood(QWidget* control);
void hideForGood(QAction* entry);

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
