// The program's icon: two toy bricks, one on the other, on a transparent
// ground, for the window and the desktop menu.
#pragma once

#include <QImage>

QImage IconPicture();
