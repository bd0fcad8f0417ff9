#include "Help_pane.h"

#include <QEvent>
#include <QTextEdit>
#include <QWidget>

HelpPane::HelpPane(QTextEdit* pane) : QObject(pane), pane(pane) {
    pane->setReadOnly(true);
}

void HelpPane::bind(QWidget* control, const QStringList& lines) {
    texts.insert(control, lines);
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

void HelpPane::bind(std::initializer_list<QWidget*> controls, const QStringList& lines) {
    for (QWidget* control : controls)
        bind(control, lines);
}

void HelpPane::bindOkCancel(QWidget* ok, QWidget* cancel) {
    bind(ok, {QStringLiteral("The OK button exits the screen and saves any changes.")});
    bind(cancel, {QStringLiteral("The Cancel button exits the screen and discards any changes.")});
}

QStringList HelpPane::linesFor(QObject* control) const {
    return texts.value(control);
}

void HelpPane::FocusHelp(QObject* control) {
    pane->clear();
    for (const QString& line : texts.value(control))
        pane->append(line);
}

bool HelpPane::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        FocusHelp(watched);
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
        MouseHelp(watched);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
