#include "Focus_checks.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace {

bool Inside(const QWidget* control, const QWidget* widget) {
    return widget && (widget == control || control->isAncestorOf(widget));
}

bool IsClick(const QEvent* event) {
    return event->type() == QEvent::MouseButtonPress ||
           event->type() == QEvent::MouseButtonDblClick;
}

} // namespace

FocusChecks::FocusChecks(QWidget* form) : QObject(form), form(form) {
    settled.setSingleShot(true);
    settled.setInterval(0);
    connect(&settled, &QTimer::timeout, this, [this] {
        if (const Entry* entry = StopWaiting())
            WaitedOut(*entry);
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* from, QWidget* to) { FocusMoved(from, to); });
    form->installEventFilter(this);
}

void FocusChecks::add(QWidget* control, Check check) {
    entries.push_back({control, std::move(check)});
}

void FocusChecks::exempt(QWidget* control) {
    exempted.push_back(control);
}

const FocusChecks::Entry* FocusChecks::EntryOf(const QWidget* widget) const {
    for (const Entry& entry : entries)
        if (Inside(entry.control, widget))
            return &entry;
    return nullptr;
}

bool FocusChecks::IsExempt(const QWidget* widget) const {
    return std::find(exempted.begin(), exempted.end(), widget) != exempted.end();
}

void FocusChecks::FocusMoved(QWidget* from, QWidget* to) {
    if (checking || waiting || !form->isVisible() || !to || to->window() != form)
        return;
    const Entry* entry = deferred ? TakeDeferred() : EntryOf(from);
    if (!entry)
        return;
    if (IsExempt(to))
        Defer(*entry);
    else if (!Inside(entry->control, to))
        Wait(*entry);
}

// The click that moved the focus comes through here right after the move.
void FocusChecks::Wait(const Entry& entry) {
    waiting = size_t(&entry - entries.data());
    settled.start();
    qApp->installEventFilter(this);
}

const FocusChecks::Entry* FocusChecks::StopWaiting() {
    if (!waiting)
        return nullptr;
    const Entry* entry = &entries[*waiting];
    waiting.reset();
    settled.stop();
    qApp->removeEventFilter(this);
    return entry;
}

void FocusChecks::Defer(const Entry& entry) {
    deferred = size_t(&entry - entries.data());
}

const FocusChecks::Entry* FocusChecks::TakeDeferred() {
    if (!deferred)
        return nullptr;
    const Entry* entry = &entries[*deferred];
    deferred.reset();
    return entry;
}

// The focus has settled where it moved.
void FocusChecks::WaitedOut(const Entry& entry) {
    if (IsExempt(QApplication::focusWidget()))
        Defer(entry);
    else
        Settle(entry);
}

bool FocusChecks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form && event->type() == QEvent::Hide && !event->spontaneous()) {
        StopWaiting(); // closed: nothing the form showed is kept or checked
        deferred.reset();
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!IsClick(event) || !widget || widget->window() != form)
        return false;
    const Entry* entry = StopWaiting();
    if (!entry)
        return false;
    if (IsExempt(widget)) {
        Defer(*entry);
        return false;
    }
    return !Settle(*entry);
}

// The check of a control the focus has left, unless the focus came back to it.
bool FocusChecks::Settle(const Entry& entry) {
    if (!form->isVisible() || Inside(entry.control, QApplication::focusWidget()))
        return true;
    return Run(entry);
}

bool FocusChecks::Run(const Entry& entry) {
    checking = true;
    QWidget* back = entry.check();
    if (back)
        back->setFocus();
    checking = false;
    return !back;
}

bool FocusChecks::passOnClosing() {
    if (checking || !form->isVisible())
        return true;
    if (const Entry* left = StopWaiting())
        return Settle(*left);
    if (const Entry* left = TakeDeferred())
        return Settle(*left);
    const Entry* focused = EntryOf(form->focusWidget());
    return !focused || Run(*focused);
}
