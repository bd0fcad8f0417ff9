#include "Key_filter.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

// The characters a box lets in, letters turned first.
struct CharacterRule {
    QString allowed;
    keys::Case letters;

    QString turned(const QString& text) const {
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

    bool lets(const QString& text) const {
        for (const QChar c : turned(text))
            if (!allowed.contains(c))
                return false;
        return true;
    }

    // The characters of `text` the rule lets in, turned; `cursor` keeps its place among them.
    QString kept(const QString& text, int& cursor) const {
        const QString turnedText = turned(text);
        const int cursorWas = cursor;
        QString result;
        for (int i = 0; i < turnedText.size(); ++i) {
            if (allowed.contains(turnedText.at(i)))
                result += turnedText.at(i);
            else if (i < cursorWas)
                --cursor;
        }
        return result;
    }
};

// The rule on a box's text, whatever the user puts there: typed, pasted or dropped. A text
// the program sets (what the image holds) leaves the box unmodified and is shown as it is.
// A box with a validator of its own (a spin box) keeps it after the rule.
class RuleValidator : public QValidator {
public:
    RuleValidator(QLineEdit* box, CharacterRule rule)
        : QValidator(box), box(box), rule(std::move(rule)), own(box->validator()) {}

    State validate(QString& text, int& cursor) const override {
        if (box->isModified())
            text = rule.kept(text, cursor);
        return own ? own->validate(text, cursor) : Acceptable;
    }

    void fixup(QString& text) const override {
        if (own)
            own->fixup(text);
    }

private:
    const QLineEdit* box;
    CharacterRule rule;
    const QValidator* own;
};

// Typed keys: a character outside the rule is swallowed, a letter goes in turned. Alt and a
// key is a shortcut, never text. Editing and clipboard keys pass.
class KeyFilter : public QObject {
public:
    KeyFilter(QObject* parent, CharacterRule rule, std::function<void(bool)> onKey)
        : QObject(parent), rule(std::move(rule)), onKey(std::move(onKey)) {}

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
    bool filter(QObject* watched, const QKeyEvent* key) const {
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & Qt::ControlModifier))
            return false; // editing and clipboard keys, and AltGr (Ctrl+Alt) characters
        if ((key->modifiers() & Qt::AltModifier) || !rule.lets(text))
            return true;
        const QString turned = rule.turned(text);
        if (turned == text)
            return false;
        if (auto* line = qobject_cast<QLineEdit*>(watched)) {
            line->insert(turned);
            return true;
        }
        return false;
    }

    CharacterRule rule;
    std::function<void(bool)> onKey;
};

// Spin boxes and editable combos hold their text in an inner line edit.
QWidget* textBoxOf(QWidget* edit) {
    if (auto* combo = qobject_cast<QComboBox*>(edit); combo && combo->lineEdit())
        return combo->lineEdit();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit))
        if (auto* line = spin->findChild<QLineEdit*>())
            return line;
    return edit;
}

void install(QWidget* edit, CharacterRule rule, std::function<void(bool)> onKey = nullptr) {
    QWidget* box = textBoxOf(edit);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setValidator(new RuleValidator(line, rule));
        // A text the rule trims is set anew, which marks the box unmodified: what the user
        // did stays marked as theirs.
        QObject::connect(line, &QLineEdit::textEdited, line, [line] { line->setModified(true); });
    }
    box->installEventFilter(new KeyFilter(box, std::move(rule), std::move(onKey)));
}

} // namespace

namespace keys {

void allowOnly(QWidget* edit, const QString& allowed, bool upperCase) {
    allowOnly(edit, allowed, upperCase ? Case::Upper : Case::AsTyped);
}

void allowOnly(QWidget* edit, const QString& allowed, Case letters) {
    install(edit, {allowed, letters});
}

void allowOnly(QWidget* edit, const QString& allowed, std::function<void(bool accepted)> onKey) {
    install(edit, {allowed, Case::AsTyped}, std::move(onKey));
}

} // namespace keys
