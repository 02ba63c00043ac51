// Helpers for tests that click into the viewport: where the renders put a
// world point, and placing Marbelo pieces straight into the construction.
#pragma once

#include "model/Global.h"
#include "platform/GlSurface.h"

#include <cstdint>
#include <memory>

enum : uint16_t {
  BlueOne = 1, BlueTwo, BlueThree, BlueFour, Eight, Door, Window,
  RoofEight, RoofTwo, RoofEight2, RoofTwo2
};

struct TPixel { int X, Y; };
struct TPoint { double X, Y, Z; };
struct TSize { uint8_t X = 0, Y = 0, Z = 0; };

// A context set up exactly as the pick render sets it up, with the live
// camera applied.
std::unique_ptr<TGlContext> BeginPickCamera();

// The client pixel of the viewport (origin top left) that the renders put
// world point P on, found through the pick render's own camera; it may lie
// outside the viewport.
TPixel PixelOf(TPoint P);

// The pick code at the pixel of world point P.
int32_t PickOf(TPoint P);

int32_t BaseCode(int X, int Y);

// Extents of a piece of kit 1.
TSize SizeOf(uint16_t Piece);

// Appends a placed piece of kit 1 and writes it into the grid.
void Put(uint16_t Piece, int X, int Y, int Z, int Rotation);

// Middle of top cell F of piece N, wherever its rotation puts that cell.
TPoint TopCellCentre(int N, int F);
