// The two renders of the whole scene from the live camera: the look render
// that the user sees, and the form render that tells what lies under a pixel.
#pragma once

#include <cstdint>

// Base-cell pick codes start here: code - BaseCodeStart = x + y * BaseWidth.
inline constexpr int32_t BaseCodeStart = 10000001;

// Draws the base plate and every placed piece, lit and textured, into the
// viewport window and shows it.
void LookRender();

// Fills the viewport with the scene colour and shows it at once, so that
// nothing stale is seen while the camera or the window changes.
void BlankViewport();

// The pick code at client pixel (X, Y) of the viewport (origin top left):
// 0 background, piece number * 101 + face for a piece, BaseCodeStart + x +
// y * BaseWidth for a base cell.
int32_t PickAt(int X, int Y);
