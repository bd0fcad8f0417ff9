#include "Adv_edit.h"

#include "Cal_table.h"
#include "Form.h"
#include "Radio_rw.h"
#include "Ser_com.h"
#include "Tune_radio.h"
#include "platform/RadioUpdate.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <thread>

TfrmAdvanced* frmAdvanced = nullptr;

namespace {

FirmwareStages::Texts FirmwareTexts() {
    FirmwareStages::Texts texts;
    texts.instructions = "Use this function to upgrade the Radio operating software.\n"
                         "\n"
                         "- Switch off the radio. \n"
                         "- Connect the Programmer Serial Cable to the microphone socket.\n"
                         "- Press F3 while turning radio on.  Display shows \"FLASH UPDATE\"\n"
                         "- Press the 'Upgrade' button to continue.";
    texts.rateCaption = "Max baud rate";
    texts.reset = {"File not loaded.",     "Not connected",       "",
                   "ID not checked",       "Device not erased",   "Device not blank checked",
                   "New file not written", "New file not verifed"};
    texts.upgradeHelp = "Used to upgrade the radios firmware.";
    return texts;
}

uint8_t ReadImage(int offset) {
    return frmBelmar->RadioData[offset];
}

void WriteImage(int offset, uint8_t value) {
    frmBelmar->RadioData[offset] = value;
}

} // namespace

// ---------------------------------------------------------------------------------------
// The form

TfrmAdvanced::TfrmAdvanced(QWidget* parent) : ImageDialog(parent, QDialog::Rejected) {
    setWindowTitle("Hardware Edit Screen");
    pageEngOptions = new QTabWidget(this);
    BuildHardwareTabs(pageEngOptions);
    BuildFirmwareTab(pageEngOptions, FirmwareTexts(), {tabSquelch, tabMisc, tabTune});
    SetFileDialogs();
    timerFirmware = new QTimer(this);
    timerFirmware->setInterval(100);

    HelpText = new QTextEdit(this);
    HelpText->setFixedHeight(48);
    OKBtn = forms::button("OK", this);
    CancelBtn = forms::button("Cancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageEngOptions);
    layout->addWidget(HelpText);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TfrmAdvanced::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmAdvanced::CancelBtnClick);
    connect(btnReadCalRadio, &QPushButton::clicked, this, &TfrmAdvanced::btnReadCalRadioClick);
    connect(btnReadCalFile, &QPushButton::clicked, this, &TfrmAdvanced::btnReadCalFileClick);
    connect(rdgrpMaxBdRateItems, &QButtonGroup::idClicked, this,
            &TfrmAdvanced::rdgrpMaxBdRateClick);
    connect(btnNext, &QPushButton::clicked, this, &TfrmAdvanced::btnNextClick);
    connect(timerFirmware, &QTimer::timeout, this, &TfrmAdvanced::timerFirmwareTimer);
    forms::onPageShowHide(
        tabFirmware, [this] { tabFirmwareShow(); }, [this] { tabFirmwareHide(); });

    BuildHelp();
    BindHelp();
    FormCreate();
    rs232_processor::SetFlashLink(this);
}

TfrmAdvanced::~TfrmAdvanced() {
    rs232_processor::SetFlashLink(nullptr);
}

void TfrmAdvanced::SetFileDialogs() {
    OpenDialog1.title = "Read Calibration File";
    OpenDialog1.filter = "Calibration files(*.cal)|*.cal|All fies(*.*)|*.*";
    SaveDialog1 = cal::SaveDialogRequest(cal::Generation::First);
}

void TfrmAdvanced::BindHelp() {
    BindHardwareHelp(*help, "Set Squelch level for the radio to use. Can be changed at the "
                            "radio by holding the F1 and F6 keys down while switching the "
                            "radio on.");
    BindFirmwareHelp(*help);
}

void TfrmAdvanced::FormCreate() {
    pageEngOptions->setCurrentWidget(tabSquelch);
    FlashActive = 0;
    ReplyLength = 0;
}

