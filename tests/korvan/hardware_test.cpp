#include "Adv_edit.h"
#include "Korvan_fixture.h"
#include "Ser_com.h"
#include "support/FirmwareFile.h"
#include "support/FlashLoaderSim.h"
#include "support/Pty.h"
#include "support/Typing.h"
#include "support/Waits.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <cstring>

namespace {

void SetImage(int offset, uint8_t value) {
    frmBelmar->RadioData[offset] = value;
}
uint8_t Image(int offset) {
    return frmBelmar->RadioData[offset];
}

} // namespace

class HardwareDialog : public KorvanFixture {
protected:
    void SetUp() override {
        KorvanFixture::SetUp();
        SetImage(0x33, 25);
        SetImage(0x35, 200);
        SetImage(0x46, 0xC0 | 0x20 | 0x0F); // SQL-2, other bits set
        SetImage(0x47, 0xDF);               // MAC display off, other bits set
        SetImage(0xAB, 0x34);
        SetImage(0xAC, 0xA1); // period 0x134 = 308; bits 4-7 belong to selcall
        form = frmAdvanced;
        form->show();
    }
    TfrmAdvanced* form = nullptr;
};

TEST_F(HardwareDialog, ShowsAndStoresItsBitsKeepingTheOthers) {
    EXPECT_EQ(form->windowTitle(), "Hardware Edit Screen");
    EXPECT_EQ(form->lblMuteOffDebounceValue->text(), "250 mSec");
    EXPECT_EQ(form->lblMuteIgnoreValue->text(), "2000 mSec");
    EXPECT_TRUE(form->rbUseSql2->isChecked());
    EXPECT_FALSE(form->chkMacDisplay->isChecked());
    EXPECT_EQ(form->txtDtmfTonePeriod->text(), "308");

    testsupport::Drag(form->hsbMuteOffDebounce, 7);
    EXPECT_EQ(form->lblMuteOffDebounceValue->text(), "70 mSec");
    testsupport::Drag(form->hsbMuteIgnore, 255);
    form->rbUseSql1->click();
    form->chkMacDisplay->click();
    testsupport::TypeOver(form->txtDtmfTonePeriod, "4095");
    form->OKBtn->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), 1);
    EXPECT_EQ(Image(0x33), 7);
    EXPECT_EQ(Image(0x35), 255);
    EXPECT_EQ(Image(0x46), 0xC0 | 0x10 | 0x0F) << "bit 4 set, bit 5 cleared, others kept";
    EXPECT_EQ(Image(0x47), 0xFF);
    EXPECT_EQ(Image(0xAB), 0xFF);
    EXPECT_EQ(Image(0xAC), 0xAF) << "selcall bits 4-7 kept";

    // Both squelch bits set shows SQL-1 (bit 4 first); SQL-3 clears both.
    SetImage(0x46, 0x30);
    form->show();
    EXPECT_TRUE(form->rbUseSql1->isChecked());
    form->rbUseSql3->click();
    testsupport::TypeOver(form->txtDtmfTonePeriod, "0");
    form->OKBtn->click();
    EXPECT_EQ(Image(0x46), 0x00);
    EXPECT_EQ(Image(0xAB), 0x00);
    EXPECT_EQ(Image(0xAC), 0xA0);
}

TEST_F(HardwareDialog, RefusesAPeriodBeyond4095AndKeepsBytesOnAnEmptyField) {
    testsupport::Drag(form->hsbMuteOffDebounce, 9);
    testsupport::TypeOver(form->txtDtmfTonePeriod, "5000");
    form->OKBtn->click();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "The DTMF tone period must be between 0 and 4095 ms.");
    EXPECT_TRUE(form->isVisible()) << "the user may correct it";
    EXPECT_EQ(form->pageEngOptions->currentWidget(), form->tabMisc);
    EXPECT_EQ(Image(0x33), 25) << "nothing stored";
    EXPECT_EQ(Image(0xAB), 0x34);

    // The key filter lets only digits through.
    form->txtDtmfTonePeriod->clear();
    form->txtDtmfTonePeriod->setFocus();
    QTest::keyClicks(form->txtDtmfTonePeriod, "1a-2.3");
    EXPECT_EQ(form->txtDtmfTonePeriod->text(), "123");

    // An empty field cannot be converted: the error is shown, the rest is stored.
    form->txtDtmfTonePeriod->clear();
    form->OKBtn->click();
    EXPECT_EQ(host.exceptions.size(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Image(0x33), 9);
    EXPECT_EQ(Image(0xAB), 0x34);
    EXPECT_EQ(Image(0xAC), 0xA1);
}

