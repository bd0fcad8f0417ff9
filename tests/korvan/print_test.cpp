// The setup report: its lines for a known image, the frequency and tone-period texts,
// the dialog's show rules, and a real printed PDF.

#include "Korvan_fixture.h"
#include "Main.h"
#include "Print.h"
#include "support/OddFiles.h"

#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int MAIN_RECORDS = 0x4DF; // slot s at + 8(s - 1)
constexpr int HIGH_RECORDS = 0x221; // slot s (100..124) at + 8(s - 100)
constexpr int NAME_HEAD = 0x2E9;    // name characters 1..5 of slot s at + 5(s - 1)
constexpr int NAME_TAIL = 0x800;    // name characters 6..9 of slot s at + 8(s - 1)

void putRecord(uint8_t* image, int offset, uint16_t tx, uint16_t rx, uint8_t txTone, uint8_t rxTone,
               uint8_t flags6, uint8_t flags7) {
    const uint8_t record[8] = {uint8_t(tx), uint8_t(tx >> 8), uint8_t(rx), uint8_t(rx >> 8),
                               txTone,      rxTone,           flags6,      flags7};
    memcpy(image + offset, record, 8);
}

void putSlot(uint8_t* image, int slot, uint16_t tx, uint16_t rx, uint8_t txTone, uint8_t rxTone,
             uint8_t flags6, uint8_t flags7) {
    const int offset = slot < 100 ? MAIN_RECORDS + 8 * (slot - 1) : HIGH_RECORDS + 8 * (slot - 100);
    putRecord(image, offset, tx, rx, txTone, rxTone, flags6, flags7);
}

void putName(uint8_t* image, int slot, const char* name) {
    const size_t length = strlen(name);
    for (size_t i = 0; i < length && i < 5; ++i)
        image[NAME_HEAD + 5 * (slot - 1) + i] = uint8_t(name[i]);
    for (size_t i = 5; i < length && i < 9; ++i)
        image[NAME_TAIL + 8 * (slot - 1) + i - 5] = uint8_t(name[i]);
}

class PrintReport : public KorvanFixture {
protected:
    void SetUp() override {
        KorvanFixture::SetUp();
        image = frmBelmar->RadioData;
        memset(image, 0, IMAGE_SIZE);
        image[40] = 0x80; // UHF
    }
    QStringList report(const ReportSections& sections) const {
        return SetupReportLines(image, customer, sections);
    }
    // The lines after the header and code word.
    QStringList body(const ReportSections& sections) const {
        return report(sections).mid(headerSize());
    }
    int headerSize() const { return 4 + int(customer.comments.size()) + 2; }

    uint8_t* image = nullptr;
    CustomerDetails customer{"Joe Bloggs", "01/02/2024", "12345", {"Line one", "Line two"}};
    static constexpr ReportSections channelsOnly{true, false, false, false};
    static constexpr ReportSections everything{true, true, true, true};
};

void fillKnownImage(uint8_t* image) {
    // Code word: unprintable bytes are skipped; 0x82 and 0x83 are the emergency key's
    // function and speed dial, not part of the word.
    const uint8_t word[16] = {'K', 'O', 'R', 'V', 0x01, 0x7F, 0xC1, '1',
                              ' ', '2', 0,   0,   0,    0,    38,   0};
    memcpy(image + 0x74, word, 16);

    putSlot(image, 1, 38160, 38160, 0, 50, 0x01 | 0x02 | 0x08, 0x01 | 0x04 | 0x10 | 0x80);
    putName(image, 1, "REPEATER1");
    putSlot(image, 2, 38160, 38160, 0, 0, 0xFE, 0xFF); // not enabled: prints nothing
    putName(image, 2, "HIDDEN");
    putSlot(image, 3, 0x1B1B, 0x1B1B, 0x1B, 0, 0x11 | 0x04, 0x08); // group
    putName(image, 3, "GRP");
    putSlot(image, 5, 38161, 38400, 51, 12, 0x01 | 0x04 | 0x80, 0x02 | 0x08 | 0x20);
    // The 8 bytes after slot 99's record belong to no slot.
    putRecord(image, MAIN_RECORDS + 8 * 99, 38160, 38160, 0, 0, 0x01, 0x00);
    putSlot(image, 100, 0, 37000, 50, 50, 0x01, 0x00);
    putSlot(image, 124, 38000, 38000, 49, 154, 0x01, 0x40);

    image[0x4B] = 0xCF; // selcall receive, transmit, lead-in delay and tone, ANI, beep ack
    image[0x4E] = 0x20; // alarm input
    image[0x56] = 20;   // lead-in delay
    image[0x4C] = 0xD6; // TX groups to 9, trailing-edge ANI, page, RX groups to 99, edge decode
    image[0x49] = 0x61; // CTCSS, CTCSS with scan, CTCSS must match for selcall
    image[0x4D] = 0x04; // unmute on selcall
    image[0x88] = 0x53;
    image[0x87] = 4;
    image[0x89] = 40;

    image[0x48] = 0x28; // scan mode cleared, start on priority
    image[0x46] = 0x05; // time-out timer, S-meter
    image[0x36] = 60;
    image[0x47] = 0x04; // key beeps

    image[0x8D] = 5;
    image[0x8E] = 6;
    image[0x8F] = 0;
    image[0x90] = 41;
    image[0x91] = 22;
    image[0x92] = 0xFF;
    image[0x44] = 2;
}

