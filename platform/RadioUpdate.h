#pragma once
// The serial side's report to a form: an event of type 2024 carrying two numbers,
// posted to the form's thread.

#include <QEvent>
#include <functional>

class QCoreApplication;
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

// Safe from any thread: runs `call` in the context's thread, unless the context is gone
// by then. Needs ServePostedEvents.
void PostCall(QObject* context, std::function<void()> call);

// Once, in the UI thread, before anything is posted: runs the posted calls. Qt's event
// queue orders what a thread wrote before it posted ahead of the receiver's reads, through
// a lock ThreadSanitizer cannot see; in a ThreadSanitizer build this also tells it so.
void ServePostedEvents(QCoreApplication* application);

} // namespace platform
