#pragma once
// The habits every form of both programs keeps where Qt differs from the form library the
// dialogs were drawn for:
// - FormShow runs once per opening. A window that comes back from minimised gets a show
//   event too; that is no new opening.
// - No push button is auto-default, so Enter in an edit box clicks nothing. A form that
//   has a default button names it with MakeDefault. Enter on a focused button clicks that
//   button, as Space does.
// - Modal results are the form's own numbers (1 OK, 2 Cancel); reject() (Escape, the
//   close box) gives the form's cancel result, 0 unless the form names another.
// - A page's show and hide handlers belong to changing pages (and to the form opening or
//   closing on that page), never to the window being minimised or restored. A control's
//   exit handler belongs to the focus moving to another control, never to the window
//   losing the focus.

#include <QDialog>
#include <functional>

class QPushButton;
class QString;

namespace forms {

// Keeps the habits above for any top-level widget (dialog or main window): `opening` runs
// on the first show after the widget was hidden by the program (not by minimising). The
// buttons lose auto-default once the widget's constructor has finished and again on every
// show, so buttons made later follow too.
void install(QWidget* form, std::function<void()> opening);
// Every form's push buttons are made here: Enter does not click them unless the form makes
// one its default.
QPushButton* button(const QString& caption, QWidget* parent = nullptr);
// The one button Enter clicks in this form.
void makeDefault(QPushButton* button);
// True while the form is open (shown by the program and not yet hidden by it).
bool isOpen(const QWidget* form);
// `shown` runs when the program shows the page (its tab chosen, the form opened on it) and
// `hidden` when it hides it; minimising and restoring the form runs neither. These handlers
// are bound once the control is in its form, and never run while the form is destroyed.
void onPageShowHide(QWidget* page, std::function<void()> shown, std::function<void()> hidden);
// `left` runs when the focus leaves the control for another control of its form;
// the window losing the focus (minimised, another window, a pop-up menu) is no leaving.
// Closing the form leaves the control too (see leaveFocusedControl); `left` runs once a visit.
void onExit(QWidget* control, std::function<void()> left);
// The control with the focus is left as a click elsewhere would leave it: its exit handler
// runs. A form calls this as it closes, so a value still in its box is taken.
void leaveFocusedControl(QWidget* form);
// A form that closes to keep what it shows runs the exit check (FocusChecks) of the box the
// focus is leaving, or is still in, first. False when the check failed: the user was told,
// the focus is back in that box and the form stays open.
bool passExitChecks(QWidget* form);

} // namespace forms

class Form : public QDialog {
    Q_OBJECT
public:
    static constexpr int mrNone = 0;
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;

    // cancelResult: the modal result of Escape and the close box.
    explicit Form(QWidget* parent = nullptr, int cancelResult = mrNone);

    // Runs once per opening, before the form appears.
    virtual void FormShow() {}
    // Escape and the close box close with the cancel result.
    void reject() override;
    // Closing leaves the control with the focus first. Closing with any result but the
    // cancel result runs that control's exit check before, and stays open when it fails.
    void done(int result) override;

protected:
    void MakeDefault(QPushButton* button) { forms::makeDefault(button); }

private:
    const int cancelResult;
};