TEST_F(PrintReport, KnownImageWithEverySectionGivesTheExpectedLines) {
    fillKnownImage(image);
    const QStringList expected{
        "Belmar/Dunrey PMR - Setup",
        "Customers name: Joe Bloggs",
        "Date: 01/02/2024",
        "Serial number: 12345",
        "Line one",
        "Line two",
        "Codeword: KORV1 2",
        "",
        "Channel 1 - REPEA",
        "TX Frequency: 477.0000Mhz",
        "RX Frequency: 477.0063Mhz",
        "TX CTCSS Tone: 67.0Hz",
        "RX CTCSS Tone: Off",
        "Talk around is enabled",
        "Busy Lockout is disabled",
        "Channel is low TX power only",
        "Channel is in Open Scan memory",
        "Channel is in Quiet memory",
        "Squelch switch is disabled",
        "Channel is enabled as narrow band",
        "Channel 3 -  GRP",
        "Group channel",
        "Channel is not in Quiet memory",
        "Squelch Switch is enabled",
        "Channel 5 - ",
        "TX Frequency: 477.0188Mhz",
        "RX Frequency: 480.0000Mhz",
        "TX CTCSS Tone: DCS 023",
        "RX CTCSS Tone: 100.0Hz",
        "Talk around is disabled",
        "Busy Lockout is enabled",
        "Channel is in Group Scan memory",
        "Squelch switch is enabled",
        "Channel is enabled as wide band",
        "CPU offset is active",
        "Channel 100 - CH100",
        "TX Frequency: 000.0000Mhz",
        "RX Frequency: 462.5000Mhz",
        "TX CTCSS Tone: Off",
        "RX CTCSS Tone: Off",
        "Talk around is disabled",
        "Busy Lockout is disabled",
        "Squelch switch is disabled",
        "Channel is enabled as wide band",
        "Channel 124 - CH124",
        "TX Frequency: 475.0000Mhz",
        "RX Frequency: 475.0000Mhz",
        "TX CTCSS Tone: 254.1Hz",
        "RX CTCSS Tone: DCS 754",
        "Talk around is disabled",
        "Busy Lockout is disabled",
        "Squelch switch is disabled",
        "Channel is enabled as wide band",
        "",
        "Selcall Setup",
        "Selcall Transmit is enabled",
        "Alarm in is enabled",
        "ANI is appended to selcalls",
        "Lead out delay is disabled on selcall transmit",
        "Lead in delay is enabled on selcall transmit",
        "Lead in delay: 20mS",
        "Lead in tone is enabled on selcall transmit",
        "Transmit of up to 9 group call enabled",
        "ANI attached to PTT trialing edge",
        "Selcall Receive is enabled",
        "Page mode is enabled",
        "CTCSS must match for Selcall decode",
        "Beep acknowledge is enabled",
        "Beep alert tones is disabled",
        "Unmute on recipt of selcall enabled",
        "Re-enter quiet if no answer disabled",
        "Leading edge / trailing edeg ANI decode is enabled",
        "Recipt of up to 99 group call enabled",
        "Number of Predictive tones: 5",
        "Number of Non-Predictive tones: 3",
        "Number of tones to display: 4",
        "Tone period: 40mS",
        "",
        "Options",
        "Scan mode cleared on power switch on",
        "Start radio on Priority channel",
        "S-meter is enabled",
        "Time out timer is enabled",
        "Time out timer: 60 Seconds",
        "CTCSS is enabled",
        "CTCSS with scan is enabled",
        "Buttons beeps are enabled",
        "",
        "User Defined Buttons",
        "Button A: Scan",
        "Button B: OS/GS mode toggle",
        "Button F1: Disabled",
        "Button F2: S-Meter (toggle)",
        "Button F3: Recall channel M1 & speed dial DTMF M1",
        "Button F4: Disabled",
        "Button E: Call",
        "Button Mic(-): Monitor",
    };
    const QStringList lines = report(everything);
    for (int i = 0; i < std::min(lines.size(), expected.size()); ++i)
        ASSERT_EQ(lines[i], expected[i]) << "line " << i;
    EXPECT_EQ(lines.size(), expected.size());
}

