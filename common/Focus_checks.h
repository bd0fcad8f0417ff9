#pragma once
// Checks made when the focus leaves a control of a form. A check runs once the focus has
// settled on another control of the same form (moving to another window, or to a control
// marked exempt such as Cancel, checks nothing). A failing check tells the user and names
// the control the focus goes back to. Putting the focus back sets off no other check, and
// one move of the focus runs at most one check, so two controls that both fail can never
// send the focus to each other in a loop.
//
// The form owns its checks as a member, so they end before the form's controls do.

#include <QObject>
#include <functional>
#include <vector>

class QWidget;

class FocusChecks : public QObject {
    Q_OBJECT
public:
    // Returns the control to refocus after telling the user, or nullptr when it passed.
    using Check = std::function<QWidget*()>;

    explicit FocusChecks(QWidget* form);

    // `check` runs when the focus leaves `control` or a widget inside it.
    void add(QWidget* control, Check check);
    // The focus moving to `control` runs no check.
    void exempt(QWidget* control);

private:
    struct Entry {
        QWidget* control;
        Check check;
    };

    void FocusMoved(QWidget* from, QWidget* to);
    const Entry* EntryOf(const QWidget* widget) const;
    void Run(const Entry& entry);

    QWidget* form;
    std::vector<Entry> entries;
    std::vector<QWidget*> exempted;
    bool pending = false;  // a check waits for the focus to settle
    bool checking = false; // a check (its message, its return of the focus) is running
};
