// The main window's controls and commands, answered through the scripted host.

#include "About.h"
#include "Com_port.h"
#include "Help_pane.h"
#include "Korvan_fixture.h"
#include "Options.h"
#include "Selc_mem.h"
#include "Tune_radio.h"
#include "support/AccessiblePress.h"
#include "support/Pty.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>
#include <cstring>

namespace {

const QString MemFilter = "Programming Files (*.mem)|*.mem|All Files (*.*)|*.*";

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* entry : menu->actions())
        texts << (entry->isSeparator() ? "-" : entry->text());
    return texts;
}

bool ImageIs(uint8_t value) {
    for (uint8_t byte : frmBelmar->RadioData)
        if (byte != value)
            return false;
    return true;
}

} // namespace

using MainWindow = KorvanFixture;

TEST_F(MainWindow, ControlsCarryTheirCaptions) {
    EXPECT_EQ(frmBelmar->windowTitle(), "Tarq Korvan Radio Programmer RQ0341.1.07");
    const std::pair<QPushButton*, const char*> buttons[] = {
        {frmBelmar->btnWriteRadio, "&Write to Radio"},
        {frmBelmar->btnFileSave, "Write &to File"},
        {frmBelmar->btnReadRadio, "&Read from Radio"},
        {frmBelmar->btnFileOpen, "Read &from File"},
        {frmBelmar->btnPrintRadio, "&Print Radio"},
        {frmBelmar->EditRadioHardware, "&Hardware"},
        {frmBelmar->btnEngineering, "En&gineering"},
        {frmBelmar->btnEditCodeWord, "Ed&it Code Word"},
        {frmBelmar->btnChannel, "&Channel Data"},
        {frmBelmar->btnSelcall, "&Selcall"},
        {frmBelmar->btnOptions, "&Options"},
        {frmBelmar->btnButtons, "&User Defined Buttons"},
    };
    for (const auto& [button, caption] : buttons)
        EXPECT_EQ(button->text(), caption);
    EXPECT_EQ(frmBelmar->Label2->text(), "Korvan Programmer");
    EXPECT_EQ(frmBelmar->Label4->text(), "Firmware Version:");
    EXPECT_EQ(frmBelmar->Label5->text(), "Radio Type:");
    EXPECT_EQ(frmBelmar->mnuFile->title(), "&File");
    EXPECT_EQ(MenuTexts(frmBelmar->mnuFile),
              QStringList({"&Write to Radio", "Write &to File", "-", "&Read from Radio",
                           "Read &from File", "-", "&Print Radio", "-", "E&xit"}));
    EXPECT_EQ(frmBelmar->mnuEdit->title(), "&Edit");
    EXPECT_EQ(MenuTexts(frmBelmar->mnuEdit),
              QStringList({"&Channel Data", "&Selcall", "&Options", "&User Defined Buttons",
                           "Ed&it Code Word", "-", "&Hardware", "En&gineering"}));
    EXPECT_EQ(frmBelmar->mnuSetup->title(), "Setup");
    EXPECT_EQ(MenuTexts(frmBelmar->mnuSetup), QStringList({"Com &Port", "Set &Default Filename"}));
    EXPECT_EQ(frmBelmar->mnuHelp->title(), "&Help");
    EXPECT_EQ(MenuTexts(frmBelmar->mnuHelp), QStringList({"&About"}));
}

TEST_F(MainWindow, EveryCommandIsEnabledFromTheStart) {
    // Every button and every menu entry, but those never seen, such as the engineering ones.
    const QList<QPushButton*> buttons = frmBelmar->findChildren<QPushButton*>();
    ASSERT_GE(buttons.size(), 12);
    for (QPushButton* button : buttons)
        if (!button->isHidden()) {
            EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
        }
    int entries = 0;
    for (QMenu* menu :
         {frmBelmar->mnuFile, frmBelmar->mnuEdit, frmBelmar->mnuSetup, frmBelmar->mnuHelp})
        for (QAction* entry : menu->actions())
            if (!entry->isSeparator() && entry != frmBelmar->mnuEngineering) {
                EXPECT_TRUE(entry->isEnabled()) << entry->text().toStdString();
                ++entries;
            }
    EXPECT_EQ(entries, 15);
    EXPECT_TRUE(frmBelmar->btnEngineering->isHidden());
    EXPECT_FALSE(frmBelmar->mnuEngineering->isVisible());

    // Switching editing off disables every editing command, buttons and menus alike.
    const QList<QPushButton*> editingButtons = {
        frmBelmar->btnWriteRadio,   frmBelmar->btnFileSave,       frmBelmar->btnChannel,
        frmBelmar->btnSelcall,      frmBelmar->btnOptions,        frmBelmar->btnButtons,
        frmBelmar->btnEditCodeWord, frmBelmar->EditRadioHardware, frmBelmar->btnPrintRadio};
    const QList<QAction*> editingEntries = {
        frmBelmar->mnuWriteRadio, frmBelmar->mnuFileSave,     frmBelmar->mnuPrintRadio,
        frmBelmar->mnuChannel,    frmBelmar->mnuSelcall,      frmBelmar->mnuOptions,
        frmBelmar->mnuButtons,    frmBelmar->mnuEditCodeWord, frmBelmar->mnuRadioHardware};
    frmBelmar->EnableEditing(false);
    for (QPushButton* button : editingButtons)
        EXPECT_FALSE(button->isEnabled()) << button->text().toStdString();
    for (QAction* entry : editingEntries)
        EXPECT_FALSE(entry->isEnabled()) << entry->text().toStdString();
    EXPECT_TRUE(frmBelmar->btnFileOpen->isEnabled()) << "not an editing command";
    EXPECT_TRUE(frmBelmar->mnuReadRadio->isEnabled());
    frmBelmar->EnableEditing(true);
    for (QAction* entry : editingEntries)
        EXPECT_TRUE(entry->isEnabled()) << entry->text().toStdString();
}

