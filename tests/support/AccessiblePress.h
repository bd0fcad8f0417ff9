#pragma once
// Presses as a screen reader makes them (Orca's "press", an accessibility test's doAction):
// through a control's accessibility interface, which reaches controls the mouse cannot, a
// hidden one or one in a window behind a modal dialog.

#include <vector>

class QDialog;
class QObject;

namespace platform {
class ScriptedHost;
} // namespace platform

namespace testsupport {

// Presses a button or a menu entry through its accessibility interface, with the
// accessibility active, and returns once the press has run its course (a button's press is
// an animated click).
void PressAccessibly(QObject* control);

// A press that must come to nothing: `control` pressed while `behind` is open modally. With
// no dialog behind, the control is one hidden for good, and it must be disabled as well.
struct QuietPress {
    const char* name;
    QObject* control;
    QDialog* behind;
};

// Each press comes to nothing: no modal dialog opens (one that does is closed at once), no
// message is shown and Qt warns of nothing (such as "QDialog::exec: Recursive call detected").
void ExpectPressesComeToNothing(const std::vector<QuietPress>& presses,
                                const platform::ScriptedHost& host);

} // namespace testsupport
