// The second program's main window: start-up settings, programming and calibration files,
// the file and setup commands, editor commands and the ends of transfers.

#include "Chnlbank.h"
#include "Com_port.h"
#include "Help_pane.h"
#include "Korvanv2_fixture.h"
#include "Options.h"
#include "Radio_rw.h"
#include "platform/RadioUpdate.h"
#include "platform/Registry.h"
#include "support/AccessiblePress.h"
#include "support/ImageChanges.h"
#include "support/Waits.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

namespace {

const QString FilesKey = QStringLiteral("\\Tarq\\Korvanv201\\Files");

void WriteSetting(const QString& name, const QVariant& value) {
    platform::Registry registry;
    ASSERT_TRUE(registry.OpenKey(FilesKey, true));
    if (value.typeId() == QMetaType::QString)
        registry.WriteString(name, value.toString());
    else
        registry.WriteInteger(name, value.toInt());
}

int IntegerSetting(const QString& name) {
    platform::Registry registry;
    int value = -1;
    if (registry.OpenKey(FilesKey, false))
        registry.ReadInteger(name, value);
    return value;
}

QString StringSetting(const QString& name) {
    platform::Registry registry;
    QString value;
    if (registry.OpenKey(FilesKey, false))
        registry.ReadString(name, value);
    return value;
}

// Made for a radio of 16 KiB (its size byte says so), so that all of it counts.
QByteArray Pattern(int size, char seed) {
    QByteArray bytes(size, 0);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 3 + seed);
    if (size > EEPROM::SIZE_BYTE)
        bytes[EEPROM::SIZE_BYTE] = 16;
    return bytes;
}

} // namespace

using MainWindowV2 = Korvanv2Fixture;

TEST_F(MainWindowV2, StartUpBoundsTheSettingsAndWritesThemBackAtClose) {
    WriteSetting(QStringLiteral("ComPort"), 300);
    WriteSetting(QStringLiteral("maxBdRate"), 12345);
    WriteSetting(QStringLiteral("CurrentFile"), QStringLiteral("last.mem"));
    frmBelmar->FormShow();
    EXPECT_EQ(frmBelmar->ComPort, 1);
    EXPECT_EQ(frmBelmar->maxBdRate, 9600) << "a rate outside the table";
    EXPECT_EQ(frmBelmar->CurrentFile, "last.mem");
    EXPECT_EQ(frmBelmar->DefaultFile, "defkorvv2.mem");
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Default file defkorvv2.mem does not exist.");
    EXPECT_EQ(host.messages[0].caption, "No default file");
    EXPECT_EQ(host.messages[0].flags, 48);
    EXPECT_EQ(frmBelmar->StatusText(0), "No file loaded.");
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "") << "no file, no radio type";
    EXPECT_EQ(frmBelmar->lblVersion->text(), "");

    frmBelmar->FormShow(); // later activations do nothing
    EXPECT_EQ(host.messages.size(), 1);

    frmBelmar->maxBdRate = 57600;
    frmBelmar->CurrentFile = QStringLiteral("next.mem");
    frmBelmar->FormClose();
    EXPECT_EQ(IntegerSetting(QStringLiteral("ComPort")), 1);
    EXPECT_EQ(IntegerSetting(QStringLiteral("maxBdRate")), 57600);
    EXPECT_EQ(StringSetting(QStringLiteral("CurrentFile")), "next.mem");
}

TEST_F(MainWindowV2, StartUpLoadsTheDefaultFileAndKeepsATableRate) {
    const QString path = FilePath(QStringLiteral("default.mem"));
    QByteArray bytes = Pattern(EEPROM::SIZE, 1);
    bytes[BAND_BYTE] = char(0x80);
    WriteFile(path, bytes);
    WriteSetting(QStringLiteral("DefaultFile"), path);
    WriteSetting(QStringLiteral("maxBdRate"), 38400);
    WriteSetting(QStringLiteral("ComPort"), 256);
    frmBelmar->FormShow();
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(frmBelmar->ComPort, 256);
    EXPECT_EQ(frmBelmar->maxBdRate, 38400);
    EXPECT_EQ(Image(), bytes);
    EXPECT_EQ(frmBelmar->StatusText(0), "File loaded: " + path);
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan UHF");
    EXPECT_EQ(frmBelmar->CurrentFile, path);
}

