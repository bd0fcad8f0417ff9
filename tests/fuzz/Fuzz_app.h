#pragma once
// The offscreen application, settings folder and scripted host that a fuzz target needs
// before it can make forms. Made once, on the first call, and kept until the process ends.

#include "platform/ScriptedHost.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace fuzz {

inline platform::ScriptedHost& StartApplication() {
    static QTemporaryDir settings(QDir::tempPath() + QStringLiteral("/korvan-fuzz-XXXXXX"));
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    static platform::ScriptedHost host;
    (void)app;
    return host;
}

// The application as above with the program's forms made by `createForms`, once.
inline platform::ScriptedHost& StartForms(void (*createForms)()) {
    static platform::ScriptedHost& host = [createForms]() -> platform::ScriptedHost& {
        platform::ScriptedHost& made = StartApplication();
        createForms();
        return made;
    }();
    return host;
}

// The input written to one file in the settings folder, for targets that load files by name;
// its path, or "" when it cannot be written.
inline QString InputFile(const uint8_t* data, size_t size) {
    static const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + "/radio.mem";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return QString();
    return path;
}

} // namespace fuzz
