#include "Up_down.h"

void UpDown::stepBy(int steps) {
    QSpinBox::stepBy(steps);
    emit arrowClicked();
}
