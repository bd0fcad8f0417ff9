#pragma once
// Small pieces the dialogs share: enabling a list of controls together, and the bottom row
// of the help pane with OK and Cancel stacked on its right.

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

} // namespace controls
