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
        other.abort();
        return false;
    }
    server = new QLocalServer(this);
    if (!server->listen(name)) {
        // A stale socket from a copy that crashed: nothing answered, so take it over.
        QLocalServer::removeServer(name);
        if (!server->listen(name))
            return true; // no guard possible; run unguarded rather than not at all
    }
    // A copy that only looks closes at once; one that asks writes "raise".
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            const auto readRequest = [this, socket] {
                if (socket->readAll().contains("raise"))
                    raiseWindow();
            };
            connect(socket, &QLocalSocket::readyRead, this, readRequest);
            readRequest();
        }
    });
    return true;
}

void SingleInstance::raiseRunningCopy() {
    QLocalSocket other;
    other.connectToServer(name);
    if (!other.waitForConnected(ConnectTimeoutMs))
        return;
    other.write("raise");
    other.waitForBytesWritten(ConnectTimeoutMs);
    other.disconnectFromServer();
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