TEST_F(PrintReport, FrequenciesFollowTheRadiosBand) {
    putSlot(image, 1, 38160, 38160, 50, 50, 0x01, 0x00);
    putSlot(image, 2, 38160, 38160, 50, 50, 0x81, 0x80);
    QStringList lines = body(channelsOnly);
    EXPECT_EQ(lines.filter("Frequency").join('|').toStdString(),
              "TX Frequency: 477.0000Mhz|RX Frequency: 477.0000Mhz|"
              "TX Frequency: 477.0063Mhz|RX Frequency: 477.0063Mhz");

    // On a VHF radio 150.02 MHz is code 0xEEE0 with the half-step bit, not 764.4063 MHz.
    image[40] = 0x00;
    putSlot(image, 1, 0xEEE0, 13920, 50, 50, 0x81, 0x00);
    memset(image + MAIN_RECORDS + 8, 0, 8);
    lines = body(channelsOnly);
    EXPECT_EQ(lines.filter("Frequency").join('|').toStdString(),
              "TX Frequency: 150.0200Mhz|RX Frequency: 174.0000Mhz");
}

TEST_F(PrintReport, DisabledSlotsAndUnownedBytesPrintNothing) {
    putSlot(image, 7, 38160, 38160, 0, 0, 0xFE, 0xFF);
    putRecord(image, MAIN_RECORDS + 8 * 99, 38160, 38160, 0, 0, 0xFF, 0xFF);
    EXPECT_TRUE(body(channelsOnly).isEmpty()) << body(channelsOnly).join('\n').toStdString();
    EXPECT_EQ(report(channelsOnly).size(), headerSize());
    EXPECT_EQ(report(channelsOnly).last(), "");
}

TEST_F(PrintReport, TonePeriodAndSelcallGate) {
    image[0x4B] = 0x03;
    const ReportSections selcallOnly{false, true, false, false};
    const auto period = [&](uint8_t value) {
        image[0x89] = value;
        return body(selcallOnly).last().toStdString();
    };
    EXPECT_EQ(period(20), "Tone period: 20mS");
    EXPECT_EQ(period(33), "Tone period: 20mS");
    EXPECT_EQ(period(40), "Tone period: 40mS");
    EXPECT_EQ(period(50), "Tone period: 100mS");
    EXPECT_EQ(period(100), "Tone period: 100mS");

    image[0x4B] = 0x01; // receive only
    EXPECT_TRUE(body(selcallOnly).isEmpty());
    EXPECT_FALSE(SelcallFullyEnabled(image));
}

TEST_F(PrintReport, EmptyCustomerFieldsPrintTheLabelAndASpace) {
    customer = CustomerDetails{};
    const QStringList lines = report(ReportSections{false, false, false, false});
    EXPECT_EQ(lines, QStringList({"Belmar/Dunrey PMR - Setup", "Customers name: ", "Date: ",
                                  "Serial number: ", "Codeword: ", ""}));
}

// Opens the dialog from the main window's command and runs `whileOpen` inside it.
void openPrintDialog(const std::function<void()>& whileOpen) {
    QTimer::singleShot(0, frmPrint, [whileOpen] {
        whileOpen();
        if (frmPrint->isVisible())
            frmPrint->reject();
    });
    frmBelmar->SpeedBtnClick(frmBelmar->btnPrintRadio);
}

TEST_F(PrintReport, ShowResetsTheDateAndTheSelcallBoxOnly) {
    ASSERT_TRUE(frmBelmar->btnPrintRadio->isEnabled());
    ASSERT_TRUE(frmBelmar->mnuPrintRadio->isEnabled());
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    image[0x4B] = 0x03;
    openPrintDialog([] {
        EXPECT_TRUE(frmPrint->chkChannel->isChecked()) << "channels are ticked by default";
        EXPECT_TRUE(frmPrint->chkSelcall->isEnabled());
        frmPrint->chkSelcall->setChecked(true);
        frmPrint->chkButtons->setChecked(true);
        frmPrint->txtName->setText("Ann");
        frmPrint->txtDate->setText("yesterday");
    });
    EXPECT_EQ(frmPrint->txtDate->text(), "yesterday");

    openPrintDialog([&] {
        EXPECT_EQ(frmPrint->txtDate->text(), today);
        EXPECT_EQ(frmPrint->txtName->text(), "Ann");
        EXPECT_TRUE(frmPrint->chkSelcall->isChecked());
        EXPECT_TRUE(frmPrint->chkButtons->isChecked());
    });

    image[0x4B] = 0x01; // receive on, transmit off
    openPrintDialog([] {
        EXPECT_FALSE(frmPrint->chkSelcall->isEnabled());
        EXPECT_FALSE(frmPrint->chkSelcall->isChecked());
        EXPECT_TRUE(frmPrint->chkButtons->isChecked());
        EXPECT_TRUE(frmPrint->ReportLines().filter("Selcall").isEmpty());
    });
}

