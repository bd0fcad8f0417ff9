#pragma once
// What the main windows of both programs share: raised panels, a fixed border, a status bar
// of a message panel and a clock, commands that pass their sender and keep still behind a
// modal dialog, file problems, the default programming file and the port values kept in the
// settings.

#include "Files.h"
#include "Help_pane.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QString>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>

class QByteArray;
class QCloseEvent;
class QFrame;
class QGridLayout;
class QLabel;
class QTimer;
class QWidget;

namespace platform {
class Registry;
enum class SettingsProblem;
struct FileDialogRequest;
} // namespace platform

// What both main windows are: a fixed window with a status bar of a message panel and a
// clock that Timer1 keeps. Alt and a button's underlined letter clicks that button at once,
// as the form library does, though a menu title shares the letter; the menus are reached
// with Alt alone. While it lives it tells the user of each settings file that is no regular
// file and so is not used.
class ProgrammerWindow : public QMainWindow {
public:
    ~ProgrammerWindow() override;
    // Runs when the window closes.
    virtual void FormClose() = 0;

    // Status bar panel 0 (the program status) and panel 1 (the clock).
    void SetStatus(const QString& text);
    QString StatusText(int panel) const;
    void Timer1Timer();
    void mnuFileExitClick();

    QTimer* Timer1 = nullptr;

protected:
    explicit ProgrammerWindow(QWidget* parent = nullptr);
    void closeEvent(QCloseEvent* event) override;
    // The status bar and its running clock; the message panel is messageWidth wide.
    void BuildStatusBar(int messageWidth);
    void CentreOnScreen();

private:
    QLabel* statusPanels[2] = {};
};