TEST_F(MainWindowV2, ProgrammingFilesAreWholeImagesAndAFailedLoadKeepsTheImage) {
    const QString small = FilePath(QStringLiteral("small.mem"));
    WriteFile(small, Pattern(4096, 5));
    ASSERT_TRUE(frmBelmar->LoadProgrammingFile(small));
    EXPECT_EQ(Image().left(4096), Pattern(4096, 5));
    EXPECT_EQ(Image().mid(4096), QByteArray(EEPROM::SIZE - 4096, char(0xFF)));
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan VHF"); // byte 40 of the pattern: 0x7D

    const QString big = FilePath(QStringLiteral("big.mem"));
    WriteFile(big, Pattern(20000, 9));
    ASSERT_TRUE(frmBelmar->LoadProgrammingFile(big));
    EXPECT_EQ(Image(), Pattern(20000, 9).left(EEPROM::SIZE));

    const QByteArray before = Image();
    frmBelmar->lblVersion->setText(QStringLiteral("V2.02"));
    EXPECT_FALSE(frmBelmar->LoadProgrammingFile(FilePath(QStringLiteral("missing.mem"))));
    EXPECT_EQ(Image(), before) << "nothing the user had is lost";
    EXPECT_EQ(frmBelmar->StatusText(0), "No file loaded.");
    EXPECT_EQ(frmBelmar->lblVersion->text(), "");
    EXPECT_EQ(frmBelmar->CurrentFile, big);
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "") << "a failed load leaves both labels empty";
    EXPECT_TRUE(host.messages.isEmpty());

    const QString empty = FilePath(QStringLiteral("empty.mem"));
    WriteFile(empty, QByteArray());
    EXPECT_FALSE(frmBelmar->LoadProgrammingFile(empty));
    EXPECT_EQ(Image(), before) << "an empty file holds no image";
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
    EXPECT_EQ(frmBelmar->CurrentFile, big);
    host.messages.clear();

    // Saving writes 16384 bytes whatever the radio's size, and names the file.
    const QString saved = FilePath(QStringLiteral("saved.mem"));
    ASSERT_TRUE(frmBelmar->SaveProgrammingFile(saved));
    EXPECT_EQ(ReadFile(saved), before);
    EXPECT_EQ(frmBelmar->StatusText(0), "File loaded: " + saved);
    EXPECT_EQ(frmBelmar->CurrentFile, saved);

    // A path under a file cannot be created: quiet for callers, told for the user.
    const QString blocked = small + QStringLiteral("/x.mem");
    EXPECT_FALSE(frmBelmar->SaveProgrammingFile(blocked));
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_FALSE(frmBelmar->SaveProgrammingFile(blocked, TfrmBelmar::FileNotice::Tell));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem writing the file");
    EXPECT_EQ(host.messages[0].caption, "File Error");
    EXPECT_EQ(host.messages[0].flags, 49);
    EXPECT_EQ(frmBelmar->CurrentFile, saved);
}

