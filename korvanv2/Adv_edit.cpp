#include "Adv_edit.h"

#include "Cal_table.h"
#include "Eeprom.h"
#include "Flashrom.h"
#include "Help_pane.h"
#include "Main.h"
#include "Radio_rw.h"
#include "Serial.h"
#include "Tune_radio.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QVBoxLayout>

TfrmAdvanced* frmAdvanced = nullptr;

namespace {

uint8_t ReadImage(int offset) {
    return eeprom.GetByte(offset);
}

void WriteImage(int offset, uint8_t value) {
    eeprom.SetByte(offset, value);
}

FirmwareStages::Texts FirmwareTexts() {
    FirmwareStages::Texts texts;
    texts.instructions =
        QStringLiteral("Use this function to upgrade the Radio operating software.\n"
                       "\n"
                       "- Switch off the radio. \n"
                       "- Connect the Fennick Serial Cable to the microphone socket.\n"
                       "- Put radio into Flash Update mode (refer to manual).\n"
                       "- Switch on radio. Press the 'Upgrade' button to continue.\n"
                       " ");
    texts.rateCaption = QStringLiteral("Flash baud rate");
    texts.reset = {QStringLiteral("File Load."), QStringLiteral("Connect."),
                   QStringLiteral("Version"),    QStringLiteral("ID Check."),
                   QStringLiteral("Erase."),     QStringLiteral("Blank Check."),
                   QStringLiteral("Program."),   QStringLiteral("Verify.")};
    texts.upgradeHelp = QStringLiteral("Upgrade the radio firmware.");
    return texts;
}

} // namespace

TfrmAdvanced::TfrmAdvanced(QWidget* parent) : Form(parent) {
    BuildForm();
    FormCreate();
}

void TfrmAdvanced::BuildForm() {
    setWindowTitle(QStringLiteral("Hardware Edit Screen"));
    pageEngOptions = new QTabWidget;
    BuildHardwareTabs(pageEngOptions);
    BuildFirmwareTab(pageEngOptions, FirmwareTexts(), {tabTune, tabSquelch, tabMisc});
    BuildFirmwareOptions();

    OKBtn = forms::button(QStringLiteral("OK"));
    CancelBtn = forms::button(QStringLiteral("Cancel"));
    HelpText = new QTextEdit;
    HelpText->setReadOnly(true);
    HelpText->setFixedHeight(48);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(HelpText, 1);
    bottom->addWidget(OKBtn, 0, Qt::AlignBottom);
    bottom->addWidget(CancelBtn, 0, Qt::AlignBottom);
    auto* form = new QVBoxLayout(this);
    form->addWidget(pageEngOptions);
    form->addLayout(bottom);

    OpenDialog1.title = QStringLiteral("Read Calibration File");
    OpenDialog1.filter = QStringLiteral("Calibration Files (*.cal)|*.cal"
                                        "|Radio Files (*.mem,*.cal)|*.mem;*.cal"
                                        "|All Files (*.*)|*.*");
    SaveDialog1 = cal::SaveDialogRequest(cal::Generation::Second);

    connect(OKBtn, &QPushButton::clicked, this, &TfrmAdvanced::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TfrmAdvanced::CancelBtnClick);
    connect(rdgrpMaxBdRateItems, &QButtonGroup::idClicked, this,
            &TfrmAdvanced::rdgrpMaxBdRateClick);
    connect(btnNext, &QPushButton::clicked, this, &TfrmAdvanced::btnNextClick);
    connect(btnReadCalRadio, &QPushButton::clicked, this, &TfrmAdvanced::btnReadCalRadioClick);
    connect(btnReadCalFile, &QPushButton::clicked, this, &TfrmAdvanced::btnReadCalFileClick);
    BindHelp();
}

void TfrmAdvanced::BuildFirmwareOptions() {
    chkBlankCheck = new QCheckBox(QStringLiteral("Blank Check"), tabFirmware);
    chkVerify = new QCheckBox(QStringLiteral("Verify"), tabFirmware);
    AddFirmwareOption(chkBlankCheck);
    AddFirmwareOption(chkVerify);
}

