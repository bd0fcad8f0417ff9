#pragma once
// An up-down with its edit box: a spin box that reports clicks of its arrows (and the
// arrow keys and wheel, which step it the same way) apart from typed text, and hands out
// its edit box for help and key bindings.

#include <QSpinBox>

class QLineEdit;

class UpDown : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

    QLineEdit* editor() const { return lineEdit(); }
    void stepBy(int steps) override;

signals:
    // An arrow stepped the position (also when it stood at a limit and did not move).
    void arrowClicked();
};
