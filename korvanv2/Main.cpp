#include "Main.h"

#include "About.h"
#include "Autodetect.h"
#include "Com_port.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Files.h"
#include "Form.h"
#include "Help_pane.h"
#include "Main_window.h"
#include "Radio_picture.h"
#include "Radio_rw.h"
#include "Radioabout.h"
#include "Serial.h"
#include "platform/RadioUpdate.h"
#include "platform/Registry.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

TfrmBelmar* frmBelmar = nullptr;

using platform::host;

namespace {

const QString FilesKey = QStringLiteral("\\Tarq\\Korvanv201\\Files");
const QString NoFirmware =
    QStringLiteral("To use this programmer, radio must have firmware v2.00 or higher.");

constexpr int Exclamation = platform::MB_ICONEXCLAMATION;                   // 48
constexpr int Question = platform::MB_OKCANCEL | platform::MB_ICONQUESTION; // 33
constexpr int ClientWidth = 640;
constexpr int ClientHeight = 440;
constexpr int StatusPanelWidth = 550;
constexpr int FileProblemFlags = platform::MB_OKCANCEL | Exclamation;
const QString WriteFailure = QStringLiteral("Unable to write to radio.\n");
const QString WriteCaption = QStringLiteral("Write Error");

QFrame* NewPanel(QWidget* parent) {
    return mainwindow::panel(parent, false);
}

QPushButton* NewButton(const QString& caption, QWidget* parent) {
    return forms::button(caption, parent);
}

} // namespace

TfrmBelmar::TfrmBelmar(QWidget* parent) : ProgrammerWindow(parent) {
    setWindowTitle(QStringLiteral("Tarq Programmer"));
    setCentralWidget(BuildClient());
    BuildMenus();
    BuildStatusBar(StatusPanelWidth);
    SetBorder();
    BindHelp();
    ConnectCommands();
    forms::install(this, [this] { QTimer::singleShot(0, this, &TfrmBelmar::FormShow); });
    FormCreate();
}

// A window that is destroyed without having been closed still stops its worker and port.
TfrmBelmar::~TfrmBelmar() {
    if (closed)
        return;
    if (TransferStarted()) {
        CancelTransfer();
        WaitTransfer();
    }
    delete serialPort;
    serialPort = nullptr;
}

void TfrmBelmar::FormCreate() {
    controls::hideForGood(btnEpromEdit);
    controls::hideForGood(btnEngineering);
    controls::hideForGood(mnuEngineering);
    setWindowTitle(QStringLiteral("Tarq Korvan Radio Programmer RQ0341.2.02"));
    RadioReadCount = 0;
    DefaultFile.clear();
    CurrentFile.clear();
    eeprom.Erase();
    delete serialPort;
    serialPort = new SerialPort;
    ClearRadioVersion(versionInfo);
    EnableEditors();

    mainwindow::setUpFileBoxes(OpenDialog, SaveDialog);
}

// ---- Building the window ----

QWidget* TfrmBelmar::BuildClient() {
    auto* client = new QWidget(this);
    BuildPanel1();
    BuildPanel2();
    BuildPanel3();
    mainwindow::layOutClient(client, Panel1, Panel2, Panel3);
    return client;
}

void TfrmBelmar::BuildPanel1() {
    Panel1 = NewPanel(this);
    Label1 = mainwindow::titleLabel(Panel1);
    Label2 = new QLabel(QStringLiteral("Tarq Radio Communications"), Panel1);
    Label3 =
        new QLabel(QStringLiteral("Copyright Tarq. For authorised Korvan dealers only."), Panel1);
    Image1 = new QLabel(Panel1);
    Image1->setPixmap(RadioPicture(64));
    btnFileOpen = NewButton(QStringLiteral("Read &from File"), Panel1);
    btnFileSave = NewButton(QStringLiteral("Write &to File"), Panel1);
    btnReadRadio = NewButton(QStringLiteral("&Read from Radio"), Panel1);
    btnWriteRadio = NewButton(QStringLiteral("&Write to Radio"), Panel1);
    mainwindow::layOutBanner(Panel1, Image1, {Label1, Label2, Label3},
                             {btnFileOpen, btnFileSave, btnReadRadio, btnWriteRadio});
}