void TfrmAdvanced::BindHelp() {
    help = new HelpPane(HelpText);
    help->bindOkCancel(OKBtn, CancelBtn);
    BindHardwareHelp(*help, QStringLiteral("Set Squelch level for the radio to use. Can be "
                                           "changed at the radio by holding the F6 key while "
                                           "switching the radio on."));
    BindFirmwareHelp(*help);
}

void TfrmAdvanced::FormCreate() {
    pageEngOptions->setCurrentWidget(tabSquelch);
}

// The rate choice follows maxBdRate, which the main window reads from the settings.
void TfrmAdvanced::FormShow() {
    LoadHardware(ReadImage);
    SetMaxBdRateIndex(std::max(0, BaudRateIndex(frmBelmar->maxBdRate)));
    ResetFirmwareStages();
    EnableFirmwareControls(false);
    pageEngOptions->setCurrentWidget(tabSquelch);
    HelpText->clear();
}

void TfrmAdvanced::hsbPSHoldOnTimeChange(QScrollBar* bar) {
    ShowMuteValue(bar);
}

// Every field is checked before anything is stored: a period the image cannot hold keeps
// the dialog open with nothing changed.
void TfrmAdvanced::OKBtnClick() {
    if (!CheckDtmfPeriod(true))
        return;
    StoreHardware(ReadImage, WriteImage);
    done(mrOk);
}

void TfrmAdvanced::CancelBtnClick() {
    done(mrCancel);
}

// Escape and the close box close as Cancel does, except while a run holds the port.
void TfrmAdvanced::reject() {
    if (!flashing)
        CancelBtnClick();
}

void TfrmAdvanced::rdgrpMaxBdRateClick() {
    const int index = MaxBdRateIndex();
    if (index >= 0)
        frmBelmar->maxBdRate = BaudRateTable[index];
}

// The run's stages set their own progress ranges; a reset gives back the percentage.
void TfrmAdvanced::ResetFirmwareStages() {
    ResetStages();
    progressAddress->setRange(0, 100);
}

void TfrmAdvanced::EnableFirmwareControls(bool on) {
    EnableStageControls(on);
}

bool TfrmAdvanced::LoadSRecordFile(const QString& fileName) {
    return LoadFirmwareFile(fileName, FirmwareImage, false);
}

// ---- Firmware upgrade ----

void TfrmAdvanced::btnNextClick() {
    ResetFirmwareStages();
    EnableFirmwareControls(true);
    QString chosen;
    if (!ChooseFirmwareFile(chosen) || !LoadSRecordFile(chosen)) {
        EnableFirmwareControls(false);
        return;
    }
    repaint();
    btnNext->setEnabled(false);
    if (!BorrowPort()) {
        btnNext->setEnabled(true);
        return;
    }
    SetRunControls(true);
    const int result = RunFlashUpdate();
    FlashClose();
    GiveBackPort(result);
    // Clicks and keys held back during the run reach disabled controls, never a new run.
    QCoreApplication::processEvents();
    SetRunControls(false);
    btnNext->setEnabled(true);
}

bool TfrmAdvanced::ChooseFirmwareFile(QString& chosen) {
    platform::FileDialogRequest request = frmBelmar->OpenDialog;
    request.title = QStringLiteral("Open Firmware File...");
    request.filter = QStringLiteral("Motorola S file (*.mot)|*.mot");
    request.hideReadOnly = true;
    request.fileMustExist = true;
    request.fileName.clear();
    return platform::host().openFileDialog(request, chosen);
}

// The flash link takes the open port while the serial threads are stopped. A port that
// dropped, or never opened, is opened first; one the link cannot take is given back.
bool TfrmAdvanced::BorrowPort() {
    if (serialPort && !serialPort->EnsurePortOpen())
        frmBelmar->OpenComPort(frmBelmar->ComPort);
    platform::SerialDevice* handle = serialPort ? serialPort->GetHandle() : nullptr;
    if (handle) {
        serialPort->Stop();
        if (FlashOpen(handle))
            return true;
        serialPort->Start();
    }
    SetStage(stConnected, lamp::Red, QStringLiteral("Failed to Initialise."));
    lblReturnData->setText(QStringLiteral("Flash Update Error."));
    platform::host().messageBox(QStringLiteral("Unable to open COM") +
                                    QString::number(frmBelmar->ComPort) +
                                    QStringLiteral(" for the flash update.\n") +
                                    QStringLiteral("Check the selected com port.\n"),
                                QStringLiteral("Flash Error"), platform::MB_ICONEXCLAMATION);
    return false;
}

