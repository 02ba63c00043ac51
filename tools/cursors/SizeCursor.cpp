// Sizing: two arrows on either side of a double bar, pointing away from it
// (wider) or towards it (narrower). The arrows move a step in their
// direction in the second frame.
#include "CursorArt.h"

namespace {

constexpr uint32_t SizeRate = 20;

// The arrow left of the bar; the right one is its mirror image.
TRegion LeftArrow(bool Outward, double Shift) {
  if (Outward)
    return Union(Box(8 - Shift, 14.5, 13, 17.5), ArrowHead({3 - Shift, 16}, 180, 7, 13));
  return Union(Box(2 + Shift, 14.5, 6 + Shift, 17.5), ArrowHead({11.5 + Shift, 16}, 0, 7, 13));
}

TCanvas SizeFrame(bool Outward, double Shift) {
  TCanvas Half;
  Half.Fill(LeftArrow(Outward, Shift), Blue);
  TCanvas Body = Half.Mirrored();
  Body.Fill(LeftArrow(Outward, Shift), Blue);
  Body.Fill(Box(13, 5, 15, 27), LightBlue);
  Body.Fill(Box(17, 5, 19, 27), LightBlue);
  return Body;
}

} // namespace

TCursorAnimation SizeCursor(bool Outward, TPlacement Placement) {
  TCursorAnimation Cursor;
  for (double Shift : {0.0, 1.5})
    Cursor.Frames.push_back(Finished(SizeFrame(Outward, Shift), 16, 16, Placement));
  Cursor.DisplayRate = SizeRate;
  return Cursor;
}
