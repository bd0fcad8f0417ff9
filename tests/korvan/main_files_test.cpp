// Programming (.mem) and calibration (.cal) files of the main window.

#include "Korvan_fixture.h"
#include "support/ImageChanges.h"
#include "support/OddFiles.h"

#include <QDir>
#include <QLabel>
#include <cstring>

using testsupport::BytePattern;

namespace {

QByteArray Image() {
    return QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), IMAGE_SIZE);
}

void FillImage(uint8_t value) {
    std::memset(frmBelmar->RadioData, value, IMAGE_SIZE);
}

} // namespace

using Files = KorvanFixture;

TEST_F(Files, ShortAndLongProgrammingFilesLoad) {
    QByteArray shortFile = BytePattern(100, 1);
    WriteFile(FilePath("short.mem"), shortFile);
    FillImage(0x55);
    ASSERT_TRUE(frmBelmar->LoadProgrammingFile(FilePath("short.mem")));
    EXPECT_EQ(Image(), shortFile + QByteArray(IMAGE_SIZE - 100, '\0'));
    EXPECT_EQ(frmBelmar->CurrentFile, FilePath("short.mem"));
    EXPECT_EQ(frmBelmar->StatusText(0), "File loaded: " + FilePath("short.mem"));
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan VHF");

    QByteArray longFile = BytePattern(5000, 2);
    longFile[BAND_BYTE] = char(0x80);
    WriteFile(FilePath("long.mem"), longFile);
    ASSERT_TRUE(frmBelmar->LoadProgrammingFile(FilePath("long.mem")));
    EXPECT_EQ(Image(), longFile.left(IMAGE_SIZE));
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan UHF");
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Files, AProgrammingFileThatCannotBeOpenedLeavesTheImage) {
    frmBelmar->CurrentFile = "before.mem";
    frmBelmar->lblRadioType->setText("Korvan UHF");
    frmBelmar->lblVersion->setText("V1.07");
    FillImage(0x55);
    const QByteArray before = Image();
    // Nothing there: no message, the caller tells (start-up: "does not exist").
    WriteFile(FilePath("plain.mem"), BytePattern(IMAGE_SIZE, 3));
    for (const QString& name : {FilePath("missing.mem"), FilePath("plain.mem/radio.mem")}) {
        EXPECT_FALSE(frmBelmar->LoadProgrammingFile(name)) << name.toStdString();
        EXPECT_EQ(frmBelmar->StatusText(0), "No file loaded.");
    }
    EXPECT_TRUE(host.messages.isEmpty());
    // Unreadable even for root: a folder where the file should be.
    ASSERT_TRUE(QDir().mkpath(FilePath("folder.mem")));
    for (const QString& name : {FilePath("folder.mem"), FilePath("")}) {
        host.messages.clear();
        EXPECT_FALSE(frmBelmar->LoadProgrammingFile(name)) << name.toStdString();
        EXPECT_EQ(frmBelmar->StatusText(0), "No file loaded.");
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
    }

    EXPECT_EQ(Image(), before);
    EXPECT_EQ(frmBelmar->CurrentFile, "before.mem");
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "");
    EXPECT_EQ(frmBelmar->lblVersion->text(), "");
}

TEST_F(Files, AReadErrorKeepsTheImageAndSaysSo) {
    // The process's own memory file opens, but reading its first page fails.
    FillImage(0x55);
    EXPECT_FALSE(frmBelmar->LoadProgrammingFile("/proc/self/mem"));
    EXPECT_EQ(Image(), QByteArray(IMAGE_SIZE, '\x55'));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
    EXPECT_EQ(host.messages[0].caption, "File Error");
    EXPECT_EQ(host.messages[0].flags, 1);
    EXPECT_EQ(frmBelmar->CurrentFile, "");
}

