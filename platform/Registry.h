#pragma once
// Per-user settings with the registry's shape: keys hold named integer and string values.
// Stored with QSettings in INI files under $XDG_CONFIG_HOME: the first two parts of a key
// name the file, the rest the group. "\Tarq\Korvan\Port" value "ComPort" is key "ComPort"
// in group [Port] of Tarq/Korvan.conf; "\Tarq\Ports" value "COM3" is in [General] of
// Tarq/Ports.conf.
//
// A settings file is a regular file or none. Anything else in its place (a named pipe, a
// device, a folder) could hold the program up, a link that leads round to itself would be
// replaced by a new file on the first write, and a file larger than any settings file
// would be read whole into memory: such a file, or one that cannot be read, is never opened.
// Its keys read as missing and writes to them fail.

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class QSettings;

namespace platform {

// Why a settings file is not used, or not kept.
enum class SettingsProblem {
    NoRegularFile, // a named pipe, a device or a folder is in its place, or in its lock file's
    LinkLoop,      // it, or its lock file, is a symbolic link that leads round to itself
    TooLarge,      // larger than any settings file the programs write
    Unreadable,    // it is there but cannot be read
    Unwritable,    // it, or the folder it is kept in, cannot be written: changes are lost
};

class Registry {
public:
    Registry();
    ~Registry();

    // Opens a key; without canCreate a key that has no values yet does not open. With
    // canCreate the file must also be one that can be written.
    bool OpenKey(const QString& key, bool canCreate);
    bool KeyExists(const QString& key) const;
    void CloseKey();

    // Reads fail (return false, leave `value` alone) when no key is open, the value is
    // missing, or it is not of the asked type.
    bool ReadInteger(const QString& name, int& value) const;
    bool ReadString(const QString& name, QString& value) const;
    // Writes fail when no key is open or the settings file cannot be written.
    bool WriteInteger(const QString& name, int value);
    bool WriteString(const QString& name, const QString& value);

    // Told the path of each settings file that cannot be used or kept, and why, the first
    // time it is met after the notice is set, on the thread that met it. A file that can be
    // read but not written is still read. An empty notice tells no one.
    using UnusableFileNotice = std::function<void(const QString& path, SettingsProblem why)>;
    static void SetUnusableFileNotice(UnusableFileNotice notice);

private:
    struct Location {
        QString file;  // "Tarq/Korvan"
        QString group; // "Port", or "" for [General]
    };
    static bool locate(const QString& key, Location& where);
    bool write(const QString& name, const QVariant& value);

    std::unique_ptr<QSettings> settings;
    QString group;
};

} // namespace platform
