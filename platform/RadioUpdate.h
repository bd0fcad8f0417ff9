#pragma once
// The serial side's report to a form: an event of type 2024 carrying two numbers,
// posted to the form's thread.

#include <QEvent>
#include <functional>

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

// Safe from any thread: hands a new event (any RadioUpdateEvent) to the receiver's thread.
void PostToForm(QObject* receiver, QEvent* event);

// Safe from any thread: runs `call` in the UI thread, unless the context is gone by then.
// The application runs posted calls from the moment it exists. Qt's event queue orders what
// a thread wrote before it posted ahead of the receiver's reads, through a lock
// ThreadSanitizer cannot see; in a ThreadSanitizer build the posting path tells it so.
void PostCall(QObject* context, std::function<void()> call);

} // namespace platform
