#include "platform/Registry.h"

#include "platform/FileKind.h"

#include <QDir>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <mutex>

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
void tellUnusable(const QString& path) {
    UnusableFiles& files = unusableFiles();
    Registry::UnusableFileNotice notice;
    {
        std::lock_guard guard(files.lock);
        if (!files.notice || files.told.contains(path))
            return;
        files.told.insert(path);
        notice = files.notice;
    }
    notice(path);
}

// The settings of `file`; none when the file, or the lock file written beside it while it
// is saved, is no regular file.
std::unique_ptr<QSettings> openSettings(const QString& file) {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString path = QDir(base).filePath(file + ".conf");
    for (const QString& used : {path, path + ".lock"})
        if (isNoRegularFile(used)) {
            tellUnusable(used);
            return nullptr;
        }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
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
    auto settings = openSettings(where.file);
    return settings && hasValues(*settings, where.group);
}

bool Registry::OpenKey(const QString& key, bool canCreate) {
    CloseKey();
    Location where;
    if (!locate(key, where))
        return false;
    auto opened = openSettings(where.file);
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
    return settings->status() == QSettings::NoError;
}

bool Registry::WriteInteger(const QString& name, int value) {
    return write(name, value);
}

bool Registry::WriteString(const QString& name, const QString& value) {
    return write(name, value);
}

} // namespace platform
