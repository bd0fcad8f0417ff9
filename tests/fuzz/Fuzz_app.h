#pragma once
// The offscreen application, settings folder and scripted host that a fuzz target needs
// before it can make forms. Made once, on the first call, and kept until the process ends.

#include "platform/ScriptedHost.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

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

} // namespace fuzz