// After a run the port's threads start again; after a sync that heard nothing the port is
// closed and opened afresh.
void TfrmAdvanced::GiveBackPort(int result) {
    if (result == 1) {
        serialPort->Start();
        return;
    }
    serialPort->Close();
    frmBelmar->OpenComPort(frmBelmar->ComPort);
}

// While a run holds the port, nothing else on the screen may start.
void TfrmAdvanced::SetRunControls(bool running) {
    flashing = running;
    for (QWidget* control : std::initializer_list<QWidget*>{OKBtn, CancelBtn, rdgrpMaxBdRate,
                                                            chkBlankCheck, chkVerify})
        control->setEnabled(!running);
}

void TfrmAdvanced::KeepPainted() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmAdvanced::Pause(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        KeepPainted();
        QThread::msleep(std::min<qint64>(10, std::max<qint64>(1, deadline.remainingTime())));
    }
}

int TfrmAdvanced::RunFlashUpdate() {
    flashMessage.clear();
    FlashPurge();
    lblReturnData->clear();
    FlashState state = fsFile;
    while (state != fsError && state != fsComplete && state != fsNoRadio) {
        state = FlashStep(state);
        KeepPainted();
    }
    if (state == fsNoRadio)
        return 0;
    if (state == fsError) {
        platform::host().messageBox(flashMessage, QStringLiteral("Flash Error"),
                                    platform::MB_ICONEXCLAMATION);
        lblReturnData->setText(QStringLiteral("Flash Update Error."));
        progressAddress->setValue(0);
    } else {
        lblReturnData->setText(QStringLiteral("Flash Update Complete."));
    }
    return 1;
}

TfrmAdvanced::FlashState TfrmAdvanced::FlashStep(FlashState state) {
    switch (state) {
    case fsFile:
        SetStage(stFile, lamp::Green, QStringLiteral("File Loaded."));
        return fsSync;
    case fsSync:
        return SyncStep();
    case fsBaud:
        return BaudStep();
    case fsVersion:
        return VersionStep();
    case fsId:
        return IdStep();
    case fsErase:
        return EraseStep();
    case fsBlank:
        return BlankStep();
    case fsProgram:
        return ProgramStep();
    case fsVerify:
        return VerifyStep();
    default:
        return state;
    }
}

// A failed stage keeps its red lamp and label and ends with the "Flash Error" box.
TfrmAdvanced::FlashState TfrmAdvanced::Failed(Stage stage, const QString& label,
                                              const QString& message) {
    SetStage(stage, lamp::Red, label);
    flashMessage = message;
    return fsError;
}

TfrmAdvanced::FlashState TfrmAdvanced::SyncStep() {
    FlashSetRate(9600);
    const int synced = FlashSync();
    if (synced == 1) {
        SetStage(stConnected, lamp::Green, QStringLiteral("Initialised."));
        return fsBaud;
    }
    Failed(stConnected, QStringLiteral("Failed to Initialise."),
           QStringLiteral("Unable to connect to radio for flash update.\n"
                          "Check radio is in Flash Update mode.\n"
                          "Check leads and selected com port.\n"));
    return synced == FLASH_READ_NOTHING ? fsNoRadio : fsError;
}

TfrmAdvanced::FlashState TfrmAdvanced::BaudStep() {
    const int rate = BaudRateTable[std::max(0, MaxBdRateIndex())];
    if (FlashSetBaud(rate) != 1 || FlashSetRate(rate) != rate)
        return Failed(stConnected, QStringLiteral("Failed Set Baud Rate."),
                      QStringLiteral("Unable to connect to radio at ") + QString::number(rate) +
                          QStringLiteral(" baud.\n") + QStringLiteral("Try a lower baudrate.\n"));
    int status = 0;
    FlashReadStatus(status);
    FlashPurge();
    SetStage(stConnected, lamp::Green, QStringLiteral("Connected."));
    return fsVersion;
}

