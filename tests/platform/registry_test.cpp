#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStandardPaths>
#include <gtest/gtest.h>

using platform::Registry;

namespace {
QString confPath(const QString& file) {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(file);
}
} // namespace

TEST(Registry, KeysOpenCreateAndRoundTripTypedValues) {
    Registry registry;
    EXPECT_FALSE(registry.OpenKey("\\Tarq\\Korvan\\Port", false)) << "missing without create";
    int number = 42;
    EXPECT_FALSE(registry.ReadInteger("ComPort", number));
    EXPECT_EQ(number, 42);
    EXPECT_FALSE(registry.WriteInteger("ComPort", 1)) << "no key open";

    ASSERT_TRUE(registry.OpenKey("\\Tarq\\Korvan\\Port", true));
    EXPECT_TRUE(registry.WriteInteger("ComPort", 7));
    EXPECT_TRUE(registry.WriteString("Name", "abc def"));
    registry.CloseKey();

    EXPECT_TRUE(QFile::exists(confPath("Tarq/Korvan.conf")));
    Registry again;
    ASSERT_TRUE(again.OpenKey("\\Tarq\\Korvan\\Port", false));
    EXPECT_TRUE(again.ReadInteger("ComPort", number));
    EXPECT_EQ(number, 7);
    QString text;
    EXPECT_TRUE(again.ReadString("Name", text));
    EXPECT_EQ(text, "abc def");
    EXPECT_FALSE(again.ReadInteger("Name", number)) << "a string is not an integer";
    EXPECT_FALSE(again.ReadInteger("Missing", number));
    EXPECT_TRUE(again.KeyExists("\\Tarq\\Korvan\\Port"));
    EXPECT_FALSE(again.KeyExists("\\Tarq\\Korvan\\Files"));
    EXPECT_FALSE(again.OpenKey("\\Tarq", true)) << "a key needs a file and a name";
}

TEST(Registry, TwoPartKeysUseTheGeneralGroup) {
    Registry registry;
    ASSERT_TRUE(registry.OpenKey("\\Tarq\\Ports", true));
    ASSERT_TRUE(registry.WriteString("COM3", "/dev/ttyUSB0"));
    QFile file(confPath("Tarq/Ports.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("[General]"));
    EXPECT_TRUE(content.contains("COM3=/dev/ttyUSB0"));
}

TEST(Registry, GarbageInTheFileReadsAsFailedReads) {
    QDir().mkpath(confPath("Tarq"));
    QFile file(confPath("Tarq/Korvan.conf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Port]\nComPort=seven\nmaxBdRate=\n\x01\x02garbage line\n");
    file.close();
    Registry registry;
    int number = -1;
    if (registry.OpenKey("\\Tarq\\Korvan\\Port", false)) {
        EXPECT_FALSE(registry.ReadInteger("ComPort", number));
        EXPECT_FALSE(registry.ReadInteger("maxBdRate", number));
    }
    EXPECT_EQ(number, -1);
}

// A settings file far larger than any the programs write is never read nor written over: it
// is told once, and its keys read as missing.
TEST(Registry, AFileLargerThanSettingsIsToldOnceAndLeftAlone) {
    QList<std::pair<QString, platform::SettingsProblem>> told;
    Registry::SetUnusableFileNotice([&told](const QString& path, platform::SettingsProblem why) {
        told.append({path, why});
    });
    const struct {
        const char* key;
        const char* file;
    } cases[] = {{"\\Tarq\\Korvan\\Port", "Tarq/Korvan.conf"},
                 {"\\Tarq\\Korvanv201\\Files", "Tarq/Korvanv201.conf"},
                 {"\\Tarq\\Ports", "Tarq/Ports.conf"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        told.clear();
        QDir().mkpath(confPath("Tarq"));
        QFile file(confPath(c.file));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Port]\nComPort=7\n[Files]\nComPort=7\n[General]\nComPort=7\n");
        ASSERT_TRUE(file.resize(2 << 20)); // sparse: no disk taken
        file.close();
        Registry registry;
        EXPECT_FALSE(registry.KeyExists(c.key));
        EXPECT_FALSE(registry.OpenKey(c.key, false));
        EXPECT_FALSE(registry.OpenKey(c.key, true));
        EXPECT_FALSE(registry.WriteInteger("ComPort", 1));
        ASSERT_EQ(told.size(), 1);
        EXPECT_EQ(told[0].first, confPath(c.file));
        EXPECT_EQ(told[0].second, platform::SettingsProblem::TooLarge);
        EXPECT_EQ(QFileInfo(confPath(c.file)).size(), 2 << 20);
        QFile::remove(confPath(c.file));
    }
    Registry::SetUnusableFileNotice(nullptr);
}

// A settings file that is a symbolic link: one to a regular file is read and written through,
// one to nothing makes its target on the first write. A loop of two links, at the file or at
// its lock file, is told once, reads as missing, and both links stay as they were.
TEST(Registry, LinksAreFollowedAndALoopIsToldOnceAndLeftAlone) {
    QList<std::pair<QString, platform::SettingsProblem>> told;
    Registry::SetUnusableFileNotice([&told](const QString& path, platform::SettingsProblem why) {
        told.append({path, why});
    });
    const QByteArray settings = "[Port]\nComPort=7\n[Files]\nComPort=7\n";
    const struct {
        const char* name;
        const char* at;    // the link is the settings file with this ending
        QByteArray target; // what the link leads to holds; none when empty
        bool loop;         // the target is a link back
        int port;          // read through the link
    } cases[] = {{"link to a file", "", settings, false, 7},
                 {"link to nothing", "", {}, false, -1},
                 {"loop", "", {}, true, -1},
                 {"loop at the lock file", ".lock", {}, true, -1}};
    const std::pair<const char*, const char*> files[] = {
        {"Tarq/Korvan.conf", "\\Tarq\\Korvan\\Port"},
        {"Tarq/Korvanv201.conf", "\\Tarq\\Korvanv201\\Files"}};
    for (const auto& [file, key] : files) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(file) + ": " + c.name);
            told.clear();
            QDir(confPath("Tarq")).removeRecursively();
            QDir().mkpath(confPath("Tarq"));
            const QString link = confPath(file) + c.at;
            const QString target = link + ".b";
            QFile written(*c.at ? confPath(file) : target);
            if (*c.at || !c.target.isEmpty()) {
                ASSERT_TRUE(written.open(QIODevice::WriteOnly));
                written.write(*c.at ? settings : c.target);
                written.close();
            }
            ASSERT_TRUE(QFile::link(target, link));
            ASSERT_TRUE(!c.loop || QFile::link(link, target));

            Registry registry;
            EXPECT_EQ(registry.KeyExists(key), !c.target.isEmpty());
            EXPECT_EQ(registry.OpenKey(key, true), !c.loop);
            int port = -1;
            registry.ReadInteger("ComPort", port);
            EXPECT_EQ(port, c.port);
            EXPECT_EQ(registry.WriteInteger("maxBdRate", 9600), !c.loop);
            registry.CloseKey();
            EXPECT_EQ(Registry().KeyExists(key), !c.loop) << "written through the link";
            EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
            if (!c.loop) {
                EXPECT_TRUE(told.isEmpty());
                EXPECT_TRUE(QFileInfo(target).isFile());
                continue;
            }
            EXPECT_EQ(told, decltype(told)({{link, platform::SettingsProblem::LinkLoop}}));
            EXPECT_EQ(QFileInfo(target).symLinkTarget(), link);
        }
    }
    QDir(confPath("Tarq")).removeRecursively();
    Registry::SetUnusableFileNotice(nullptr);
}
