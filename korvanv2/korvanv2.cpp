// The second-generation programmer: its forms and the message loop.

#include "Application.h"
#include "Forms.h"
#include "Main.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    RunShowingExceptions([] {
        CreateForms();
        frmBelmar->show();
        QApplication::exec();
    });
    DestroyForms();
    return 0;
}
