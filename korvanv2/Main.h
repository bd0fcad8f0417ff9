#pragma once
// The main window of the second-generation programmer: the settings, the programming and
// calibration files, the whole-image read and write, and the commands that open every
// editor. The image is the global `eeprom`, the link the global `serialPort`.

#include "Baud_rate.h"
#include "Files.h"
#include "Main_window.h"
#include "Protocol.h"
#include "platform/Host.h"

#include <QString>
#include <cstdint>
#include <vector>

class HelpPane;
struct transfer_job_struct;
class QAction;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTextEdit;

namespace platform {
class RadioUpdateEvent;
class Registry;
} // namespace platform

constexpr int IMAGE_SIZE = 16384;
constexpr int CALIBRATION_SIZE = 48;
constexpr int BAND_BYTE = 40;   // bit 7 set: UHF radio
constexpr int PORT_COUNT = 256; // COM1..COM256

// The editors the main window opens. Forms.cpp hands each created dialog to the main
// window with SetEditor; a command whose dialog was never handed over stays disabled.
enum class Editor {
    Hardware,
    Engineering,
    Channel,
    Zones,
    Selcall,
    Options,
    Buttons,
    CodeWord,
    EepromEdit
};

class TfrmBelmar : public ProgrammerWindow {
    Q_OBJECT
public:
    explicit TfrmBelmar(QWidget* parent = nullptr);
    ~TfrmBelmar() override;

    // A file that cannot be created or opened fails quietly; the user's own file commands
    // pass FileNotice::Tell so that they hear of it like of any other file problem.
    using FileNotice = ::FileNotice;
    bool LoadProgrammingFile(const QString& name);
    bool SaveProgrammingFile(const QString& name, FileNotice notice = FileNotice::Quiet);
    bool LoadCalibrationFile(const QString& name, FileNotice notice = FileNotice::Quiet);
    bool SaveCalibrationFile(const QString& name, FileNotice notice = FileNotice::Quiet);

    // Opens "COM" + n at 9600 baud on serialPort and starts its threads; the open's result.
    bool OpenComPort(int n);
    // lblRadioType from image byte 40.
    void ShowRadioType();
    // lblVersion := 6 characters of the version text from its 8th.
    void ShowVersion(const QString& text);
    // The radio's own size byte (image byte 128); false without a reply.
    bool GetSizeByte(uint8_t& value);
    // The radio's own band byte (image byte 40); false without a reply.
    bool GetBandByte(uint8_t& value);
    // The radio's own band byte before a write; without a reply, false after the write's
    // failure message.
    bool ProbeRadioBand(uint8_t& bandByte);
    // The radio's image size by its own size byte (8192 or 16384); false without a reply.
    bool GetEepromSize(int& size);
    // The last parsed version is v2.00 or later.
    bool CheckFirmware() const;
    // Progress (wParam 0) and end (wParam 1) of a transfer.
    void OnRadioMessage(const platform::RadioUpdateEvent& message);

    // Hands an editor dialog to its commands and enables them.
    void SetEditor(Editor editor, QDialog* dialog);
    QDialog* EditorDialog(Editor editor) const;

    // Start-up reading on the first activation (settings, default file, port); later
    // calls do nothing.
    void FormShow();
    // Stops a transfer still running, writes the settings back and closes the port.
    void FormClose() override;

    // Commands. A button and its menu entry share one handler, told apart by the sender.
    void SpeedBtnClick(QObject* Sender);
    void EditButtonClick(QObject* Sender);
    void EditRadioHardwareClick();
    void btnReadRadioClick();
    void btnWriteRadioClick();
    void mnuPortSelectClick();
    void mnuAutoDetectClick();
    void mnuDefaultFileClick();
    void mnuRadioAboutClick();
    void mnuHelpAboutClick();

