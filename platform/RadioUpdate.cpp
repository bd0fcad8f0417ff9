#include "platform/RadioUpdate.h"

#include <QCoreApplication>
#include <QObject>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace platform {

namespace {

#if defined(__SANITIZE_THREAD__)
char postedEvents; // stands for the queue's lock
#endif

void Posting() {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(&postedEvents);
#endif
}

void Delivering() {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(&postedEvents);
#endif
}

QEvent::Type PostedCallType() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

class PostedCall : public QEvent {
public:
    explicit PostedCall(std::function<void()> call)
        : QEvent(PostedCallType()), call(std::move(call)) {}
    const std::function<void()> call;
};

// Sees every event to the UI thread before its receiver does.
class PostedEventServer : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        Delivering();
        if (event->type() != PostedCallType())
            return false;
        static_cast<PostedCall*>(event)->call();
        return true;
    }
};

// Runs in the UI thread as each application object is made.
void ServePostedEvents() {
    auto* application = QCoreApplication::instance();
    application->installEventFilter(new PostedEventServer(application));
}

Q_COREAPP_STARTUP_FUNCTION(ServePostedEvents)

} // namespace

RadioUpdateEvent::RadioUpdateEvent(long wParam, long lParam)
    : QEvent(eventType()), wParam(wParam), lParam(lParam) {}

QEvent::Type RadioUpdateEvent::eventType() {
    return QEvent::Type(WM_RADIO_UPDATE);
}

void PostRadioUpdate(QObject* receiver, long wParam, long lParam) {
    if (receiver)
        PostToForm(receiver, new RadioUpdateEvent(wParam, lParam));
}

void PostToForm(QObject* receiver, QEvent* event) {
    Posting();
    QCoreApplication::postEvent(receiver, event);
}

void PostCall(QObject* context, std::function<void()> call) {
    if (context)
        PostToForm(context, new PostedCall(std::move(call)));
}

} // namespace platform
