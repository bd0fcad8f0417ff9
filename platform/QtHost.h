#pragma once
// The real desktop: QMessageBox, QFileDialog, QDesktopServices, QPrintDialog.

#include "platform/Host.h"

namespace platform {

class QtHost : public Host {
public:
    int messageBox(const QString& text, const QString& caption, int flags) override;
    bool openFileDialog(const FileDialogRequest& request, QString& chosen) override;
    bool saveFileDialog(const FileDialogRequest& request, QString& chosen) override;
    void beep() override;
    bool shellOpen(const QString& url) override;
    void showException(const QString& message) override;

protected:
    bool choosePrinter(QPrinter& printer) override;
};

} // namespace platform
