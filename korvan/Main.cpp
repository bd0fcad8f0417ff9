#include "Main.h"

#include "About.h"
#include "Adv_edit.h"
#include "Chandata.h"
#include "Codeword.h"
#include "Com_port.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Eng_edit.h"
#include "Files.h"
#include "Form.h"
#include "Help_pane.h"
#include "Main_window.h"
#include "Options.h"
#include "Print.h"
#include "Radio_picture.h"
#include "Radio_rw.h"
#include "Selcall.h"
#include "Ser_com.h"
#include "User_btn.h"
#include "platform/Registry.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <cstring>
#include <vector>

TfrmBelmar* frmBelmar = nullptr;

using platform::host;

namespace {

const QString PortKey = QStringLiteral("\\Tarq\\Korvan\\Port");
const QString FilesKey = QStringLiteral("\\Tarq\\Korvan\\Files");
constexpr int FileProblemFlags = platform::MB_OKCANCEL;

const QColor Maroon(128, 0, 0);
constexpr int ClientWidth = 631;
constexpr int ClientHeight = 432;
constexpr int StatusPanelWidth = 540;

QFrame* NewPanel(QWidget* parent) {
    return mainwindow::panel(parent, true);
}

} // namespace

TfrmBelmar::TfrmBelmar(QWidget* parent) : ProgrammerWindow(parent) {
    setCentralWidget(BuildClient());
    BuildMenus();
    BuildStatusBar(StatusPanelWidth);
    SetBorder();
    BindHelp();
    ConnectCommands();
    FormCreate();
    forms::install(this, [this] { FirstShow(); });
}

TfrmBelmar::~TfrmBelmar() {
    if (eeBuffer == ownBuffer.get())
        eeBuffer = nullptr;
}

void TfrmBelmar::FormCreate() {
    ownBuffer = std::make_unique<EEbuffer>(RadioData, IMAGE_SIZE);
    eeBuffer = ownBuffer.get();
    EnableEditing(true);
    setWindowTitle(QStringLiteral("Tarq Korvan Radio Programmer RQ0341.1.07"));
    DefaultFile.clear();
    CurrentFile.clear();
    RadioReadCount = 0;

    mainwindow::setUpFileBoxes(ReadFileBox, SaveFileBox);
    SaveFileBox.hideReadOnly = true;
}

// ---- Building the window ----

QWidget* TfrmBelmar::BuildClient() {
    auto* client = new QWidget(this);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Maroon);
    client->setPalette(palette);
    client->setAutoFillBackground(true);

    BuildPanel1();
    BuildPanel2();
    BuildPanel3();
    mainwindow::layOutClient(client, Panel1, Panel2, Panel3);
    return client;
}

void TfrmBelmar::BuildPanel1() {
    Panel1 = NewPanel(this);
    btnWriteRadio = forms::button(QStringLiteral("&Write to Radio"), Panel1);
    btnFileSave = forms::button(QStringLiteral("Write &to File"), Panel1);
    btnReadRadio = forms::button(QStringLiteral("&Read from Radio"), Panel1);
    btnFileOpen = forms::button(QStringLiteral("Read &from File"), Panel1);
    btnPrintRadio = forms::button(QStringLiteral("&Print Radio"), Panel1);

    Label2 = mainwindow::titleLabel(Panel1);
    Label1 =
        new QLabel(QStringLiteral("Copyright Tarq. For authorised Korvan dealers only."), Panel1);
    Label3 = new QLabel(QStringLiteral("Tarq Radio Communications"), Panel1);
    Image2 = new QLabel(Panel1);
    Image2->setPixmap(RadioPicture(64));
    mainwindow::layOutBanner(
        Panel1, Image2, {Label2, Label1, Label3},
        {btnWriteRadio, btnFileSave, btnReadRadio, btnFileOpen, btnPrintRadio});
}

void TfrmBelmar::BuildPanel2() {
    Panel2 = NewPanel(this);
    EditRadioHardware = forms::button(QStringLiteral("&Hardware"), Panel2);
    btnEngineering = forms::button(QStringLiteral("En&gineering"), Panel2);
    btnEditCodeWord = forms::button(QStringLiteral("Ed&it Code Word"), Panel2);
    btnChannel = forms::button(QStringLiteral("&Channel Data"), Panel2);
    btnSelcall = forms::button(QStringLiteral("&Selcall"), Panel2);
    btnOptions = forms::button(QStringLiteral("&Options"), Panel2);
    btnButtons = forms::button(QStringLiteral("&User Defined Buttons"), Panel2);
    mainwindow::stackButtons(Panel2, {btnChannel, btnSelcall, btnOptions, btnButtons,
                                      btnEditCodeWord, EditRadioHardware, btnEngineering});
}

