#include "CursorArt.h"

TCursorFrame Finished(const TCanvas &Body, int HotX, int HotY, TPlacement Placement) {
  TCursorFrame Frame{Placement.Mirror ? Body.Mirrored() : Body, HotX, HotY};
  if (Placement.Mirror)
    Frame.HotX = CursorSize - 1 - Frame.HotX;
  Frame.Image = Frame.Image.Turned(Placement.Quarters);
  for (int Q = 0; Q < (Placement.Quarters % 4 + 4) % 4; ++Q)
    Frame = {Frame.Image, CursorSize - 1 - Frame.HotY, Frame.HotX};
  Frame.Image.Outline(Dark);
  Frame.Image.Shadow();
  return Frame;
}

TCursorAnimation Still(const TCursorFrame &Frame) {
  TCursorAnimation Cursor;
  Cursor.Frames.push_back(Frame);
  return Cursor;
}
