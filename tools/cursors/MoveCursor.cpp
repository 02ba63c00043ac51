// Moving: a cross of four arrows about the hot spot, the arrow of the
// direction of movement large; it reaches out a step further in the second
// frame.
#include "CursorArt.h"

namespace {

constexpr uint32_t MoveRate = 20;

TCanvas MoveFrame(double Reach) {
  TCanvas Body;
  Body.Fill(Disc({16, 16}, 6.5), LightBlue);
  Body.Fill(Box(7, 14.5, 25, 17.5), LightBlue);
  Body.Fill(Box(14.5, 16, 17.5, 25), LightBlue);
  Body.Fill(ArrowHead({2, 16}, 180, 5.5, 10), LightBlue);
  Body.Fill(ArrowHead({30, 16}, 0, 5.5, 10), LightBlue);
  Body.Fill(ArrowHead({16, 30}, 90, 5.5, 10), LightBlue);
  Body.Fill(Box(14, 9 - Reach, 18, 16), Blue);
  Body.Fill(ArrowHead({16, 2 - Reach}, 270, 8, 15), Blue);
  Body.Fill(Disc({16, 16}, 3.5), Blue);
  return Body;
}

} // namespace

TCursorAnimation MoveCursor(TPlacement Placement) {
  TCursorAnimation Cursor;
  for (double Reach : {-1.5, 0.0})
    Cursor.Frames.push_back(Finished(MoveFrame(Reach), 16, 16, Placement));
  Cursor.DisplayRate = MoveRate;
  return Cursor;
}
