#pragma once
// The offscreen application, settings folder and scripted host that a fuzz target needs
// before it can make forms. Made once, on the first call, and kept until the process ends;
// the settings folder goes with the process, and a folder that an ended process left (a
// crash, a time-out, an interrupt) goes when the next target starts.

#include "platform/ScriptedHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// The settings folder of a target's process: "korvan-fuzz-<process id>-XXXXXX" in the temp
// folder, removed when the process ends normally.
inline QString SettingsPrefix(qint64 pid) {
    return QStringLiteral("korvan-fuzz-%1-").arg(pid);
}

// Folders of targets that ended without cleaning up (a crash, a time-out, an interrupt).
inline void RemoveFoldersOfEndedTargets() {
    QDir temp = QDir::temp();
    static const QRegularExpression name(QStringLiteral("^korvan-fuzz-(\\d+)-"));
    for (const QString& entry : temp.entryList({QStringLiteral("korvan-fuzz-*")}, QDir::Dirs)) {
        const QRegularExpressionMatch match = name.match(entry);
        if (match.hasMatch() && kill(pid_t(match.captured(1).toLongLong()), 0) != 0 &&
            errno == ESRCH)
            QDir(temp.filePath(entry)).removeRecursively();
    }
}

inline QString SettingsTemplate() {
    RemoveFoldersOfEndedTargets();
    return QDir::tempPath() + "/" + SettingsPrefix(QCoreApplication::applicationPid()) + "XXXXXX";
}

inline QTemporaryDir& SettingsFolder() {
    static QTemporaryDir settings(SettingsTemplate());
    return settings;
}

// A broken rule: told on stderr, the settings folder removed, then the crash that makes
// libFuzzer keep the input.
[[noreturn]] inline void Broken(const QString& what) {
    std::fprintf(stderr, "walk: %s\n", qPrintable(what));
    SettingsFolder().remove();
    std::abort();
}

inline platform::ScriptedHost& StartApplication() {
    QTemporaryDir& settings = SettingsFolder();
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [&settings] {
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
