#include "platform/Host.h"

#include "platform/QtHost.h"

namespace platform {

namespace {
Host* installed = nullptr;
} // namespace

Host& host() {
    static QtHost qtHost;
    return installed ? *installed : qtHost;
}

void setHost(Host* newHost) {
    installed = newHost;
}

QString qtFilterFromPairs(const QString& pairs) {
    const QStringList parts = pairs.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // The description usually names the patterns already: "Files (*.mem)".
        filters << (parts[i].contains('(') ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return filters.join(";;");
}

} // namespace platform