TEST_F(PrintReport, PrintReportWritesARealPdfAndCloses) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    ASSERT_FALSE(pdftotext.isEmpty()) << "poppler-utils is needed (scripts/deps.sh)";
    putSlot(image, 1, 38160, 38160, 50, 50, 0x01, 0x00);
    putName(image, 1, "BASE");
    host.printToPdf = FilePath("report.pdf");
    openPrintDialog([] {
        frmPrint->txtName->setText("Ann Smith");
        frmPrint->memoComments->setPlainText("First\nSecond");
        frmPrint->btnPrint->click();
        EXPECT_FALSE(frmPrint->isVisible()) << "the dialog closes after printing";
    });
    EXPECT_EQ(host.printedTitles, QStringList{"Belmar/Dunrey PMR - Setup"});
    EXPECT_EQ(frmPrint->memoPrint->toPlainText().split('\n'), frmPrint->ReportLines());

    QProcess process;
    process.start(pdftotext, {"-layout", host.printToPdf, "-"});
    ASSERT_TRUE(process.waitForFinished(30000));
    QStringList text;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n'))
        text << line.trimmed();
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.first(), "Belmar/Dunrey PMR - Setup");
    EXPECT_TRUE(text.contains("Customers name: Ann Smith"));
    EXPECT_TRUE(text.contains("Second"));
    EXPECT_TRUE(text.contains("Channel 1 - BASE"));
    EXPECT_TRUE(text.contains("TX Frequency: 477.0000Mhz"));
}

TEST_F(PrintReport, CancelledPrintDialogClosesWithoutPrinting) {
    host.printToPdf = FilePath("never.pdf");
    host.printAccepted = false;
    openPrintDialog([] {
        frmPrint->btnPrint->click();
        EXPECT_FALSE(frmPrint->isVisible());
    });
    EXPECT_EQ(host.printedTitles.size(), 1);
    EXPECT_FALSE(QFile::exists(host.printToPdf));
}

// "Print to File" into a named pipe, a device or a folder is refused before anything opens
// it, and what is there stays as it was.
TEST_F(PrintReport, PrintToAPipeADeviceOrAFolderIsRefusedAtOnce) {
    for (const auto& [kind, name] : testsupport::SAVE_TARGETS) {
        SCOPED_TRACE(name);
        const QString path =
            testsupport::FileInFolder(FilePath(QString::fromLatin1(name)), "report.pdf");
        if (!testsupport::MakeSaveTarget(path, kind))
            continue; // no device nodes without privilege
        host.printToPdf = path;
        host.messages.clear();
        openPrintDialog([&path] {
            EXPECT_TRUE(testsupport::EndsWithoutWaiting(path, [] { frmPrint->btnPrint->click(); }));
        });
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, "The document was not printed: " + path +
                                             " is not a regular file (it is a named pipe, a "
                                             "device or a folder).\nPrint to another file.");
        EXPECT_EQ(host.messages[0].caption, "Print Error");
        EXPECT_TRUE(QFileInfo::exists(path));
        EXPECT_FALSE(QFileInfo(path).isFile());
    }
}

// A print to a file that cannot be written whole says so, and the file that was there keeps
// its bytes: Qt's own PDF writer would leave a cut file and no word.
TEST_F(PrintReport, PrintToAFileThatCannotBeWrittenWholeKeepsTheOldFile) {
    WriteFile(FilePath("report.pdf"), "the old report");
    WriteFile(FilePath("plain"), "a file, no folder");
    const struct {
        const char* name;
        QString path;
    } cases[] = {{"disk full", FilePath("report.pdf")},
                 {"in a file", FilePath("plain/report.pdf")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.printToPdf = c.path;
        host.messages.clear();
        openPrintDialog([] {
            const testsupport::FileSizeLimit full(1024); // a PDF takes more
            frmPrint->btnPrint->click();
        });
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text,
                  "The document was not printed: " + c.path +
                      " could not be written (the disk may be full, or the folder not "
                      "writable).\nA file that was there is left as it was.");
        EXPECT_EQ(host.messages[0].caption, "Print Error");
        EXPECT_FALSE(frmPrint->isVisible());
    }
    QFile kept(FilePath("report.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "the old report");
    EXPECT_FALSE(QFileInfo::exists(FilePath("plain/report.pdf")));
}

} // namespace
