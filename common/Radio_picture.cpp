#include "Radio_picture.h"

#include <QPainter>

QPixmap RadioPicture(int height) {
    const int width = height * 3 / 5;
    QPixmap picture(width, height);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = height / 20.0;
    // Antenna, body, display and keypad.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawRoundedRect(QRectF(unit * 1.5, 0, unit * 1.6, unit * 7), unit * 0.6, unit * 0.6);
    painter.drawRoundedRect(QRectF(unit, unit * 5, width - 2 * unit, height - unit * 5.5),
                            unit * 1.2, unit * 1.2);
    painter.setBrush(QColor(140, 200, 150));
    painter.drawRect(QRectF(unit * 2.5, unit * 7, width - 5 * unit, unit * 3.5));
    painter.setBrush(QColor(190, 190, 190));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            painter.drawEllipse(QRectF(unit * (2.6 + column * 2.6), unit * (12 + row * 2.2),
                                       unit * 1.6, unit * 1.4));
    return picture;
}
