#pragma once
// The habits every form of both programs keeps where Qt differs from the form library the
// dialogs were drawn for:
// - FormShow runs once per opening. A window that comes back from minimised gets a show
//   event too; that is no new opening.
// - No push button is auto-default, so Enter in an edit box clicks nothing. A form that
//   has a default button names it with MakeDefault.
// - Modal results are the form's own numbers (1 OK, 2 Cancel); reject() gives 0, so a
//   form whose Escape must return 2 says so through CancelResult.

#include <QDialog>
#include <functional>

class QPushButton;

namespace forms {

// Keeps the habits above for any top-level widget (dialog or main window): `opening` runs
// on the first show after the widget was hidden by the program (not by minimising).
void install(QWidget* form, std::function<void()> opening);
// The one button Enter clicks in this form.
void makeDefault(QPushButton* button);
// True while the form is open (shown by the program and not yet hidden by it).
bool isOpen(const QWidget* form);

} // namespace forms

class Form : public QDialog {
    Q_OBJECT
public:
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;

    explicit Form(QWidget* parent = nullptr);

    // Runs once per opening, before the form appears.
    virtual void FormShow() {}

protected:
    void MakeDefault(QPushButton* button) { forms::makeDefault(button); }
};
