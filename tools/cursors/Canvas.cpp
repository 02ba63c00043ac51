#include "Canvas.h"

namespace {

constexpr uint32_t ShadowColour = 0x50000000;

bool Inside(int X, int Y) { return X >= 0 && Y >= 0 && X < CursorSize && Y < CursorSize; }

} // namespace

bool TCanvas::IsOpaque(int X, int Y) const { return Inside(X, Y) && (Pixel(X, Y) >> 24) == 0xFF; }

void TCanvas::Fill(const TRegion &Region, uint32_t Colour) {
  for (int Y = 0; Y < CursorSize; ++Y)
    for (int X = 0; X < CursorSize; ++X)
      if (Region(X + 0.5, Y + 0.5))
        SetPixel(X, Y, Colour);
}

void TCanvas::Outline(uint32_t Colour) {
  const TCanvas Before = *this;
  for (int Y = 0; Y < CursorSize; ++Y)
    for (int X = 0; X < CursorSize; ++X) {
      if (Before.Pixel(X, Y) != 0)
        continue;
      for (int Dy = -1; Dy <= 1; ++Dy)
        for (int Dx = -1; Dx <= 1; ++Dx)
          if (Before.IsOpaque(X + Dx, Y + Dy))
            SetPixel(X, Y, Colour);
    }
}

void TCanvas::Shadow() {
  const TCanvas Before = *this;
  for (int Y = 0; Y < CursorSize; ++Y)
    for (int X = 0; X < CursorSize; ++X)
      if (Before.Pixel(X, Y) == 0 && Before.IsOpaque(X - 1, Y - 1))
        SetPixel(X, Y, ShadowColour);
}

// A quarter turn clockwise moves pixel (X, Y) to (31 - Y, X).
TCanvas TCanvas::Turned(int Quarters) const {
  TCanvas Result = *this;
  for (int Q = 0; Q < (Quarters % 4 + 4) % 4; ++Q) {
    const TCanvas Before = Result;
    for (int Y = 0; Y < CursorSize; ++Y)
      for (int X = 0; X < CursorSize; ++X)
        Result.SetPixel(CursorSize - 1 - Y, X, Before.Pixel(X, Y));
  }
  return Result;
}

TCanvas TCanvas::Mirrored() const {
  TCanvas Result;
  for (int Y = 0; Y < CursorSize; ++Y)
    for (int X = 0; X < CursorSize; ++X)
      Result.SetPixel(CursorSize - 1 - X, Y, Pixel(X, Y));
  return Result;
}