// A screen reader's press reaches what the mouse cannot: the main window behind a modal
// dialog, and the controls hidden for good. Neither comes to anything.
TEST_F(MainWindow, AccessiblePressesBehindADialogOrOfHiddenControlsDoNothing) {
    testsupport::ExpectPressesComeToNothing(
        {
            {"Write to Radio behind Options", frmBelmar->btnWriteRadio, frmOptions},
            {"its menu entry", frmBelmar->mnuWriteRadio, frmOptions},
            {"Options behind Options", frmBelmar->btnOptions, frmOptions},
            {"its menu entry", frmBelmar->mnuOptions, frmOptions},
            {"Engineering", frmBelmar->btnEngineering, nullptr},
            {"its menu entry", frmBelmar->mnuEngineering, nullptr},
            {"Clear Memory", frmSelcallIdents->btnClrMem, nullptr},
            {"Force Display Update", frmTuneRadio->btnDisplayUpdate, nullptr},
        },
        host);
}

TEST_F(MainWindow, HelpPaneShowsTheSentenceOfTheControl) {
    frmBelmar->Help->FocusHelp(frmBelmar->btnFileOpen);
    EXPECT_EQ(frmBelmar->HelpText->toPlainText(),
              "Reads the configuration data in a file to the edit windows.");
    frmBelmar->Help->MouseHelp(frmBelmar->EditRadioHardware);
    EXPECT_EQ(frmBelmar->HelpText->toPlainText(),
              "Allows you to adjust the radio operating hardware.");
    frmBelmar->Help->MouseHelp(frmBelmar->Panel1);
    EXPECT_EQ(frmBelmar->HelpText->toPlainText(), "");
    EXPECT_TRUE(frmBelmar->HelpText->isReadOnly());
}

TEST_F(MainWindow, ReadFromFileAsksFirst) {
    WriteFile(FilePath("radio.mem"), QByteArray(IMAGE_SIZE, '\x33'));
    std::memset(frmBelmar->RadioData, 0x55, IMAGE_SIZE);
    frmBelmar->CurrentFile = FilePath("last.mem");

    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmBelmar->SpeedBtnClick(frmBelmar->btnFileOpen);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "All current data will be lost.");
    EXPECT_EQ(host.messages[0].caption, "Read from file?");
    EXPECT_EQ(host.messages[0].flags, 33);
    EXPECT_TRUE(host.fileRequests.isEmpty()) << "Cancel opens no file dialog";
    EXPECT_TRUE(ImageIs(0x55));

    frmBelmar->SpeedBtnClick(frmBelmar->mnuFileOpen); // OK, then the dialog is cancelled
    ASSERT_EQ(host.fileRequests.size(), 1);
    const platform::FileDialogRequest& request = host.fileRequests[0];
    EXPECT_EQ(request.title, "Open Programming File...");
    EXPECT_EQ(request.filter, MemFilter);
    EXPECT_EQ(request.fileName, FilePath("last.mem"));
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_TRUE(request.hideReadOnly);
    EXPECT_TRUE(ImageIs(0x55));

    host.fileAnswers.enqueue(FilePath("radio.mem"));
    frmBelmar->SpeedBtnClick(frmBelmar->btnFileOpen);
    EXPECT_TRUE(ImageIs(0x33));
    EXPECT_EQ(frmBelmar->CurrentFile, FilePath("radio.mem"));
    EXPECT_EQ(host.messages.size(), 3);
}

TEST_F(MainWindow, WriteToFileThatCannotBeCreatedSaysSo) {
    std::memset(frmBelmar->RadioData, 0x44, IMAGE_SIZE);
    frmBelmar->CurrentFile = "before.mem";
    host.fileAnswers.enqueue(FilePath("no/such/folder/radio.mem"));
    frmBelmar->SpeedBtnClick(frmBelmar->btnFileSave);

    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem writing the file");
    EXPECT_EQ(host.messages[0].caption, "File Error");
    EXPECT_EQ(host.messages[0].flags, 1);
    EXPECT_EQ(frmBelmar->CurrentFile, "before.mem");
    EXPECT_TRUE(ImageIs(0x44));
}