void TfrmBelmar::BuildPanel3() {
    Panel3 = NewPanel(this);
    HelpText = new QTextEdit(Panel3);
    Label4 = new QLabel(QStringLiteral("Firmware Version:"), Panel3);
    lblVersion = new QLabel(Panel3);
    Label5 = new QLabel(QStringLiteral("Radio Type:"), Panel3);
    lblRadioType = new QLabel(Panel3);
    auto* layout = new QGridLayout(Panel3);
    layout->addWidget(HelpText, 0, 0, 1, 4);
    layout->addWidget(Label4, 1, 0);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(Label5, 1, 2);
    layout->addWidget(lblRadioType, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
}

void TfrmBelmar::BuildMenus() {
    mainwindow::addTransferEntries(*this);
    mnuPrintRadio = mnuFile->addAction(QStringLiteral("&Print Radio"));
    mnuFile->addSeparator();
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuChannel = mnuEdit->addAction(QStringLiteral("&Channel Data"));
    mainwindow::addEditorEntries(*this);

    mnuSetup = menuBar()->addMenu(QStringLiteral("Setup"));
    mnuComPort = mnuSetup->addAction(QStringLiteral("Com &Port"));
    mnuDefaultFilename = mnuSetup->addAction(QStringLiteral("Set &Default Filename"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About"));
}

void TfrmBelmar::SetBorder() {
    mainwindow::setFixedBorder(this, ClientWidth, ClientHeight);
}

void TfrmBelmar::BindHelp() {
    Help = new HelpPane(HelpText);
    mainwindow::bindCommandHelp(*Help, *this);
    Help->bind(btnPrintRadio,
               {QStringLiteral("Prints the configuration data from the edit windows.")});
    Help->bind(EditRadioHardware,
               {QStringLiteral("Allows you to adjust the radio operating hardware.")});
    Help->bind(centralWidget(), {});
    Help->bind(Panel1, {});
}

void TfrmBelmar::ConnectCommands() {
    using mainwindow::onClick;
    for (QPushButton* button : {btnFileOpen, btnFileSave, btnPrintRadio})
        onClick(button, this, &TfrmBelmar::SpeedBtnClick);
    for (QAction* entry : {mnuFileOpen, mnuFileSave, mnuPrintRadio})
        onClick(entry, this, &TfrmBelmar::SpeedBtnClick);
    for (QPushButton* button : {EditRadioHardware, btnEngineering, btnChannel, btnSelcall,
                                btnOptions, btnButtons, btnEditCodeWord})
        onClick(button, this, &TfrmBelmar::EditButtonClick);
    for (QAction* entry : {mnuRadioHardware, mnuEngineering, mnuChannel, mnuSelcall, mnuOptions,
                           mnuButtons, mnuEditCodeWord})
        onClick(entry, this, &TfrmBelmar::EditButtonClick);
    onClick(mnuComPort, this, &TfrmBelmar::mnuComPortClick);
    onClick(mnuDefaultFilename, this, &TfrmBelmar::mnuDefaultFilenameClick);
    onClick(mnuHelpAbout, this, &TfrmBelmar::mnuHelpAboutClick);
    onClick(mnuFileExit, this, &TfrmBelmar::mnuFileExitClick);
    onClick(btnReadRadio, this, &TfrmBelmar::btnReadRadioClick);
    onClick(mnuReadRadio, this, &TfrmBelmar::btnReadRadioClick);
    onClick(btnWriteRadio, this, &TfrmBelmar::btnWriteRadioClick);
    onClick(mnuWriteRadio, this, &TfrmBelmar::btnWriteRadioClick);
}

// ---- Commands ----

QDialog* TfrmBelmar::EditorOf(QObject* control) const {
    struct Editor {
        QObject* button;
        QObject* menu;
        QDialog* dialog;
    };
    // One row per editor dialog: {button, menu entry, the dialog's global}. A command
    // without a row, or whose dialog was not created, stays disabled.
    const std::vector<Editor> editors = {
        {EditRadioHardware, mnuRadioHardware, frmAdvanced},
        {btnEngineering, mnuEngineering, frmEngineering},
        {btnChannel, mnuChannel, frmChannelData},
        {btnSelcall, mnuSelcall, frmSelcall},
        {btnOptions, mnuOptions, frmOptions},
        {btnButtons, mnuButtons, frmUserButtons},
        {btnEditCodeWord, mnuEditCodeWord, frmCodeWord},
        {btnPrintRadio, mnuPrintRadio, frmPrint},
    };
    for (const Editor& editor : editors)
        if (control == editor.button || control == editor.menu)
            return editor.dialog;
    return nullptr;
}

void TfrmBelmar::EnableEditing(bool enabled) {
    const std::pair<QPushButton*, QAction*> commands[] = {
        {btnWriteRadio, mnuWriteRadio},     {btnFileSave, mnuFileSave},
        {btnChannel, mnuChannel},           {btnSelcall, mnuSelcall},
        {btnOptions, mnuOptions},           {btnButtons, mnuButtons},
        {btnEditCodeWord, mnuEditCodeWord}, {EditRadioHardware, mnuRadioHardware},
        {btnPrintRadio, mnuPrintRadio},
    };
    for (const auto& [button, entry] : commands) {
        const bool available =
            button == btnFileSave || button == btnWriteRadio || EditorOf(button) != nullptr;
        button->setEnabled(enabled && available);
        entry->setEnabled(enabled && available);
    }
    controls::hideForGood(btnEngineering);
    controls::hideForGood(mnuEngineering);
}

void TfrmBelmar::SpeedBtnClick(QObject* Sender) {
    if (Sender == btnFileOpen || Sender == mnuFileOpen)
        ReadFromFile();
    else if (Sender == btnFileSave || Sender == mnuFileSave)
        WriteToFile();
    else
        EditButtonClick(Sender); // print: its dialog opens like an editor
}

void TfrmBelmar::EditButtonClick(QObject* Sender) {
    if (QDialog* editor = EditorOf(Sender))
        editor->exec();
}

void TfrmBelmar::ReadFromFile() {
    if (host().messageBox(QStringLiteral("All current data will be lost."),
                          QStringLiteral("Read from file?"), 33) != platform::IDOK)
        return;
    ReadFileBox.title = QStringLiteral("Open Programming File...");
    QString chosen;
    if (mainwindow::chooseFileToRead(ReadFileBox, CurrentFile, chosen))
        LoadProgrammingFile(chosen);
}

void TfrmBelmar::WriteToFile() {
    QString chosen;
    if (mainwindow::chooseFileToWrite(SaveFileBox, CurrentFile, chosen))
        SaveProgrammingFile(chosen, FileNotice::Tell);
}

void TfrmBelmar::mnuComPortClick() {
    if (frmPorts->exec() != 1)
        return;
    frmSerial->ClosePort();
    OpenComPort();
}

void TfrmBelmar::mnuDefaultFilenameClick() {
    if (mainwindow::chooseDefaultFile(ReadFileBox, mainwindow::MemFilter, FilesKey, DefaultFile))
        LoadProgrammingFile(DefaultFile);
}

// "Read from Radio": the whole image, into a zeroed image; kept only when the job succeeded.
void TfrmBelmar::btnReadRadioClick() {
    if (host().messageBox(QStringLiteral("All current edit data will be lost"),
                          QStringLiteral("Read from Radio?"), 33) != platform::IDOK)
        return;
    // A read that fails or is cancelled gives the user back the image they had.
    std::vector<uint8_t> previous(RadioData, RadioData + IMAGE_SIZE);
    const mainwindow::ImageLabels previousLabels = mainwindow::keepLabels(lblRadioType, lblVersion);
    std::memset(RadioData, 0, IMAGE_SIZE);
    SetStatus(QStringLiteral("Reading..."));
    ClearRadioLabels();
    if (frmReadWrite->RunJob(0, IMAGE_SIZE - 1, TfrmReadWrite::MODE_READ) !=
        TfrmReadWrite::MODE_DONE) {
        std::copy(previous.begin(), previous.end(), RadioData);
        mainwindow::showLabels(lblRadioType, lblVersion, previousLabels);
        RadioReadCount = 0; // the radio on the line was not read
        SetStatus(QString());
        return;
    }
    SetStatus(QStringLiteral("Current Radio data loaded"));
    ShowRadioType();
    ShowVersion();
    ++RadioReadCount;
}

// "Write to Radio": bytes 48 up; the calibration block never goes out with a write. The
// radio's band is read first, so that the one question before the write can say that data
// made for the other band will not be on its frequencies there. A radio that cannot be read
// is written nothing.
void TfrmBelmar::btnWriteRadioClick() {
    uint8_t radioBand = 0;
    if (!ProbeRadioBand(radioBand))
        return;
    const QString warning = mainwindow::bandWarning(RadioData[BAND_BYTE], radioBand, false);
    if (!mainwindow::confirmWrite(RadioReadCount, warning))
        return;
    SetStatus(QStringLiteral("Writing..."));
    frmReadWrite->RunJob(CALIBRATION_SIZE, IMAGE_SIZE - 1, TfrmReadWrite::MODE_WRITE);
    SetStatus(QStringLiteral("File loaded: ") + CurrentFile);
}

bool TfrmBelmar::ProbeRadioBand(uint8_t& bandByte) {
    if (frmReadWrite->ProbeJob(0, CALIBRATION_SIZE - 1) != TfrmReadWrite::MODE_DONE)
        return false;
    bandByte = frmReadWrite->ReadBuffer[BAND_BYTE];
    return true;
}

void TfrmBelmar::mnuHelpAboutClick() {
    AboutBox->exec();
}

// ---- Start-up and close ----

// The first showing centres the window on its screen and then, once it is up, does the
// start-up reading.
void TfrmBelmar::FirstShow() {
    if (!firstActivation)
        return;
    CentreOnScreen();
    QTimer::singleShot(0, this, &TfrmBelmar::FormShow);
}

void TfrmBelmar::FormShow() {
    if (!firstActivation)
        return;
    firstActivation = false;
    ClearRadioLabels();
    LinkStatus = 0;
    std::memset(RadioData, 0, IMAGE_SIZE);

    platform::Registry registry;
    ReadPortSettings(registry);
    if (ComPort < 1 || ComPort > 256)
        ComPort = 1;
    ReadFileSettings(registry);
    registry.CloseKey();
    if (DefaultFile.isEmpty())
        DefaultFile = QStringLiteral("defkorv.mem");

    if (LoadProgrammingImage(DefaultFile) == FileResult::Missing)
        mainwindow::reportNoDefaultFile(DefaultFile);
    OpenComPort();
    repaint();
}

// A missing key (the first run) leaves ComPort to its bound and maxBdRate at 0.
void TfrmBelmar::ReadPortSettings(platform::Registry& registry) {
    if (!registry.OpenKey(PortKey, false))
        return;
    mainwindow::readPortValues(registry, ComPort, maxBdRate);
    if (frmAdvanced)
        frmAdvanced->SetMaxBdRateIndex(BaudRateIndex(maxBdRate));
}

void TfrmBelmar::ReadFileSettings(platform::Registry& registry) {
    if (registry.OpenKey(FilesKey, true))
        mainwindow::readFileNames(registry, DefaultFile, CurrentFile);
}

void TfrmBelmar::FormClose() {
    if (closed)
        return;
    closed = true;
    frmSerial->ClosePort();
    WriteSettings();
}

// Write failures are ignored: the settings then keep their earlier values.
void TfrmBelmar::WriteSettings() {
    platform::Registry registry;
    if (registry.OpenKey(PortKey, true))
        mainwindow::writePortValues(registry, ComPort, maxBdRate);
    if (registry.OpenKey(FilesKey, true))
        registry.WriteString(QStringLiteral("CurrentFile"), CurrentFile);
}

void TfrmBelmar::OpenComPort() {
    if (!frmSerial->OpenPort(ComPort))
        mainwindow::reportPortNotOpened(ComPort, QStringLiteral("Serial Port Error."));
}

// ---- Files ----

void TfrmBelmar::ClearRadioLabels() {
    lblRadioType->clear();
    lblVersion->clear();
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
    std::memset(RadioData, 0, IMAGE_SIZE);
    std::memcpy(RadioData, bytes.constData(), size_t(bytes.size()));
    mainwindow::takeFile(*this, name);
    return result;
}

bool TfrmBelmar::SaveProgrammingFile(const QString& name, FileNotice notice) {
    if (!mainwindow::writeReported(name, RadioData, IMAGE_SIZE, notice, FileProblemFlags))
        return false;
    mainwindow::takeFile(*this, name);
    return true;
}

bool TfrmBelmar::SaveCalibrationFile(const QString& name, FileNotice notice) {
    return mainwindow::writeReported(name, RadioData, CALIBRATION_SIZE, notice, FileProblemFlags);
}

// A file shorter than the calibration block is refused whole: mixing its bytes with
// another radio's calibration would misalign the radio.
bool TfrmBelmar::LoadCalibrationFile(const QString& name, FileNotice notice) {
    QByteArray bytes;
    if (!mainwindow::readReported(name, CALIBRATION_SIZE, bytes, notice, FileProblemFlags))
        return false;
    std::memcpy(RadioData, bytes.constData(), CALIBRATION_SIZE);
    return true;
}

void TfrmBelmar::ShowRadioType() {
    lblRadioType->setText(mainwindow::radioTypeText(uint8_t(eeBuffer->GetByte(BAND_BYTE))));
}

void TfrmBelmar::ShowVersion() {
    lblVersion->setText(mainwindow::versionText(RadioVersion));
}
