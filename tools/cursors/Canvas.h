// A cursor picture: 32 x 32 pixels, each 0xAARRGGBB with straight (not
// premultiplied) alpha; row 0 is the top row. Transparent pixels are 0.
#pragma once

#include "Regions.h"

#include <array>
#include <cstdint>

inline constexpr int CursorSize = 32;

class TCanvas {
public:
  uint32_t Pixel(int X, int Y) const { return FPixels[Y * CursorSize + X]; }
  void SetPixel(int X, int Y, uint32_t Colour) { FPixels[Y * CursorSize + X] = Colour; }
  bool IsOpaque(int X, int Y) const;

  // Paints every pixel whose centre lies in Region.
  void Fill(const TRegion &Region, uint32_t Colour);

  // Paints every transparent pixel that touches a painted one, diagonals too.
  void Outline(uint32_t Colour);

  // Darkens the transparent pixels below and to the right of the picture.
  void Shadow();

  // The picture turned clockwise by Quarters quarter turns about its centre.
  TCanvas Turned(int Quarters) const;
  // The picture mirrored left to right.
  TCanvas Mirrored() const;

private:
  std::array<uint32_t, CursorSize * CursorSize> FPixels{};
};
