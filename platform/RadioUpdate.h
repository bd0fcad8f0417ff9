#pragma once
// The serial side's report to a form: an event of type 2024 carrying two numbers,
// posted to the form's thread.

#include <QEvent>

class QObject;

namespace platform {

constexpr int WM_RADIO_UPDATE = 2024;

class RadioUpdateEvent : public QEvent {
public:
    RadioUpdateEvent(long wParam, long lParam);
    static QEvent::Type eventType();
    long wParam;
    long lParam;
};

// Safe from any thread; the receiver's event() gets a RadioUpdateEvent.
void PostRadioUpdate(QObject* receiver, long wParam, long lParam);

} // namespace platform
