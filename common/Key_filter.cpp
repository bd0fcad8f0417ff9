#include "Key_filter.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class CharacterFilter : public QObject {
public:
    CharacterFilter(QObject* parent, const QString& allowed, keys::Case letters,
                    std::function<void(bool)> onKey = nullptr)
        : QObject(parent), allowed(allowed), letters(letters), onKey(std::move(onKey)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const bool swallowed = filter(watched, static_cast<QKeyEvent*>(event));
        if (onKey)
            onKey(!swallowed);
        return swallowed;
    }

private:
    bool filter(QObject* watched, QKeyEvent* key) const {
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false; // editing and shortcut keys pass
        const QString turned = turn(text);
        for (const QChar c : turned)
            if (!allowed.contains(c))
                return true;
        if (turned != text) {
            if (auto* line = qobject_cast<QLineEdit*>(watched)) {
                line->insert(turned);
                return true;
            }
        }
        return false;
    }

    QString turn(const QString& text) const {
        switch (letters) {
        case keys::Case::Upper:
            return text.toUpper();
        case keys::Case::Lower:
            return text.toLower();
        case keys::Case::AsTyped:
            break;
        }
        return text;
    }

    QString allowed;
    keys::Case letters;
    std::function<void(bool)> onKey;
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
    allowOnly(edit, allowed, upperCase ? Case::Upper : Case::AsTyped);
}

void allowOnly(QWidget* edit, const QString& allowed, Case letters) {
    QWidget* target = keyTarget(edit);
    target->installEventFilter(new CharacterFilter(target, allowed, letters));
}

void allowOnly(QWidget* edit, const QString& allowed, std::function<void(bool accepted)> onKey) {
    QWidget* target = keyTarget(edit);
    target->installEventFilter(
        new CharacterFilter(target, allowed, Case::AsTyped, std::move(onKey)));
}

} // namespace keys
