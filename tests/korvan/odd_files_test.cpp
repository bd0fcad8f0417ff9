// Odd files in the user's way: each loader refuses them at once with its own message, or
// takes what it can, and keeps what the user had.

#include "Adv_edit.h"
#include "Korvan_fixture.h"
#include "support/FirmwareFile.h"
#include "support/ImageChanges.h"
#include "support/OddFiles.h"
#include "support/Pty.h"
#include "support/Waits.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cstring>

using testsupport::BytePattern;
using testsupport::HoldsBytes;
using testsupport::OddFile;

namespace {

QByteArray Image() {
    return QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), IMAGE_SIZE);
}

// Counts the paintings of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class OddFiles : public KorvanFixture {
protected:
    // A path of its own for each case, in a folder of its own.
    QString CasePath(const char* name, const QString& fileName) {
        return testsupport::FileInFolder(FilePath(QString::fromLatin1(name)), fileName);
    }
};

TEST_F(OddFiles, ReadFromFileTakesOnlyAFileAndKeepsTheImageOtherwise) {
    for (const auto& [kind, name] : testsupport::ODD_FILES) {
        SCOPED_TRACE(name);
        const QString path = CasePath(name, "radio.mem");
        ASSERT_TRUE(
            testsupport::MakeOddFile(path, kind, BytePattern(100, 1), BytePattern(5000, 2)));
        std::memset(frmBelmar->RadioData, 0x55, IMAGE_SIZE);
        frmBelmar->CurrentFile = "before.mem";
        host.messages.clear();
        host.fileAnswers.enqueue(path);
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(
            path, [] { frmBelmar->SpeedBtnClick(frmBelmar->btnFileOpen); }));
        ASSERT_FALSE(host.messages.isEmpty());
        EXPECT_EQ(host.messages[0].caption, "Read from file?");
        if (HoldsBytes(kind)) {
            EXPECT_EQ(Image(), kind == OddFile::TooBig
                                   ? BytePattern(5000, 2).left(IMAGE_SIZE)
                                   : BytePattern(100, 1) + QByteArray(IMAGE_SIZE - 100, '\0'));
            EXPECT_EQ(frmBelmar->CurrentFile, path);
            EXPECT_EQ(host.messages.size(), 1);
            continue;
        }
        EXPECT_EQ(Image(), QByteArray(IMAGE_SIZE, '\x55'));
        EXPECT_EQ(frmBelmar->CurrentFile, "before.mem");
        EXPECT_EQ(frmBelmar->StatusText(0), "No file loaded.");
        testsupport::ExpectReadProblemUnlessMissing(host, kind, 1);
    }
}

TEST_F(OddFiles, StartUpSaysADefaultFileIsMissingOnlyWhenItIs) {
    const QString previousFolder = QDir::currentPath();
    for (const auto& [kind, name] : testsupport::ODD_FILES) {
        SCOPED_TRACE(name);
        const QString path = CasePath(name, "defkorv.mem");
        ASSERT_TRUE(
            testsupport::MakeOddFile(path, kind, BytePattern(100, 3), BytePattern(5000, 4)));
        QDir::setCurrent(QFileInfo(path).path());
        DestroyForms();
        ClearSettings();
        testsupport::mapComPort(1, FilePath("ttyNone"));
        CreateForms();
        host.messages.clear();
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(path, [] { frmBelmar->FormShow(); }));
        ASSERT_FALSE(host.messages.isEmpty());
        EXPECT_EQ(host.messages.last().text, "Unable to open COM1");
        host.messages.removeLast();
        if (HoldsBytes(kind)) {
            EXPECT_TRUE(host.messages.isEmpty());
            EXPECT_EQ(frmBelmar->CurrentFile, "defkorv.mem");
            EXPECT_EQ(Image().left(100), (kind == OddFile::TooBig ? BytePattern(5000, 4).left(100)
                                                                  : BytePattern(100, 3)));
            continue;
        }
        EXPECT_EQ(frmBelmar->CurrentFile, "");
        EXPECT_EQ(Image(), QByteArray(IMAGE_SIZE, '\0'));
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, kind == OddFile::DanglingLink
                                             ? "Default file defkorv.mem does not exist."
                                             : "There is a problem reading the file");
    }
    QDir::setCurrent(previousFolder);
}

