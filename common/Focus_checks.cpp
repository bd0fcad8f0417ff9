#include "Focus_checks.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

bool Inside(const QWidget* control, const QWidget* widget) {
    return widget && (widget == control || control->isAncestorOf(widget));
}

} // namespace

FocusChecks::FocusChecks(QWidget* form) : form(form) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* from, QWidget* to) { FocusMoved(from, to); });
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

void FocusChecks::FocusMoved(QWidget* from, QWidget* to) {
    if (checking || pending || !form->isVisible() || !to || to->window() != form)
        return;
    if (std::find(exempted.begin(), exempted.end(), to) != exempted.end())
        return;
    const Entry* entry = EntryOf(from);
    if (!entry || Inside(entry->control, to))
        return;
    pending = true;
    QTimer::singleShot(0, this, [this, index = entry - entries.data()] {
        pending = false;
        Run(entries[size_t(index)]);
    });
}

void FocusChecks::Run(const Entry& entry) {
    if (!form->isVisible() || Inside(entry.control, QApplication::focusWidget()))
        return;
    checking = true;
    if (QWidget* back = entry.check())
        back->setFocus();
    checking = false;
}
