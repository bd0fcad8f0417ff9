#include "platform/ScriptedHost.h"

#include <QPrinter>

namespace platform {

ScriptedHost::ScriptedHost() {
    setHost(this);
}

ScriptedHost::~ScriptedHost() {
    setHost(nullptr);
}

int ScriptedHost::messageBox(const QString& text, const QString& caption, int flags) {
    messages.append({text, caption, flags});
    if (onMessage)
        onMessage(messages.last());
    return messageAnswers.isEmpty() ? IDOK : messageAnswers.dequeue();
}

bool ScriptedHost::answerFile(const FileDialogRequest& request, QString& chosen) {
    fileRequests.append(request);
    const QString answer = fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    if (answer.isEmpty())
        return false;
    chosen = answer;
    return true;
}

bool ScriptedHost::openFileDialog(const FileDialogRequest& request, QString& chosen) {
    return answerFile(request, chosen);
}

bool ScriptedHost::saveFileDialog(const FileDialogRequest& request, QString& chosen) {
    return answerFile(request, chosen);
}

void ScriptedHost::beep() {
    ++beeps;
}

bool ScriptedHost::shellOpen(const QString& url) {
    opened.append(url);
    return true;
}

void ScriptedHost::showException(const QString& message) {
    exceptions.append(message);
}

bool ScriptedHost::choosePrinter(QPrinter& printer) {
    printedTitles.append(printer.docName());
    if (!printAccepted || printToPdf.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToPdf);
    return true;
}

} // namespace platform
