// The second program's firmware upgrade against the simulated flash boot loader: a whole
// run, each stage failing, files that must be refused, and the port given back afterwards.

#include "Boot_loader.h"
#include "Hardware_fixture.h"
#include "Serial.h"
#include "support/FirmwareFile.h"
#include "support/FlashLoaderSim.h"
#include "support/Waits.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

constexpr int PORT = 5;
const uint32_t ID_ADDRESSES[] = {0xFFDF, 0xFFE3, 0xFFEB, 0xFFEF, 0xFFF3, 0xFFF7, 0xFFFB};

using Faults = sim::FlashLoaderSim::Faults;

class FirmwareUpgradeV2 : public HardwareFixture {
protected:
    void SetUp() override {
        HardwareFixture::SetUp();
        // Firmware in pages 0, 1, 0x80 and the vector page; the rest stays erased.
        for (int page : {0, 1, 0x80, 0xFF})
            for (int i = 0; i < 256; ++i)
                firmware[size_t(page * 256 + i)] = uint8_t(page + i);
        for (int i = 0; i < 7; ++i) {
            firmware[ID_ADDRESSES[i]] = uint8_t(0xA1 + i);
            id[size_t(i)] = uint8_t(0xA1 + i);
        }
        file = FilePath("radio.mot");
        WriteFile(file, testsupport::SRecordFile(firmware));
        NewLoader({});
        frmBelmar->maxBdRate = 57600;
        form->show();
        form->pageEngOptions->setCurrentWidget(form->tabFirmware);
        form->chkBlankCheck->setChecked(true);
        form->chkVerify->setChecked(true);
    }

    // A fresh loader with `faults` on the program's port, opened as the main window does.
    void NewLoader(const Faults& faults) {
        serialPort->Close();
        loader = std::make_unique<sim::FlashLoaderSim>(sim::FlashLoaderSim::Generation::Second);
        loader->setId(id);
        loader->setEraseBusy(std::chrono::milliseconds(300));
        loader->setFaults(faults);
        testsupport::mapComPort(PORT, loader->slavePath());
        frmBelmar->ComPort = PORT;
        ASSERT_TRUE(frmBelmar->OpenComPort(PORT));
    }

    // "Upgrade" with `chosen` picked in the file dialog; the run ends before it returns.
    void Upgrade(const QString& chosen) {
        host.fileAnswers.enqueue(chosen);
        form->btnNextClick();
    }

    QColor Lamp(TfrmAdvanced::Stage stage) const { return form->led[stage]->brushColor(); }

    // The screen as it was before "Upgrade": stages off, every tab there, Upgrade enabled.
    void ExpectControlsAtRest() {
        EXPECT_FALSE(form->lblStage[0]->isEnabled());
        EXPECT_TRUE(form->btnNext->isEnabled());
        for (QWidget* tab : {form->tabSquelch, form->tabMisc, form->tabTune})
            EXPECT_TRUE(form->pageEngOptions->isTabVisible(form->pageEngOptions->indexOf(tab)));
    }

    std::unique_ptr<sim::FlashLoaderSim> loader;
    sim::FlashLoaderSim::Id id{};
    std::vector<uint8_t> firmware = std::vector<uint8_t>(srecord::FLASH_SIZE, 0xFF);
    QString file;
};

} // namespace

