#pragma once
// What the main windows of both programs share: raised panels, a fixed border, a status bar
// of a message panel and a clock, commands that pass their sender, file problems, the
// default programming file and the port values kept in the settings.

#include "Files.h"

#include <QAction>
#include <QPushButton>
#include <QString>

class QFrame;
class QLabel;
class QMainWindow;
class QTimer;
class QWidget;

namespace platform {
class Registry;
struct FileDialogRequest;
} // namespace platform

namespace mainwindow {

// A raised panel; a filled one paints the button colour over the window behind it.
QFrame* panel(QWidget* parent, bool filled);

// A fixed-size window of that client size (below the menu bar) that can be minimised but
// not maximised.
void setFixedBorder(QMainWindow* window, int clientWidth, int clientHeight);

// A sunken message panel `messageWidth` wide and a centred clock panel filling the rest.
// Returns the running one-second timer that should show clockText() in the clock.
QTimer* buildStatusBar(QMainWindow* window, QLabel* (&panels)[2], int messageWidth);
QString clockText();

// Clicking the button (or triggering the entry) calls the handler with it as the sender.
template <class W> void onClick(QPushButton* button, W* window, void (W::*handler)(QObject*)) {
    QObject::connect(button, &QPushButton::clicked, window, [=] { (window->*handler)(button); });
}
template <class W> void onClick(QAction* entry, W* window, void (W::*handler)(QObject*)) {
    QObject::connect(entry, &QAction::triggered, window, [=] { (window->*handler)(entry); });
}

// A failed file operation is always reported (a box of `flags` under "File Error"); one
// that could not even open the file only when the caller asks.
void reportFileResult(FileResult result, const QString& problem, FileNotice notice, int flags);

// Asks for the default programming file, keeps it in `defaultFile` and under `filesKey`;
// true when the user then wants it loaded.
bool chooseDefaultFile(platform::FileDialogRequest& box, const QString& filter,
                       const QString& filesKey, QString& defaultFile);

// The port and top link rate under an open key: a missing port is COM1, a rate that is
// missing or none of BaudRateTable's is the table's first.
void readPortValues(const platform::Registry& registry, int& comPort, int& maxBdRate);
void writePortValues(platform::Registry& registry, int comPort, int maxBdRate);

} // namespace mainwindow
