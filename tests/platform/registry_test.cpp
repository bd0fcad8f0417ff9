#include "platform/Registry.h"

#include <QDir>
#include <QFile>
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
