#include "PixelCover.h"

#include <algorithm>

namespace {

constexpr double Margin = 1.0;
constexpr double MinW = 1e-9;

} // namespace

TPixelCover::TPixelCover(const double Model[16], const double Projection[16], int Width,
                         int Height, int PixelX, int PixelY)
    : FWidth(Width), FHeight(Height), FPixelX(PixelX + 0.5), FPixelY(PixelY + 0.5) {
  for (int Col = 0; Col < 4; ++Col)
    for (int Row = 0; Row < 4; ++Row) {
      double Sum = 0;
      for (int K = 0; K < 4; ++K)
        Sum += Projection[K * 4 + Row] * Model[Col * 4 + K];
      FMatrix[Col * 4 + Row] = Sum;
    }
}

TScreenPoint TPixelCover::Project(double X, double Y, double Z) const {
  const double *M = FMatrix;
  const double CX = M[0] * X + M[4] * Y + M[8] * Z + M[12];
  const double CY = M[1] * X + M[5] * Y + M[9] * Z + M[13];
  const double CW = M[3] * X + M[7] * Y + M[11] * Z + M[15];
  if (CW < MinW)
    return {0, 0, false};
  return {(CX / CW + 1) * 0.5 * FWidth, (CY / CW + 1) * 0.5 * FHeight, true};
}

bool TPixelCover::MayCover(const TScreenPoint *Corners, int Count) const {
  double MinX = Corners[0].X, MaxX = MinX, MinY = Corners[0].Y, MaxY = MinY;
  for (int C = 0; C < Count; ++C) {
    if (!Corners[C].InFront)
      return true;
    MinX = std::min(MinX, Corners[C].X);
    MaxX = std::max(MaxX, Corners[C].X);
    MinY = std::min(MinY, Corners[C].Y);
    MaxY = std::max(MaxY, Corners[C].Y);
  }
  return FPixelX >= MinX - Margin && FPixelX <= MaxX + Margin && FPixelY >= MinY - Margin &&
         FPixelY <= MaxY + Margin;
}

bool TPixelCover::MayCoverBox(double X0, double Y0, double Z0, double X1, double Y1,
                              double Z1) const {
  const TScreenPoint Corners[8] = {Project(X0, Y0, Z0), Project(X1, Y0, Z0), Project(X0, Y1, Z0),
                                   Project(X1, Y1, Z0), Project(X0, Y0, Z1), Project(X1, Y0, Z1),
                                   Project(X0, Y1, Z1), Project(X1, Y1, Z1)};
  return MayCover(Corners, 8);
}
