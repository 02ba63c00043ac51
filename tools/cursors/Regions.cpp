#include "Regions.h"

#include <cmath>
#include <numbers>

namespace {

double Radians(double Degrees) { return Degrees * std::numbers::pi / 180.0; }

// The angle of (X, Y) seen from Centre, in degrees from 0 up to 360.
double AngleOf(TPoint Centre, double X, double Y) {
  const double A = std::atan2(Y - Centre.Y, X - Centre.X) * 180.0 / std::numbers::pi;
  return A < 0 ? A + 360.0 : A;
}

bool AngleWithin(double Angle, double From, double To) {
  const double Span = std::fmod(std::fmod(To - From, 360.0) + 360.0, 360.0);
  const double Offset = std::fmod(std::fmod(Angle - From, 360.0) + 360.0, 360.0);
  return Offset <= Span;
}

} // namespace

TRegion Polygon(std::vector<TPoint> Corners) {
  return [Corners = std::move(Corners)](double X, double Y) {
    bool Inside = false;
    for (size_t I = 0, J = Corners.size() - 1; I < Corners.size(); J = I++) {
      const TPoint &A = Corners[I], &B = Corners[J];
      if ((A.Y > Y) != (B.Y > Y) && X < (B.X - A.X) * (Y - A.Y) / (B.Y - A.Y) + A.X)
        Inside = !Inside;
    }
    return Inside;
  };
}

TRegion Box(double X0, double Y0, double X1, double Y1) {
  return [=](double X, double Y) { return X >= X0 && X <= X1 && Y >= Y0 && Y <= Y1; };
}

TRegion Disc(TPoint Centre, double Radius) {
  return [=](double X, double Y) {
    return std::hypot(X - Centre.X, Y - Centre.Y) <= Radius;
  };
}

TRegion Arc(TPoint Centre, double Inner, double Outer, double From, double To) {
  return [=](double X, double Y) {
    const double R = std::hypot(X - Centre.X, Y - Centre.Y);
    return R >= Inner && R <= Outer && AngleWithin(AngleOf(Centre, X, Y), From, To);
  };
}

TRegion Stroke(TPoint A, TPoint B, double Width) {
  const double Length = std::hypot(B.X - A.X, B.Y - A.Y);
  const double Ux = (B.X - A.X) / Length, Uy = (B.Y - A.Y) / Length;
  return [=](double X, double Y) {
    const double Along = (X - A.X) * Ux + (Y - A.Y) * Uy;
    const double Across = -(X - A.X) * Uy + (Y - A.Y) * Ux;
    return Along >= 0 && Along <= Length && std::abs(Across) <= Width / 2;
  };
}

TRegion ArrowHead(TPoint Tip, double Direction, double Length, double Width) {
  const double Ux = std::cos(Radians(Direction)), Uy = std::sin(Radians(Direction));
  const TPoint Base{Tip.X - Ux * Length, Tip.Y - Uy * Length};
  const double Half = Width / 2;
  return Polygon({Tip, {Base.X - Uy * Half, Base.Y + Ux * Half}, {Base.X + Uy * Half, Base.Y - Ux * Half}});
}

TRegion Union(TRegion A, TRegion B) {
  return [=](double X, double Y) { return A(X, Y) || B(X, Y); };
}

TRegion Intersection(TRegion A, TRegion B) {
  return [=](double X, double Y) { return A(X, Y) && B(X, Y); };
}

TRegion Difference(TRegion A, TRegion B) {
  return [=](double X, double Y) { return A(X, Y) && !B(X, Y); };
}
