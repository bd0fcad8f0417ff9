#include "Application.h"

#include "platform/Convert.h"
#include "platform/Host.h"

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunShowingExceptions([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool RunShowingExceptions(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const platform::EConvertError& error) {
        platform::host().showException(error.message());
    } catch (const std::exception& error) {
        platform::host().showException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        platform::host().showException(QString());
    }
    return false;
}