TEST_F(Files, ProgrammingFileSavesTheWholeImage) {
    const QByteArray image = BytePattern(IMAGE_SIZE, 4);
    std::memcpy(frmBelmar->RadioData, image.constData(), IMAGE_SIZE);
    frmBelmar->RadioData[BAND_BYTE] = 0x80;
    WriteFile(FilePath("radio.mem"), "an older, shorter file");
    ASSERT_TRUE(frmBelmar->SaveProgrammingFile(FilePath("radio.mem")));
    EXPECT_EQ(ReadFile(FilePath("radio.mem")), Image());
    EXPECT_EQ(frmBelmar->CurrentFile, FilePath("radio.mem"));
    EXPECT_EQ(frmBelmar->StatusText(0), "File loaded: " + FilePath("radio.mem"));
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan UHF");
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Files, AFileThatCannotBeCreatedFailsQuietly) {
    frmBelmar->CurrentFile = "before.mem";
    const QString nowhere = FilePath("no/such/folder/radio");
    EXPECT_FALSE(frmBelmar->SaveProgrammingFile(nowhere + ".mem"));
    EXPECT_FALSE(frmBelmar->SaveCalibrationFile(nowhere + ".cal"));
    EXPECT_FALSE(QFile::exists(nowhere + ".mem"));
    EXPECT_EQ(frmBelmar->CurrentFile, "before.mem");
    EXPECT_EQ(frmBelmar->StatusText(0), "");
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Files, AFailedSaveKeepsTheOldFile) {
    const QByteArray old = BytePattern(IMAGE_SIZE, 5);
    WriteFile(FilePath("radio.mem"), old);
    FillImage(0xA5);
    frmBelmar->CurrentFile = "before.mem";
    {
        testsupport::FileSizeLimit limit(1000);
        EXPECT_FALSE(frmBelmar->SaveProgrammingFile(FilePath("radio.mem")));
    }
    EXPECT_EQ(ReadFile(FilePath("radio.mem")), old);
    EXPECT_EQ(QDir(files.path()).entryList(QDir::Files), QStringList{"radio.mem"})
        << "no temporary file left behind";
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem writing the file");
    EXPECT_EQ(host.messages[0].caption, "File Error");
    EXPECT_EQ(host.messages[0].flags, 1);
    EXPECT_EQ(frmBelmar->CurrentFile, "before.mem");
}

TEST_F(Files, CalibrationFileRoundTrip) {
    const QByteArray image = BytePattern(IMAGE_SIZE, 6);
    std::memcpy(frmBelmar->RadioData, image.constData(), IMAGE_SIZE);
    ASSERT_TRUE(frmBelmar->SaveCalibrationFile(FilePath("radio.cal")));
    EXPECT_EQ(ReadFile(FilePath("radio.cal")), image.left(CALIBRATION_SIZE));

    FillImage(0x55);
    frmBelmar->CurrentFile = "before.mem";
    ASSERT_TRUE(frmBelmar->LoadCalibrationFile(FilePath("radio.cal")));
    EXPECT_EQ(Image(), image.left(CALIBRATION_SIZE) + QByteArray(IMAGE_SIZE - 48, '\x55'));
    EXPECT_EQ(frmBelmar->CurrentFile, "before.mem") << "a calibration file is not a program";

    // A programming file serves as calibration: its first 48 bytes are the block.
    const QByteArray mem = BytePattern(IMAGE_SIZE, 7);
    WriteFile(FilePath("radio.mem"), mem);
    ASSERT_TRUE(frmBelmar->LoadCalibrationFile(FilePath("radio.mem")));
    EXPECT_EQ(Image().left(CALIBRATION_SIZE), mem.left(CALIBRATION_SIZE));
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Files, ShortOrMissingCalibrationFilesChangeNothing) {
    FillImage(0x55);
    const QByteArray before = Image();
    EXPECT_FALSE(frmBelmar->LoadCalibrationFile(FilePath("missing.cal")));
    ASSERT_TRUE(QDir().mkpath(FilePath("folder.cal")));
    WriteFile(FilePath("plain.cal"), BytePattern(CALIBRATION_SIZE, 8));
    EXPECT_FALSE(frmBelmar->LoadCalibrationFile(FilePath("folder.cal")));
    EXPECT_FALSE(frmBelmar->LoadCalibrationFile(FilePath("plain.cal/radio.cal")));
    EXPECT_EQ(Image(), before);
    EXPECT_TRUE(host.messages.isEmpty());

    WriteFile(FilePath("short.cal"), BytePattern(20, 8));
    EXPECT_FALSE(frmBelmar->LoadCalibrationFile(FilePath("short.cal")));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
    EXPECT_EQ(host.messages[0].caption, "File Error");
    EXPECT_EQ(Image(), before);
}
