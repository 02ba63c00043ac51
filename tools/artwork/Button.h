// Button and menu item faces: a white one for the normal state and a blue
// one for the hover state. Captions are drawn over them by the program.
#pragma once

#include "Shapes.h"

// Pressed marks the one mode button whose mode is chosen: a blue face sunk
// into the column.
enum class TFace { White, Blue, Pressed };

struct TButtonShape {
  int Width = 0;
  int Height = 0;
  TRadii Radii;
  // An open edge carries no border and runs off the picture, so that
  // pictures stacked above one another (menu items) join seamlessly.
  bool OpenTop = false;
  bool OpenBottom = false;
  // A flat face has no vertical shading, again for stacking.
  bool Flat = false;
};

QImage ButtonPicture(const TButtonShape &Shape, TFace Face);