TEST_F(FirmwareUpgradeV2, WholeRunProgramsOnlyPagesWithDataAndGivesThePortBack) {
    // Once pages are being written, the screen shows the run and refuses to close.
    bool flashingSeen = false;
    QTimer midRun;
    QObject::connect(&midRun, &QTimer::timeout, [&] {
        if (loader->commandCount(boot::BOOT_PAGE_PROGRAM) == 0)
            return;
        midRun.stop();
        flashingSeen = form->Flashing() && !form->OKBtn->isEnabled();
        form->reject();
    });
    midRun.start(10);
    Upgrade(file);
    EXPECT_TRUE(flashingSeen);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(host.messages.isEmpty());
    ASSERT_EQ(host.fileRequests.size(), 1);
    EXPECT_EQ(host.fileRequests[0].filter, "Motorola S file (*.mot)|*.mot");
    EXPECT_TRUE(host.fileRequests[0].fileMustExist);
    EXPECT_TRUE(host.fileRequests[0].hideReadOnly);

    EXPECT_EQ(loader->flash(), firmware);
    EXPECT_EQ(loader->programmedPages(), (std::vector<int>{0, 0x100, 0x8000, 0xFF00}));
    EXPECT_EQ(loader->commandCount(0xFF), 2 * 256) << "blank check and verify read every page";
    const char* const labels[] = {"File Loaded.", "Connected.", "VER.1.00",    "ID Matched.",
                                  "Erased.",      "Blank.",     "Programmed.", "Verified."};
    for (int stage = 0; stage < TfrmAdvanced::STAGE_COUNT; ++stage) {
        EXPECT_EQ(Lamp(TfrmAdvanced::Stage(stage)), lamp::Green) << stage;
        EXPECT_EQ(form->lbl[stage]->text(), labels[stage]);
    }
    EXPECT_EQ(form->lblReturnData->text(), "Flash Update Complete.");
    EXPECT_EQ(form->progressAddress->value(), form->progressAddress->maximum())
        << "the finished verify leaves its bar full";
    EXPECT_TRUE(form->btnNext->isEnabled());
    EXPECT_TRUE(form->OKBtn->isEnabled());
    EXPECT_TRUE(serialPort->IsOpen());
    EXPECT_EQ(serialPort->BaudRate(), 9600) << "the port's own rate again";

    // Without blank check and verify their lamps turn green with no page read.
    NewLoader({});
    form->chkBlankCheck->setChecked(false);
    form->chkVerify->setChecked(false);
    Upgrade(file);
    EXPECT_EQ(loader->commandCount(0xFF), 0);
    EXPECT_EQ(Lamp(TfrmAdvanced::stBlank), lamp::Green);
    EXPECT_EQ(form->lblBlank->text(), "Blank Check.");
    EXPECT_EQ(Lamp(TfrmAdvanced::stVerify), lamp::Green);
    EXPECT_EQ(loader->flash(), firmware);
    EXPECT_EQ(form->lblReturnData->text(), "Flash Update Complete.");
    EXPECT_EQ(form->progressAddress->value(), form->progressAddress->maximum());
}

TEST_F(FirmwareUpgradeV2, EachFailingStageEndsWithTheFlashErrorBox) {
    struct Case {
        const char* name;
        std::function<void(Faults&)> fault;
        TfrmAdvanced::Stage stage;
        const char* label;
        const char* message; // the start of the box's text
    };
    const Case cases[] = {
        {"baud refused", [](Faults& f) { f.neverEcho = true; }, TfrmAdvanced::stConnected,
         "Failed Set Baud Rate.",
         "Unable to connect to radio at 57600 baud.\nTry a lower baudrate.\n"},
        {"no version", [](Faults& f) { f.noVersion = true; }, TfrmAdvanced::stVersion, "-",
         "Unable to read Flash Programmer version in radio."},
        {"ID refused", [](Faults& f) { f.refuseId = true; }, TfrmAdvanced::stID, "ID Not Matched.",
         "The radio did not accept the ID"},
        {"erase error", [](Faults& f) { f.eraseErrors = 1000; }, TfrmAdvanced::stErase,
         "Erase Fail.", "Unable to erase"},
        {"erase never ready", [](Faults& f) { f.stayBusyAfterErase = true; }, TfrmAdvanced::stErase,
         "Erase Fail.", "Unable to erase"},
        {"not blank", [](Faults& f) { f.eraseLeavesPage = 7; }, TfrmAdvanced::stBlank,
         "Blank check fail.", "The radio's flash memory is not blank"},
        {"program error", [](Faults& f) { f.programErrorPage = 0x80; }, TfrmAdvanced::stWrite,
         "Program Fail.", "Unable to program"},
        {"verify mismatch", [](Faults& f) { f.wrongPage = 1; }, TfrmAdvanced::stVerify,
         "Verify fail", "The radio's flash memory does not match"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Faults faults;
        c.fault(faults);
        NewLoader(faults);
        host.messages.clear();
        Upgrade(file);
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].caption, "Flash Error");
        EXPECT_EQ(host.messages[0].flags, platform::MB_ICONEXCLAMATION);
        EXPECT_TRUE(host.messages[0].text.startsWith(c.message))
            << host.messages[0].text.toStdString();
        EXPECT_EQ(form->lblReturnData->text(), "Flash Update Error.");
        EXPECT_EQ(Lamp(c.stage), lamp::Red);
        EXPECT_EQ(form->lbl[c.stage]->text(), c.label);
        for (int later = c.stage + 1; later < TfrmAdvanced::STAGE_COUNT; ++later)
            EXPECT_EQ(Lamp(TfrmAdvanced::Stage(later)), lamp::White) << later;
        EXPECT_TRUE(form->btnNext->isEnabled());
        EXPECT_TRUE(serialPort->IsOpen());
    }
}

