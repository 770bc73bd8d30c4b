#pragma once
// The program's pictures, from its resources.

#include "game/Game.h"

#include <QPixmap>
#include <QString>

namespace trevak {

// An image of the resources, in its 2x version on high-density screens.
QPixmap resourcePixmap(const QString &baseName, const char *suffix = ".png");

// What a square shows: nothing (a null pixmap), the visited disc or the knight, on the
// square's own colour.
QPixmap squarePicture(SquareMark mark, bool dark);

}  // namespace trevak
