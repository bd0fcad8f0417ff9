#pragma once
// The program's application object. An exception that escapes an event handler is shown
// to the user, as the form library's application would show it, and the program goes on.

#include <QApplication>
#include <functional>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `work`; an exception it throws is shown through the host (an exception that is not
// a standard one shows an empty message). Returns false when one was thrown.
bool RunShowingExceptions(const std::function<void()>& work);
