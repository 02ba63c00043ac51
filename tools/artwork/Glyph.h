// The small signs on the narrow buttons: plus, minus and arrows.
#pragma once

#include "Button.h"

enum class TGlyph { Plus, Minus, Left, Right, Up, Down };

// Draws the sign centred on the picture in the colour that suits the face.
void DrawGlyph(QImage &Picture, TGlyph Glyph, TFace Face);
