#include "Corners.h"

#include <algorithm>

namespace {

// Until the artwork is drawn the corners are plain squares of their colour.
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

} // namespace

const TBitmap &WhiteCorner(TCorner Corner) {
  static const TCornerSet Set(0xFFFFFFu);
  return Set.Pictures[Corner];
}

const TBitmap &BlueCorner(TCorner Corner) {
  static const TCornerSet Set(0x0000FFu);
  return Set.Pictures[Corner];
}

void DrawPicture(TBitmap &Target, int X, int Y, const TBitmap &Picture) {
  for (int Row = 0; Row < Picture.Height(); ++Row)
    std::copy_n(Picture.ScanLine(Row), Picture.Width(), Target.ScanLine(Y + Row) + X);
}
