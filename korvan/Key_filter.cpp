#include "Key_filter.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class CharacterFilter : public QObject {
public:
    CharacterFilter(QObject* parent, const QString& allowed, bool upperCase)
        : QObject(parent), allowed(allowed), upperCase(upperCase) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false; // editing and shortcut keys pass
        for (const QChar c : text)
            if (!allowed.contains(c))
                return true;
        if (upperCase && text != text.toUpper()) {
            if (auto* line = qobject_cast<QLineEdit*>(watched)) {
                line->insert(text.toUpper());
                return true;
            }
        }
        return false;
    }

private:
    QString allowed;
    bool upperCase;
};

// Spin boxes and editable combos take their keys in an inner line edit.
QWidget* keyTarget(QWidget* edit) {
    if (auto* combo = qobject_cast<QComboBox*>(edit); combo && combo->lineEdit())
        return combo->lineEdit();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit))
        if (auto* line = spin->findChild<QLineEdit*>())
            return line;
    return edit;
}

} // namespace

namespace keys {

void allowOnly(QWidget* edit, const QString& allowed, bool upperCase) {
    QWidget* target = keyTarget(edit);
    target->installEventFilter(new CharacterFilter(target, allowed, upperCase));
}

} // namespace keys