TEST_F(FirmwareUpgradeV2, ASyncThatNeverAnswersReopensThePortWithoutABox) {
    Faults faults;
    faults.neverSync = true;
    NewLoader(faults);
    Upgrade(file);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(Lamp(TfrmAdvanced::stConnected), lamp::Red);
    EXPECT_EQ(form->lblConnected->text(), "Failed to Initialise.");
    EXPECT_EQ(form->lblReturnData->text(), "");
    EXPECT_EQ(loader->commandCount(0x00), 17);
    EXPECT_EQ(loader->commandCount(0xB3), 0) << "the run ends at the sync";
    EXPECT_TRUE(serialPort->IsOpen()) << "closed and opened again";
    EXPECT_EQ(serialPort->PortName(), "COM5");
    EXPECT_TRUE(form->btnNext->isEnabled());
}

TEST_F(FirmwareUpgradeV2, FilesThatHoldNoFirmwareAndACancelledChoiceSendNothing) {
    Upgrade(QString()); // the file dialog cancelled
    ExpectControlsAtRest();
    EXPECT_TRUE(host.messages.isEmpty());

    const uint8_t data[16] = {1, 2, 3};
    const std::pair<const char*, QByteArray> bad[] = {
        {"empty", QByteArray()},
        {"garbage", "hello world\r\n"},
        {"below the window", "S00600004844521B\r\n" + testsupport::SRecord('2', 0xEFFF0, data, 16)},
        {"past the window", testsupport::SRecord('3', 0x000FFFF8, data, 16)},
        {"header only", "S00600004844521B\r\nS804000000FB\r\n"},
    };
    for (const auto& [name, text] : bad) {
        SCOPED_TRACE(name);
        host.messages.clear();
        const QString path = FilePath(QString(name) + ".mot");
        WriteFile(path, text);
        Upgrade(path);
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
        EXPECT_EQ(host.messages[0].caption, "File Error");
        EXPECT_EQ(form->lblFileOk->text(), "File not loaded.");
        EXPECT_EQ(Lamp(TfrmAdvanced::stFile), lamp::Red);
        ExpectControlsAtRest();
    }
    EXPECT_EQ(loader->commandCount(0x00), 0);
    EXPECT_TRUE(serialPort->IsOpen());

    // An S3 record at the foot of the window stores exactly its 16 bytes at index 0.
    const QString s3 = FilePath("s3.mot");
    WriteFile(s3, testsupport::SRecord('3', 0x000F0000, data, 16));
    EXPECT_TRUE(form->LoadSRecordFile(s3));
    EXPECT_EQ(form->FirmwareImage[2], 3);
    EXPECT_EQ(form->FirmwareImage[16], 0xFF);
}

TEST_F(FirmwareUpgradeV2, APortTheLinkCannotTakeIsReportedAndLeftAsItWas) {
    serialPort->Close();
    testsupport::mapComPort(PORT, FilePath("no-such-port"));
    Upgrade(file);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].caption, "Flash Error");
    EXPECT_TRUE(host.messages[0].text.startsWith("Unable to open COM5"));
    EXPECT_EQ(form->lblReturnData->text(), "Flash Update Error.");
    EXPECT_TRUE(form->btnNext->isEnabled());
    EXPECT_TRUE(form->OKBtn->isEnabled());
    EXPECT_FALSE(form->Flashing());
}

TEST_F(FirmwareUpgradeV2, ALeadPulledAndPluggedBackBeforeAnUpgradeIsOpenedAgain) {
    // The old loader goes (its line hangs up) and a new one answers on the same port.
    loader = std::make_unique<sim::FlashLoaderSim>(sim::FlashLoaderSim::Generation::Second);
    loader->setId(id);
    testsupport::mapComPort(PORT, loader->slavePath());
    ASSERT_TRUE(QTest::qWaitFor([] { return serialPort->GetHandle()->hasDropped(); },
                                testsupport::WAIT_LIMIT_MS));

    Upgrade(file);
    EXPECT_TRUE(host.messages.isEmpty()) << host.messages.value(0).text.toStdString();
    EXPECT_EQ(form->lblReturnData->text(), "Flash Update Complete.");
    EXPECT_EQ(loader->flash(), firmware);
    EXPECT_TRUE(serialPort->IsOpen());
}
