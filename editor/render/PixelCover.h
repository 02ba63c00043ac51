// Which parts of the scene can cover one pixel of the picture. The pick reads
// a single pixel, so anything whose projection stays clear of that pixel is
// left undrawn: the pixel read back is the same, at a fraction of the cost.
#pragma once

struct TScreenPoint {
  double X, Y;   // window coordinates, rows from the bottom
  bool InFront;  // false when the point lies at or behind the eye
};

class TPixelCover {
public:
  // Model and Projection are column-major GL matrices; (PixelX, PixelY) is
  // the pixel in window coordinates, rows from the bottom.
  TPixelCover(const double Model[16], const double Projection[16], int Width, int Height,
              int PixelX, int PixelY);

  TScreenPoint Project(double X, double Y, double Z) const;

  // True unless the polygon or box spanned by these projected corners
  // certainly misses the pixel (a margin of one pixel keeps it conservative).
  bool MayCover(const TScreenPoint *Corners, int Count) const;

  // The same for the axis-aligned box between two opposite corners.
  bool MayCoverBox(double X0, double Y0, double Z0, double X1, double Y1, double Z1) const;

private:
  double FMatrix[16]; // Projection * Model
  int FWidth, FHeight;
  double FPixelX, FPixelY; // centre of the pixel
};
