// The built-in background tile: light blue studded bricks seen from above,
// laid in staggered rows so that the tile repeats without a seam.
#pragma once

#include <QImage>

inline constexpr int BackdropWidth = 175;
inline constexpr int BackdropHeight = 104;

QImage BackdropTile();