TEST_F(HardwareDialog, CancelRestoresAllButTheCalibrationBlock) {
    form->hsbMuteOffDebounce->setValue(1);
    SetImage(5, 0x77);   // as an alignment would, while the dialog is open
    SetImage(200, 0x99); // as another change would
    form->CancelBtn->click();
    EXPECT_EQ(form->result(), 2);
    EXPECT_EQ(Image(5), 0x77);
    EXPECT_EQ(Image(200), 0x00);
    EXPECT_EQ(Image(0x33), 25);

    form->show();
    SetImage(300, 0x55);
    form->reject(); // the window's close box or Escape
    EXPECT_EQ(Image(300), 0x00);
}

TEST_F(HardwareDialog, MaxRateHelpAndAlignment) {
    form->pageEngOptions->setCurrentWidget(form->tabFirmware);
    form->rdgrpMaxBdRateItems->button(2)->click();
    EXPECT_EQ(frmBelmar->maxBdRate, 38400);
    form->SetMaxBdRateIndex(3);
    EXPECT_EQ(form->MaxBdRateIndex(), 3);

    QTest::mouseMove(form->btnNext);
    form->btnNext->setFocus();
    EXPECT_EQ(form->HelpText->toPlainText(), "Used to upgrade the radios firmware.");
    form->txtDtmfTonePeriod->setFocus();
    EXPECT_EQ(form->HelpText->toPlainText(), "Set DTMF tone period in ms (0..4095).");
}

// The main window opens the dialog from "Hardware" and gives it the stored link rate.
TEST_F(KorvanFixture, MainWindowOpensHardwareWithTheStoredRate) {
    const QString settings = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tarq/Korvan.conf";
    QDir().mkpath(QFileInfo(settings).path());
    for (const auto& [stored, index] : {std::pair{"38400", 2}, std::pair{"12345", 0}}) {
        DestroyForms();
        CreateForms();
        QFile file(settings);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[Port]\nComPort=200\nmaxBdRate=") + stored + "\n");
        file.close();
        testsupport::mapComPort(200, FilePath("nowhere"));
        frmBelmar->FormShow();
        EXPECT_EQ(frmAdvanced->MaxBdRateIndex(), index) << stored;
    }
    ASSERT_TRUE(frmBelmar->EditRadioHardware->isEnabled());
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = frmAdvanced->isVisible();
        frmAdvanced->CancelBtn->click();
    });
    frmBelmar->EditRadioHardware->click();
    EXPECT_TRUE(shown);
}

// ---------------------------------------------------------------------------------------
// Firmware upgrade against the simulated boot loader

namespace {

constexpr int PORT = 9;
const uint32_t ID_ADDRESSES[] = {0xFFDF, 0xFFE3, 0xFFEB, 0xFFEF, 0xFFF3, 0xFFF7, 0xFFFB};

} // namespace

class FirmwareUpgrade : public KorvanFixture {
protected:
    void SetUp() override {
        KorvanFixture::SetUp();
        // Firmware in pages 0, 1, 0x80 and the vector page; the rest stays erased.
        for (int page : {0, 1, 0x80, 0xFF})
            for (int i = 0; i < 256; ++i)
                firmware[size_t(page * 256 + i)] = uint8_t(page + i);
        for (int i = 0; i < 7; ++i) {
            firmware[ID_ADDRESSES[i]] = uint8_t(0xA1 + i);
            id[size_t(i)] = uint8_t(0xA1 + i);
        }
        loader.setId(id);
        file = FilePath("radio.mot");
        WriteFile(file, testsupport::SRecordFile(firmware));
        testsupport::mapComPort(PORT, loader.slavePath());
        ASSERT_TRUE(frmSerial->OpenPort(PORT));
        frmBelmar->maxBdRate = 57600;
        form = frmAdvanced;
        form->show();
        form->pageEngOptions->setCurrentWidget(form->tabFirmware);
    }

