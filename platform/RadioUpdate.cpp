#include "platform/RadioUpdate.h"

#include <QCoreApplication>
#include <QObject>

namespace platform {

RadioUpdateEvent::RadioUpdateEvent(long wParam, long lParam)
    : QEvent(eventType()), wParam(wParam), lParam(lParam) {}

QEvent::Type RadioUpdateEvent::eventType() {
    return QEvent::Type(WM_RADIO_UPDATE);
}

void PostRadioUpdate(QObject* receiver, long wParam, long lParam) {
    if (receiver)
        QCoreApplication::postEvent(receiver, new RadioUpdateEvent(wParam, lParam));
}

} // namespace platform
