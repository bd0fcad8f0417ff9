#include "Up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(18, 11);
    return button;
}

} // namespace

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), up(arrowButton(this, Qt::UpArrow)), down(arrowButton(this, Qt::DownArrow)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, &SpinButton::UpClick);
    connect(down, &QToolButton::clicked, this, &SpinButton::DownClick);
}

UpDown::UpDown(QWidget* parent) : QAbstractSlider(parent), arrows(new SpinButton(this)) {
    setOrientation(Qt::Vertical);
    setRange(0, 255);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(arrows);
    connect(arrows, &SpinButton::UpClick, this, [this] { step(+1); });
    connect(arrows, &SpinButton::DownClick, this, [this] { step(-1); });
}

QSize UpDown::sizeHint() const {
    return arrows->sizeHint();
}

void UpDown::setAssociate(QLineEdit* edit) {
    buddy = edit;
    showPosition();
}

void UpDown::setPosition(int position) {
    setValue(position);
    if (buddy)
        buddy->setText(QString::number(position));
}

int UpDown::Position() {
    if (buddy) {
        bool isNumber = false;
        const int typed = buddy->text().trimmed().toInt(&isNumber);
        if (isNumber)
            setValue(typed);
    }
    return value();
}

void UpDown::step(int delta) {
    setValue(Position() + delta);
    showPosition();
    emit Click();
}

void UpDown::showPosition() {
    if (buddy)
        buddy->setText(QString::number(value()));
}

void UpDown::sliderChange(SliderChange change) {
    if (change == SliderValueChange)
        showPosition();
    QAbstractSlider::sliderChange(change);
}

void UpDown::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0)
        step(delta > 0 ? +1 : -1);
    event->accept();
}
