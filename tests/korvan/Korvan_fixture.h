#pragma once
// Test fixture for the first program's forms: fresh settings, every form created as the
// program creates them, a scripted host answering and recording every message and file
// dialog, and a folder for test files. The forms are deleted after each test.
//
//   TEST_F(KorvanFixture, Something) {
//       host.messageAnswers.enqueue(platform::IDCANCEL);
//       frmBelmar->SpeedBtnClick(frmBelmar->btnFileOpen);
//       EXPECT_EQ(host.messages.size(), 1);
//   }
//
// FormShow opens the serial port: point the port at a test device first
// (testsupport::mapComPort, support/Pty.h), so no test ever touches a real serial port.

#include "Forms.h"
#include "Main.h"
#include "platform/ScriptedHost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class KorvanFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ClearSettings());
        CreateForms();
    }
    void TearDown() override { DestroyForms(); }

    // Removes every setting of the programs (the test process has its own settings folder).
    static void ClearSettings() {
        const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
        ASSERT_TRUE(base.startsWith(QDir::tempPath())) << "settings outside a test folder";
        QDir(base + QStringLiteral("/Tarq")).removeRecursively();
    }

    // A path in this test's own folder.
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

    platform::ScriptedHost host;
    QTemporaryDir files;
};