    // Presses "Upgrade", chooses the file, and waits for the run to end (a whole run with
    // every retry of a failing step takes well under a minute).
    bool Upgrade() {
        constexpr int timeoutMs = 60000;
        host.fileAnswers.enqueue(file);
        form->btnNextClick();
        if (form->FlashState == 0)
            return false;
        return QTest::qWaitFor(
            [this] { return form->FlashState == 0 && form->btnNext->isEnabled(); }, timeoutMs);
    }

    // The run ended and left the line and the dialog ready for another try.
    void ExpectCleanEnd(const QString& returnData) {
        EXPECT_EQ(form->lblReturnData->text(), returnData);
        EXPECT_EQ(frmSerial->device.baudRate(), 9600);
        EXPECT_EQ(loader.programRate(), 9600) << "as the loader's side sees the line";
        EXPECT_TRUE(
            QTest::qWaitFor([this] { return loader.rate() == 9600; }, testsupport::WAIT_LIMIT_MS))
            << "the loader is asked back to 9600 baud";
        EXPECT_TRUE(form->btnNext->isEnabled());
        EXPECT_EQ(form->ReplyLength, 0);
    }

    template <class Change> void Fault(Change change) {
        sim::FlashLoaderSim::Faults faults;
        change(faults);
        loader.setFaults(faults);
    }

    QColor Lamp(TfrmAdvanced::Stage stage) const { return form->led[stage]->brushColor(); }

    sim::FlashLoaderSim loader;
    sim::FlashLoaderSim::Id id{};
    std::vector<uint8_t> firmware = std::vector<uint8_t>(srecord::FLASH_SIZE, 0xFF);
    QString file;
    TfrmAdvanced* form = nullptr;
};

TEST_F(FirmwareUpgrade, WholeUpgradePassesAndSendsOnlyPagesWithData) {
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Passed");
    EXPECT_EQ(host.fileRequests.at(0).title, "Open Firmware File...");
    EXPECT_EQ(host.fileRequests.at(0).filter, "Motorola S file (*.mot)|*.mot");
    for (int stage = 0; stage < TfrmAdvanced::STAGE_COUNT; ++stage)
        EXPECT_EQ(Lamp(TfrmAdvanced::Stage(stage)), lamp::Green) << stage;
    EXPECT_EQ(form->lblFileOk->text(), "File loaded.");
    EXPECT_EQ(form->lblConnected->text(), "Connected");
    EXPECT_EQ(form->lblVersion->text(), "VER.1.00");
    EXPECT_EQ(form->lblID->text(), "ID passed");
    EXPECT_EQ(form->lblErase->text(), "Device erased");
    EXPECT_EQ(form->lblBlank->text(), "Device blank");
    EXPECT_EQ(form->lblWrite->text(), "Device Written");
    EXPECT_EQ(form->lblVerify->text(), "Device verified.");
    EXPECT_EQ(loader.flash(), firmware);
    EXPECT_EQ(loader.programmedPages(), (std::vector<int>{0x0000, 0x0100, 0x8000, 0xFF00}));
    EXPECT_EQ(loader.commandCount(0xB3), 1) << "the link ran at the chosen 57600";
    EXPECT_EQ(loader.lostBytes(), 0);
    EXPECT_FALSE(form->pageEngOptions->isTabVisible(0)) << "other tabs stay hidden until close";

    form->CancelBtn->click();
    EXPECT_TRUE(form->pageEngOptions->isTabVisible(0));
    EXPECT_EQ(form->lblFileOk->text(), "File not loaded.");
    EXPECT_EQ(form->FlashActive, 0);
}