TfrmAdvanced::FlashState TfrmAdvanced::VersionStep() {
    char version[boot::VERSION_LENGTH + 1] = {};
    if (FlashGetVersion(version) != 1)
        return Failed(stVersion, QStringLiteral("-"),
                      QStringLiteral("Unable to read Flash Programmer version in radio."));
    SetStage(stVersion, lamp::Green, QString::fromLatin1(version, boot::VERSION_LENGTH));
    return fsId;
}

bool TfrmAdvanced::IdMatches(const boot::IdCode& id) {
    FlashClearStatus();
    FlashIdCheck(id);
    int status = 0;
    return FlashReadStatus(status) == 1 &&
           ((status >> 8) & boot::SRD1_ID_VERIFIED) == boot::SRD1_ID_VERIFIED;
}

// The ID the firmware file carries in its vectors, then the ID of a part without one.
TfrmAdvanced::FlashState TfrmAdvanced::IdStep() {
    if (!IdMatches(boot::IdCodeCandidate(0, FirmwareImage)) &&
        !IdMatches(boot::IdCodeCandidate(1, FirmwareImage)))
        return Failed(stID, QStringLiteral("ID Not Matched."),
                      QStringLiteral("The radio did not accept the ID of this firmware file.\n"
                                     "Nothing was changed in the radio."));
    SetStage(stID, lamp::Green, QStringLiteral("ID Matched."));
    return fsErase;
}

TfrmAdvanced::FlashState TfrmAdvanced::EraseStep() {
    SetStage(stErase, lamp::Yellow, QStringLiteral("Erasing..."));
    repaint();
    FlashClearStatus();
    FlashEraseAll();
    progressAddress->setRange(0, ERASE_POLLS);
    progressAddress->setValue(0);
    int waits = 0;
    int status = 0;
    while (waits < ERASE_POLLS && !(FlashReadStatus(status) == 1 && (status & boot::SRD_READY))) {
        Pause(ERASE_POLL_MS);
        progressAddress->setValue(++waits);
    }
    const bool ready = waits < ERASE_POLLS;
    if (!ready || FlashReadStatus(status) != 1 || (status & boot::SRD_ERASE_ERROR))
        return Failed(stErase, QStringLiteral("Erase Fail."),
                      QStringLiteral("Unable to erase the radio's flash memory.\n"
                                     "Upgrade the radio again before it is used."));
    FillProgress();
    SetStage(stErase, lamp::Green, QStringLiteral("Erased."));
    return fsBlank;
}

void TfrmAdvanced::StartProgress(Stage stage, const QString& label, int maximum) {
    SetStage(stage, lamp::Yellow, label);
    progressAddress->setRange(0, maximum);
    progressAddress->setValue(0);
}

void TfrmAdvanced::StepProgress() {
    progressAddress->setValue(progressAddress->value() + 1);
    KeepPainted();
}

TfrmAdvanced::FlashState TfrmAdvanced::BlankStep() {
    if (!chkBlankCheck->isChecked()) {
        ledBlank->setBrushColor(lamp::Green);
        return fsProgram;
    }
    StartProgress(stBlank, QStringLiteral("Blank check..."), boot::PAGE_COUNT);
    FlashClearStatus();
    int status = 0;
    FlashReadStatus(status);
    uint8_t page[boot::PAGE_SIZE];
    for (int p = 0; p < boot::PAGE_COUNT; ++p) {
        if (FlashPageRead(srecord::FLASH_BASE + uint32_t(p * boot::PAGE_SIZE), page) != 1 ||
            !boot::PageIsBlank(page))
            return Failed(stBlank, QStringLiteral("Blank check fail."),
                          QStringLiteral("The radio's flash memory is not blank after the "
                                         "erase.\nUpgrade the radio again before it is used."));
        StepProgress();
    }
    SetStage(stBlank, lamp::Green, QStringLiteral("Blank."));
    return fsProgram;
}

