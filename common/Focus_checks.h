#pragma once
// Checks made when the focus leaves a control of a form. A check runs once the focus has
// settled on another control of the same form; moving to another window checks nothing yet.
// A control marked exempt (Cancel) defers the check: it waits while the focus is there, or
// a mouse button is held on it, and runs when the focus moves on to any other control of
// the form (back into the control left: nothing to check) or the form closes to keep what
// it shows. Only the form closing otherwise (Cancel clicked) drops it. A failing check tells
// the user and names
// the control the focus goes back to. Putting the focus back sets off no other check, and
// one move of the focus runs at most one check, so two controls that both fail can never
// send the focus to each other in a loop.
//
// A click that moves the focus runs the check as it lands, before the clicked control acts:
// a failing check takes the click, so a button does nothing and the form stays open. Closing
// the form any other way runs the check first too (passOnClosing, from Form::done).
//
// The form owns its checks as a member; they are a child of the form so that its closing
// finds them, and they end before the form's controls do.

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
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
    // The focus moving to `control`, or a click on it, defers the waiting check.
    void exempt(QWidget* control);
    // The form closes to keep what it shows: the check of the control the focus is leaving,
    // or is still in, runs now. False when it failed: the user was told and the focus is back
    // in that control, so the form stays open.
    bool passOnClosing();

protected:
    // Clicks into the form while a check waits; the form hidden.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QWidget* control;
        Check check;
    };

    void FocusMoved(QWidget* from, QWidget* to);
    const Entry* EntryOf(const QWidget* widget) const;
    bool IsExempt(const QWidget* widget) const;
    void Wait(const Entry& entry);
    const Entry* StopWaiting();
    void Defer(const Entry& entry);
    const Entry* TakeDeferred();
    void WaitedOut(const Entry& entry);
    bool Settle(const Entry& entry);
    bool Run(const Entry& entry);

    QWidget* form;
    std::vector<Entry> entries;
    std::vector<QWidget*> exempted;
    QTimer settled;                 // runs the waiting check once the focus has settled
    std::optional<size_t> waiting;  // the entry whose check waits for the focus to settle
    std::optional<size_t> deferred; // the entry whose check waits while an exempt control has it
    bool checking = false;          // a check (its message, its return of the focus) is running
};
