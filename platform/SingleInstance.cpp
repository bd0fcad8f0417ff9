#include "platform/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace platform {

namespace {
constexpr int ConnectTimeoutMs = 1000;
} // namespace

SingleInstance::SingleInstance(const QString& name) : name(name) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    QLocalSocket other;
    other.connectToServer(name);
    if (other.waitForConnected(ConnectTimeoutMs)) {
        // The running copy raises its window when a second copy connects.
        other.write("raise");
        other.waitForBytesWritten(ConnectTimeoutMs);
        other.disconnectFromServer();
        return false;
    }
    server = new QLocalServer(this);
    if (!server->listen(name)) {
        // A stale socket from a copy that crashed: nothing answered, so take it over.
        QLocalServer::removeServer(name);
        if (!server->listen(name))
            return true; // no guard possible; run unguarded rather than not at all
    }
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            raiseWindow();
        }
    });
    return true;
}

void SingleInstance::setWindow(QWidget* newWindow) {
    window = newWindow;
}

void SingleInstance::raiseWindow() {
    if (!window)
        return;
    window->showNormal();
    window->raise();
    window->activateWindow();
}

} // namespace platform
