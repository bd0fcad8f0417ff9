#pragma once
// Test fixture for the second program's forms: fresh settings, every form created as the
// program creates them, a scripted host, and a folder for test files. COM1..COM4 point at
// paths that do not exist, so start-up never touches a real serial port; a test that wants
// a radio maps a port to a pseudo-terminal (testsupport::mapComPort).

#include "Eeprom.h"
#include "Forms.h"
#include "Main.h"
#include "platform/ScriptedHost.h"
#include "support/Pty.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

class Korvanv2Fixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ClearSettings());
        for (int port = 1; port <= 4; ++port)
            testsupport::mapComPort(port, files.filePath(QStringLiteral("no-such-port")));
        CreateForms();
    }
    void TearDown() override {
        frmBelmar->FormClose();
        DestroyForms();
    }

    static void ClearSettings() {
        const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
        ASSERT_TRUE(base.startsWith(QDir::tempPath())) << "settings outside a test folder";
        QDir(base + QStringLiteral("/Tarq")).removeRecursively();
    }

    QString FilePath(const QString& name) const { return files.filePath(name); }

    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Fills the image with a pattern that differs at every address of a block.
    static void FillImage(uint8_t seed) {
        for (int i = 0; i < EEPROM::SIZE; ++i)
            eeprom.SetByte(i, uint8_t(i * 7 + seed));
    }

    static QByteArray Image() {
        return QByteArray(reinterpret_cast<const char*>(eeprom.data), EEPROM::SIZE);
    }

    // Runs `answer` once the next modal dialog is up.
    static void WhenModal(std::function<void()> answer) {
        QTimer::singleShot(0, [answer] { answer(); });
    }

    QTemporaryDir files;
    platform::ScriptedHost host;
};