void TfrmAdvanced::FormShow() {
    TakeBackup();
    LoadHardware(ReadImage);
    ResetFirmwareStages();
    EnableStageControls(false);
}

void TfrmAdvanced::hsbPSHoldOnTimeChange(QScrollBar* bar) {
    ShowMuteValue(bar);
}

// A period above 4095 keeps the dialog open with nothing stored; a text that is no number
// shows its conversion error and leaves the DTMF bytes alone.
void TfrmAdvanced::OKBtnClick() {
    if (!CheckDtmfPeriod(false))
        return;
    FlashActive = 0;
    StoreHardware(ReadImage, WriteImage);
    done(1);
}

// "Align Radio": the calibration block is read from the radio (a good read puts the
// tuning dialog on-line); without it the user may go on off-line with the image's block.
void TfrmAdvanced::btnReadCalRadioClick() {
    frmTuneRadio->Online = 0;
    frmReadWrite->RunJob(0, CALIBRATION_SIZE - 1, TfrmReadWrite::MODE_READ);
    if (frmTuneRadio->Online != 1 &&
        platform::host().messageBox("Unable to read calibration from radio.\n"
                                    "Continue in Off-line Mode?",
                                    "Align Radio", 33) != platform::IDOK)
        return;
    frmTuneRadio->exec();
}

// A calibration file is edited off-line; a file that did not load is not edited.
void TfrmAdvanced::btnReadCalFileClick() {
    frmTuneRadio->Online = 0;
    QString chosen;
    if (!platform::host().openFileDialog(OpenDialog1, chosen) ||
        !frmBelmar->LoadCalibrationFile(chosen, TfrmBelmar::FileNotice::Tell))
        return;
    frmTuneRadio->LoadCalControls();
    frmTuneRadio->exec();
}

void TfrmAdvanced::CancelBtnClick() {
    done(2);
}

void TfrmAdvanced::done(int result) {
    Form::done(result);
    FormClose();
}

void TfrmAdvanced::FormClose() {
    FlashActive = 0;
    {
        // An upgrade left behind is abandoned, never resumed at the next showing.
        std::lock_guard lock(flashMutex);
        FlashState = 0;
        ReplyLength = 0;
    }
    ResetFirmwareStages();
    EnableStageControls(false);
    frmSerial->SetBaudRate(9600);
}

void TfrmAdvanced::UndoChanges() {
    RestoreBackup(CALIBRATION_SIZE);
}

void TfrmAdvanced::rdgrpMaxBdRateClick() {
    const int index = MaxBdRateIndex();
    if (index >= 0)
        frmBelmar->maxBdRate = BaudRateTable[index];
}

// ---------------------------------------------------------------------------------------
// Firmware tab: stage display

void TfrmAdvanced::ResetFirmwareStages() {
    ++displayGeneration; // changes posted by an earlier run no longer apply
    ResetStages();
}

void TfrmAdvanced::Post(std::function<void()> change) {
    const int generation = displayGeneration;
    platform::PostCall(this, [this, generation, change = std::move(change)] {
        if (generation == displayGeneration)
            change();
    });
}

void TfrmAdvanced::PostStage(Stage stage, const QColor& color, const QString& text) {
    Post([=] { SetStage(stage, color, text); });
}

void TfrmAdvanced::PostReturnData(const QString& text) {
    Post([=] { lblReturnData->setText(text); });
}

void TfrmAdvanced::PostPageProgress() {
    const int page = PageAddress;
    const int percent = (page >> 8) * 100 / 255;
    Post([=] {
        progressAddress->setValue(percent);
        lblReturnData->setText(QString("%1 %2%").arg(page).arg(percent));
    });
}

void TfrmAdvanced::PostProgressRow(Stage stage) {
    Post([=] { MoveProgressTo(stage); });
}

// ---------------------------------------------------------------------------------------
// Firmware tab: the file

