#include "Key_filter.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QValidator>
#include <algorithm>

namespace {

// The characters a box lets in, letters turned first.
struct CharacterRule {
    QString allowed;
    keys::Case letters;

    // Only the letters a to z change case, one character for one, so every other character
    // stays as it is for the allowed set to judge and the cursor keeps its place.
    QChar turned(QChar c) const {
        const char16_t u = c.unicode();
        if (letters == keys::Case::Upper && u >= 'a' && u <= 'z')
            return QChar(u - 'a' + 'A');
        if (letters == keys::Case::Lower && u >= 'A' && u <= 'Z')
            return QChar(u - 'A' + 'a');
        return c;
    }

    QString turned(const QString& text) const {
        QString result = text;
        for (QChar& c : result)
            c = turned(c);
        return result;
    }

    bool lets(const QString& text) const {
        for (const QChar c : turned(text))
            if (!allowed.contains(c))
                return false;
        return true;
    }

    // The characters of `text` the rule lets in, turned; `cursor` keeps its place among them.
    QString kept(const QString& text, int& cursor) const {
        const int cursorWas = cursor;
        QString result;
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = turned(text.at(i));
            if (allowed.contains(c))
                result += c;
            else if (i < cursorWas)
                --cursor;
        }
        return result;
    }

    QString kept(const QString& text) const {
        int cursor = 0;
        return kept(text, cursor);
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

// A whole number within a range, or on its way to one.
class RangeValidator : public QValidator {
public:
    RangeValidator(QLineEdit* box, int minimum, int maximum, std::function<int()> stored)
        : QValidator(box), minimum(minimum), maximum(maximum), stored(std::move(stored)) {}

    State validate(QString& text, int&) const override {
        if (text.isEmpty())
            return Intermediate;
        if (text == QString::number(stored()))
            return Acceptable;
        for (int i = 0; i < text.size(); ++i)
            if (!keys::Digits.contains(text[i]) && !(i == 0 && text[i] == '-' && minimum < 0))
                return Invalid;
        bool isNumber = false;
        const int value = text.size() <= 9 ? text.toInt(&isNumber) : maximum + 1;
        if (isNumber && value >= minimum && value <= maximum && text == QString::number(value))
            return Acceptable;
        return beginsANumber(text) ? Intermediate : Invalid;
    }

    void fixup(QString& text) const override { text = QString::number(stored()); }

private:
    bool beginsANumber(const QString& text) const {
        for (int n = minimum; n <= maximum; ++n)
            if (QString::number(n).startsWith(text))
                return true;
        return false;
    }

    int minimum;
    int maximum;
    std::function<int()> stored;
};

// Typed keys: a character outside the rule is swallowed, a letter goes in turned. Alt and a
// key is a shortcut, never text. Editing and clipboard keys pass.
//
// A line edit cuts what goes in to its length limit before its validator sees it, so text
// from outside (a paste by key, menu or middle button, a drop) would lose allowed characters
// behind refused ones. Such text goes in through the rule first; the limit then cuts only
// what the rule lets in.
class KeyFilter : public QObject {
public:
    KeyFilter(QObject* parent, CharacterRule rule) : QObject(parent), rule(std::move(rule)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* line = qobject_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::KeyPress)
            return keyPressed(watched, line, static_cast<QKeyEvent*>(event));
        if (!line || line->isReadOnly() || delivering)
            return false;
        switch (event->type()) {
        case QEvent::ContextMenu:
            return line->contextMenuPolicy() == Qt::DefaultContextMenu &&
                   showMenu(line, static_cast<QContextMenuEvent*>(event));
        case QEvent::MouseButtonRelease:
            return selectionPasted(line, static_cast<QMouseEvent*>(event));
        case QEvent::Drop:
            return dropped(line, static_cast<QDropEvent*>(event));
        default:
            return false;
        }
    }

private:
    bool keyPressed(QObject* watched, QLineEdit* line, const QKeyEvent* key) {
        const bool pasted = line && !line->isReadOnly() && key->matches(QKeySequence::Paste);
        const bool swallowed = !pasted && filter(watched, key);
        if (pasted)
            paste(line, QClipboard::Clipboard);
        return pasted || swallowed;
    }

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

    void paste(QLineEdit* line, QClipboard::Mode mode) const {
        line->insert(rule.kept(QGuiApplication::clipboard()->text(mode)));
    }

    // The box's own menu, its Paste (the entry captioned as the line edit captions it) going
    // through the rule.
    bool showMenu(QLineEdit* line, const QContextMenuEvent* event) const {
        QMenu* menu = line->createStandardContextMenu();
        const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction* action : menu->actions()) {
            if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteCaption)
                continue;
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, line,
                    [this, line] { paste(line, QClipboard::Clipboard); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
        return true;
    }

    // The middle button pastes the selection where the systems have one.
    bool selectionPasted(QLineEdit* line, const QMouseEvent* mouse) const {
        if (mouse->button() != Qt::MiddleButton ||
            !QGuiApplication::clipboard()->supportsSelection() ||
            !line->rect().contains(mouse->position().toPoint()))
            return false;
        line->deselect();
        paste(line, QClipboard::Selection);
        return true;
    }

    // The box takes the drop as its own, with only the text the rule lets in.
    bool dropped(QLineEdit* line, QDropEvent* drop) {
        if (!drop->mimeData()->hasText())
            return false;
        QMimeData kept;
        kept.setText(rule.kept(drop->mimeData()->text()));
        QDropEvent ruled(drop->position(), drop->possibleActions(), &kept, drop->buttons(),
                         drop->modifiers());
        ruled.setDropAction(drop->dropAction());
        delivering = true;
        QCoreApplication::sendEvent(line, &ruled);
        delivering = false;
        drop->setDropAction(ruled.dropAction());
        drop->setAccepted(ruled.isAccepted());
        return true;
    }

    CharacterRule rule;
    bool delivering = false; // a drop made anew goes to the box unfiltered
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

void install(QWidget* edit, CharacterRule rule) {
    QWidget* box = textBoxOf(edit);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setValidator(new RuleValidator(line, rule));
        // A text the rule trims is set anew, which marks the box unmodified: what the user
        // did stays marked as theirs.
        QObject::connect(line, &QLineEdit::textEdited, line, [line] { line->setModified(true); });
    }
    box->installEventFilter(new KeyFilter(box, std::move(rule)));
}

} // namespace

namespace keys {

void allowOnly(QWidget* edit, const QString& allowed, bool upperCase) {
    allowOnly(edit, allowed, upperCase ? Case::Upper : Case::AsTyped);
}

void allowOnly(QWidget* edit, const QString& allowed, Case letters) {
    install(edit, {allowed, letters});
}

void allowRange(QLineEdit* box, int minimum, int maximum, std::function<int()> stored) {
    box->setValidator(new RangeValidator(box, minimum, maximum, std::move(stored)));
}

} // namespace keys
