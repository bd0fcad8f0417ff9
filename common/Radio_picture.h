#pragma once
// The picture of a hand-held radio shown on the main window and the about box.

#include <QPixmap>

QPixmap RadioPicture(int height);