TfrmAdvanced::FlashState TfrmAdvanced::ProgramStep() {
    StartProgress(stWrite, QStringLiteral("Programming..."), boot::PAGE_COUNT);
    for (int p = 0; p < boot::PAGE_COUNT; ++p) {
        const uint8_t* page = FirmwareImage + p * boot::PAGE_SIZE;
        if (FlashProgramPage(srecord::FLASH_BASE + uint32_t(p * boot::PAGE_SIZE), page) != 1)
            return Failed(stWrite, QStringLiteral("Program Fail."),
                          QStringLiteral("Unable to program the radio's flash memory.\n"
                                         "Upgrade the radio again before it is used."));
        StepProgress();
    }
    SetStage(stWrite, lamp::Green, QStringLiteral("Programmed."));
    return fsVerify;
}

TfrmAdvanced::FlashState TfrmAdvanced::VerifyStep() {
    if (!chkVerify->isChecked()) {
        ledVerify->setBrushColor(lamp::Green);
        return fsComplete;
    }
    StartProgress(stVerify, QStringLiteral("Verifying..."), boot::PAGE_COUNT);
    uint8_t page[boot::PAGE_SIZE];
    for (int p = 0; p < boot::PAGE_COUNT; ++p) {
        const uint8_t* expected = FirmwareImage + p * boot::PAGE_SIZE;
        if (FlashPageRead(srecord::FLASH_BASE + uint32_t(p * boot::PAGE_SIZE), page) != 1 ||
            !std::equal(page, page + boot::PAGE_SIZE, expected))
            return Failed(stVerify, QStringLiteral("Verify fail"),
                          QStringLiteral("The radio's flash memory does not match the file.\n"
                                         "Upgrade the radio again before it is used."));
        StepProgress();
    }
    SetStage(stVerify, lamp::Green, QStringLiteral("Verified."));
    return fsComplete;
}

// --- alignment -------------------------------------------------------------------------

namespace {

bool ContinueOffLine(const QString& problem) {
    return platform::host().messageBox(problem + QStringLiteral("Continue in Off-line Mode?"),
                                       QStringLiteral("Align Radio"),
                                       platform::MB_OKCANCEL | platform::MB_ICONQUESTION) ==
           platform::IDOK;
}

} // namespace

bool TfrmAdvanced::ReadCalibrationFromRadio() {
    uint8_t kept[CALIBRATION_SIZE];
    eeprom.ReadBlock(0, kept, CALIBRATION_SIZE);
    if (ShowTransfer(0, 0, CALIBRATION_SIZE) == TRANSFER_DONE)
        return true;
    eeprom.WriteBlock(0, kept, CALIBRATION_SIZE);
    return false;
}

void TfrmAdvanced::btnReadCalRadioClick() {
    bool online = false;
    if (RadioGetVersion(AlignVersion) == 1) {
        ParseRadioVersion(AlignVersion, AlignInfo);
        const QString model = QString::fromLatin1(AlignInfo.model);
        if (model != QLatin1String("Korvan")) {
            platform::host().messageBox(QStringLiteral("Radio type is incorrect.\n") +
                                            QStringLiteral("Cannot align ") + model,
                                        QStringLiteral("Firmware Check"),
                                        platform::MB_OK | platform::MB_ICONEXCLAMATION);
            return;
        }
        online = true;
    } else if (!ContinueOffLine(QStringLiteral("Unable to read calibration from radio.\n"))) {
        return;
    }
    if (online) {
        const bool read = ReadCalibrationFromRadio();
        repaint();
        if (!read) {
            if (!ContinueOffLine(QStringLiteral("Error reading calibration from radio.\n")))
                return;
            online = false;
        }
        QThread::msleep(250);
    }
    frmTuneRadio->Online = online ? 1 : 0;
    frmTuneRadio->exec();
}

// A file that cannot be read, or holds no whole calibration block, is reported by the load
// and alignment does not open.
void TfrmAdvanced::btnReadCalFileClick() {
    frmTuneRadio->Online = 0;
    QString chosen;
    if (!platform::host().openFileDialog(OpenDialog1, chosen))
        return;
    if (!frmBelmar->LoadCalibrationFile(chosen, TfrmBelmar::FileNotice::Tell))
        return;
    frmTuneRadio->exec();
}
