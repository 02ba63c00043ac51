// What the pictures of the Blue cursor set share: the palette, the finish
// (dark outline and a soft shadow) and the drawing of each family of cursors.
#pragma once

#include "AniWriter.h"

inline constexpr uint32_t Blue = 0xFF2468E0;
inline constexpr uint32_t LightBlue = 0xFF7FB0FF;
inline constexpr uint32_t Glass = 0xFFE4EEFF;
inline constexpr uint32_t Dark = 0xFF0A1840;
inline constexpr uint32_t White = 0xFFFFFFFF;

// How a picture drawn in its upright position is placed: turned clockwise by
// quarter turns, after mirroring left to right when Mirror is set.
struct TPlacement {
  int Quarters = 0;
  bool Mirror = false;
};

// The frame of a picture drawn without outline, placed, outlined and shadowed;
// the hot spot moves with the picture.
TCursorFrame Finished(const TCanvas &Body, int HotX, int HotY, TPlacement Placement = {});

// A cursor of one frame.
TCursorAnimation Still(const TCursorFrame &Frame);

TCursorAnimation ArrowCursor();
// Wider or narrower (Outward or not), horizontally or, turned, vertically.
TCursorAnimation SizeCursor(bool Outward, TPlacement Placement);
TCursorAnimation ZoomCursor(bool In);
// Drawn pointing up.
TCursorAnimation MoveCursor(TPlacement Placement);
// Drawn turning upward.
TCursorAnimation RotateCursor(TPlacement Placement);
TCursorAnimation WaitCursor();
TCursorAnimation BrickCursor(bool Insert);
