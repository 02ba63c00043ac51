// Rotating: a thick arrow that runs right along the bottom, bends through a
// quarter circle and points straight up. In the second frame it has slid a
// step along its path.
#include "CursorArt.h"

namespace {

constexpr uint32_t RotateRate = 20;
constexpr TPoint Centre{7, 12};
constexpr double Radius = 14, Thickness = 5;

// Slide moves the tail round the bend and the head further up.
TCanvas RotateFrame(double Slide) {
  const double Bend = Centre.X + Radius;
  TCanvas Body;
  Body.Fill(Arc(Centre, Radius - Thickness / 2, Radius + Thickness / 2, 0, 90 - 4 * Slide), Blue);
  Body.Fill(Box(Bend - Thickness / 2, Centre.Y - Slide, Bend + Thickness / 2, Centre.Y + 0.5), Blue);
  Body.Fill(ArrowHead({Bend, Centre.Y - Slide - 9}, 270, 9, 14), Blue);
  Body.Fill(Arc(Centre, Radius - 0.5, Radius + 0.5, 4, 86 - 4 * Slide), LightBlue);
  return Body;
}

} // namespace

TCursorAnimation RotateCursor(TPlacement Placement) {
  TCursorAnimation Cursor;
  for (double Slide : {0.0, 1.5})
    Cursor.Frames.push_back(Finished(RotateFrame(Slide), 16, 16, Placement));
  Cursor.DisplayRate = RotateRate;
  return Cursor;
}