bool TfrmAdvanced::LoadSRecordFile(const QString& fileName) {
    return LoadFirmwareFile(fileName, FirmwareImage, true);
}

// ---------------------------------------------------------------------------------------
// Firmware tab: the upgrade

void TfrmAdvanced::tabFirmwareShow() {
    FlashActive = 1;
    timerFirmware->start();
}

void TfrmAdvanced::tabFirmwareHide() {
    FlashActive = 0;
}

void TfrmAdvanced::btnNextClick() {
    ResetFirmwareStages();
    EnableStageControls(true);
    platform::FileDialogRequest request;
    request.title = "Open Firmware File...";
    request.filter = "Motorola S file (*.mot)|*.mot";
    request.hideReadOnly = true;
    request.fileMustExist = true;
    QString chosen;
    if (!platform::host().openFileDialog(request, chosen)) {
        EnableStageControls(false);
        return;
    }
    ledFileOk->setBrushColor(lamp::Yellow);
    if (!LoadSRecordFile(chosen)) {
        EnableStageControls(false);
        return;
    }
    frmSerial->EnsurePortOpen(); // dropped, or never opened at start-up
    std::lock_guard lock(flashMutex);
    StartUpgrade();
}

void TfrmAdvanced::StartUpgrade() {
    FlashState = 1;
    FlashActive = 1;
    owedReplies.clear();
    requestSends = 0;
    ReplyLength = 0;
    runBdRate = frmBelmar->maxBdRate;
    lblReturnData->clear();
    SetLink(9600);
    frmSerial->ClearRxBuffer();
    timerFirmware->start();
    SendBootBaud(9600); // the connect probe
    ledConnected->setBrushColor(lamp::Yellow);
    Retries = RETRIES;
    FlashState = 3;
}

void TfrmAdvanced::SetLink(int rate) {
    frmSerial->SetBaudRate(rate);
}

// Senders ------------------------------------------------------------------------------

// A request sent again keeps the replies it is owed; any other send gives up the awaited
// reply, whose late bytes are then dropped as they come.
void TfrmAdvanced::SendBoot(const std::vector<uint8_t>& bytes, int replyLength) {
    FlashActive = 1;
    const bool again =
        replyLength > 0 && ReplyLength == replyLength && FlashCommand == bytes.front();
    if (!again)
        AbandonRequest();
    DropLateReplies();
    frmSerial->ClearRxBuffer();
    FlashCommand = bytes.front();
    frmSerial->SendBytes(bytes.data(), int(bytes.size()));
    ReplyLength = replyLength;
    requestSends = again ? requestSends + 1 : (replyLength > 0 ? 1 : 0);
    WaitTicks = WAIT_TICKS;
}

void TfrmAdvanced::AbandonRequest() {
    const auto until = std::chrono::steady_clock::now() + LATE_REPLY_LIMIT;
    for (int i = 0; ReplyLength > 0 && i < requestSends; ++i)
        owedReplies.push_back({ReplyLength, until});
    ReplyLength = 0;
    requestSends = 0;
}

// The loader answers in order: the bytes waiting first pay what is owed.
void TfrmAdvanced::DropLateReplies() {
    const auto now = std::chrono::steady_clock::now();
    owedReplies.erase(std::remove_if(owedReplies.begin(), owedReplies.end(),
                                     [now](const OwedReply& owed) { return owed.until <= now; }),
                      owedReplies.end());
    while (!owedReplies.empty()) {
        const int dropped = frmSerial->RxTake(nullptr, owedReplies.front().bytes);
        if (dropped == 0)
            break;
        if ((owedReplies.front().bytes -= dropped) == 0)
            owedReplies.erase(owedReplies.begin());
    }
}

void TfrmAdvanced::SendBootBaud(int rate) {
    const int code = boot::BaudCode(rate);
    SendBoot({uint8_t(code < 0 ? boot::BOOT_BAUD_9600 : code)}, 1);
}

void TfrmAdvanced::SendBootVersion() {
    SendBoot({boot::BOOT_VERSION}, boot::VERSION_LENGTH);
}

