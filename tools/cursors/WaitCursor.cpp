// Waiting: an hourglass whose sand runs from the upper bulb into the lower
// one over eight frames; the empty upper bulb is shown a little longer.
#include "CursorArt.h"

namespace {

constexpr int WaitFrames = 8;
constexpr uint32_t WaitRate = 8, WaitPause = 24;
constexpr uint32_t Sand = 0xFF4A86F0;

TRegion GlassShape() {
  return Polygon({{9, 5},
                  {23, 5},
                  {23, 9},
                  {17.5, 15},
                  {17.5, 17},
                  {23, 23},
                  {23, 27},
                  {9, 27},
                  {9, 23},
                  {14.5, 17},
                  {14.5, 15},
                  {9, 9}});
}

// Frame 0 has every grain above the neck, the last frame every grain below.
TCanvas WaitFrame(int Frame) {
  const double Run = double(Frame) / (WaitFrames - 1);
  const double Upper = 7 + 9 * Run, Lower = 26 - 8 * Run;
  const TRegion Inside = GlassShape();
  TCanvas Body;
  Body.Fill(Inside, Glass);
  Body.Fill(Intersection(Inside, Box(0, Upper, 32, 16)), Sand);
  Body.Fill(Intersection(Inside, Box(0, Lower, 32, 27)), Sand);
  if (Frame > 0 && Frame < WaitFrames - 1)
    Body.Fill(Box(15.5, 15, 16.5, Lower), Sand);
  Body.Fill(Box(6, 2, 26, 5), Blue);
  Body.Fill(Box(6, 27, 26, 30), Blue);
  return Body;
}

} // namespace

TCursorAnimation WaitCursor() {
  TCursorAnimation Cursor;
  for (int Frame = 0; Frame < WaitFrames; ++Frame) {
    Cursor.Frames.push_back(Finished(WaitFrame(Frame), 16, 16));
    Cursor.Rates.push_back(Frame == WaitFrames - 1 ? WaitPause : WaitRate);
  }
  Cursor.DisplayRate = WaitRate;
  return Cursor;
}
