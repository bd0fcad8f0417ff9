#include "Form.h"

#include <QEvent>
#include <QPushButton>
#include <QVariant>

namespace {

const char* const DefaultProperty = "formDefault";

class FormHabits : public QObject {
public:
    FormHabits(QWidget* form, std::function<void()> opening)
        : QObject(form), opening(std::move(opening)) {}

    bool open = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            NoAutoDefaults(static_cast<QWidget*>(watched));
            if (!open && !event->spontaneous()) {
                open = true;
                if (opening)
                    opening();
            }
        } else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            open = false;
        }
        return false;
    }

private:
    static void NoAutoDefaults(QWidget* form) {
        for (auto* button : form->findChildren<QPushButton*>()) {
            const bool isDefault = button->property(DefaultProperty).toBool();
            button->setAutoDefault(isDefault);
            button->setDefault(isDefault);
        }
    }

    std::function<void()> opening;
};

FormHabits* habitsOf(const QWidget* form) {
    return form ? form->findChild<FormHabits*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

namespace forms {

void install(QWidget* form, std::function<void()> opening) {
    auto* habits = new FormHabits(form, std::move(opening));
    form->installEventFilter(habits);
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

} // namespace forms

Form::Form(QWidget* parent) : QDialog(parent) {
    forms::install(this, [this] { FormShow(); });
}