TEST_F(FirmwareUpgrade, RadioThatNeverEchoesFailsConnect) {
    Fault([](auto& f) { f.neverEcho = true; });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Failed");
    EXPECT_EQ(form->lblConnected->text(), "Failed Connect");
    EXPECT_EQ(Lamp(TfrmAdvanced::stConnected), lamp::Red);
    EXPECT_EQ(loader.commandCount(0xB0), 6 + 1) << "six probes, then the way back to 9600";
}

TEST_F(FirmwareUpgrade, RefusedIdFailsAndTheNextTryPasses) {
    Fault([](auto& f) { f.refuseId = true; });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Failed");
    EXPECT_EQ(form->lblID->text(), "ID failed");
    EXPECT_EQ(Lamp(TfrmAdvanced::stID), lamp::Red);
    EXPECT_EQ(loader.commandCount(0xA7), 0) << "nothing erased";

    loader.setFaults({});
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Passed");
    EXPECT_EQ(loader.flash(), firmware);
}

TEST_F(FirmwareUpgrade, PageLeftAfterEraseFailsBlankCheck) {
    Fault([](auto& f) {
        f.eraseErrors = 1;
        f.eraseLeavesPage = 3;
    });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Failed");
    EXPECT_EQ(loader.commandCount(0xA7), 2) << "an erase error erases again";
    EXPECT_EQ(form->lblErase->text(), "Device erased");
    EXPECT_EQ(form->lblBlank->text(), "Device not blank");
    EXPECT_EQ(Lamp(TfrmAdvanced::stBlank), lamp::Red);
    EXPECT_TRUE(loader.programmedPages().empty());
}

TEST_F(FirmwareUpgrade, WrongPageReadBackFailsVerify) {
    Fault([](auto& f) { f.wrongPage = 0; });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Failed");
    EXPECT_EQ(form->lblWrite->text(), "Device Written");
    EXPECT_EQ(form->lblVerify->text(), "Verify fail");
    EXPECT_EQ(Lamp(TfrmAdvanced::stVerify), lamp::Red);
}

TEST_F(FirmwareUpgrade, ProgramErrorAndEndlessBusyFailTheWrite) {
    Fault([](auto& f) { f.programErrorPage = 1; });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Failed");
    EXPECT_EQ(form->lblWrite->text(), "Write failed");

    Fault([](auto& f) { f.stayBusyAfterProgram = true; });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Failed");
    EXPECT_EQ(form->lblWrite->text(), "Write timed out");
    EXPECT_EQ(Lamp(TfrmAdvanced::stWrite), lamp::Red);
}

TEST_F(FirmwareUpgrade, BadFileSendsNothingAndCancelledChoiceRestoresTheTab) {
    const QByteArray text = testsupport::SRecordFile(firmware);
    ASSERT_TRUE(form->LoadSRecordFile(file));
    EXPECT_EQ(form->lblReturnData->text(),
              QString("%1 bytes read in, %2 lines read in").arg(text.size()).arg(text.count('\n')));
    EXPECT_EQ(form->progressAddress->value(), 100);
    EXPECT_EQ(std::memcmp(form->FirmwareImage, firmware.data(), firmware.size()), 0);

    WriteFile(file, "S1130000000102030405060708090A0B0C0D0E0F74\r\n");
    host.fileAnswers.enqueue(file);
    form->btnNextClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
    EXPECT_EQ(host.messages[0].caption, "File Error");
    EXPECT_EQ(host.messages[0].flags, 1);
    EXPECT_EQ(form->lblFileOk->text(), "File not loaded.");
    EXPECT_EQ(Lamp(TfrmAdvanced::stFile), lamp::Red);
    EXPECT_EQ(form->FlashState, 0);
    EXPECT_TRUE(form->btnNext->isEnabled());
    EXPECT_TRUE(form->pageEngOptions->isTabVisible(0));

    form->btnNextClick(); // the file dialog is cancelled
    EXPECT_TRUE(form->btnNext->isEnabled());
    EXPECT_FALSE(form->lblStage[0]->isEnabled());
    QTest::qWait(300);
    EXPECT_EQ(loader.commandCount(0xB0), 0);
}