// A file made for 8 KiB that still carries old bytes above 8191 comes in erased from 8192
// up by every road, and a save then writes it so.
TEST_F(MainWindowV2, AFileMadeFor8KiBComesInErasedFrom8192Up) {
    QByteArray bytes(EEPROM::SIZE, 0);
    testsupport::FillFromSeed(reinterpret_cast<uint8_t*>(bytes.data()), EEPROM::SIZE, 8);
    bytes[EEPROM::SIZE_BYTE] = 8;
    const QByteArray expected = bytes.left(8192) + QByteArray(8192, char(0xFF));
    const QString path = FilePath(QStringLiteral("small.mem"));
    WriteFile(path, bytes);
    frmBelmar->show();
    const struct {
        const char* road;
        std::function<void()> run;
    } roads[] = {
        {"default file at start-up",
         [&] {
             WriteSetting(QStringLiteral("DefaultFile"), path);
             frmBelmar->FormShow();
         }},
        {"Read from File",
         [&] {
             host.messageAnswers.enqueue(platform::IDOK);
             host.fileAnswers.enqueue(path);
             QTest::mouseClick(frmBelmar->btnFileOpen, Qt::LeftButton);
         }},
        {"Set Default Filename",
         [&] {
             host.fileAnswers.enqueue(path);
             host.messageAnswers.enqueue(platform::IDOK);
             frmBelmar->mnuDefaultFile->trigger();
         }},
    };
    for (const auto& road : roads) {
        FillImage(1);
        road.run();
        EXPECT_EQ(Image(), expected) << road.road;
        EXPECT_EQ(frmBelmar->CurrentFile, path) << road.road;
    }
    const QString saved = FilePath(QStringLiteral("saved.mem"));
    ASSERT_TRUE(frmBelmar->SaveProgrammingFile(saved));
    EXPECT_EQ(ReadFile(saved), expected);
    EXPECT_EQ(host.messages.size(), 2) << "the two questions alone";
}

TEST_F(MainWindowV2, CalibrationFilesCarryTheFirst48BytesOnly) {
    FillImage(3);
    const QByteArray before = Image();
    const QString cal = FilePath(QStringLiteral("radio.cal"));
    ASSERT_TRUE(frmBelmar->SaveCalibrationFile(cal));
    EXPECT_EQ(ReadFile(cal), before.left(CALIBRATION_SIZE));

    // A programming file serves as calibration: its first 48 bytes, nothing else.
    const QString mem = FilePath(QStringLiteral("other.mem"));
    WriteFile(mem, Pattern(EEPROM::SIZE, 77));
    ASSERT_TRUE(frmBelmar->LoadCalibrationFile(mem));
    EXPECT_EQ(Image().left(CALIBRATION_SIZE), Pattern(CALIBRATION_SIZE, 77));
    EXPECT_EQ(Image().mid(CALIBRATION_SIZE), before.mid(CALIBRATION_SIZE));
    EXPECT_NE(frmBelmar->CurrentFile, mem);

    const QByteArray calibrated = Image();
    const QString shortFile = FilePath(QStringLiteral("short.cal"));
    WriteFile(shortFile, Pattern(20, 1));
    EXPECT_FALSE(frmBelmar->LoadCalibrationFile(shortFile));
    EXPECT_EQ(Image(), calibrated) << "a short file is refused whole";
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "There is a problem reading the file");
    EXPECT_FALSE(frmBelmar->LoadCalibrationFile(FilePath(QStringLiteral("none.cal"))));
    EXPECT_EQ(host.messages.size(), 1);
}

