// Start-up reading (settings, default file, port) and the settings written on close.

#include "Korvan_fixture.h"
#include "support/OddFiles.h"
#include "support/Pty.h"

#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <functional>
#include <tuple>
#include <unistd.h>

namespace {

QString SettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/Tarq/Korvan.conf";
}

void WriteSettingsText(const QByteArray& text) {
    QDir().mkpath(QFileInfo(SettingsFile()).path());
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QVariant Setting(const QString& key) {
    return QSettings(SettingsFile(), QSettings::IniFormat).value(key);
}

} // namespace

// Each test starts in its own folder, where "defkorv.mem" would be looked for, with COM
// ports that lead nowhere.
class StartUp : public KorvanFixture {
protected:
    void SetUp() override {
        KorvanFixture::SetUp();
        previousFolder = QDir::currentPath();
        QDir::setCurrent(files.path());
        for (int port : {1, 7, 256})
            testsupport::mapComPort(port, FilePath(QString("ttyNone%1").arg(port)));
    }
    void TearDown() override {
        QDir::setCurrent(previousFolder);
        KorvanFixture::TearDown();
    }
    QString previousFolder;
};

TEST_F(StartUp, FirstRunUsesTheDefaults) {
    frmBelmar->LinkStatus = 1;
    std::memset(frmBelmar->RadioData, 0x55, IMAGE_SIZE);
    frmBelmar->FormShow();
    EXPECT_EQ(frmBelmar->ComPort, 1);
    EXPECT_EQ(frmBelmar->maxBdRate, 0) << "no rate until one is chosen";
    EXPECT_EQ(frmBelmar->DefaultFile, "defkorv.mem");
    EXPECT_EQ(frmBelmar->CurrentFile, "");
    EXPECT_EQ(frmBelmar->LinkStatus, 0u);
    for (uint8_t byte : frmBelmar->RadioData)
        ASSERT_EQ(byte, 0);
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[0].text, "Default file defkorv.mem does not exist.");
    EXPECT_EQ(host.messages[0].caption, "No default file");
    EXPECT_EQ(host.messages[0].flags, 48);
    EXPECT_EQ(host.messages[1].text, "Unable to open COM1");
    EXPECT_EQ(host.messages[1].caption, "Serial Port Error.");
    EXPECT_EQ(host.messages[1].flags, 48);

    // Later activations read nothing again.
    frmBelmar->FormShow();
    EXPECT_EQ(host.messages.size(), 2);
}

TEST_F(StartUp, SettingsOutsideTheirBoundsFallBack) {
    struct Case {
        QByteArray port, rate;
        int comPort, maxBdRate;
    } cases[] = {
        {"0", "12345", 1, 9600},    {"300", "57600", 1, 57600}, {"7", "38400", 7, 38400},
        {"256", "9600", 256, 9600}, {"-5", "0", 1, 9600},
    };
    for (const Case& c : cases) {
        DestroyForms();
        CreateForms();
        host.messages.clear();
        WriteSettingsText("[Port]\nComPort=" + c.port + "\nmaxBdRate=" + c.rate + "\n");
        frmBelmar->FormShow();
        EXPECT_EQ(frmBelmar->ComPort, c.comPort) << c.port.constData();
        EXPECT_EQ(frmBelmar->maxBdRate, c.maxBdRate) << c.rate.constData();
        ASSERT_EQ(host.messages.size(), 2);
        EXPECT_EQ(host.messages[1].text, "Unable to open COM" + QString::number(c.comPort));
    }
}

TEST_F(StartUp, GarbageSettingsGiveTheDefaults) {
    WriteSettingsText("[Port]\nComPort=three\nmaxBdRate=fast\n"
                      "[Files]\nDefaultFile=\nCurrentFile=\n"
                      "\x01\x02 not a line = of settings ]]]\n");
    WriteFile("defkorv.mem", QByteArray(10, '\x11'));
    frmBelmar->FormShow();
    EXPECT_EQ(frmBelmar->ComPort, 1);
    EXPECT_EQ(frmBelmar->maxBdRate, 9600);
    EXPECT_EQ(frmBelmar->DefaultFile, "defkorv.mem");
    EXPECT_EQ(frmBelmar->RadioData[9], 0x11) << "the default file from the working folder";
    EXPECT_EQ(frmBelmar->CurrentFile, "defkorv.mem");
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to open COM1");

    WriteSettingsText("[Port]\nComPort=99999999999999999999\n");
    DestroyForms();
    CreateForms();
    frmBelmar->FormShow();
    EXPECT_EQ(frmBelmar->ComPort, 1);
    EXPECT_EQ(frmBelmar->maxBdRate, 9600);
}