TEST_F(FirmwareUpgrade, ClosingTheDialogAbandonsARun) {
    Fault([](auto& f) { f.neverEcho = true; });
    host.fileAnswers.enqueue(file);
    form->btnNextClick();
    ASSERT_EQ(form->FlashState, 3);
    QTest::qWait(300);
    form->CancelBtn->click();
    EXPECT_EQ(form->FlashState, 0);
    EXPECT_EQ(form->FlashActive, 0);
    EXPECT_EQ(frmSerial->device.baudRate(), 9600);
    const int probes = loader.commandCount(0xB0);

    form->show(); // the firmware tab is still the current one
    EXPECT_EQ(form->FlashActive, 1);
    QTest::qWait(1500);
    EXPECT_EQ(loader.commandCount(0xB0), probes) << "nothing resumes";
    EXPECT_TRUE(form->btnNext->isEnabled());
}

// Minimising the dialog changes no page: an upgrade minimised and restored while it
// programs, and again while it verifies, runs on to its end.
TEST_F(FirmwareUpgrade, MinimisingAndRestoringKeepsTheRunGoing) {
    host.fileAnswers.enqueue(file);
    form->btnNextClick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->FlashState == 32; }, 30000));
    form->showMinimized();
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return form->FlashState >= 41 || form->FlashState == 0; }, 20000))
        << "programming goes on while minimised";
    form->showNormal();
    form->showMinimized();
    QCoreApplication::processEvents();
    form->showNormal();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return form->FlashState == 0 && form->btnNext->isEnabled(); }, 60000));
    ExpectCleanEnd("Passed");
    EXPECT_EQ(form->lblVerify->text(), "Device verified.");
    EXPECT_EQ(loader.flash(), firmware);
}

// A reply that comes after its request was sent again is the answer to that request,
// never to the one after it; the page read of the first verify is late here.
TEST_F(FirmwareUpgrade, ALateReplyNeverAnswersTheNextRequest) {
    Fault([](auto& f) {
        f.lateRead = 256; // reads 0..255 check the blank device
        f.lateReplyMs = 1300;
    });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Passed");
    EXPECT_EQ(form->lblVerify->text(), "Device verified.");
    EXPECT_EQ(loader.commandCount(0xFF), 256 + 256 + 1) << "one read sent again";
    EXPECT_EQ(loader.flash(), firmware);
}

TEST_F(FirmwareUpgrade, UpgradeOpensAPortThatWasDroppedOrNeverOpened) {
    frmSerial->ClosePort();
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Passed");
    EXPECT_EQ(loader.flash(), firmware);
}

// Status replies that do not come: after three tries the ID check takes the second
// candidate (an erased ID, all 0xFF); none at all is "No reply from radio".
TEST_F(FirmwareUpgrade, IdCheckTakesTheSecondCandidateAndReportsNoReply) {
    id.fill(0xFF);
    loader.setId(id);
    Fault([](auto& f) { f.dropStatusReplies = 3; });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Passed");
    EXPECT_EQ(form->lblID->text(), "ID passed");
    EXPECT_EQ(loader.commandCount(0xF5), 4);

    Fault([](auto& f) { f.dropStatusReplies = 1000; });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Failed");
    EXPECT_EQ(form->lblID->text(), "No reply from radio");
    EXPECT_EQ(Lamp(TfrmAdvanced::stID), lamp::Red);
    EXPECT_EQ(loader.commandCount(0xF5), 4 + 6) << "the first try and five more";
    EXPECT_EQ(loader.commandCount(0xA7), 1) << "no erase without an ID";
}

TEST_F(FirmwareUpgrade, EraseThatStaysBusyTimesOut) {
    form->EraseBusyLimit = std::chrono::milliseconds(1500);
    Fault([](auto& f) { f.stayBusyAfterErase = true; });
    ASSERT_TRUE(Upgrade());
    ExpectCleanEnd("Failed");
    EXPECT_EQ(form->lblErase->text(), "Erase timed out");
    EXPECT_EQ(Lamp(TfrmAdvanced::stErase), lamp::Red);
    EXPECT_GT(loader.commandCount(0x70), 3) << "the status was asked while busy";
    EXPECT_TRUE(loader.programmedPages().empty());
}
