#include "platform/Host.h"

#include "platform/QtHost.h"

namespace platform {

namespace {
Host* installed = nullptr;

// "*.mot" gives "mot"; "*.*", "*" and "" give nothing.
QString suffixOfPattern(const QString& pattern) {
    QString suffix = pattern.trimmed();
    suffix.remove('*');
    if (suffix.startsWith('.'))
        suffix.remove(0, 1);
    return suffix == "." ? QString() : suffix;
}
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

QString defaultSuffixFor(const FileDialogRequest& request, int filterIndex) {
    const QStringList parts = request.filter.split('|');
    const int patternsAt = 2 * filterIndex + 1;
    if (filterIndex >= 0 && patternsAt < parts.size()) {
        const QString first = parts[patternsAt].split(';').first();
        const QString suffix = suffixOfPattern(first);
        if (!suffix.isEmpty())
            return suffix;
    }
    return suffixOfPattern(request.defaultExt);
}

QString pdfFileFor(const QString& title, const QString& folder) {
    QString name = title.isEmpty() ? QStringLiteral("print") : title;
    name.replace('/', '-'); // a slash would name a folder that is not there
    return folder + '/' + name + ".pdf";
}

} // namespace platform
