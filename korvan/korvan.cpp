// The first-generation programmer: one running copy, its forms, and the message loop.

#include "Application.h"
#include "Forms.h"
#include "Main.h"
#include "platform/Host.h"
#include "platform/SingleInstance.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    const QString title = QStringLiteral("Korvan PMR Dealer Software");
    platform::SingleInstance guard(QStringLiteral("BelmMutex"));
    if (!guard.acquire()) {
        platform::host().messageBox(QStringLiteral("The program is already running"), title,
                                    platform::MB_OK);
        guard.raiseRunningCopy();
        return 0;
    }
    QApplication::setApplicationName(title);
    RunShowingExceptions([&guard] {
        CreateForms();
        guard.setWindow(frmBelmar);
        frmBelmar->show();
        QApplication::exec();
    });
    DestroyForms();
    return 0;
}