namespace mainwindow {

// A raised panel; a filled one paints the button colour over the window behind it.
QFrame* panel(QWidget* parent, bool filled);

// The client: the banner panel across the top, the editor buttons and the help panel below.
void layOutClient(QWidget* client, QWidget* banner, QWidget* editors, QWidget* helpPanel);
// "Korvan Programmer" in the banner's large bold italic.
QLabel* titleLabel(QWidget* parent);
// The banner: the picture beside three lines of text, the command buttons beneath.
void layOutBanner(QWidget* banner, QLabel* picture, std::initializer_list<QLabel*> lines,
                  std::initializer_list<QPushButton*> buttons);

// The editor buttons one under the other from the top.
void stackButtons(QWidget* panel, std::initializer_list<QPushButton*> buttons);

// The File menu with its radio and file entries, a separator after each pair.
template <class Window> void addTransferEntries(Window& window) {
    window.mnuFile = window.menuBar()->addMenu(QStringLiteral("&File"));
    window.mnuWriteRadio = window.mnuFile->addAction(QStringLiteral("&Write to Radio"));
    window.mnuFileSave = window.mnuFile->addAction(QStringLiteral("Write &to File"));
    window.mnuFile->addSeparator();
    window.mnuReadRadio = window.mnuFile->addAction(QStringLiteral("&Read from Radio"));
    window.mnuFileOpen = window.mnuFile->addAction(QStringLiteral("Read &from File"));
    window.mnuFile->addSeparator();
}
// The Edit menu's entries after the channel ones.
template <class Window> void addEditorEntries(Window& window) {
    window.mnuSelcall = window.mnuEdit->addAction(QStringLiteral("&Selcall"));
    window.mnuOptions = window.mnuEdit->addAction(QStringLiteral("&Options"));
    window.mnuButtons = window.mnuEdit->addAction(QStringLiteral("&User Defined Buttons"));
    window.mnuEditCodeWord = window.mnuEdit->addAction(QStringLiteral("Ed&it Code Word"));
    window.mnuEdit->addSeparator();
    window.mnuRadioHardware = window.mnuEdit->addAction(QStringLiteral("&Hardware"));
    window.mnuEngineering = window.mnuEdit->addAction(QStringLiteral("En&gineering"));
}

// The file boxes of the programming files ("*.mem"); the save box asks before it overwrites.
extern const QString MemFilter;
void setUpFileBoxes(platform::FileDialogRequest& open, platform::FileDialogRequest& save);

// The window now holds the programming file `name`.
template <class Window> void takeFile(Window& window, const QString& name) {
    window.CurrentFile = name;
    window.SetStatus(QStringLiteral("File loaded: ") + name);
    window.ShowRadioType();
}

// The help lines of the commands both windows have.
template <class Window> void bindCommandHelp(HelpPane& help, const Window& window) {
    const std::pair<QWidget*, const char*> sentences[] = {
        {window.btnWriteRadio, "Writes the configuration data in the edit windows to the radio."},
        {window.btnFileSave, "Writes the configuration data in the edit windows to a file."},
        {window.btnReadRadio, "Reads the configuration data in the radio to the edit windows."},
        {window.btnFileOpen, "Reads the configuration data in a file to the edit windows."},
        {window.btnChannel, "Allows you to adjust the radio channel data and options."},
        {window.btnSelcall, "Allows you to adjust the radio Selcall options."},
        {window.btnOptions, "Allows you to adjust the radio options."},
        {window.btnButtons, "Allows you to adjust the radio user defined buttons."},
        {window.btnEditCodeWord, "Allows you to edit the radio code word."},
        {window.btnEngineering, "Engineering special options."},
    };
    for (const auto& [control, sentence] : sentences)
        help.bind(control, {QString::fromLatin1(sentence)});
}

// A fixed-size window of that client size (below the menu bar) that can be minimised but
// not maximised.
void setFixedBorder(QMainWindow* window, int clientWidth, int clientHeight);

// A sunken message panel `messageWidth` wide and a centred clock panel filling the rest.
// Returns the running one-second timer that should show clockText() in the clock.
QTimer* buildStatusBar(QMainWindow* window, QLabel* (&panels)[2], int messageWidth);
QString clockText();

// Whether a main-window command may run: not while a modal dialog is open (a screen reader's
// press reaches the window behind it).
bool commandsAllowed();
// Clicking the button or triggering the menu entry runs `run`, unless commands are not allowed.
void connectCommand(QObject* control, QObject* window, const std::function<void()>& run);
// The control's command calls the window's handler, with the control as the sender when the
// handler takes one.
template <class W, class Handler> void onClick(QObject* control, W* window, Handler handler) {
    connectCommand(control, window, [=] {
        if constexpr (std::is_invocable_v<Handler, W*, QObject*>)
            std::invoke(handler, window, control);
        else
            std::invoke(handler, window);
    });
}

// A failed file operation is always reported (a box of `flags` under "File Error"); one
// that could not even open the file only when the caller asks.
void reportFileResult(FileResult result, const QString& problem, FileNotice notice, int flags);

// The boxes of the programming files' problems.
extern const QString ReadProblem;
extern const QString WriteProblem;
// Writes size bytes of data to the file, then reports as reportFileResult does; true when
// the file was written.
bool writeReported(const QString& name, const uint8_t* data, int size, FileNotice notice,
                   int flags);
// Exactly size bytes of the file into bytes, then reports as reportFileResult does.
bool readReported(const QString& name, int size, QByteArray& bytes, FileNotice notice, int flags);
// The start of a programming file, at most size bytes. A file that is there but cannot be
// used (empty, unreadable, no regular file) is reported in a box of `flags`; a missing one is
// left to the caller.
FileResult readProgrammingFile(const QString& name, int size, QByteArray& bytes, int flags);

// The programming file to read (an existing one, starting from current) or to write; false
// when the user cancels.
bool chooseFileToRead(platform::FileDialogRequest& box, const QString& current, QString& chosen);
bool chooseFileToWrite(platform::FileDialogRequest& box, const QString& current, QString& chosen);

// Asks before a write to the radio (OK/Cancel, "Write to radio?"); true for OK.
bool askBeforeWrite(const QString& question);
// Asks before a write to the radio, warning first when the radio was never read and then of
// what the write leaves out (`warning`, when there is one).
bool confirmWrite(int radioReadCount, const QString& warning = QString());
// Tells that the default file could not be loaded.
void reportNoDefaultFile(const QString& name);
// Tells that the settings file at `path` is not used, so the defaults apply, or that it
// cannot be written, so changes are not kept.
void reportUnusableSettings(const QString& path, platform::SettingsProblem why);
// Tells that COM<n> could not be opened, in a box of that caption.
void reportPortNotOpened(int n, const QString& caption);
// What the type and version labels say of the image the window holds. A read from the radio
// keeps it; a read that does not replace the image shows it again, so that the labels never
// pair the kept image with the radio that failed to give its own.
struct ImageLabels {
    QString type;
    QString version;
};
ImageLabels keepLabels(const QLabel* type, const QLabel* version);
void showLabels(QLabel* type, QLabel* version, const ImageLabels& labels);
// "Korvan UHF" or "Korvan VHF" by bit 7 of the band byte.
QString radioTypeText(uint8_t bandByte);
// What a whole-image write does to a radio of the other band than the data's, by the two
// band bytes (image byte 40): the radio either keeps its own calibration block, so that the
// data's channels come out in its band, or takes the data's (`calibrationWritten`). Empty when
// the bands agree.
QString bandWarning(uint8_t imageBandByte, uint8_t radioBandByte, bool calibrationWritten);
// The version number in the radio's version text.
QString versionText(const QString& radioVersion);

// Asks for the default programming file, keeps it in `defaultFile` and under `filesKey`;
// true when the user then wants it loaded.
bool chooseDefaultFile(platform::FileDialogRequest& box, const QString& filter,
                       const QString& filesKey, QString& defaultFile);

// The port and top link rate under an open key: a missing port is COM1, a rate that is
// missing or none of BaudRateTable's is the table's first.
void readPortValues(const platform::Registry& registry, int& comPort, int& maxBdRate);
void writePortValues(platform::Registry& registry, int comPort, int maxBdRate);
// The default and the current programming file under an open key; missing values leave
// the strings as they are.
void readFileNames(const platform::Registry& registry, QString& defaultFile, QString& currentFile);

} // namespace mainwindow
