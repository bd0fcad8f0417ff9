#pragma once
// Fixture for the hardware screen: every form created as the program creates them, a
// scripted host, a folder for test files, and the image filled so that the bits the screen
// does not own hold both values. COM1..COM9 point nowhere until a test maps one.

#include "Adv_edit.h"
#include "Eeprom.h"
#include "Forms.h"
#include "Main.h"
#include "platform/ScriptedHost.h"
#include "support/ImageChanges.h"
#include "support/Pty.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <gtest/gtest.h>

class HardwareFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (int port = 1; port <= 9; ++port)
            testsupport::mapComPort(port, FilePath(QStringLiteral("no-such-port")));
        CreateForms();
        testsupport::FillFromSeed(eeprom.data, EEPROM::SIZE, 15);
        form = frmAdvanced;
    }
    void TearDown() override {
        form->hide();
        frmBelmar->FormClose();
        DestroyForms();
    }

    QString FilePath(const QString& name) const { return files.filePath(name); }
    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray Image() {
        return QByteArray(reinterpret_cast<const char*>(eeprom.data), EEPROM::SIZE);
    }

    QTemporaryDir files;
    platform::ScriptedHost host;
    TfrmAdvanced* form = nullptr;
};
