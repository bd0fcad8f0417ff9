// Odd files in the user's way: each loader refuses them at once with its own message, or
// takes what it can, and keeps what the user had.

#include "Adv_edit.h"
#include "Korvanv2_fixture.h"
#include "support/FirmwareFile.h"
#include "support/ImageChanges.h"
#include "support/OddFiles.h"

#include <QLabel>

using testsupport::BytePattern;
using testsupport::HoldsBytes;
using testsupport::OddFile;

class OddFilesV2 : public Korvanv2Fixture {
protected:
    // A path of its own for each case, in a folder of its own.
    QString CasePath(const char* name, const QString& fileName) {
        return testsupport::FileInFolder(FilePath(QString::fromLatin1(name)), fileName);
    }
};

TEST_F(OddFilesV2, ReadFromFileTakesOnlyAFileAndKeepsTheImageOtherwise) {
    QByteArray big = BytePattern(20000, 2);
    big[EEPROM::SIZE_BYTE] = 16; // made for 16 KiB: all of its first 16384 bytes count
    for (const auto& [kind, name] : testsupport::ODD_FILES) {
        SCOPED_TRACE(name);
        const QString path = CasePath(name, "radio.mem");
        ASSERT_TRUE(testsupport::MakeOddFile(path, kind, BytePattern(100, 1), big));
        FillImage(0x55);
        const QByteArray before = Image();
        frmBelmar->CurrentFile = "before.mem";
        host.messages.clear();
        host.fileAnswers.enqueue(path);
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(
            path, [] { frmBelmar->SpeedBtnClick(frmBelmar->btnFileOpen); }));
        ASSERT_FALSE(host.messages.isEmpty());
        EXPECT_EQ(host.messages[0].caption, "Read from file?");
        if (HoldsBytes(kind)) {
            EXPECT_EQ(Image(), kind == OddFile::TooBig
                                   ? big.left(EEPROM::SIZE)
                                   : BytePattern(100, 1) + QByteArray(EEPROM::SIZE - 100, '\xFF'));
            EXPECT_EQ(frmBelmar->CurrentFile, path);
            EXPECT_EQ(host.messages.size(), 1);
            continue;
        }
        EXPECT_EQ(Image(), before);
        EXPECT_EQ(frmBelmar->CurrentFile, "before.mem");
        EXPECT_EQ(frmBelmar->StatusText(0), "No file loaded.");
        testsupport::ExpectReadProblemUnlessMissing(host, kind, 1);
    }
}

TEST_F(OddFilesV2, StartUpSaysADefaultFileIsMissingOnlyWhenItIs) {
    const QString previousFolder = QDir::currentPath();
    for (const auto& [kind, name] : testsupport::ODD_FILES) {
        SCOPED_TRACE(name);
        const QString path = CasePath(name, "defkorvv2.mem");
        ASSERT_TRUE(
            testsupport::MakeOddFile(path, kind, BytePattern(100, 3), BytePattern(20000, 4)));
        QDir::setCurrent(QFileInfo(path).path());
        frmBelmar->FormClose();
        DestroyForms();
        ClearSettings();
        testsupport::mapComPort(1, FilePath("no-such-port"));
        CreateForms();
        host.messages.clear();
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(path, [] { frmBelmar->FormShow(); }));
        if (HoldsBytes(kind)) {
            EXPECT_TRUE(host.messages.isEmpty());
            EXPECT_EQ(frmBelmar->CurrentFile, "defkorvv2.mem");
            EXPECT_EQ(Image().left(100), (kind == OddFile::TooBig ? BytePattern(20000, 4).left(100)
                                                                  : BytePattern(100, 3)));
            continue;
        }
        EXPECT_EQ(frmBelmar->CurrentFile, "");
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, kind == OddFile::DanglingLink
                                             ? "Default file defkorvv2.mem does not exist."
                                             : "There is a problem reading the file");
    }
    QDir::setCurrent(previousFolder);
}

TEST_F(OddFilesV2, CalibrationAndFirmwareFilesThatAreNoFilesAreRefused) {
    std::vector<uint8_t> firmware(srecord::FLASH_SIZE, 0xFF);
    std::fill_n(firmware.begin(), 4096, uint8_t(0x12));
    const QByteArray text = testsupport::SRecordFile(firmware);
    FillImage(0x55);
    const QByteArray before = Image();
    for (const auto& [kind, name] : testsupport::ODD_FILES) {
        SCOPED_TRACE(name);
        const QString cal = CasePath(name, "radio.cal");
        ASSERT_TRUE(testsupport::MakeOddFile(cal, kind, BytePattern(20, 5), BytePattern(100, 6)));
        const QString mot = CasePath(name, "radio.mot");
        ASSERT_TRUE(
            testsupport::MakeOddFile(mot, kind, text.left(text.indexOf('\n') + 21),
                                     testsupport::BlankLinesFile(srecord::MAX_FILE_SIZE + 1)));
        host.messages.clear();
        bool calibrated = true, flashed = true;
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(cal, [&] {
            calibrated = frmBelmar->LoadCalibrationFile(cal, TfrmBelmar::FileNotice::Tell);
        }));
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(
            mot, [&] { flashed = frmAdvanced->LoadSRecordFile(mot); }));
        EXPECT_EQ(calibrated, kind == OddFile::TooBig);
        EXPECT_EQ(Image().mid(CALIBRATION_SIZE), before.mid(CALIBRATION_SIZE));
        EXPECT_FALSE(flashed);
        EXPECT_EQ(frmAdvanced->lblFileOk->text(), "File not loaded.");
        ASSERT_EQ(host.messages.size(), calibrated ? 1 : 2);
        for (const auto& message : host.messages)
            EXPECT_EQ(message.text, "There is a problem reading the file");
    }
}

TEST_F(OddFilesV2, NoSaveGoesIntoAPipeADeviceOrAFolder) {
    testsupport::ExpectNoSaveIntoOddTargets(
        files.path(), host, frmBelmar->CurrentFile, [](const QString& path) {
            return frmBelmar->SaveProgrammingFile(path, TfrmBelmar::FileNotice::Tell);
        });
}
