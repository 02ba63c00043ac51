// Inserting and extracting: a brick with two studs, marked with a plus
// (insert) under an arrow pointing down into it, or with a minus (extract)
// under an arrow leaving it upward. The arrow bobs in the second frame.
#include "CursorArt.h"

namespace {

constexpr uint32_t BrickRate = 20;

TCanvas BrickFrame(bool Insert, double Bob) {
  TCanvas Body;
  Body.Fill(Box(8.5, 16, 13.5, 19), Blue);
  Body.Fill(Box(18.5, 16, 23.5, 19), Blue);
  Body.Fill(Box(5, 19, 27, 29), Blue);
  Body.Fill(Box(13, 23, 19, 25), White);
  if (Insert) {
    Body.Fill(Box(15, 21, 17, 27), White);
    Body.Fill(Box(14, 1.5 + Bob, 18, 7 + Bob), LightBlue);
    Body.Fill(ArrowHead({16, 13 + Bob}, 90, 7, 12), LightBlue);
  } else {
    Body.Fill(Box(14, 7.5 - Bob, 18, 13 - Bob), LightBlue);
    Body.Fill(ArrowHead({16, 1.5 - Bob}, 270, 7, 12), LightBlue);
  }
  return Body;
}

} // namespace

TCursorAnimation BrickCursor(bool Insert) {
  TCursorAnimation Cursor;
  for (double Bob : {0.0, -1.5})
    Cursor.Frames.push_back(Finished(BrickFrame(Insert, Bob), 16, Insert ? 14 : 23));
  Cursor.DisplayRate = BrickRate;
  return Cursor;
}
