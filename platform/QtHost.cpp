#include "platform/QtHost.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>
#include <functional>

namespace platform {

namespace {

// A short message under a long caption would have the window manager cut the caption: the
// row of buttons, as wide as the box, is made as wide as the title bar needs.
void keepTitleWhole(QMessageBox& box) {
    if (auto* buttons = box.findChild<QDialogButtonBox*>())
        buttons->setMinimumWidth(titleBarWidth(box.windowTitle()));
}

void prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    dialog.setNameFilter(qtFilterFromPairs(request.filter));
    dialog.setDefaultSuffix(defaultSuffixFor(request));
    // Choosing another filter adds that filter's extension instead.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, request] {
        const int index = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
        dialog.setDefaultSuffix(defaultSuffixFor(request, index));
    });
    const QFileInfo initial(request.fileName);
    if (!request.fileName.isEmpty()) {
        if (initial.dir().exists())
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
}

// Qt's print dialog tries the output file by opening it when Print is pressed, and a named
// pipe would hold it there: the file is looked at first, and one refused keeps the dialog open.
void lookAtOutputFileFirst(QPrintDialog& dialog,
                           const std::function<bool(const QString& name)>& refused) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
    auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!buttons || !file || dialog.metaObject()->indexOfMethod("_q_checkFields()") < 0)
        return; // not the dialog we know: its own checks stand
    QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, file, refused] {
        if (!file->isEnabled() || !refused(file->text()))
            QMetaObject::invokeMethod(&dialog, "_q_checkFields");
    });
}

bool runDialog(QFileDialog& dialog, QString& chosen) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    chosen = dialog.selectedFiles().first();
    return true;
}

} // namespace

int QtHost::messageBox(const QString& text, const QString& caption, int flags) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    // A lone carriage return breaks the line, as in the Windows message box.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    box.setText(lines);
    keepTitleWhole(box);
    const int buttons = flags & 0x0F;
    const int icon = flags & 0xF0;
    if (icon == MB_ICONEXCLAMATION)
        box.setIcon(QMessageBox::Warning);
    else if (icon == MB_ICONQUESTION)
        box.setIcon(QMessageBox::Question);
    else if (icon == MB_ICONINFORMATION)
        box.setIcon(QMessageBox::Information);
    if (buttons == MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
    }
    if (buttons == MB_OKCANCEL) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
}

bool QtHost::openFileDialog(const FileDialogRequest& request, QString& chosen) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    prepare(dialog, request);
    return runDialog(dialog, chosen);
}

bool QtHost::saveFileDialog(const FileDialogRequest& request, QString& chosen) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    prepare(dialog, request);
    return runDialog(dialog, chosen);
}

void QtHost::beep() {
    QApplication::beep();
}

bool QtHost::shellOpen(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

void QtHost::showException(const QString& message) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
}

bool QtHost::choosePrinter(QPrinter& printer) {
    // Qt would propose a file named after the title, in a folder that may not exist.
    printer.setOutputFileName(pdfFileFor(printer.docName(), QDir::homePath()));
    if (!QPrinterInfo::defaultPrinter().isNull())
        printer.setOutputFormat(QPrinter::NativeFormat); // the printer stays the first choice
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    lookAtOutputFileFirst(dialog,
                          [this](const QString& name) { return refusedAsNoRegularFile(name); });
    return dialog.exec() == QDialog::Accepted;
}

} // namespace platform
