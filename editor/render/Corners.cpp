#include "Corners.h"

#include <algorithm>

namespace {

// Plain squares of their colour until the program installs its artwork.
struct TCornerSet {
  TBitmap Pictures[4];
  explicit TCornerSet(uint32_t Color) {
    for (TBitmap &P : Pictures) {
      P.SetSize(CornerSize, CornerSize);
      for (int Y = 0; Y < CornerSize; ++Y)
        std::fill_n(P.ScanLine(Y), CornerSize, Color);
    }
  }
};

TCornerSet &Corners(bool Blue) {
  static TCornerSet White(0xFFFFFFu), BlueSet(0x0000FFu);
  return Blue ? BlueSet : White;
}

} // namespace

const TBitmap &WhiteCorner(TCorner Corner) { return Corners(false).Pictures[Corner]; }

const TBitmap &BlueCorner(TCorner Corner) { return Corners(true).Pictures[Corner]; }

void SetCornerPicture(bool Blue, TCorner Corner, const TBitmap &Picture) {
  Corners(Blue).Pictures[Corner] = Picture;
}

void DrawPicture(TBitmap &Target, int X, int Y, const TBitmap &Picture) {
  for (int Row = 0; Row < Picture.Height(); ++Row)
    std::copy_n(Picture.ScanLine(Row), Picture.Width(), Target.ScanLine(Y + Row) + X);
}