TEST_F(OddFiles, CalibrationFilesThatAreNoFilesAreRefusedWithTheReadProblem) {
    std::memset(frmBelmar->RadioData, 0x55, IMAGE_SIZE);
    for (const auto& [kind, name] : testsupport::ODD_FILES) {
        SCOPED_TRACE(name);
        const QString path = CasePath(name, "radio.cal");
        ASSERT_TRUE(testsupport::MakeOddFile(path, kind, BytePattern(20, 5), BytePattern(100, 6)));
        host.messages.clear();
        bool loaded = true;
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(path, [&] {
            loaded = frmBelmar->LoadCalibrationFile(path, TfrmBelmar::FileNotice::Tell);
        }));
        EXPECT_EQ(loaded, kind == OddFile::TooBig) << "a short block is refused whole";
        if (loaded) {
            EXPECT_EQ(Image().left(CALIBRATION_SIZE), BytePattern(CALIBRATION_SIZE, 6));
            EXPECT_TRUE(host.messages.isEmpty());
            std::memset(frmBelmar->RadioData, 0x55, IMAGE_SIZE);
            continue;
        }
        EXPECT_EQ(Image(), QByteArray(IMAGE_SIZE, '\x55'));
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
    }
}

TEST_F(OddFiles, FirmwareFilesThatAreNoFirmwareAreRefusedAtOnce) {
    std::vector<uint8_t> firmware(srecord::FLASH_SIZE, 0xFF);
    std::fill_n(firmware.begin(), 4096, uint8_t(0x12));
    const QByteArray text = testsupport::SRecordFile(firmware);
    const QByteArray tooBig = testsupport::BlankLinesFile(srecord::MAX_FILE_SIZE + 1);
    TfrmAdvanced* form = frmAdvanced;
    for (const auto& [kind, name] : testsupport::ODD_FILES) {
        SCOPED_TRACE(name);
        const QString path = CasePath(name, "radio.mot");
        ASSERT_TRUE(
            testsupport::MakeOddFile(path, kind, text.left(text.indexOf('\n') + 21), tooBig));
        host.messages.clear();
        bool loaded = true;
        EXPECT_TRUE(
            testsupport::EndsWithoutWaiting(path, [&] { loaded = form->LoadSRecordFile(path); }));
        EXPECT_FALSE(loaded);
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
        EXPECT_EQ(form->lblFileOk->text(), "File not loaded.");
    }
}

// A firmware file of millions of short lines is not held up by its display: the lines read
// in are drawn at most once every 40 ms of the walk and once at its end (one more painting
// is allowed for what the window may still owe).
TEST_F(OddFiles, ManyShortLinesOfFirmwareLoadWithoutHoldingTheWindow) {
    const QString path = FilePath("blank lines.mot");
    const QByteArray text = testsupport::BlankLinesFile(srecord::MAX_FILE_SIZE);
    WriteFile(path, text);
    TfrmAdvanced* form = frmAdvanced;
    form->show();
    form->pageEngOptions->setCurrentWidget(form->tabFirmware);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form, testsupport::WAIT_LIMIT_MS));
    QCoreApplication::processEvents(); // what the showing left to paint

    std::vector<uint8_t> image(srecord::FLASH_SIZE);
    int lines = 0;
    srecord::Load(text, image.data(), [&](const srecord::Progress& p) { lines = p.lines; });
    PaintCounter drawn(form->lblReturnData);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(form->LoadSRecordFile(path));
    const qint64 walked = clock.elapsed();
    EXPECT_GE(drawn.paints, 1) << "the end of the walk is drawn";
    EXPECT_LE(drawn.paints, walked / 40 + 2) << lines << " lines in " << walked << " ms";
    EXPECT_EQ(form->lblReturnData->text(),
              QString("%1 bytes read in, %2 lines read in").arg(text.size()).arg(lines));
    EXPECT_EQ(form->progressAddress->value(), 100);
    EXPECT_EQ(form->FirmwareImage[3], 4);
}

TEST_F(OddFiles, NoSaveGoesIntoAPipeADeviceOrAFolder) {
    testsupport::ExpectNoSaveIntoOddTargets(
        files.path(), host, frmBelmar->CurrentFile, [](const QString& path) {
            return frmBelmar->SaveProgrammingFile(path, TfrmBelmar::FileNotice::Tell);
        });
}
