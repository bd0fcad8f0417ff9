#include "platform/Registry.h"

#include "platform/FileKind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <mutex>
#include <optional>
#include <unistd.h>

namespace platform {

Registry::Registry() = default;
Registry::~Registry() = default;

bool Registry::locate(const QString& key, Location& where) {
    const QStringList parts = key.split('\\', Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return false;
    where.file = parts[0] + '/' + parts[1];
    where.group = parts.mid(2).join('/');
    return true;
}

namespace {

struct UnusableFiles {
    std::mutex lock;
    Registry::UnusableFileNotice notice;
    QSet<QString> told;
};

UnusableFiles& unusableFiles() {
    static UnusableFiles files;
    return files;
}

// The notice runs outside the lock: it may show a message and run events meanwhile.
void tellUnusable(const QString& path, SettingsProblem why) {
    UnusableFiles& files = unusableFiles();
    Registry::UnusableFileNotice notice;
    {
        std::lock_guard guard(files.lock);
        if (!files.notice || files.told.contains(path))
            return;
        files.told.insert(path);
        notice = files.notice;
    }
    notice(path, why);
}

// The programs write a few hundred bytes; a file far larger is not theirs to read whole.
constexpr qint64 MAX_SETTINGS_SIZE = 1024 * 1024;

bool mayAccess(const QString& path, int mode) {
    return ::access(QFile::encodeName(path).constData(), mode) == 0;
}

// QSettings saves through a lock file and a new file beside the old one, making the folders
// that are missing: the nearest folder that is there must take new files.
bool canBeWritten(const QString& path) {
    const QFileInfo file(path);
    if (file.exists() && !mayAccess(path, W_OK))
        return false;
    QFileInfo folder(file.absolutePath());
    while (!folder.exists())
        folder.setFile(folder.absolutePath());
    return folder.isDir() && mayAccess(folder.filePath(), W_OK | X_OK);
}

struct Problem {
    QString path;
    SettingsProblem why;
};

// What keeps the settings file at `path` from being read, or `forWriting` from being kept.
std::optional<Problem> problemWith(const QString& path, bool forWriting) {
    for (const QString& used : {path, path + ".lock"}) {
        if (isNoRegularFile(used))
            return Problem{used, SettingsProblem::NoRegularFile};
        if (isLinkLoop(used))
            return Problem{used, SettingsProblem::LinkLoop};
    }
    const QFileInfo file(path);
    if (file.exists() && file.size() > MAX_SETTINGS_SIZE)
        return Problem{path, SettingsProblem::TooLarge};
    if (file.exists() && !mayAccess(path, R_OK))
        return Problem{path, SettingsProblem::Unreadable};
    if (forWriting && !canBeWritten(path))
        return Problem{path, SettingsProblem::Unwritable};
    return std::nullopt;
}

// The settings of `file`; none when it cannot be read. One that cannot be written, when it
// is opened for writing, is told and still read.
std::unique_ptr<QSettings> openSettings(const QString& file, bool forWriting) {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString path = QDir(base).filePath(file + ".conf");
    if (const auto problem = problemWith(path, forWriting)) {
        tellUnusable(problem->path, problem->why);
        if (problem->why != SettingsProblem::Unwritable)
            return nullptr;
    }
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    if (settings->status() == QSettings::AccessError)
        tellUnusable(path, SettingsProblem::Unreadable);
    return settings;
}

bool hasValues(QSettings& settings, const QString& group) {
    if (group.isEmpty())
        return !settings.childKeys().isEmpty();
    settings.beginGroup(group);
    const bool any = !settings.childKeys().isEmpty();
    settings.endGroup();
    return any;
}

} // namespace

bool Registry::KeyExists(const QString& key) const {
    Location where;
    if (!locate(key, where))
        return false;
    auto settings = openSettings(where.file, false);
    return settings && hasValues(*settings, where.group);
}

bool Registry::OpenKey(const QString& key, bool canCreate) {
    CloseKey();
    Location where;
    if (!locate(key, where))
        return false;
    auto opened = openSettings(where.file, canCreate);
    if (!opened || opened->status() != QSettings::NoError)
        return false;
    if (!canCreate && !hasValues(*opened, where.group))
        return false;
    settings = std::move(opened);
    group = where.group;
    return true;
}

void Registry::SetUnusableFileNotice(UnusableFileNotice notice) {
    UnusableFiles& files = unusableFiles();
    std::lock_guard guard(files.lock);
    files.notice = std::move(notice);
    files.told.clear();
}

void Registry::CloseKey() {
    settings.reset();
    group.clear();
}

namespace {

QString valueKey(const QString& group, const QString& name) {
    return group.isEmpty() ? name : group + '/' + name;
}

} // namespace

bool Registry::ReadInteger(const QString& name, int& value) const {
    if (!settings)
        return false;
    const QVariant stored = settings->value(valueKey(group, name));
    if (!stored.isValid())
        return false;
    bool ok = false;
    const int number = stored.toString().trimmed().toInt(&ok);
    if (ok)
        value = number;
    return ok;
}

bool Registry::ReadString(const QString& name, QString& value) const {
    if (!settings)
        return false;
    const QVariant stored = settings->value(valueKey(group, name));
    if (!stored.isValid() || !stored.canConvert<QString>())
        return false;
    value = stored.toString();
    return true;
}

bool Registry::write(const QString& name, const QVariant& value) {
    if (!settings)
        return false;
    settings->setValue(valueKey(group, name), value);
    settings->sync();
    if (settings->status() == QSettings::AccessError)
        tellUnusable(settings->fileName(), SettingsProblem::Unwritable);
    return settings->status() == QSettings::NoError;
}

bool Registry::WriteInteger(const QString& name, int value) {
    return write(name, value);
}

bool Registry::WriteString(const QString& name, const QString& value) {
    return write(name, value);
}

} // namespace platform