void TfrmAdvanced::SendBootReadStatus() {
    SendBoot({boot::BOOT_READ_STATUS}, boot::STATUS_LENGTH);
}

void TfrmAdvanced::SendBootClearStatus() {
    SendBoot({boot::BOOT_CLEAR_STATUS}, 0);
}

void TfrmAdvanced::SendBootIdCheck(int candidate) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    SendBoot(boot::IdCheckCommand(boot::IdCodeCandidate(candidate, FirmwareImage)), 0);
}

void TfrmAdvanced::SendBootEraseAll() {
    SendBoot({boot::BOOT_ERASE_ALL, boot::BOOT_ERASE_CONFIRM}, 0);
    busySince = std::chrono::steady_clock::now();
}

void TfrmAdvanced::SendBootPageRead(int page) {
    SendBoot(boot::PageReadCommand(page), boot::PAGE_SIZE);
}

// An erased page needs no programming: a page of all 0xFF is not sent.
void TfrmAdvanced::SendBootPageProgram(int page) {
    const uint8_t* data = FirmwareImage + page;
    if (boot::PageIsBlank(data))
        return;
    const int ticks = WaitTicks;
    SendBoot(boot::PageProgramCommand(page, data), 0);
    WaitTicks = ticks;
}

void TfrmAdvanced::ProgramPage() {
    SendBootClearStatus();
    busySince = std::chrono::steady_clock::now();
    SendBootPageProgram(PageAddress);
    SendBootReadStatus();
}

bool TfrmAdvanced::BusyTooLong(std::chrono::milliseconds limit) const {
    return std::chrono::steady_clock::now() - busySince > limit;
}

// Timer side ---------------------------------------------------------------------------

