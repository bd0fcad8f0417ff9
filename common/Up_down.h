#pragma once
// Arrow-button controls beside an edit box. SpinButton is a bare pair of up/down arrows
// that only reports clicks; UpDown also holds a position within a range and shows it in
// an associated edit box, taking the box's number as its start when an arrow is pressed.

#include <QAbstractSlider>
#include <QWidget>

class QLineEdit;
class QToolButton;

class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);
    QToolButton* upButton() const { return up; }
    QToolButton* downButton() const { return down; }

signals:
    void UpClick();
    void DownClick();

private:
    QToolButton* up;
    QToolButton* down;
};

class UpDown : public QAbstractSlider {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    // The edit box that shows the position (not owned).
    void setAssociate(QLineEdit* edit);
    QLineEdit* associate() const { return buddy; }
    // Sets the position (limited to the range) and shows `position` itself in the box,
    // so a stored value outside the arrows' range is shown as it is.
    void setPosition(int position);
    // The position as the box shows it: the box's number, limited to the range, becomes
    // the position; a box without a number leaves the position as it stands.
    int Position();
    // One arrow step (+1 or -1) from the box's number, limited to the range; then Click.
    void step(int delta);
    SpinButton* buttons() const { return arrows; }
    QSize sizeHint() const override;

signals:
    // An arrow was pressed (also when the position was already at its limit).
    void Click();

protected:
    void sliderChange(SliderChange change) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void showPosition();
    SpinButton* arrows;
    QLineEdit* buddy = nullptr;
};
