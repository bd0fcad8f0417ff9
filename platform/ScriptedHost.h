#pragma once
// A host for tests: records every call and answers from queues. An empty answer
// queue answers IDOK for message boxes and "cancelled" for file dialogs.

#include "platform/Host.h"

#include <QList>
#include <QQueue>
#include <functional>

namespace platform {

struct RecordedMessage {
    QString text;
    QString caption;
    int flags = 0;
};

class ScriptedHost : public Host {
public:
    ScriptedHost();  // installs itself as the host
    ~ScriptedHost(); // returns to the Qt host

    // Scripting.
    QQueue<int> messageAnswers;  // IDOK / IDCANCEL
    QQueue<QString> fileAnswers; // chosen path; an empty string cancels
    QString printToPdf;          // the file the print dialog prints to; empty: it is cancelled
    bool printAccepted = true;   // false: the print dialog is cancelled
    // Called after each message box is recorded (e.g. to inspect state mid-handler).
    std::function<void(const RecordedMessage&)> onMessage;

    // Records.
    QList<RecordedMessage> messages;
    QList<FileDialogRequest> fileRequests;
    QStringList opened; // shellOpen urls
    QStringList exceptions;
    QStringList printedTitles;
    int beeps = 0;

    int messageBox(const QString& text, const QString& caption, int flags) override;
    bool openFileDialog(const FileDialogRequest& request, QString& chosen) override;
    bool saveFileDialog(const FileDialogRequest& request, QString& chosen) override;
    void beep() override;
    bool shellOpen(const QString& url) override;
    void showException(const QString& message) override;

protected:
    bool choosePrinter(QPrinter& printer) override;

private:
    bool answerFile(const FileDialogRequest& request, QString& chosen);
};

} // namespace platform
