#include "Main_window.h"

#include "Baud_rate.h"
#include "platform/Host.h"
#include "platform/Registry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Gives Alt and a letter to the window's visible button that shows the letter underlined,
// before the shortcut of a menu title with the same letter can make the key ambiguous.
class ButtonMnemonics : public QObject {
public:
    explicit ButtonMnemonics(QWidget* window) : QObject(window), window(window) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        QAbstractButton* button = ButtonFor(static_cast<QKeyEvent*>(event));
        if (!button)
            return false;
        event->accept(); // the override keeps the key from the shortcuts; the press clicks
        if (event->type() == QEvent::KeyPress) {
            button->setFocus(Qt::ShortcutFocusReason);
            button->click();
        }
        return true;
    }

private:
    QAbstractButton* ButtonFor(const QKeyEvent* key) const {
        if (key->modifiers() != Qt::AltModifier)
            return nullptr;
        const QKeySequence pressed(key->keyCombination());
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->window() == window && button->isVisible() && button->isEnabled() &&
                QKeySequence::mnemonic(button->text()) == pressed)
                return button;
        return nullptr;
    }

    QWidget* window;
};

// The band a band byte (image byte 40) names: bit 7 set is UHF.
QString bandName(uint8_t bandByte) {
    return (bandByte & 0x80) ? QStringLiteral("UHF") : QStringLiteral("VHF");
}

} // namespace

// A settings file met on another thread is told on the window's own.
ProgrammerWindow::ProgrammerWindow(QWidget* parent) : QMainWindow(parent) {
    installEventFilter(new ButtonMnemonics(this));
    platform::Registry::SetUnusableFileNotice([this](const QString& path,
                                                     platform::SettingsProblem why) {
        QMetaObject::invokeMethod(this,
                                  [path, why] { mainwindow::reportUnusableSettings(path, why); });
    });
}

ProgrammerWindow::~ProgrammerWindow() {
    platform::Registry::SetUnusableFileNotice(nullptr);
}

void ProgrammerWindow::SetStatus(const QString& text) {
    statusPanels[0]->setText(text);
}

QString ProgrammerWindow::StatusText(int panel) const {
    return statusPanels[panel]->text();
}

void ProgrammerWindow::Timer1Timer() {
    statusPanels[1]->setText(mainwindow::clockText());
}

void ProgrammerWindow::mnuFileExitClick() {
    close();
}

void ProgrammerWindow::BuildStatusBar(int messageWidth) {
    Timer1 = mainwindow::buildStatusBar(this, statusPanels, messageWidth);
    connect(Timer1, &QTimer::timeout, this, &ProgrammerWindow::Timer1Timer);
}

void ProgrammerWindow::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void ProgrammerWindow::CentreOnScreen() {
    move(screen()->availableGeometry().center() - rect().center());
}

namespace mainwindow {

const QString MemFilter = QStringLiteral("Programming Files (*.mem)|*.mem|All Files (*.*)|*.*");
const QString ReadProblem = QStringLiteral("There is a problem reading the file");
const QString WriteProblem = QStringLiteral("There is a problem writing the file");

QFrame* panel(QWidget* parent, bool filled) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    if (filled) {
        frame->setAutoFillBackground(true);
        frame->setBackgroundRole(QPalette::Button);
    }
    return frame;
}

void layOutClient(QWidget* client, QWidget* banner, QWidget* editors, QWidget* helpPanel) {
    auto* lower = new QHBoxLayout;
    lower->addWidget(editors);
    lower->addWidget(helpPanel, 1);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(banner);
    layout->addLayout(lower, 1);
}

QLabel* titleLabel(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("Korvan Programmer"), parent);
    QFont title = label->font();
    title.setPointSize(20);
    title.setBold(true);
    title.setItalic(true);
    label->setFont(title);
    return label;
}

