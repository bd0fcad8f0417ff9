#include "Main_window.h"

#include "Baud_rate.h"
#include "platform/Host.h"
#include "platform/Registry.h"

#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

namespace mainwindow {

QFrame* panel(QWidget* parent, bool filled) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    if (filled) {
        frame->setAutoFillBackground(true);
        frame->setBackgroundRole(QPalette::Button);
    }
    return frame;
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

void reportFileResult(FileResult result, const QString& problem, FileNotice notice, int flags) {
    if (result == FileResult::Failed ||
        (result == FileResult::NotOpened && notice == FileNotice::Tell))
        platform::host().messageBox(problem, QStringLiteral("File Error"), flags);
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

} // namespace mainwindow