TEST_F(MainWindowV2, FileCommandsAskFirstAndUseTheProgrammingFileDialogs) {
    frmBelmar->CurrentFile = QStringLiteral("current.mem");
    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmBelmar->SpeedBtnClick(frmBelmar->btnFileOpen);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "All current data will be lost");
    EXPECT_EQ(host.messages[0].caption, "Read from file?");
    EXPECT_EQ(host.messages[0].flags, 33);
    EXPECT_TRUE(host.fileRequests.isEmpty());

    const QString path = FilePath(QStringLiteral("chosen.mem"));
    WriteFile(path, Pattern(EEPROM::SIZE, 11));
    host.fileAnswers.enqueue(path);
    frmBelmar->SpeedBtnClick(frmBelmar->mnuFileOpen);
    ASSERT_EQ(host.fileRequests.size(), 1);
    const auto& open = host.fileRequests[0];
    EXPECT_EQ(open.title, "Open Programming File...");
    EXPECT_EQ(open.filter, "Programming Files (*.mem)|*.mem|All Files (*.*)|*.*");
    EXPECT_EQ(open.fileName, "current.mem");
    EXPECT_TRUE(open.fileMustExist);
    EXPECT_TRUE(open.hideReadOnly);
    EXPECT_EQ(Image(), Pattern(EEPROM::SIZE, 11));

    const QString out = FilePath(QStringLiteral("out.mem"));
    host.fileAnswers.enqueue(out);
    frmBelmar->SpeedBtnClick(frmBelmar->btnFileSave);
    ASSERT_EQ(host.fileRequests.size(), 2);
    EXPECT_EQ(host.fileRequests[1].title, "Save Programming File...");
    EXPECT_EQ(host.fileRequests[1].fileName, path);
    EXPECT_TRUE(host.fileRequests[1].overwritePrompt);
    EXPECT_EQ(ReadFile(out), Pattern(EEPROM::SIZE, 11));

    // The user hears of a file that cannot be created.
    host.fileAnswers.enqueue(path + QStringLiteral("/x.mem"));
    frmBelmar->SpeedBtnClick(frmBelmar->mnuFileSave);
    EXPECT_EQ(host.messages.last().text, "There is a problem writing the file");
}

TEST_F(MainWindowV2, SetDefaultFilenameStoresItAndOffersToLoadIt) {
    const QString path = FilePath(QStringLiteral("mydefault.mem"));
    WriteFile(path, Pattern(EEPROM::SIZE, 21));
    host.fileAnswers.enqueue(path);
    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmBelmar->mnuDefaultFileClick();
    ASSERT_EQ(host.fileRequests.size(), 1);
    EXPECT_EQ(host.fileRequests[0].title, "Set Default Filename.");
    EXPECT_EQ(frmBelmar->DefaultFile, path);
    EXPECT_EQ(StringSetting(QStringLiteral("DefaultFile")), path);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Load file  " + path + "?\nAll current data will be lost.");
    EXPECT_EQ(host.messages[0].caption, "Load Default File.");
    EXPECT_EQ(host.messages[0].flags, 33);
    EXPECT_NE(Image(), Pattern(EEPROM::SIZE, 21));

    host.fileAnswers.enqueue(path);
    frmBelmar->mnuDefaultFileClick();
    EXPECT_EQ(Image(), Pattern(EEPROM::SIZE, 21));
    EXPECT_EQ(host.fileRequests[1].fileName, path);
}

