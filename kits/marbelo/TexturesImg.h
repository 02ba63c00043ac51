// The kit's 26 texture images, held as pixel tables built once when the
// library is loaded. Each pixel is red in the lowest byte, then green, then
// blue, and 0 in the highest byte; index x + Width*y, row 0 on top.
#pragma once

#include <cstdint>

namespace Marbelo {

// In the order of the texture slots.
enum TImageId : int {
  imgBase1,
  imgBase2,
  imgBlueFourUp,
  imgBlueFourFace,
  imgBlueTwoRight,
  imgBlueOneFace,
  imgBlueThreeFace,
  imgBlueThreeUp,
  imgBlueTwoUp,
  imgBlueOneUp,
  imgEightUp,
  imgEightFace,
  imgEightRight,
  imgDoorLeft,
  imgDoorUp,
  imgDoorFaceLeft,
  imgDoorFaceRight,
  imgDoorFaceUp,
  imgDoorFaceDown,
  imgWindowLeft,
  imgWindowUp,
  imgWindowFaceLeft,
  imgWindowFaceRight,
  imgWindowFaceUp,
  imgRoofEightUp,
  imgRoofTwoUp,
  ImageCount
};

struct TImage {
  int Width, Height;
  const uint32_t *Pixels;
};

const TImage &Image(TImageId Id);

} // namespace Marbelo