// A settings file that cannot be used holds nothing up: a pipe, a device or a folder in its
// place, a file far larger than settings, one that cannot be read (a user without permission;
// root reads it all the same), a loop of two links, or a folder that is a file. It is told once,
// the defaults apply, and it stays as it is.
TEST_F(StartUp, ASettingsFileThatCannotBeUsedIsToldOnceAndLeftInPlace) {
    using testsupport::MakeOddFile;
    using testsupport::OddFile;
    const QString notUsed = " so it is not used.\nThe default settings apply, and changes to "
                            "them are not kept until ";
    const QString noRegularFile = " is not a regular file (a named pipe, a device or a folder is "
                                  "in its place)," +
                                  notUsed + "it is removed.";
    const QString folder = QFileInfo(SettingsFile()).path();
    const QString unwritable = " cannot be written, nor a new one made in its folder, so changes "
                               "to the settings are not kept.";
    const struct {
        const char* name;
        std::function<bool()> make;
        QString says;
    } cases[] = {
        {"named pipe", [&] { return MakeOddFile(SettingsFile(), OddFile::Pipe, {}, {}); },
         noRegularFile},
        {"zero device", [&] { return MakeOddFile(SettingsFile(), OddFile::ZeroDevice, {}, {}); },
         noRegularFile},
        {"folder", [&] { return MakeOddFile(SettingsFile(), OddFile::Folder, {}, {}); },
         noRegularFile},
        {"a sparse GiB",
         [&] {
             return MakeOddFile(SettingsFile(), OddFile::Empty, {}, {}) &&
                    QFile(SettingsFile()).resize(qint64(1) << 30);
         },
         " is larger than 1 MiB, far more than settings take," + notUsed + "it is removed."},
        {"no permission",
         [&] {
             return ::geteuid() != 0 && MakeOddFile(SettingsFile(), OddFile::Empty, {}, {}) &&
                    QFile(SettingsFile()).setPermissions({});
         },
         " cannot be read," + notUsed + "it can be read and written."},
        {"loop of two links",
         [&] {
             return QFile::link(SettingsFile() + ".b", SettingsFile()) &&
                    QFile::link(SettingsFile(), SettingsFile() + ".b");
         },
         " is a symbolic link that leads round to itself," + notUsed + "the loop is broken."},
        {"file for a folder",
         [&] { return QDir().rmdir(folder) && MakeOddFile(folder, OddFile::Empty, {}, {}); },
         unwritable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DestroyForms();
        ClearSettings();
        QDir().mkpath(folder);
        testsupport::mapComPort(1, FilePath("ttyNone1"));
        if (!c.make())
            continue; // permissions do not hold root back
        const QString left = QFileInfo::exists(SettingsFile()) ? SettingsFile() : folder;
        const auto state = [&left] {
            const QFileInfo info(left);
            return std::make_tuple(info.isFile(), info.size(), info.lastModified(),
                                   QFileInfo(SettingsFile()).symLinkTarget());
        };
        const auto before = state();
        CreateForms();
        host.messages.clear();
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(SettingsFile(), [] { frmBelmar->FormShow(); }));
        EXPECT_EQ(frmBelmar->ComPort, 1);
        EXPECT_EQ(frmBelmar->DefaultFile, "defkorv.mem");
        ASSERT_EQ(host.messages.size(), 3);
        EXPECT_EQ(host.messages[0].text, "The settings file " + SettingsFile() + c.says);
        EXPECT_EQ(host.messages[0].caption, "Settings Not Used");
        EXPECT_EQ(host.messages[1].caption, "No default file");
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(SettingsFile(), [] { frmBelmar->close(); }));
        EXPECT_EQ(host.messages.size(), 3) << "told once";
        EXPECT_EQ(state(), before) << "left as it was";
        QFile::remove(folder);
    }
}

TEST_F(StartUp, ANamedDefaultFileLoadsOrIsReportedMissing) {
    WriteFile(FilePath("mine.mem"), QByteArray(IMAGE_SIZE, '\x22'));
    WriteSettingsText("[Files]\nDefaultFile=" + FilePath("mine.mem").toUtf8() +
                      "\nCurrentFile=/old/last.mem\n");
    frmBelmar->FormShow();
    EXPECT_EQ(frmBelmar->RadioData[4095], 0x22);
    EXPECT_EQ(frmBelmar->CurrentFile, FilePath("mine.mem"));
    EXPECT_EQ(frmBelmar->StatusText(0), "File loaded: " + FilePath("mine.mem"));

    QFile::remove(FilePath("mine.mem"));
    DestroyForms();
    CreateForms();
    host.messages.clear();
    frmBelmar->FormShow();
    EXPECT_EQ(frmBelmar->CurrentFile, "/old/last.mem");
    EXPECT_EQ(frmBelmar->StatusText(0), "No file loaded.");
    ASSERT_FALSE(host.messages.isEmpty());
    EXPECT_EQ(host.messages[0].text, "Default file " + FilePath("mine.mem") + " does not exist.");
}

TEST_F(StartUp, CloseWritesPortRateAndCurrentFile) {
    frmBelmar->FormShow();
    frmBelmar->ComPort = 7;
    frmBelmar->maxBdRate = 19200;
    frmBelmar->CurrentFile = "/data/radio.mem";
    frmBelmar->DefaultFile = "/data/other.mem";
    frmBelmar->close();
    EXPECT_EQ(Setting("Port/ComPort").toInt(), 7);
    EXPECT_EQ(Setting("Port/maxBdRate").toInt(), 19200);
    EXPECT_EQ(Setting("Files/CurrentFile").toString(), "/data/radio.mem");
    EXPECT_FALSE(Setting("Files/DefaultFile").isValid()) << "only Set Default Filename writes it";

    DestroyForms();
    CreateForms();
    host.messages.clear();
    frmBelmar->FormShow();
    EXPECT_EQ(frmBelmar->ComPort, 7);
    EXPECT_EQ(frmBelmar->maxBdRate, 19200);
    EXPECT_EQ(frmBelmar->CurrentFile, "/data/radio.mem");
    EXPECT_EQ(host.messages.last().text, "Unable to open COM7");
}

TEST_F(StartUp, TheFirstRunWritesRateZeroBack) {
    frmBelmar->FormShow();
    frmBelmar->close();
    EXPECT_EQ(Setting("Port/ComPort").toInt(), 1);
    EXPECT_EQ(Setting("Port/maxBdRate").toString(), "0");
}
