// Quarter-round corner pictures: a square of the outside colour with the
// quarter circle that rounds a shape's corner in the inside colour.
#pragma once

#include "Shapes.h"

// Which corner of the rounded shape the picture sits on.
enum class TCorner { TopLeft, TopRight, BottomLeft, BottomRight };

QImage CornerPicture(int Size, TCorner Corner, const QColor &Outside, const QColor &Inside);
