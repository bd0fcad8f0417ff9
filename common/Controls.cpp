#include "Controls.h"

#include "Form.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

namespace {

// Relative luminance of a colour as seen on a screen.
double Luminance(const QColor& colour) {
    auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// Black or white, whichever stands out more on `background`.
QColor ReadableOn(const QColor& background) {
    const double light = Luminance(background);
    const double onWhite = 1.05 / (light + 0.05);
    const double onBlack = (light + 0.05) / 0.05;
    return onBlack >= onWhite ? QColor(Qt::black) : QColor(Qt::white);
}

// A setting's bar: Right and Up raise it, Left and Down lower it, and with the focus it is
// framed in the highlight colour (the styles mark no focus on a scroll bar).
class SettingBar : public QScrollBar {
    static constexpr int FocusFrameWidth = 2;

public:
    explicit SettingBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
        setInvertedControls(false);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), FocusFrameWidth));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

// Keeps a hidden control disabled when something enables it. Found among the control's
// children by its name: the class has no meta-object of its own to be looked for by.
class StaysDisabledWhileHidden : public QObject {
public:
    static constexpr const char* Name = "staysDisabledWhileHidden";

    explicit StaysDisabledWhileHidden(QWidget* control) : QObject(control) {
        setObjectName(QLatin1String(Name));
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::EnabledChange && control->isHidden() && control->isEnabled())
            control->setEnabled(false);
        return false;
    }
};

} // namespace

namespace controls {

QScrollBar* bar(QWidget* parent, int minimum, int maximum, int minimumWidth) {
    auto* bar = new SettingBar(parent);
    bar->setRange(minimum, maximum);
    if (minimumWidth > 0)
        bar->setMinimumWidth(minimumWidth);
    return bar;
}

QProgressBar* progressBar(QWidget* parent, const QColor& fill) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(true);
    bar->setAlignment(Qt::AlignCenter);
    QPalette colours = bar->palette();
    if (fill.isValid())
        colours.setColor(QPalette::Highlight, fill);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        colours.setColor(group, QPalette::HighlightedText,
                         ReadableOn(colours.color(group, QPalette::Highlight)));
    bar->setPalette(colours);
    return bar;
}

void enable(const std::vector<QWidget*>& list, bool enabled) {
    for (QWidget* control : list)
        control->setEnabled(enabled);
}

void hideForGood(QWidget* control) {
    control->hide();
    control->setEnabled(false);
    if (!control->findChild<QObject*>(QLatin1String(StaysDisabledWhileHidden::Name),
                                      Qt::FindDirectChildrenOnly))
        new StaysDisabledWhileHidden(control);
}

void hideForGood(QAction* entry) {
    entry->setVisible(false);
    entry->setEnabled(false);
}

QGroupBox* boxGroup(const QString& title, QWidget* parent, std::initializer_list<QWidget*> boxes) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    for (QWidget* box : boxes) {
        box->setParent(group);
        layout->addWidget(box);
    }
    layout->addStretch(1);
    return group;
}

void makeHelpAndButtons(QWidget* dialog, QTextEdit*& pane, QPushButton*& ok, QPushButton*& cancel) {
    pane = new QTextEdit(dialog);
    pane->setFixedHeight(60);
    ok = forms::button(QStringLiteral("OK"), dialog);
    cancel = forms::button(QStringLiteral("Cancel"), dialog);
}

void stackAboveHelpRow(QWidget* dialog, std::initializer_list<QWidget*> parts, QTextEdit* pane,
                       QPushButton* ok, QPushButton* cancel) {
    auto* layout = new QVBoxLayout(dialog);
    for (QWidget* part : parts)
        layout->addWidget(part);
    layout->addLayout(helpRow(pane, ok, cancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QHBoxLayout* helpRow(QTextEdit* help, QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addWidget(help, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    row->addLayout(buttons);
    return row;
}

QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace controls
