#include "Form.h"

#include "Focus_checks.h"
#include "platform/Host.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QVariant>

namespace {

const char* const DefaultProperty = "formDefault";

bool IsEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           !(key->modifiers() & ~Qt::KeypadModifier);
}

class FormHabits : public QObject {
public:
    FormHabits(QWidget* form, std::function<void()> opening)
        : QObject(form), form(form), opening(std::move(opening)) {
        // The form's own constructor is still making its buttons.
        QMetaObject::invokeMethod(
            this, [this] { NoAutoDefaults(); }, Qt::QueuedConnection);
    }

    bool open = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != form)
            return false;
        if (event->type() == QEvent::Show) {
            // Now, and again once the children are shown: a button box makes its first
            // accept button the default when it is shown.
            NoAutoDefaults();
            QMetaObject::invokeMethod(
                this, [this] { NoAutoDefaults(); }, Qt::QueuedConnection);
            if (!open && !event->spontaneous()) {
                open = true;
                if (opening)
                    opening();
                TakeSizeOfContents();
            }
        } else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            open = false;
        } else if (IsEnter(event)) {
            return ClickFocusedButton();
        }
        return false;
    }

private:
    // The opening changed texts after Qt sized the form: the form takes its size now, so
    // that it is placed (centred on its owner) and appears at that size.
    void TakeSizeOfContents() {
        QEvent request(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(form, &request);
    }

    void NoAutoDefaults() {
        for (auto* button : form->findChildren<QPushButton*>()) {
            const bool isDefault = button->property(DefaultProperty).toBool();
            button->setAutoDefault(isDefault);
            button->setDefault(isDefault);
        }
    }

    // Enter that reached the form from a focused button of its own.
    bool ClickFocusedButton() {
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (!button || button->window() != form || !button->isEnabled())
            return false;
        button->click();
        return true;
    }

    QWidget* form;
    std::function<void()> opening;
};

// A handler bound to a form's control runs only while the form is whole. A form being
// destroyed loses its own parts before Qt deletes (and hides and unfocuses) its children; by
// then its metaObject() names a base class, no longer the form's own.
class FormHandler : public QObject {
public:
    explicit FormHandler(QWidget* control)
        : QObject(control), control(control), formType(control->window()->metaObject()) {}

protected:
    bool FormWhole() const { return control->window()->metaObject() == formType; }

private:
    QWidget* control;
    const QMetaObject* formType;
};

// Show and hide events that the program caused; a window manager's minimise and restore
// send spontaneous ones.
class PageHandlers : public FormHandler {
public:
    PageHandlers(QWidget* page, std::function<void()> shown, std::function<void()> hidden)
        : FormHandler(page), shown(std::move(shown)), hidden(std::move(hidden)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->spontaneous() || !FormWhole())
            return false;
        if (event->type() == QEvent::Show && shown)
            shown();
        else if (event->type() == QEvent::Hide && hidden)
            hidden();
        return false;
    }

private:
    std::function<void()> shown;
    std::function<void()> hidden;
};

// A control's exit handler: it runs when the focus leaves for another control, not when
// the window loses the focus (minimised, another window, a pop-up menu).
class ExitHandler : public FormHandler {
public:
    ExitHandler(QWidget* control, std::function<void()> left)
        : FormHandler(control), left(std::move(left)) {}

    // Runs the handler once for each time the focus came into the control.
    void leave() {
        if (!inside || !FormWhole())
            return;
        inside = false;
        left();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            inside = true;
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                leave();
        }
        return false;
    }

private:
    std::function<void()> left;
    bool inside = false;
};

// Sizes drawn for another desktop's fonts are the least a form gets: a fixed form grows to
// what its layout asks for, and every form is at least as wide as its title needs.
class TextFit : public QObject {
public:
    explicit TextFit(QWidget* form) : QObject(form), form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched == form && (type == QEvent::Show || type == QEvent::WindowTitleChange ||
                                type == QEvent::LayoutRequest))
            Fit();
        return false;
    }

private:
    void Fit() {
        const int title = platform::titleBarWidth(form->windowTitle());
        QSize least = form->minimumSize().expandedTo(QSize(title, 0));
        QSize most = form->maximumSize();
        if (QLayout* layout = form->layout()) {
            const bool fixed = layout->sizeConstraint() == QLayout::SetFixedSize;
            least = least.expandedTo(fixed ? layout->totalSizeHint() : layout->totalMinimumSize());
        }
        // A dimension the form fixed stays fixed, at the larger size.
        if (form->minimumWidth() == most.width())
            most.setWidth(least.width());
        if (form->minimumHeight() == most.height())
            most.setHeight(least.height());
        form->setMinimumSize(least);
        form->setMaximumSize(most.expandedTo(least));
        if (form->width() < least.width() || form->height() < least.height())
            form->resize(form->size().expandedTo(least));
    }

    QWidget* form;
};

FormHabits* habitsOf(const QWidget* form) {
    if (form)
        for (QObject* child : form->children())
            if (auto* habits = dynamic_cast<FormHabits*>(child))
                return habits;
    return nullptr;
}

} // namespace

namespace forms {

void install(QWidget* form, std::function<void()> opening) {
    auto* habits = new FormHabits(form, std::move(opening));
    form->installEventFilter(habits);
    form->installEventFilter(new TextFit(form));
}

QPushButton* button(const QString& caption, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setAutoDefault(false);
    return made;
}

void makeDefault(QPushButton* button) {
    button->setProperty(DefaultProperty, true);
    button->setAutoDefault(true);
    button->setDefault(true);
}

bool isOpen(const QWidget* form) {
    const auto* habits = habitsOf(form);
    return habits && habits->open;
}

void onPageShowHide(QWidget* page, std::function<void()> shown, std::function<void()> hidden) {
    page->installEventFilter(new PageHandlers(page, std::move(shown), std::move(hidden)));
}

void onExit(QWidget* control, std::function<void()> left) {
    auto* handler = new ExitHandler(control, std::move(left));
    control->installEventFilter(handler);
}

void leaveFocusedControl(QWidget* form) {
    QWidget* focused = form->focusWidget();
    if (!focused)
        return;
    for (QObject* child : focused->children())
        if (auto* handler = dynamic_cast<ExitHandler*>(child))
            handler->leave();
}

bool passExitChecks(QWidget* form) {
    for (auto* checks : form->findChildren<FocusChecks*>(Qt::FindDirectChildrenOnly))
        if (!checks->passOnClosing())
            return false;
    return true;
}

} // namespace forms

Form::Form(QWidget* parent, int cancelResult) : QDialog(parent), cancelResult(cancelResult) {
    forms::install(this, [this] { FormShow(); });
}

void Form::reject() {
    done(cancelResult);
}

void Form::done(int result) {
    if (result != cancelResult && !forms::passExitChecks(this))
        return;
    forms::leaveFocusedControl(this);
    QDialog::done(result);
}
