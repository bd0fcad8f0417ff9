#pragma once
// Small pieces the dialogs share: enabling a list of controls together, and the rows that
// hold OK and Cancel.

#include <vector>

class QHBoxLayout;
class QPushButton;
class QTextEdit;
class QWidget;

namespace controls {

void enable(const std::vector<QWidget*>& list, bool enabled);

// The help pane with OK and Cancel stacked on its right. Enter belongs to the dialog's
// edit boxes: neither button takes it.
QHBoxLayout* helpRow(QTextEdit* help, QPushButton* ok, QPushButton* cancel);

// OK and Cancel side by side on the right.
QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel);

} // namespace controls
