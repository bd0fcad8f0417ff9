#include "support/AccessiblePress.h"

#include "platform/ScriptedHost.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace testsupport {

namespace {

// The accessibility interface that presses `control`: a button's own, or a menu entry's
// within its menu.
QAccessibleInterface* PressableOf(QObject* control) {
    auto* entry = qobject_cast<QAction*>(control);
    if (!entry)
        return QAccessible::queryAccessibleInterface(control);
    for (QObject* holder : entry->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(holder)) {
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(menu);
            for (int i = 0; list && i < list->childCount(); ++i)
                if (list->child(i)->object() == entry)
                    return list->child(i);
        }
    return nullptr;
}

// What came of a press: the modal dialogs that opened (each closed at once) and Qt's warnings.
class PressWatch : public QObject {
public:
    PressWatch() {
        qApp->installEventFilter(this);
        watch = this;
        previousHandler = qInstallMessageHandler(&PressWatch::Record);
    }
    ~PressWatch() override {
        qInstallMessageHandler(previousHandler);
        watch = nullptr;
    }

    QStringList opened;
    QStringList warnings;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(object);
        if (event->type() == QEvent::Show && dialog && dialog->isModal()) {
            opened.append(QString::fromLatin1(dialog->metaObject()->className()));
            QMetaObject::invokeMethod(
                dialog, [dialog] { dialog->done(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static void Record(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            watch->warnings.append(text);
    }

    static inline PressWatch* watch = nullptr;
    QtMessageHandler previousHandler = nullptr;
};

void ExpectComesToNothing(const QuietPress& press, const platform::ScriptedHost& host) {
    const qsizetype messages = host.messages.size();
    PressWatch watch;
    PressAccessibly(press.control);
    EXPECT_TRUE(watch.opened.isEmpty()) << watch.opened.join(", ").toStdString();
    EXPECT_TRUE(watch.warnings.isEmpty()) << watch.warnings.join("\n").toStdString();
    EXPECT_EQ(host.messages.size(), messages);
}

} // namespace

void PressAccessibly(QObject* control) {
    QAccessible::setActive(true);
    QAccessibleInterface* pressable = PressableOf(control);
    ASSERT_TRUE(pressable && pressable->actionInterface()) << "nothing to press";
    pressable->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    const auto* button = qobject_cast<QAbstractButton*>(control);
    EXPECT_TRUE(QTest::qWaitFor([button] { return !button || !button->isDown(); }, WAIT_LIMIT_MS));
}

void ExpectPressesComeToNothing(const std::vector<QuietPress>& presses,
                                const platform::ScriptedHost& host) {
    for (const QuietPress& press : presses) {
        SCOPED_TRACE(press.name);
        if (!press.behind) {
            const auto* entry = qobject_cast<QAction*>(press.control);
            EXPECT_FALSE(entry ? entry->isEnabled()
                               : static_cast<QWidget*>(press.control)->isEnabled());
            ExpectComesToNothing(press, host);
            continue;
        }
        bool pressed = false;
        QTimer::singleShot(0, press.behind, [&] {
            ExpectComesToNothing(press, host);
            pressed = true;
            press.behind->done(0);
        });
        press.behind->exec();
        EXPECT_TRUE(pressed);
    }
}

} // namespace testsupport
