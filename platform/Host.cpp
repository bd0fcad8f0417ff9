#include "platform/Host.h"

#include "platform/FileKind.h"
#include "platform/QtHost.h"

#include <QApplication>
#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

namespace platform {

namespace {
Host* installed = nullptr;

// "*.mot" gives "mot"; "*.*", "*" and "" give nothing.
QString suffixOfPattern(const QString& pattern) {
    QString suffix = pattern.trimmed();
    suffix.remove('*');
    if (suffix.startsWith('.'))
        suffix.remove(0, 1);
    return suffix == "." ? QString() : suffix;
}

// The PDF file the printer would write, made in memory: Qt's PDF engine does not tell when
// the disk takes fewer bytes than it writes.
QByteArray pdfOf(QTextDocument& document, const QPrinter& printer) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    writer.setPdfVersion(printer.pdfVersion());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setPageRanges(printer.pageRanges());
    document.print(&writer);
    return buffer.data();
}

} // namespace

Host& host() {
    static QtHost qtHost;
    return installed ? *installed : qtHost;
}

void Host::notPrinted(const QString& target, const QString& why) {
    messageBox(QStringLiteral("The document was not printed: ") + target + why,
               QStringLiteral("Print Error"), MB_ICONEXCLAMATION);
}

bool Host::refusedAsNoRegularFile(const QString& target) {
    if (!isNoRegularFile(target))
        return false;
    notPrinted(target, QStringLiteral(" is not a regular file (it is a named pipe, a device or a "
                                      "folder).\nPrint to another file."));
    return true;
}

bool Host::printDocument(QTextDocument& document, const QString& title, const FileSaver& save) {
    QPrinter printer;
    printer.setDocName(title);
    if (!choosePrinter(printer))
        return false;
    const QString target = printer.outputFileName();
    if (target.isEmpty()) {
        document.print(&printer);
        if (printer.printerState() != QPrinter::Error)
            return true;
        messageBox(QStringLiteral("The printer reported an error; the document was not printed."),
                   QStringLiteral("Print Error"), MB_ICONEXCLAMATION);
        return false;
    }
    if (refusedAsNoRegularFile(target))
        return false;
    if (save(target, pdfOf(document, printer)))
        return true;
    notPrinted(target, QStringLiteral(" could not be written (the disk may be full, or the folder "
                                      "not writable).\nA file that was there is left as it was."));
    return false;
}

void setHost(Host* newHost) {
    installed = newHost;
}

QString qtFilterFromPairs(const QString& pairs) {
    const QStringList parts = pairs.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // The description usually names the patterns already: "Files (*.mem)".
        filters << (parts[i].contains('(') ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return filters.join(";;");
}

int titleBarWidth(const QString& title) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    // Window managers draw titles in fonts of their own, often wider: a third more room for
    // the text, beside the window's icon, its minimise, maximise and close buttons and the
    // frame around them.
    const int buttonsAndFrame = 7 * metrics.height();
    return metrics.horizontalAdvance(title) * 4 / 3 + buttonsAndFrame;
}

QString defaultSuffixFor(const FileDialogRequest& request, int filterIndex) {
    const QStringList parts = request.filter.split('|');
    const int patternsAt = 2 * filterIndex + 1;
    if (filterIndex >= 0 && patternsAt < parts.size()) {
        const QString first = parts[patternsAt].split(';').first();
        const QString suffix = suffixOfPattern(first);
        if (!suffix.isEmpty())
            return suffix;
    }
    return suffixOfPattern(request.defaultExt);
}

QString pdfFileFor(const QString& title, const QString& folder) {
    QString name = title.isEmpty() ? QStringLiteral("print") : title;
    name.replace('/', '-'); // a slash would name a folder that is not there
    return folder + '/' + name + ".pdf";
}

} // namespace platform
