#pragma once
// Habits every form of a program keeps, checked over all the forms a main window owns:
// scroll bars are in the Tab order and follow their arrow keys, Tab leaves every grid,
// progress texts read on every colour they are drawn on, dialogs carry a dialog's title
// bar, and a box with a character rule keeps the same text pasted as typed.

class QProgressBar;
class QWidget;

namespace testsupport {

// How far the bar's text stands out from the colour under it at `value`: the contrast ratio
// (1 none, 21 black on white) of the pixel that differs most from the bar's middle.
double ProgressTextContrast(QProgressBar* bar, int value);

// Checks the habits above for every form under `mainWindow`.
void ExpectFormHabits(QWidget* mainWindow);

} // namespace testsupport