    QString DefaultFile;
    QString CurrentFile;
    char RadioVersion[VERSION_BUFFER] = {};
    int ComPort = 1;
    int maxBdRate = BaudRateTable[0]; // one of BaudRateTable; the hardware screen edits it
    // Whole-image transfers that ended well; 0 again after a read that did not, as the
    // radio on the line was then never read.
    int RadioReadCount = 0;

    // Panel1: the radio and file commands.
    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Image1;
    QPushButton* btnFileOpen;
    QPushButton* btnFileSave;
    QPushButton* btnReadRadio;
    QPushButton* btnWriteRadio;
    // Panel2: the editors.
    QFrame* Panel2;
    QPushButton* EditRadioHardware;
    QPushButton* btnEngineering;
    QPushButton* btnEditCodeWord;
    QPushButton* btnChannel;
    QPushButton* btnSelcall;
    QPushButton* btnOptions;
    QPushButton* btnButtons;
    QPushButton* btnEpromEdit;
    // Panel3: help pane; Panel5: the radio labels.
    QFrame* Panel3;
    QTextEdit* HelpText;
    QFrame* Panel5;
    QLabel* StaticText1;
    QLabel* StaticText2;
    QLabel* lblRadioType;
    QLabel* lblVersion;
    // Menus.
    QMenu* mnuFile;
    QAction* mnuWriteRadio;
    QAction* mnuFileSave;
    QAction* mnuReadRadio;
    QAction* mnuFileOpen;
    QAction* mnuFileExit;
    QMenu* mnuEdit;
    QAction* mnuChannel;
    QAction* mnuZones;
    QAction* mnuSelcall;
    QAction* mnuOptions;
    QAction* mnuButtons;
    QAction* mnuEditCodeWord;
    QAction* mnuRadioHardware;
    QAction* mnuEngineering;
    QMenu* mnuSetup;
    QAction* mnuComPort;
    QAction* mnuAutoDetect;
    QAction* mnuDefaultFile;
    QMenu* mnuHelp;
    QAction* mnuHelpAbout;
    QAction* mnuRadioAbout;
    // The programming file dialogs.
    platform::FileDialogRequest OpenDialog;
    platform::FileDialogRequest SaveDialog;
    HelpPane* Help;

protected:
    bool event(QEvent* event) override;

private:
    struct EditorCommand {
        Editor editor;
        QPushButton* button; // may be null: the zones have only a menu entry
        QAction* entry;
    };

    void FormCreate();
    QWidget* BuildClient();
    void BuildPanel1();
    void BuildPanel2();
    void BuildPanel3();
    void BuildMenus();
    void SetBorder();
    void BindHelp();
    void ConnectCommands();
    void EnableEditors();

    void ReadFromFile();
    void WriteToFile();
    void ReadSettings();
    void WriteSettings();
    void ClearRadioLabels();
    // LoadProgrammingFile telling why a file did not load; only Missing is left unreported.
    FileResult LoadProgrammingImage(const QString& name);
    void CloseComPort();
    // The version, model and firmware checks before a transfer; false after their message.
    bool CheckRadio(const QString& failure, const QString& caption, const QString& refusal);
    // A byte of the radio's memory; without a reply, false after the failure message.
    bool ProbeRadioByte(int address, uint8_t& value, const QString& failure,
                        const QString& caption);
    void RunTransfer(const transfer_job_struct& job);
    void EndTransfer(long result);
    void ReadNotTaken();

    std::vector<EditorCommand> editorCommands;
    static constexpr int EDITOR_COUNT = int(Editor::EepromEdit) + 1;
    QDialog* editors[EDITOR_COUNT] = {};
    bool firstActivation = true;
    bool closed = false;
    bool ownTransfer = false;                 // the running transfer is this window's read or write
    std::vector<uint8_t> imageBeforeRead;     // given back when a read does not end well
    mainwindow::ImageLabels labelsBeforeRead; // the same for the labels
};

extern TfrmBelmar* frmBelmar;
