// Regions of the cursor picture plane: tests of whether a pixel's centre lies
// inside a shape. Coordinates run right and down, pixel (X, Y) covering the
// square from (X, Y) to (X + 1, Y + 1).
#pragma once

#include <functional>
#include <vector>

struct TPoint {
  double X, Y;
};

using TRegion = std::function<bool(double X, double Y)>;

// The inside of a closed polygon (even-odd rule).
TRegion Polygon(std::vector<TPoint> Corners);

// The rectangle from (X0, Y0) to (X1, Y1).
TRegion Box(double X0, double Y0, double X1, double Y1);

TRegion Disc(TPoint Centre, double Radius);

// The band between the radii, from angle From to angle To in degrees
// (0 points right, angles grow clockwise on screen).
TRegion Arc(TPoint Centre, double Inner, double Outer, double From, double To);

// A straight stroke of the given width with square ends.
TRegion Stroke(TPoint A, TPoint B, double Width);

// An arrow head: a triangle with its tip at Tip, pointing along the angle
// Direction (degrees, as for Arc), Length long and Width wide at its base.
TRegion ArrowHead(TPoint Tip, double Direction, double Length, double Width);

TRegion Union(TRegion A, TRegion B);
TRegion Intersection(TRegion A, TRegion B);
TRegion Difference(TRegion A, TRegion B);
