// Deciding from the camera's matrices whether a box can cover the picked
// pixel: it must never leave out anything that covers it.
#include "render/PixelCover.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A symmetric perspective of 90 degrees (near 1, far 100), eye at the
// origin looking down -z, on a 100 x 100 picture.
struct TSetup {
  double Model[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  double Projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0 / 99, -1, 0, 0, -200.0 / 99, 0};
};

TEST(PixelCover, ProjectsThroughBothMatrices) {
  TSetup S;
  const TPixelCover Cover(S.Model, S.Projection, 100, 100, 50, 50);
  const TScreenPoint Centre = Cover.Project(0, 0, -10);
  EXPECT_TRUE(Centre.InFront);
  EXPECT_NEAR(Centre.X, 50, 1e-9);
  EXPECT_NEAR(Centre.Y, 50, 1e-9);
  const TScreenPoint Edge = Cover.Project(10, -10, -10); // 45 degrees right and down
  EXPECT_NEAR(Edge.X, 100, 1e-9);
  EXPECT_NEAR(Edge.Y, 0, 1e-9);
  EXPECT_FALSE(Cover.Project(0, 0, 5).InFront);
}

TEST(PixelCover, KeepsWhatCoversThePixelAndItsNeighbourhood) {
  TSetup S;
  S.Model[12] = 3; // the scene moved 3 units right
  const TPixelCover Cover(S.Model, S.Projection, 100, 100, 80, 50);
  // The centre of pixel 80 is 0.61 of the half-width right of the middle: at
  // depth 10 that is x = 6.1, or 3.1 before the move.
  EXPECT_TRUE(Cover.MayCoverBox(2.9, -0.1, -10.1, 3.3, 0.1, -9.9));
  // A box whose picture ends just short of the pixel is kept within the margin...
  EXPECT_TRUE(Cover.MayCoverBox(0.0, -0.1, -10, 3.05, 0.1, -10));
  // ...and one well clear of it is left out, on either side and above.
  EXPECT_FALSE(Cover.MayCoverBox(-5, -1, -10, 0, 1, -10));
  EXPECT_FALSE(Cover.MayCoverBox(4.0, -1, -10, 5, 1, -10));
  EXPECT_FALSE(Cover.MayCoverBox(2, 3, -10, 5, 4, -10));
}

TEST(PixelCover, KeepsAnythingReachingBehindTheEye) {
  TSetup S;
  const TPixelCover Cover(S.Model, S.Projection, 100, 100, 0, 0);
  EXPECT_TRUE(Cover.MayCoverBox(50, 50, -10, 60, 60, 1));
  EXPECT_FALSE(Cover.MayCoverBox(50, 50, -10, 60, 60, -9));
}

} // namespace