TEST_F(MainWindowV2, WindowCaptionsHelpAndEditorCommandsFollowTheirDialogs) {
    EXPECT_EQ(frmBelmar->windowTitle(), "Tarq Korvan Radio Programmer RQ0341.2.02");
    EXPECT_EQ(frmBelmar->btnEditCodeWord->text(), "Ed&it Code Word");
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(frmBelmar->btnEditCodeWord)->text(QAccessible::Name),
        "Edit Code Word");
    EXPECT_EQ(frmBelmar->mnuSetup->title(), "&Setup");
    EXPECT_EQ(frmBelmar->HelpText->toPlainText(), "Help messages...");
    EXPECT_EQ(frmBelmar->Help->linesFor(frmBelmar->EditRadioHardware),
              QStringList{"Allows you to adjusts the radio operating hardware."});
    EXPECT_EQ(frmBelmar->Help->linesFor(frmBelmar->btnWriteRadio),
              QStringList{"Writes the configuration data in the edit windows to the radio."});
    EXPECT_TRUE(frmBelmar->Help->linesFor(frmBelmar->btnEpromEdit).isEmpty());

    // Hidden for good; their dialogs still exist behind them.
    EXPECT_TRUE(frmBelmar->btnEpromEdit->isHidden());
    EXPECT_TRUE(frmBelmar->btnEngineering->isHidden());
    EXPECT_FALSE(frmBelmar->mnuEngineering->isVisible());
    EXPECT_FALSE(frmBelmar->mnuZones->isVisible());

    // The code word's dialog exists; an editor not yet part of the program is disabled.
    EXPECT_TRUE(frmBelmar->btnEditCodeWord->isEnabled());
    EXPECT_TRUE(frmBelmar->mnuEditCodeWord->isEnabled());
    if (!frmBelmar->EditorDialog(Editor::Channel)) {
        EXPECT_FALSE(frmBelmar->btnChannel->isEnabled());
        EXPECT_FALSE(frmBelmar->mnuChannel->isEnabled());
        frmBelmar->EditButtonClick(frmBelmar->btnChannel); // does nothing
    }

    Form editor(frmBelmar);
    frmBelmar->mnuZones->setVisible(true); // an invisible entry reads as disabled
    frmBelmar->SetEditor(Editor::Zones, &editor);
    EXPECT_TRUE(frmBelmar->mnuZones->isEnabled());
    bool opened = false;
    WhenModal([&] {
        opened = editor.isVisible();
        editor.done(1);
    });
    frmBelmar->EditButtonClick(frmBelmar->mnuZones);
    EXPECT_TRUE(opened);
    frmBelmar->SetEditor(Editor::Zones, nullptr);
    EXPECT_FALSE(frmBelmar->mnuZones->isEnabled());
}

// A screen reader's press reaches what the mouse cannot: the main window behind a modal
// dialog, and the controls hidden for good. Neither comes to anything.
TEST_F(MainWindowV2, AccessiblePressesBehindADialogOrOfHiddenControlsDoNothing) {
    testsupport::ExpectPressesComeToNothing(
        {
            {"Write to Radio behind Options", frmBelmar->btnWriteRadio, frmOptions},
            {"its menu entry", frmBelmar->mnuWriteRadio, frmOptions},
            {"Options behind Options", frmBelmar->btnOptions, frmOptions},
            {"its menu entry", frmBelmar->mnuOptions, frmOptions},
            {"Engineering", frmBelmar->btnEngineering, nullptr},
            {"its menu entry", frmBelmar->mnuEngineering, nullptr},
            {"EEPROM", frmBelmar->btnEpromEdit, nullptr},
            {"Zones", frmBelmar->mnuZones, nullptr},
            {"Enable CB Channels", frmChnlBank->menuEnableCB, nullptr},
            {"Edit CB Options", frmChnlBank->menuEditCBOptions, nullptr},
            {"Group Channel Timers", frmOptions->btnGroupChannelTimers, nullptr},
        },
        host);
}

// Alt and a button's letter clicks the button on the first press, though a menu title has
// the letter too ("Read &from File" and "&File", "&Hardware" and "&Help", "&Selcall" and
// "&Setup"); the menus open from Alt alone and the letter.
TEST_F(MainWindowV2, AltKeysClickTheirButtonsAndAltAloneReachesTheMenus) {
    frmBelmar->show();
    frmBelmar->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmBelmar));
    QWidget* focused = frmBelmar->btnWriteRadio;
    focused->setFocus();
    host.messageAnswers.enqueue(platform::IDCANCEL);
    QTest::keyClick(focused, Qt::Key_F, Qt::AltModifier);
    ASSERT_FALSE(host.messages.isEmpty());
    EXPECT_EQ(host.messages.last().caption, "Read from file?");

    QList<QDialog*> opened; // each dialog a key opens, closed again
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&opened] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened << dialog;
            dialog->reject();
        }
    });
    closer.start(10);
    for (const auto& [key, editor] :
         {std::pair{Qt::Key_H, Editor::Hardware}, std::pair{Qt::Key_S, Editor::Selcall},
          std::pair{Qt::Key_I, Editor::CodeWord}}) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        opened.clear();
        QTest::keyClick(focused, key, Qt::AltModifier);
        EXPECT_EQ(opened, QList<QDialog*>{frmBelmar->EditorDialog(editor)});
        frmBelmar->activateWindow(); // as the desktop does when a dialog closes
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeWindow() == frmBelmar; },
                                    testsupport::WAIT_LIMIT_MS));
        focused = QApplication::focusWidget();
    }

    QTest::keyPress(focused, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(focused, Qt::Key_Alt);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_H);
    EXPECT_EQ(QApplication::activePopupWidget(), frmBelmar->mnuHelp);
    frmBelmar->mnuHelp->close();
}

