// The kit's texture images: sizes, fill and outline pixels of each kind of
// image (plain outline, top-and-bottom rows, jamb strips, roof panels).
#include "TexturesImg.h"

#include <gtest/gtest.h>

using namespace Marbelo;

namespace {

constexpr uint32_t Rgb(uint32_t R, uint32_t G, uint32_t B) { return R | (G << 8) | (B << 16); }

constexpr uint32_t BlueFill = Rgb(0, 0, 255), BlueLine = Rgb(0, 0, 192);
constexpr uint32_t WhiteFill = Rgb(255, 255, 255), GreyLine = Rgb(192, 192, 192);

uint32_t Pixel(TImageId Id, int X, int Y) {
  const TImage &I = Image(Id);
  return I.Pixels[X + I.Width * Y];
}

TEST(TexturesImg, SizesInSlotOrder) {
  const int Sizes[ImageCount][2] = {
      {10, 10}, {10, 10}, {64, 32},  {64, 16}, {32, 16}, {16, 16}, {48, 16},
      {48, 32}, {32, 32}, {16, 32},  {128, 32}, {128, 16}, {32, 16}, {16, 96},
      {64, 16}, {6, 96},  {6, 96},   {52, 6},  {52, 6},  {16, 64}, {48, 16},
      {6, 64},  {6, 64},  {36, 6},   {128, 40}, {32, 40}};
  for (int Id = 0; Id < ImageCount; ++Id) {
    EXPECT_EQ(Image(TImageId(Id)).Width, Sizes[Id][0]) << Id;
    EXPECT_EQ(Image(TImageId(Id)).Height, Sizes[Id][1]) << Id;
  }
}

TEST(TexturesImg, OutlinedImagesHaveFillInsideAndOutlineOnEveryEdge) {
  EXPECT_EQ(Pixel(imgBase1, 0, 0), Rgb(0, 0, 0));
  EXPECT_EQ(Pixel(imgBase1, 5, 5), WhiteFill);
  EXPECT_EQ(Pixel(imgBase2, 9, 4), Rgb(0, 0, 0));
  EXPECT_EQ(Pixel(imgBase2, 4, 4), Rgb(255, 0, 0));
  EXPECT_EQ(Pixel(imgBlueFourUp, 63, 31), BlueLine);
  EXPECT_EQ(Pixel(imgBlueFourUp, 32, 0), BlueLine);
  EXPECT_EQ(Pixel(imgBlueFourUp, 32, 16), BlueFill);
  EXPECT_EQ(Pixel(imgEightFace, 0, 8), GreyLine);
  EXPECT_EQ(Pixel(imgEightFace, 64, 8), WhiteFill);
  // The highest byte is 0 in every pixel.
  EXPECT_EQ(Pixel(imgEightUp, 10, 10) >> 24, 0u);
}

TEST(TexturesImg, HeadAndSillStripsHaveOnlyTopAndBottomRows) {
  for (TImageId Id : {imgDoorFaceUp, imgDoorFaceDown, imgWindowFaceUp}) {
    const int W = Image(Id).Width;
    EXPECT_EQ(Pixel(Id, 0, 3), WhiteFill) << Id;
    EXPECT_EQ(Pixel(Id, W - 1, 3), WhiteFill) << Id;
    EXPECT_EQ(Pixel(Id, 10, 0), GreyLine) << Id;
    EXPECT_EQ(Pixel(Id, 10, 5), GreyLine) << Id;
  }
}

TEST(TexturesImg, JambStripsLeaveTheirInnerColumnOpenWhereHeadAndSillMeet) {
  for (TImageId Left : {imgDoorFaceLeft, imgWindowFaceLeft}) {
    const int H = Image(Left).Height;
    const TImageId Right = TImageId(Left + 1);
    for (int Y : {1, 4, H - 5, H - 2}) {
      EXPECT_EQ(Pixel(Left, 0, Y), GreyLine) << Y;
      EXPECT_EQ(Pixel(Left, 5, Y), WhiteFill) << Y;
      EXPECT_EQ(Pixel(Right, 5, Y), GreyLine) << Y;
      EXPECT_EQ(Pixel(Right, 0, Y), WhiteFill) << Y;
    }
    for (int Y : {5, H / 2, H - 6}) {
      EXPECT_EQ(Pixel(Left, 5, Y), GreyLine) << Y;
      EXPECT_EQ(Pixel(Right, 0, Y), GreyLine) << Y;
    }
    EXPECT_EQ(Pixel(Left, 3, 0), GreyLine);
    EXPECT_EQ(Pixel(Left, 3, H - 1), GreyLine);
    EXPECT_EQ(Pixel(Left, 3, H / 2), WhiteFill);
  }
}

TEST(TexturesImg, RoofPanelHasSidesDownToRow29ThenARoundedLip) {
  // Outline spans of the lip rows 30..39; -1 marks a single span.
  const int Spans[10][4] = {{0, 1, 30, 31}, {0, 1, 30, 31}, {1, 2, 29, 30}, {1, 2, 29, 30},
                            {2, 3, 28, 29}, {2, 3, 28, 29}, {3, 5, 26, 28}, {4, 7, 24, 27},
                            {6, 25, -1, -1}, {8, 23, -1, -1}};
  for (int Copy = 0; Copy < 4; ++Copy) {
    const int X0 = 32 * Copy;
    EXPECT_EQ(Pixel(imgRoofEightUp, X0 + 15, 0), BlueLine);
    EXPECT_EQ(Pixel(imgRoofEightUp, X0 + 15, 20), BlueFill);
    EXPECT_EQ(Pixel(imgRoofEightUp, X0, 29), BlueLine);
    EXPECT_EQ(Pixel(imgRoofEightUp, X0 + 31, 29), BlueLine);
    for (int Row = 30; Row < 40; ++Row)
      for (int X = 0; X < 32; ++X) {
        const int *S = Spans[Row - 30];
        const bool Outline = (X >= S[0] && X <= S[1]) || (S[2] >= 0 && X >= S[2] && X <= S[3]);
        const uint32_t Expected = Outline ? BlueLine : BlueFill;
        EXPECT_EQ(Pixel(imgRoofEightUp, X0 + X, Row), Expected) << Row << "," << X;
        if (Copy == 0) {
          EXPECT_EQ(Pixel(imgRoofTwoUp, X, Row), Expected) << Row << "," << X;
        }
      }
  }
}

} // namespace
