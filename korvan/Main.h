#pragma once
// The main window of the first-generation programmer: owns the memory image, the
// programming and calibration files, the settings and the radio commands.

#include "Baud_rate.h"
#include "Files.h"
#include "Main_window.h"
#include "platform/Host.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>

class EEbuffer;
class HelpPane;
class QAction;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTextEdit;

namespace platform {
class Registry;
}

constexpr int IMAGE_SIZE = 4096;
constexpr int CALIBRATION_SIZE = 48;
constexpr int BAND_BYTE = 40; // bit 7 set: UHF radio

class TfrmBelmar : public ProgrammerWindow {
    Q_OBJECT
public:
    explicit TfrmBelmar(QWidget* parent = nullptr);
    ~TfrmBelmar() override;

    // A file that cannot be created or opened fails quietly; the user's own file commands
    // pass FileNotice::Tell so that they hear of it like of any other file problem.
    using FileNotice = ::FileNotice;
    bool SaveProgrammingFile(const QString& name, FileNotice notice = FileNotice::Quiet);
    bool LoadProgrammingFile(const QString& name);
    bool SaveCalibrationFile(const QString& name, FileNotice notice = FileNotice::Quiet);
    bool LoadCalibrationFile(const QString& name, FileNotice notice = FileNotice::Quiet);
    void ShowRadioType();
    void ShowVersion();
    // The radio's own band byte (image byte 40), read before a write; the image and the
    // labels stay as they are. A radio that cannot be read shows its failure in the job
    // dialog: false.
    bool ProbeRadioBand(uint8_t& bandByte);
    void OpenComPort();
    void EnableEditing(bool enabled);

    void FirstShow();
    // Start-up reading on the first activation (settings, default file, port); later
    // calls do nothing.
    void FormShow();
    // Closes the port and writes the settings back; runs when the window closes.
    void FormClose() override;

    // Commands. A button and its menu entry share one handler, told apart by the sender.
    void SpeedBtnClick(QObject* Sender);
    void EditButtonClick(QObject* Sender);
    void btnReadRadioClick();
    void btnWriteRadioClick();
    void mnuComPortClick();
    void mnuDefaultFilenameClick();
    void mnuHelpAboutClick();

    QString DefaultFile;
    QString CurrentFile;
    int RadioReadCount = 0; // reads that ended well; 0 again after one that did not
    uint8_t RadioData[IMAGE_SIZE] = {};
    std::atomic<uint32_t> LinkStatus{0}; // bit 0: the radio answered the connect command
    int ComPort = 1;
    int maxBdRate = 0;
    QString RadioVersion; // written by the serial worker; read after its job ends

    // Panel1: the radio and file commands.
    QFrame* Panel1;
    QPushButton* btnWriteRadio;
    QPushButton* btnFileSave;
    QPushButton* btnReadRadio;
    QPushButton* btnFileOpen;
    QPushButton* btnPrintRadio;
    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Image2;
    // Panel2: the editors.
    QFrame* Panel2;
    QPushButton* EditRadioHardware;
    QPushButton* btnEngineering;
    QPushButton* btnEditCodeWord;
    QPushButton* btnChannel;
    QPushButton* btnSelcall;
    QPushButton* btnOptions;
    QPushButton* btnButtons;
    // Panel3: help pane and radio labels.
    QFrame* Panel3;
    QTextEdit* HelpText;
    QLabel* Label4;
    QLabel* lblVersion;
    QLabel* Label5;
    QLabel* lblRadioType;
    // Menus.
    QMenu* mnuFile;
    QAction* mnuWriteRadio;
    QAction* mnuFileSave;
    QAction* mnuReadRadio;
    QAction* mnuFileOpen;
    QAction* mnuPrintRadio;
    QAction* mnuFileExit;
    QMenu* mnuEdit;
    QAction* mnuChannel;
    QAction* mnuSelcall;
    QAction* mnuOptions;
    QAction* mnuButtons;
    QAction* mnuEditCodeWord;
    QAction* mnuRadioHardware;
    QAction* mnuEngineering;
    QMenu* mnuSetup;
    QAction* mnuComPort;
    QAction* mnuDefaultFilename;
    QMenu* mnuHelp;
    QAction* mnuHelpAbout;
    // The programming file dialogs.
    platform::FileDialogRequest ReadFileBox;
    platform::FileDialogRequest SaveFileBox;
    HelpPane* Help;

private:
    void FormCreate();
    void BuildPanel1();
    void BuildPanel2();
    void BuildPanel3();
    void BuildMenus();
    void SetBorder();
    void BindHelp();
    void ConnectCommands();
    QWidget* BuildClient();

    // The dialog an editor command opens; nullptr while that dialog is not part of the
    // program (its command then stays disabled).
    QDialog* EditorOf(QObject* control) const;
    void ReadFromFile();
    void WriteToFile();
    void ReadPortSettings(platform::Registry& registry);
    void ReadFileSettings(platform::Registry& registry);
    void WriteSettings();
    void ClearRadioLabels();
    // LoadProgrammingFile telling why a file did not load; only Missing is left unreported.
    FileResult LoadProgrammingImage(const QString& name);

    std::unique_ptr<EEbuffer> ownBuffer;
    bool firstActivation = true;
    bool closed = false;
};

extern TfrmBelmar* frmBelmar;