TEST_F(MainWindowV2, PortDialogSetsPortAndRateAndReportsAPortThatWillNotOpen) {
    frmBelmar->ComPort = 2;
    frmBelmar->maxBdRate = 19200;
    WhenModal([] {
        EXPECT_EQ(frmPorts->cbPort->currentText(), "COM2");
        EXPECT_EQ(frmPorts->cbBaud->currentText(), "19200");
        frmPorts->cbPort->setCurrentIndex(9);
        frmPorts->BitBtn2->click();
    });
    frmBelmar->mnuPortSelectClick();
    EXPECT_EQ(frmBelmar->ComPort, 2);
    EXPECT_TRUE(host.messages.isEmpty());

    WhenModal([] {
        ASSERT_EQ(frmPorts->cbBaud->count(), 4);
        frmPorts->cbPort->setCurrentIndex(2);
        frmPorts->cbBaud->setCurrentIndex(3);
        frmPorts->btnOK->click();
    });
    frmBelmar->mnuPortSelectClick();
    EXPECT_EQ(frmBelmar->ComPort, 3);
    EXPECT_EQ(frmBelmar->maxBdRate, 57600);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to open COM3");
    EXPECT_EQ(host.messages[0].caption, "No port.");
    EXPECT_EQ(host.messages[0].flags, 48);
}

TEST_F(MainWindowV2, ReadAndWriteWithoutARadioSayWhichFailedAndKeepTheImage) {
    FillImage(1);
    const QByteArray before = Image();
    frmBelmar->btnReadRadioClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Unable to read from radio.\n");
    EXPECT_EQ(host.messages[0].caption, "Read Error");
    EXPECT_EQ(host.messages[0].flags, 48);
    frmBelmar->btnWriteRadioClick();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[1].text, "Unable to write to radio.\n");
    EXPECT_EQ(host.messages[1].caption, "Write Error");
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(frmBelmar->RadioReadCount, 0);
    EXPECT_STREQ(frmBelmar->RadioVersion, "");
}

TEST_F(MainWindowV2, EndMessagesOfOtherScreensFollowTheModeAndCountNothing) {
    eeprom.SetByte(BAND_BYTE, 0x00);
    frmReadWrite->WriteMode = 1;
    frmBelmar->OnRadioMessage(platform::RadioUpdateEvent(1, -1));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Error writing to radio.");
    EXPECT_EQ(host.messages[0].caption, "Error.");
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan VHF");

    frmReadWrite->WriteMode = 0;
    frmBelmar->SetStatus(QStringLiteral("busy"));
    frmBelmar->OnRadioMessage(platform::RadioUpdateEvent(1, 1));
    EXPECT_EQ(frmBelmar->StatusText(0), "");
    frmBelmar->OnRadioMessage(platform::RadioUpdateEvent(1, 0));
    EXPECT_EQ(frmBelmar->StatusText(0), "Current radio data loaded.");
    EXPECT_EQ(frmBelmar->RadioReadCount, 0) << "only the main window's transfers count";

    frmReadWrite->SetRange(0, 8192);
    frmBelmar->OnRadioMessage(platform::RadioUpdateEvent(0, 4096));
    EXPECT_EQ(frmReadWrite->gaugeProgress->value(), 4096);
}
