// The arithmetic of the viewport's mouse presses: which quarter of the window
// a pixel lies in, the cursor each mode shows there, and what a press does to
// the live camera or to the window's size. All of it is plain calculation.
#pragma once

#include "model/Global.h"

#include <cstdint>

// The two diagonals split the window into four triangles; a pixel exactly on
// a diagonal lies in none.
enum class TRegion { None, Bottom, Left, Right, Top };

TRegion RegionAt(int X, int Y, int Width, int Height);

// The cursor a press at (X, Y) would act with in Mode, or 0 when the cursor
// is left as it is (no mode, busy, or a pixel on a diagonal).
int16_t CursorAt(char Mode, int X, int Y, int Width, int Height);

// Rotate: tilt for the bottom and top regions (held within 0..90), turn for
// the left and right ones (kept within 0..360). True when Turn changed.
bool RotateCamera(TPosition &Camera, TRegion Region, int X, int Y, int Width, int Height);

// Move: pan along y for the bottom and top regions, along x for the others.
void MoveCamera(TPosition &Camera, TRegion Region, int X, int Y, int Width, int Height);

// Zoom: the upper half moves away, the lower half comes closer.
void ZoomCamera(TPosition &Camera, int Y, int Height);

// One notch of the mouse wheel: a quarter of the step of a Zoom press
// halfway between the middle and the edge, closer for a notch towards the
// user (Towards), away for one away from the user, never past the nearest
// and farthest distances: the construction stays before the near plane and
// well inside the far one.
inline constexpr double NearestWheelDistance = 5, FarthestWheelDistance = 400;
void WheelZoomCamera(TPosition &Camera, bool Towards, int Height);

// Dragging the camera with the right button turns it (left and right) and
// tilts it (up and down, held within 0..90 as the Rotate presses hold it);
// with the middle button, or Shift and the right button, it moves with the
// mouse. (Dx, Dy): the pixels the mouse moved; Height: the window's.
enum class TDrag { None, Turn, Move };
inline constexpr double DragDegreesPerPixel = 0.5;
void DragCamera(TPosition &Camera, TDrag Drag, int Dx, int Dy, int Height);

// A change of the viewport window: its client size grows by (Width, Height)
// and its position moves by (Left, Top), so that it stays centred.
struct TResize {
  int Width = 0, Height = 0, Left = 0, Top = 0;
};

// The outer size of the main window and the width of its left column, which
// bound how large the viewport may grow.
struct TRoom {
  int MainWidth, MainHeight, LeftColumn;
};

// Size: the bottom and left regions shrink the window (not below 100 pixels),
// the top and right ones grow it (keeping a 100-pixel margin in the room).
TResize SizeViewport(TRegion Region, int X, int Y, int Width, int Height, const TRoom &Room);

// The size the viewport takes in the room right of the left column: its own
// when it fits, else the largest of the same aspect that fits (at least one
// pixel each way), so that it never covers the left column.
struct TViewportSize {
  int Width, Height;
};
TViewportSize FitViewport(int Width, int Height, const TRoom &Room);

// Maximize: as large as the room allows with its 100-pixel margins.
TResize MaximizeViewport(int Width, int Height, const TRoom &Room);

// The corner radius of the window's rounded shape.
int ShapeRadius(int Width, int Height);
