#pragma once
// The desktop services a form needs: message boxes, file dialogs, beep, shell open,
// the display of an escaped exception, and printing. Forms never call QMessageBox,
// QFileDialog or QPrintDialog directly; they go through host(), so tests can script
// every answer.

#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QTextDocument;

namespace platform {

// Message box flags, as the forms pass them.
enum MessageFlags : int {
    MB_OK = 0,
    MB_OKCANCEL = 1,
    MB_YESNO = 4,
    MB_ICONQUESTION = 32,
    MB_ICONEXCLAMATION = 48,
    MB_ICONINFORMATION = 64,
};

// Message box results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct FileDialogRequest {
    QString title;
    QString filter;     // "Programming Files (*.mem)|*.mem|All Files (*.*)|*.*"
    QString defaultExt; // "*.mem" or "mem"
    QString fileName;   // initial path or name
    bool fileMustExist = false;
    bool overwritePrompt = false;
    bool hideReadOnly = false;
};

class Host {
public:
    virtual ~Host() = default;

    // Returns IDOK or IDCANCEL (IDYES or IDNO for MB_YESNO).
    virtual int messageBox(const QString& text, const QString& caption, int flags) = 0;
    // Returns true and the chosen path when the user accepted.
    virtual bool openFileDialog(const FileDialogRequest& request, QString& chosen) = 0;
    virtual bool saveFileDialog(const FileDialogRequest& request, QString& chosen) = 0;
    virtual void beep() = 0;
    // Opens a web page or a mailto: address with the desktop's handler.
    virtual bool shellOpen(const QString& url) = 0;
    // An exception that escaped an event handler.
    virtual void showException(const QString& message) = 0;
    // Writes a whole file or, failing, leaves the one that was there as it was; true when
    // written.
    using FileSaver = std::function<bool(const QString& path, const QByteArray& bytes)>;
    // Runs the print dialog and prints the document under the title; false when cancelled,
    // refused or failed (a refusal or failure has then been reported to the user). A print to
    // a file that is there but is no regular file (a named pipe, a device, a folder) is
    // refused before anything opens it; a print to a file is made in memory and written by
    // `save`, so that a full disk fails it rather than leave a cut file.
    bool printDocument(QTextDocument& document, const QString& title, const FileSaver& save);

protected:
    // Runs the print dialog for `printer`, which carries the document's title; false when
    // cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    // True, and the user told, when something that is no regular file is at `target`.
    bool refusedAsNoRegularFile(const QString& target);
    // The one message of a print to `target` that did not happen, saying `why`.
    void notPrinted(const QString& target, const QString& why);
};

// The host every form uses. Defaults to the Qt host; tests install a scripted one.
Host& host();
// Installs a host (not owned); nullptr returns to the Qt host.
void setHost(Host* newHost);

// Converts "Name (*.a)|*.a|All (*.*)|*.*" into Qt's ";;"-separated filter list.
QString qtFilterFromPairs(const QString& pairs);
// The extension a file dialog adds to a name typed without one: that of the files the chosen
// filter is for ("Motorola S file (*.mot)|*.mot" gives "mot"), or, where the filter names no
// extension of its own ("*.*"), the request's default. `filterIndex` counts the filter's pairs.
QString defaultSuffixFor(const FileDialogRequest& request, int filterIndex = 0);
// The width a window's title bar needs to show `title` whole beside its icon and buttons,
// estimated from the desktop's title font.
int titleBarWidth(const QString& title);
// The PDF file that "Print to File" proposes for a document: named after its title, in `folder`.
QString pdfFileFor(const QString& title, const QString& folder);

} // namespace platform