void TfrmBelmar::BuildPanel2() {
    Panel2 = NewPanel(this);
    EditRadioHardware = NewButton(QStringLiteral("&Hardware"), Panel2);
    btnEngineering = NewButton(QStringLiteral("En&gineering"), Panel2);
    btnEditCodeWord = NewButton(QStringLiteral("Ed&it Code Word"), Panel2);
    btnChannel = NewButton(QStringLiteral("&Channel Data"), Panel2);
    btnSelcall = NewButton(QStringLiteral("&Selcall"), Panel2);
    btnOptions = NewButton(QStringLiteral("&Options"), Panel2);
    btnButtons = NewButton(QStringLiteral("&User Defined Buttons"), Panel2);
    btnEpromEdit = NewButton(QStringLiteral("EEPROM"), Panel2);
    mainwindow::stackButtons(Panel2,
                             {btnChannel, btnSelcall, btnOptions, btnButtons, btnEditCodeWord,
                              EditRadioHardware, btnEngineering, btnEpromEdit});
}

void TfrmBelmar::BuildPanel3() {
    Panel3 = NewPanel(this);
    HelpText = new QTextEdit(Panel3);
    HelpText->setReadOnly(true);
    HelpText->setPlainText(QStringLiteral("Help messages..."));
    Panel5 = new QFrame(Panel3);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1 = new QLabel(QStringLiteral("RadioType:"), Panel5);
    StaticText2 = new QLabel(QStringLiteral("Firmware Version:"), Panel5);
    lblRadioType = new QLabel(Panel5);
    lblVersion = new QLabel(Panel5);
    auto* labels = new QGridLayout(Panel5);
    labels->addWidget(StaticText1, 0, 0);
    labels->addWidget(lblRadioType, 0, 1);
    labels->addWidget(StaticText2, 1, 0);
    labels->addWidget(lblVersion, 1, 1);
    labels->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(Panel3);
    layout->addWidget(HelpText, 1);
    layout->addWidget(Panel5);
}