void layOutBanner(QWidget* banner, QLabel* picture, std::initializer_list<QLabel*> lines,
                  std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        row->addWidget(button);
    auto* layout = new QGridLayout(banner);
    layout->addWidget(picture, 0, 0, int(lines.size()), 1);
    int line = 0;
    for (QLabel* label : lines)
        layout->addWidget(label, line++, 1);
    layout->addLayout(row, line, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

void stackButtons(QWidget* panel, std::initializer_list<QPushButton*> buttons) {
    auto* layout = new QVBoxLayout(panel);
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    layout->addStretch(1);
}

void setUpFileBoxes(platform::FileDialogRequest& open, platform::FileDialogRequest& save) {
    open.defaultExt = save.defaultExt = QStringLiteral("*.mem");
    open.filter = save.filter = MemFilter;
    open.title = QStringLiteral("Open Programming File...");
    save.title = QStringLiteral("Save Programming File...");
    save.overwritePrompt = true;
}

void setFixedBorder(QMainWindow* window, int clientWidth, int clientHeight) {
    window->setFixedSize(clientWidth, clientHeight + window->menuBar()->sizeHint().height());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
}

QTimer* buildStatusBar(QMainWindow* window, QLabel* (&panels)[2], int messageWidth) {
    for (QLabel*& label : panels) {
        label = new QLabel(window);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    panels[0]->setFixedWidth(messageWidth);
    panels[1]->setAlignment(Qt::AlignCenter);
    window->statusBar()->addWidget(panels[0]);
    window->statusBar()->addWidget(panels[1], 1);
    window->statusBar()->setSizeGripEnabled(false);

    auto* timer = new QTimer(window);
    timer->setInterval(1000);
    timer->start();
    return timer;
}

QString clockText() {
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
}

bool commandsAllowed() {
    return QApplication::activeModalWidget() == nullptr;
}

void connectCommand(QObject* control, QObject* window, const std::function<void()>& run) {
    const auto guarded = [run] {
        if (commandsAllowed())
            run();
    };
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        QObject::connect(button, &QAbstractButton::clicked, window, guarded);
    else if (auto* entry = qobject_cast<QAction*>(control))
        QObject::connect(entry, &QAction::triggered, window, guarded);
}

void reportFileResult(FileResult result, const QString& problem, FileNotice notice, int flags) {
    if (result == FileResult::Failed || (result != FileResult::Done && notice == FileNotice::Tell))
        platform::host().messageBox(problem, QStringLiteral("File Error"), flags);
}

bool writeReported(const QString& name, const uint8_t* data, int size, FileNotice notice,
                   int flags) {
    const FileResult result = WriteWholeFile(name, data, size);
    reportFileResult(result, WriteProblem, notice, flags);
    return result == FileResult::Done;
}

bool readReported(const QString& name, int size, QByteArray& bytes, FileNotice notice, int flags) {
    const FileResult result = ReadFileExactly(name, size, bytes);
    reportFileResult(result, ReadProblem, notice, flags);
    return result == FileResult::Done;
}

FileResult readProgrammingFile(const QString& name, int size, QByteArray& bytes, int flags) {
    const FileResult result = ReadFileStart(name, size, bytes);
    if (result != FileResult::Missing)
        reportFileResult(result, ReadProblem, FileNotice::Tell, flags);
    return result;
}

bool chooseFileToRead(platform::FileDialogRequest& box, const QString& current, QString& chosen) {
    box.hideReadOnly = true;
    box.fileMustExist = true;
    box.filter = MemFilter;
    box.fileName = current;
    return platform::host().openFileDialog(box, chosen);
}

bool chooseFileToWrite(platform::FileDialogRequest& box, const QString& current, QString& chosen) {
    box.filter = MemFilter;
    box.fileName = current;
    return platform::host().saveFileDialog(box, chosen);
}

bool askBeforeWrite(const QString& question) {
    return platform::host().messageBox(question, QStringLiteral("Write to radio?"),
                                       platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION) ==
           platform::IDOK;
}

bool confirmWrite(int radioReadCount, const QString& warning) {
    return askBeforeWrite(
        (radioReadCount == 0 ? QStringLiteral("Radio has not been read.\n") : QString()) +
        (warning.isEmpty() ? QString() : warning + QLatin1Char('\n')) +
        QStringLiteral("All current radio data will be lost."));
}

void reportNoDefaultFile(const QString& name) {
    platform::host().messageBox(QStringLiteral("Default file ") + name +
                                    QStringLiteral(" does not exist."),
                                QStringLiteral("No default file"), platform::MB_ICONEXCLAMATION);
}

// What the settings message says after the file's path.
static QString settingsProblemText(platform::SettingsProblem why) {
    using platform::SettingsProblem;
    const QString notUsed = QStringLiteral(" so it is not used.\nThe default settings apply, and "
                                           "changes to them are not kept until ");
    switch (why) {
    case SettingsProblem::NoRegularFile:
        return QStringLiteral(
                   " is not a regular file (a named pipe, a device or a folder is in its "
                   "place),") +
               notUsed + QStringLiteral("it is removed.");
    case SettingsProblem::LinkLoop:
        return QStringLiteral(" is a symbolic link that leads round to itself,") + notUsed +
               QStringLiteral("the loop is broken.");
    case SettingsProblem::TooLarge:
        return QStringLiteral(" is larger than 1 MiB, far more than settings take,") + notUsed +
               QStringLiteral("it is removed.");
    case SettingsProblem::Unreadable:
        return QStringLiteral(" cannot be read,") + notUsed +
               QStringLiteral("it can be read and written.");
    case SettingsProblem::Unwritable:
        break;
    }
    return QStringLiteral(" cannot be written, nor a new one made in its folder, so changes to "
                          "the settings are not kept.");
}

void reportUnusableSettings(const QString& path, platform::SettingsProblem why) {
    platform::host().messageBox(QStringLiteral("The settings file ") + path +
                                    settingsProblemText(why),
                                QStringLiteral("Settings Not Used"), platform::MB_ICONEXCLAMATION);
}

void reportPortNotOpened(int n, const QString& caption) {
    platform::host().messageBox(QStringLiteral("Unable to open COM") + QString::number(n), caption,
                                platform::MB_ICONEXCLAMATION);
}

ImageLabels keepLabels(const QLabel* type, const QLabel* version) {
    return {type->text(), version->text()};
}

void showLabels(QLabel* type, QLabel* version, const ImageLabels& labels) {
    type->setText(labels.type);
    version->setText(labels.version);
}

QString radioTypeText(uint8_t bandByte) {
    return QStringLiteral("Korvan ") + bandName(bandByte);
}

QString bandWarning(uint8_t imageBandByte, uint8_t radioBandByte, bool calibrationWritten) {
    const QString data = bandName(imageBandByte);
    const QString radio = bandName(radioBandByte);
    if (data == radio)
        return QString();
    return QStringLiteral("The data was made for a %1 radio; this radio is %2.\n")
               .arg(data, radio) +
           (calibrationWritten
                ? QStringLiteral(
                      "The radio's own calibration block will be replaced by the data's.")
                : QStringLiteral("The radio keeps its own calibration block, so the channels will "
                                 "not be on the frequencies the data shows."));
}

QString versionText(const QString& radioVersion) {
    return radioVersion.mid(7, 6);
}

bool chooseDefaultFile(platform::FileDialogRequest& box, const QString& filter,
                       const QString& filesKey, QString& defaultFile) {
    box.hideReadOnly = true;
    box.fileMustExist = true;
    box.filter = filter;
    box.title = QStringLiteral("Set Default Filename.");
    box.fileName = defaultFile;
    QString chosen;
    if (!platform::host().openFileDialog(box, chosen))
        return false;
    defaultFile = chosen;
    platform::Registry registry;
    if (registry.OpenKey(filesKey, true))
        registry.WriteString(QStringLiteral("DefaultFile"), defaultFile);
    const QString question = QStringLiteral("Load file  ") + defaultFile + QStringLiteral("?\n") +
                             QStringLiteral("All current data will be lost.");
    return platform::host().messageBox(question, QStringLiteral("Load Default File."),
                                       platform::MB_OKCANCEL | platform::MB_ICONQUESTION) ==
           platform::IDOK;
}

void readPortValues(const platform::Registry& registry, int& comPort, int& maxBdRate) {
    if (!registry.ReadInteger(QStringLiteral("ComPort"), comPort))
        comPort = 1;
    int rate = 0;
    if (!registry.ReadInteger(QStringLiteral("maxBdRate"), rate) || BaudRateIndex(rate) < 0)
        rate = BaudRateTable[0];
    maxBdRate = rate;
}

void writePortValues(platform::Registry& registry, int comPort, int maxBdRate) {
    registry.WriteInteger(QStringLiteral("ComPort"), comPort);
    registry.WriteInteger(QStringLiteral("maxBdRate"), maxBdRate);
}

void readFileNames(const platform::Registry& registry, QString& defaultFile, QString& currentFile) {
    registry.ReadString(QStringLiteral("DefaultFile"), defaultFile);
    registry.ReadString(QStringLiteral("CurrentFile"), currentFile);
}

} // namespace mainwindow
