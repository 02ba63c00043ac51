// The 5 x 5 corner pictures drawn over the 113-pixel renders to round them:
// white ones for the main window's previews, blue ones for the spin frames.
#pragma once

#include "platform/Bitmap.h"

enum TCorner { TopLeft, TopRight, BottomLeft, BottomRight };

inline constexpr int CornerSize = 5;

const TBitmap &WhiteCorner(TCorner Corner);
const TBitmap &BlueCorner(TCorner Corner);

// Replaces a corner picture with the program's artwork (5 x 5 pixels).
void SetCornerPicture(bool Blue, TCorner Corner, const TBitmap &Picture);

// Copies the picture unchanged onto Target with its top-left pixel at (X, Y).
void DrawPicture(TBitmap &Target, int X, int Y, const TBitmap &Picture);