void TfrmAdvanced::timerFirmwareTimer() {
    if (FlashActive == 0) {
        timerFirmware->stop();
        return;
    }
    // A step in progress on the worker (it may pause for the loader) gets the next tick.
    std::unique_lock lock(flashMutex, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    TimerStep();
    if (WaitTicks > 0)
        --WaitTicks;
}

bool TfrmAdvanced::TakeRetry() {
    if (Retries == 0) {
        FlashState = 60;
        return false;
    }
    --Retries;
    return true;
}

// Out of retries while waiting for the loader in `stage`.
void TfrmAdvanced::NoReply(Stage stage) {
    PostStage(stage, lamp::Red, "No reply from radio");
}

void TfrmAdvanced::TimerStep() {
    switch (FlashState) {
    case 2:
        if (WaitExpired()) {
            if (TakeRetry())
                SendBootBaud(runBdRate);
            else
                NoReply(stConnected);
        }
        break;
    case 3:
        if (WaitExpired()) {
            if (TakeRetry())
                SendBootBaud(9600);
            else
                PostStage(stConnected, lamp::Red, "Failed Connect");
        }
        break;
    case 4:
        if (WaitExpired()) {
            if (TakeRetry())
                SendBootVersion();
            else
                NoReply(stVersion);
        }
        break;
    case 5:
        if (WaitExpired()) {
            if (TakeRetry()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                SendBootClearStatus();
                SendBootIdCheck(Retries == 2 ? 1 : 0);
                SendBootReadStatus();
            } else {
                NoReply(stID);
            }
        }
        break;
    case 10:
        SendBootClearStatus();
        SendBootEraseAll();
        FlashState = 11;
        SendBootReadStatus();
        PostStage(stErase, lamp::Yellow, "Erasing device");
        break;
    case 11:
        if (WaitExpired()) {
            if (TakeRetry())
                FlashState = 10;
            else
                NoReply(stErase);
        }
        break;
    case 12:
        EraseStatus();
        break;
    case 20:
        StartBlankCheck();
        break;
    case 21:
    case 41:
        if (WaitExpired()) {
            if (TakeRetry())
                SendBootPageRead(PageAddress);
            else
                NoReply(FlashState == 21 ? stBlank : stVerify);
        }
        break;
    case 30:
        StartWrite();
        break;
    case 32:
        if (WaitExpired()) {
            if (TakeRetry())
                ProgramPage();
            else
                NoReply(stWrite);
        }
        break;
    case 40:
        StartVerify();
        break;
    case 60:
    case 61:
        EndRun(FlashState == 61);
        break;
    case 62:
        if (WaitTicks > 0) {
            BackToIdle();
        } else if (Retries > 0) {
            SendBootBaud(9600);
            BackToIdle();
        } else {
            FlashState = 63;
        }
        break;
    case 63:
        BackToIdle();
        break;
    default:
        break;
    }
}

// The status of an erase, judged here after the worker stored it.
void TfrmAdvanced::EraseStatus() {
    const uint8_t srd = lastStatus;
    if (srd & boot::SRD_ERASE_ERROR) {
        FlashState = 10; // erase again
    } else if (srd & boot::SRD_READY) {
        PostStage(stErase, lamp::Green, "Device erased");
        FlashState = 20;
    } else if (BusyTooLong(EraseBusyLimit)) {
        PostStage(stErase, lamp::Red, "Erase timed out");
        FlashState = 60;
    } else {
        FlashState = 11;
        SendBootReadStatus();
    }
}

void TfrmAdvanced::StartBlankCheck() {
    PageAddress = 0;
    PostProgressRow(stBlank);
    SendBootPageRead(0);
    FlashState = 21;
    Retries = RETRIES;
    PostStage(stBlank, lamp::Yellow, "Checking device is blank");
}

void TfrmAdvanced::StartWrite() {
    PageAddress = 0;
    PostProgressRow(stWrite);
    PostStage(stWrite, lamp::Yellow, "Writing to device");
    ProgramPage();
    Retries = RETRIES;
    FlashState = 32;
}

void TfrmAdvanced::StartVerify() {
    PageAddress = 0;
    PostProgressRow(stVerify);
    SendBootClearStatus();
    SendBootPageRead(0);
    FlashState = 41;
    Retries = RETRIES;
    PostStage(stVerify, lamp::Yellow, "Verifying device");
}

// Asks the loader back to 9600 baud, whatever the outcome.
void TfrmAdvanced::EndRun(bool passed) {
    PostReturnData(passed ? "Passed" : "Failed");
    FlashState = 62;
    SendBootBaud(9600);
}

void TfrmAdvanced::BackToIdle() {
    FlashState = 0;
    ReplyLength = 0;
    SetLink(9600);
    Post([this] { btnNext->setEnabled(true); });
}

// Worker side --------------------------------------------------------------------------

void TfrmAdvanced::FlashPoll() {
    // Never wait on the UI thread: a step it holds lets the reply wait for the next poll.
    std::unique_lock lock(flashMutex, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    DropLateReplies();
    const int awaited = ReplyLength;
    if (!owedReplies.empty() || awaited <= 0 || awaited >= RX_RING_SIZE ||
        frmSerial->RxWaiting() != awaited)
        return;
    uint8_t reply[RX_RING_SIZE];
    frmSerial->RxTake(reply, awaited);
    // The first reply answers the request; those of its other sends are still owed.
    --requestSends;
    AbandonRequest();
    ActOnReply(reply);
}

void TfrmAdvanced::ActOnReply(const uint8_t* reply) {
    switch (FlashState) {
    case 3:
        ReplyConnect(reply);
        break;
    case 2:
        ReplyBaud(reply);
        break;
    case 4:
        ReplyVersion(reply);
        break;
    case 5:
        ReplyId(reply);
        break;
    case 11:
        lastStatus = reply[0];
        FlashState = 12;
        break;
    case 21:
        ReplyBlankPage(reply);
        break;
    case 32:
        ReplyWriteStatus(reply);
        break;
    case 41:
        ReplyVerifyPage(reply);
        break;
    case 62:
        if (reply[0] == boot::BOOT_BAUD_9600)
            FlashState = 63;
        break;
    default:
        break;
    }
}

void TfrmAdvanced::ReplyConnect(const uint8_t* r) {
    if (r[0] != boot::BOOT_BAUD_9600)
        return;
    PostStage(stConnected, lamp::Green, "Connected");
    Retries = RETRIES;
    FlashState = 2;
    SendBootBaud(runBdRate);
}

void TfrmAdvanced::ReplyBaud(const uint8_t* r) {
    const int rate = boot::RateOfCode(r[0]);
    if (rate == 0)
        return;
    SetLink(rate);
    if (r[0] == boot::BOOT_BAUD_9600)
        Retries = RETRIES;
    FlashState = 4;
    SendBootVersion();
    PostStage(stVersion, lamp::Yellow, "Getting version");
}

void TfrmAdvanced::ReplyVersion(const uint8_t* r) {
    QString version;
    for (int i = 0; i < boot::VERSION_LENGTH; ++i)
        version += QChar::isPrint(r[i]) ? QChar(r[i]) : QChar('?');
    PostStage(stVersion, lamp::Green, version);
    FlashState = 5;
    Retries = RETRIES;
    PostStage(stID, lamp::Yellow, "Checking ID");
    SendBootClearStatus();
    SendBootIdCheck(0);
    SendBootReadStatus();
}

void TfrmAdvanced::ReplyId(const uint8_t* r) {
    if ((r[1] & boot::SRD1_ID_VERIFIED) == boot::SRD1_ID_VERIFIED) {
        PostStage(stID, lamp::Green, "ID passed");
        FlashState = 10;
    } else {
        PostStage(stID, lamp::Red, "ID failed");
        FlashState = 60;
    }
}

void TfrmAdvanced::ReplyBlankPage(const uint8_t* r) {
    PostPageProgress();
    if (!boot::PageIsBlank(r)) {
        PostStage(stBlank, lamp::Red, "Device not blank");
        FlashState = 60;
        return;
    }
    PageAddress += boot::PAGE_SIZE;
    if (PageAddress < srecord::FLASH_SIZE) {
        Retries = RETRIES;
        SendBootPageRead(PageAddress);
    } else {
        PostStage(stBlank, lamp::Green, "Device blank");
        FlashState = 30;
    }
}

void TfrmAdvanced::ReplyWriteStatus(const uint8_t* r) {
    if (r[1] & boot::SRD1_RECEIVE_TIMEOUT) { // the page did not arrive whole: again
        ProgramPage();
        Retries = RETRIES;
    } else if (!(r[0] & boot::SRD_READY)) {
        if (BusyTooLong(PAGE_BUSY_LIMIT)) {
            PostStage(stWrite, lamp::Red, "Write timed out");
            FlashState = 60;
            return;
        }
        SendBootReadStatus();
        Retries = RETRIES;
    } else if (r[0] & boot::SRD_PROGRAM_ERROR) {
        PostStage(stWrite, lamp::Red, "Write failed");
        FlashState = 60;
    } else {
        PostPageProgress();
        PageAddress += boot::PAGE_SIZE;
        if (PageAddress < srecord::FLASH_SIZE) {
            ProgramPage();
            Retries = RETRIES;
        } else {
            PostStage(stWrite, lamp::Green, "Device Written");
            PostReturnData("finished write");
            FlashState = 40;
        }
    }
}

void TfrmAdvanced::ReplyVerifyPage(const uint8_t* r) {
    PostPageProgress();
    if (std::memcmp(r, FirmwareImage + PageAddress, boot::PAGE_SIZE) != 0) {
        PostStage(stVerify, lamp::Red, "Verify fail");
        FlashState = 60;
        return;
    }
    PageAddress += boot::PAGE_SIZE;
    if (PageAddress < srecord::FLASH_SIZE) {
        SendBootPageRead(PageAddress);
        Retries = RETRIES;
    } else {
        PostStage(stVerify, lamp::Green, "Device verified.");
        FlashState = 61;
    }
}