TEST_F(MainWindow, WriteToFileAsksNoQuestion) {
    std::memset(frmBelmar->RadioData, 0x44, IMAGE_SIZE);
    frmBelmar->CurrentFile = FilePath("last.mem");
    frmBelmar->SpeedBtnClick(frmBelmar->btnFileSave); // dialog cancelled
    EXPECT_FALSE(QFile::exists(FilePath("last.mem")));
    host.fileAnswers.enqueue(FilePath("saved.mem"));
    frmBelmar->SpeedBtnClick(frmBelmar->mnuFileSave);

    EXPECT_TRUE(host.messages.isEmpty());
    ASSERT_EQ(host.fileRequests.size(), 2);
    const platform::FileDialogRequest& request = host.fileRequests[0];
    EXPECT_EQ(request.title, "Save Programming File...");
    EXPECT_EQ(request.filter, MemFilter);
    EXPECT_EQ(request.defaultExt, "*.mem");
    EXPECT_EQ(request.fileName, FilePath("last.mem"));
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(request.hideReadOnly);
    EXPECT_EQ(ReadFile(FilePath("saved.mem")), QByteArray(IMAGE_SIZE, '\x44'));
    EXPECT_EQ(frmBelmar->CurrentFile, FilePath("saved.mem"));
}

TEST_F(MainWindow, SetDefaultFilenameStoresItAndOffersToLoadIt) {
    WriteFile(FilePath("fleet.mem"), QByteArray(IMAGE_SIZE, '\x66'));
    std::memset(frmBelmar->RadioData, 0x55, IMAGE_SIZE);
    frmBelmar->DefaultFile = "defkorv.mem";

    frmBelmar->mnuDefaultFilenameClick(); // dialog cancelled: nothing changes
    EXPECT_EQ(frmBelmar->DefaultFile, "defkorv.mem");
    EXPECT_TRUE(host.messages.isEmpty());

    host.fileAnswers.enqueue(FilePath("fleet.mem"));
    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmBelmar->mnuDefaultFilenameClick();
    const platform::FileDialogRequest& request = host.fileRequests[1];
    EXPECT_EQ(request.title, "Set Default Filename.");
    EXPECT_EQ(request.fileName, "defkorv.mem");
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_TRUE(request.hideReadOnly);
    EXPECT_EQ(request.filter, MemFilter);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text,
              "Load file  " + FilePath("fleet.mem") + "?\nAll current data will be lost.");
    EXPECT_EQ(host.messages[0].caption, "Load Default File.");
    EXPECT_EQ(host.messages[0].flags, 33);
    EXPECT_EQ(frmBelmar->DefaultFile, FilePath("fleet.mem"));
    EXPECT_TRUE(ImageIs(0x55)) << "Cancel loads nothing";
    const QString settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        "/Tarq/Korvan.conf";
    EXPECT_EQ(QSettings(settings, QSettings::IniFormat).value("Files/DefaultFile").toString(),
              FilePath("fleet.mem"));

    host.fileAnswers.enqueue(FilePath("fleet.mem"));
    frmBelmar->mnuDefaultFilenameClick();
    EXPECT_TRUE(ImageIs(0x66));
    EXPECT_EQ(frmBelmar->CurrentFile, FilePath("fleet.mem"));
}

TEST_F(MainWindow, PortDialogReopensThePortOnlyOnOk) {
    testsupport::mapComPort(3, FilePath("ttyNone3"));
    testsupport::mapComPort(256, FilePath("ttyNone256"));
    frmBelmar->ComPort = 3;

    QTimer::singleShot(0, frmPorts, [] {
        EXPECT_EQ(frmPorts->cbPort->currentText(), "COM3");
        frmPorts->cbPort->setCurrentIndex(9);
        frmPorts->BitBtn2->click();
    });
    frmBelmar->mnuComPortClick();
    EXPECT_EQ(frmBelmar->ComPort, 3);
    EXPECT_TRUE(host.messages.isEmpty()) << "the port is not reopened";

    QTimer::singleShot(0, frmPorts, [] {
        frmPorts->cbPort->setCurrentIndex(frmPorts->cbPort->count() - 1);
        frmPorts->btnOK->click();
    });
    frmBelmar->mnuComPortClick();
    EXPECT_EQ(frmBelmar->ComPort, 256);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to open COM256");
    EXPECT_EQ(host.messages[0].caption, "Serial Port Error.");
    EXPECT_EQ(host.messages[0].flags, 48);
}

TEST_F(MainWindow, AboutClockAndExit) {
    bool shown = false;
    QTimer::singleShot(0, AboutBox, [&shown] {
        shown = AboutBox->isVisible() && AboutBox->isModal();
        AboutBox->BitBtn1->click();
    });
    frmBelmar->mnuHelpAboutClick();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(AboutBox->isVisible());

    frmBelmar->Timer1Timer();
    EXPECT_TRUE(QTime::fromString(frmBelmar->StatusText(1), "hh:mm:ss").isValid());
    EXPECT_EQ(frmBelmar->Timer1->interval(), 1000);

    frmBelmar->ComPort = 12;
    frmBelmar->mnuFileExitClick();
    const QString settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        "/Tarq/Korvan.conf";
    EXPECT_EQ(QSettings(settings, QSettings::IniFormat).value("Port/ComPort").toInt(), 12);
}