void TfrmBelmar::BuildMenus() {
    mainwindow::addTransferEntries(*this);
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuChannel = mnuEdit->addAction(QStringLiteral("&Channel Data"));
    mnuZones = mnuEdit->addAction(QStringLiteral("&Zones"));
    controls::hideForGood(mnuZones);
    mainwindow::addEditorEntries(*this);

    mnuSetup = menuBar()->addMenu(QStringLiteral("&Setup"));
    mnuComPort = mnuSetup->addAction(QStringLiteral("Com Port"));
    mnuAutoDetect = mnuSetup->addAction(QStringLiteral("Auto Detect"));
    mnuDefaultFile = mnuSetup->addAction(QStringLiteral("Set Default Filename"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About"));
    mnuRadioAbout = mnuHelp->addAction(QStringLiteral("Radio Summary"));
}

void TfrmBelmar::SetBorder() {
    mainwindow::setFixedBorder(this, ClientWidth, ClientHeight);
}

void TfrmBelmar::BindHelp() {
    Help = new HelpPane(HelpText);
    mainwindow::bindCommandHelp(*Help, *this);
    Help->bind(EditRadioHardware,
               {QStringLiteral("Allows you to adjusts the radio operating hardware.")});
    Help->bind({centralWidget(), Panel1, Panel2, Panel3, btnEpromEdit}, {});
}

void TfrmBelmar::ConnectCommands() {
    using mainwindow::onClick;
    for (QPushButton* button : {btnFileOpen, btnFileSave})
        onClick(button, this, &TfrmBelmar::SpeedBtnClick);
    for (QAction* entry : {mnuFileOpen, mnuFileSave})
        onClick(entry, this, &TfrmBelmar::SpeedBtnClick);

    editorCommands = {
        {Editor::Hardware, EditRadioHardware, mnuRadioHardware},
        {Editor::Engineering, btnEngineering, mnuEngineering},
        {Editor::Channel, btnChannel, mnuChannel},
        {Editor::Zones, nullptr, mnuZones},
        {Editor::Selcall, btnSelcall, mnuSelcall},
        {Editor::Options, btnOptions, mnuOptions},
        {Editor::Buttons, btnButtons, mnuButtons},
        {Editor::CodeWord, btnEditCodeWord, mnuEditCodeWord},
        {Editor::EepromEdit, btnEpromEdit, nullptr},
    };
    for (const EditorCommand& command : editorCommands) {
        if (command.button)
            onClick(command.button, this, &TfrmBelmar::EditButtonClick);
        if (command.entry)
            onClick(command.entry, this, &TfrmBelmar::EditButtonClick);
    }

    onClick(btnReadRadio, this, &TfrmBelmar::btnReadRadioClick);
    onClick(mnuReadRadio, this, &TfrmBelmar::btnReadRadioClick);
    onClick(btnWriteRadio, this, &TfrmBelmar::btnWriteRadioClick);
    onClick(mnuWriteRadio, this, &TfrmBelmar::btnWriteRadioClick);
    onClick(mnuComPort, this, &TfrmBelmar::mnuPortSelectClick);
    onClick(mnuAutoDetect, this, &TfrmBelmar::mnuAutoDetectClick);
    onClick(mnuDefaultFile, this, &TfrmBelmar::mnuDefaultFileClick);
    onClick(mnuRadioAbout, this, &TfrmBelmar::mnuRadioAboutClick);
    onClick(mnuHelpAbout, this, &TfrmBelmar::mnuHelpAboutClick);
    onClick(mnuFileExit, this, &TfrmBelmar::mnuFileExitClick);
}

// ---- Editors ----

void TfrmBelmar::SetEditor(Editor editor, QDialog* dialog) {
    editors[int(editor)] = dialog;
    EnableEditors();
}

QDialog* TfrmBelmar::EditorDialog(Editor editor) const {
    return editors[int(editor)];
}

// Hidden commands stay hidden; every command follows whether its dialog exists.
void TfrmBelmar::EnableEditors() {
    for (const EditorCommand& command : editorCommands) {
        const bool available = EditorDialog(command.editor) != nullptr;
        if (command.button)
            command.button->setEnabled(available);
        if (command.entry)
            command.entry->setEnabled(available);
    }
}

void TfrmBelmar::EditButtonClick(QObject* Sender) {
    for (const EditorCommand& command : editorCommands) {
        const bool sent = (command.button && Sender == command.button) ||
                          (command.entry && Sender == command.entry);
        if (sent) {
            if (QDialog* dialog = EditorDialog(command.editor))
                dialog->exec();
            return;
        }
    }
}

void TfrmBelmar::EditRadioHardwareClick() {
    EditButtonClick(EditRadioHardware);
}

// ---- Programming files ----

void TfrmBelmar::SpeedBtnClick(QObject* Sender) {
    if (Sender == btnFileOpen || Sender == mnuFileOpen)
        ReadFromFile();
    else if (Sender == btnFileSave || Sender == mnuFileSave)
        WriteToFile();
}

void TfrmBelmar::ReadFromFile() {
    if (host().messageBox(QStringLiteral("All current data will be lost"),
                          QStringLiteral("Read from file?"), Question) != platform::IDOK)
        return;
    QString chosen;
    if (mainwindow::chooseFileToRead(OpenDialog, CurrentFile, chosen))
        LoadProgrammingFile(chosen);
}

void TfrmBelmar::WriteToFile() {
    QString chosen;
    if (mainwindow::chooseFileToWrite(SaveDialog, CurrentFile, chosen))
        SaveProgrammingFile(chosen, FileNotice::Tell);
}

bool TfrmBelmar::LoadProgrammingFile(const QString& name) {
    return LoadProgrammingImage(name) == FileResult::Done;
}

// The image and the current file change only when the file could be read: a file that
// cannot be used is reported and leaves the user's data as it was.
FileResult TfrmBelmar::LoadProgrammingImage(const QString& name) {
    SetStatus(QString());
    ClearRadioLabels();
    QByteArray bytes;
    const FileResult result =
        mainwindow::readProgrammingFile(name, IMAGE_SIZE, bytes, FileProblemFlags);
    if (result != FileResult::Done) {
        SetStatus(QStringLiteral("No file loaded."));
        return result;
    }
    eeprom.TakeImage(reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
    mainwindow::takeFile(*this, name);
    return result;
}

bool TfrmBelmar::SaveProgrammingFile(const QString& name, FileNotice notice) {
    if (!mainwindow::writeReported(name, eeprom.data, IMAGE_SIZE, notice, FileProblemFlags))
        return false;
    mainwindow::takeFile(*this, name);
    return true;
}

bool TfrmBelmar::SaveCalibrationFile(const QString& name, FileNotice notice) {
    return mainwindow::writeReported(name, eeprom.data, CALIBRATION_SIZE, notice, FileProblemFlags);
}

// A file shorter than the calibration block is refused whole: mixing its bytes with
// another radio's calibration would misalign the radio.
bool TfrmBelmar::LoadCalibrationFile(const QString& name, FileNotice notice) {
    QByteArray bytes;
    if (!mainwindow::readReported(name, CALIBRATION_SIZE, bytes, notice, FileProblemFlags))
        return false;
    eeprom.WriteBlock(0, reinterpret_cast<const uint8_t*>(bytes.constData()), CALIBRATION_SIZE);
    return true;
}

void TfrmBelmar::mnuDefaultFileClick() {
    if (mainwindow::chooseDefaultFile(OpenDialog, mainwindow::MemFilter, FilesKey, DefaultFile))
        LoadProgrammingFile(DefaultFile);
}

// ---- Radio transfers ----

void TfrmBelmar::btnReadRadioClick() {
    labelsBeforeRead = mainwindow::keepLabels(lblRadioType, lblVersion);
    ClearRadioLabels();
    SetStatus(QString());
    RadioVersion[0] = 0;
    const QString failure = QStringLiteral("Unable to read from radio.\n");
    const QString caption = QStringLiteral("Read Error");
    if (!CheckRadio(failure, caption, QStringLiteral("Cannot read from "))) {
        ReadNotTaken();
        return;
    }
    ShowVersion(QString::fromLatin1(RadioVersion));
    lblRadioType->setText(QString::fromLatin1(versionInfo.model));
    uint8_t sizeByte = 0;
    if (!ProbeRadioByte(EEPROM::SIZE_BYTE, sizeByte, failure, caption)) {
        ReadNotTaken();
        return;
    }
    imageBeforeRead.assign(eeprom.data, eeprom.data + IMAGE_SIZE);
    eeprom.Erase();
    RunTransfer({0, 0, EEPROM::SizeFromByte(sizeByte)});
}

// Bytes 48 up to the radio's own size: the calibration block and the size byte are the
// radio's and never go out with a write. The size and band are asked first, so that the one
// question before the write also says what a file of the other size loses, and that a file
// of the other band will not be on its frequencies.
void TfrmBelmar::btnWriteRadioClick() {
    if (!CheckRadio(WriteFailure, WriteCaption, QStringLiteral("Cannot write to ")))
        return;
    uint8_t sizeByte = 0;
    uint8_t bandByte = 0;
    if (!ProbeRadioByte(EEPROM::SIZE_BYTE, sizeByte, WriteFailure, WriteCaption) ||
        !ProbeRadioBand(bandByte))
        return;
    const transfer_job_struct job = ImageWriteJob(CALIBRATION_SIZE, sizeByte);
    if (!mainwindow::confirmWrite(RadioReadCount, ImageWriteWarning(job, bandByte)))
        return;
    ShowVersion(QString::fromLatin1(RadioVersion));
    repaint();
    RunTransfer(job);
}

// The version request itself opens a port whose line dropped.
bool TfrmBelmar::CheckRadio(const QString& failure, const QString& caption,
                            const QString& refusal) {
    std::memset(RadioVersion, 0, sizeof RadioVersion);
    if (RadioGetVersion(RadioVersion) != 1) {
        RadioVersion[0] = 0;
        host().messageBox(failure, caption, Exclamation);
        return false;
    }
    RadioVersion[sizeof RadioVersion - 1] = 0;
    ParseRadioVersion(RadioVersion, versionInfo);
    const QString model = QString::fromLatin1(versionInfo.model);
    if (model != QStringLiteral("Korvan")) {
        host().messageBox(QStringLiteral("Radio type is incorrect.\n") + refusal + model, caption,
                          Exclamation);
        return false;
    }
    if (!CheckFirmware()) {
        host().messageBox(QStringLiteral("Current firmware detected: ") +
                              QString::fromLatin1(RadioVersion) + QStringLiteral(".\n") +
                              NoFirmware,
                          QStringLiteral("Version Check Error"), Exclamation);
        return false;
    }
    return true;
}

// No answer is a failure.
bool TfrmBelmar::ProbeRadioByte(int address, uint8_t& value, const QString& failure,
                                const QString& caption) {
    if (RadioReadByte(uint16_t(address), value) == 0)
        return true;
    host().messageBox(failure, caption, Exclamation);
    return false;
}

bool TfrmBelmar::ProbeRadioBand(uint8_t& bandByte) {
    return ProbeRadioByte(BAND_BYTE, bandByte, WriteFailure, WriteCaption);
}

void TfrmBelmar::RunTransfer(const transfer_job_struct& job) {
    RadioSetBaudRate(maxBdRate);
    ownTransfer = true;
    ShowTransfer(job);
}

bool TfrmBelmar::event(QEvent* event) {
    if (event->type() != platform::RadioUpdateEvent::eventType())
        return QMainWindow::event(event);
    if (!IsStaleTransferUpdate(event))
        OnRadioMessage(*static_cast<platform::RadioUpdateEvent*>(event));
    return true;
}

void TfrmBelmar::OnRadioMessage(const platform::RadioUpdateEvent& message) {
    if (message.wParam == 0)
        frmReadWrite->SetProgress(int(message.lParam));
    else if (message.wParam == 1)
        EndTransfer(message.lParam);
}

// A read of this window that did not end well gives the user back the image they had.
void TfrmBelmar::EndTransfer(long result) {
    const bool reading = frmReadWrite->WriteMode == 0;
    const bool readNotTaken = ownTransfer && reading && result != TRANSFER_DONE;
    if (readNotTaken && !imageBeforeRead.empty())
        eeprom.WriteBlock(0, imageBeforeRead.data(), IMAGE_SIZE);
    if (result == TRANSFER_FAILED) {
        host().messageBox(reading ? QStringLiteral("Error reading from radio.")
                                  : QStringLiteral("Error writing to radio."),
                          QStringLiteral("Error."), Exclamation);
    } else if (result == TRANSFER_CANCELLED) {
        if (reading)
            SetStatus(QString());
    } else {
        if (reading)
            SetStatus(QStringLiteral("Current radio data loaded."));
        if (ownTransfer)
            ++RadioReadCount;
    }
    ownTransfer = false;
    imageBeforeRead.clear();
    ShowRadioType();
    if (readNotTaken)
        ReadNotTaken();
    frmReadWrite->EndShowing();
}

// A read that left the image as it was: the labels say again what they said of it, and the
// next write warns as for a radio never read.
void TfrmBelmar::ReadNotTaken() {
    mainwindow::showLabels(lblRadioType, lblVersion, labelsBeforeRead);
    RadioReadCount = 0;
}

bool TfrmBelmar::GetSizeByte(uint8_t& value) {
    return RadioReadByte(EEPROM::SIZE_BYTE, value) == 0;
}

bool TfrmBelmar::GetBandByte(uint8_t& value) {
    return RadioReadByte(BAND_BYTE, value) == 0;
}

bool TfrmBelmar::GetEepromSize(int& size) {
    uint8_t value = 0;
    if (!GetSizeByte(value))
        return false;
    size = EEPROM::SizeFromByte(value);
    return true;
}

bool TfrmBelmar::CheckFirmware() const {
    return versionInfo.major >= 2;
}

void TfrmBelmar::ShowRadioType() {
    lblRadioType->setText(mainwindow::radioTypeText(eeprom.GetByte(BAND_BYTE)));
}

void TfrmBelmar::ShowVersion(const QString& text) {
    lblVersion->setText(mainwindow::versionText(text));
}

void TfrmBelmar::ClearRadioLabels() {
    lblRadioType->clear();
    lblVersion->clear();
}

// ---- Port and the other setup commands ----

bool TfrmBelmar::OpenComPort(int n) {
    if (!serialPort)
        return false;
    const bool opened = serialPort->Open(QStringLiteral("COM") + QString::number(n), 9600);
    serialPort->Start();
    return opened;
}

void TfrmBelmar::CloseComPort() {
    if (!serialPort)
        return;
    serialPort->Stop();
    serialPort->Close();
}

void TfrmBelmar::mnuPortSelectClick() {
    if (frmPorts->exec() != 1)
        return;
    CloseComPort();
    if (!OpenComPort(ComPort))
        mainwindow::reportPortNotOpened(ComPort, QStringLiteral("No port."));
}

void TfrmBelmar::mnuAutoDetectClick() {
    frmAutoDetect->exec();
    if (frmAutoDetect->GetFoundPort() != 0)
        ComPort = frmAutoDetect->GetFoundPort();
    CloseComPort();
    OpenComPort(ComPort);
}

void TfrmBelmar::mnuRadioAboutClick() {
    formRadioAbout->exec();
}

void TfrmBelmar::mnuHelpAboutClick() {
    AboutBox->exec();
}

// ---- Start-up and close ----

void TfrmBelmar::FormShow() {
    if (!firstActivation)
        return;
    firstActivation = false;
    CentreOnScreen();
    ClearRadioLabels();
    ReadSettings();
    if (DefaultFile.isEmpty())
        DefaultFile = QStringLiteral("defkorvv2.mem");
    if (LoadProgrammingImage(DefaultFile) == FileResult::Missing)
        mainwindow::reportNoDefaultFile(DefaultFile);
    OpenComPort(ComPort);
    repaint();
}

// A rate that is none of the table's is taken as 9600, the rate every radio speaks.
void TfrmBelmar::ReadSettings() {
    platform::Registry registry;
    ComPort = 1;
    maxBdRate = BaudRateTable[0];
    if (registry.OpenKey(FilesKey, true)) {
        mainwindow::readPortValues(registry, ComPort, maxBdRate);
        mainwindow::readFileNames(registry, DefaultFile, CurrentFile);
    }
    if (ComPort < 1 || ComPort > PORT_COUNT)
        ComPort = 1;
}

// A transfer still running is stopped and waited for before the port goes.
void TfrmBelmar::FormClose() {
    if (closed)
        return;
    closed = true;
    if (TransferStarted()) {
        CancelTransfer();
        WaitTransfer();
    }
    WriteSettings();
    delete serialPort;
    serialPort = nullptr;
}

// Write failures are ignored: the settings then keep their earlier values.
void TfrmBelmar::WriteSettings() {
    platform::Registry registry;
    if (registry.OpenKey(FilesKey, true))
        mainwindow::writePortValues(registry, ComPort, maxBdRate);
    if (registry.OpenKey(FilesKey, true))
        registry.WriteString(QStringLiteral("CurrentFile"), CurrentFile);
}
