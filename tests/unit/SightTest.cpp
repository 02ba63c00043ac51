// What of a recorded drawing sight from outside its box can reach: regions
// closed by axis-aligned walls, with the bottom walled or open, the inside
// of a convex solid with sloping faces, and drawings left open.
#include "render/Sight.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using TCorners = std::vector<std::array<float, 3>>;

// A recording of quadrilaterals (four corners each), as one batch.
TRecording QuadsOf(const TCorners &Corners) {
  TRecording Look;
  Look.Batches.push_back({GL_QUADS, 0, {}});
  for (const auto &C : Corners)
    Look.Batches[0].Vertices.push_back({C[0], C[1], C[2], 0, 0, 1, 0, 0, 255, 255, 255, 255});
  return Look;
}

// A 2 x 1 x 1 box's top and sides, wound the way Marbelo's are (their
// fronts inward), its corners off by the rounding a kit's turn leaves.
TCorners CupCorners(float TopTo = 2) {
  const float E = 1.2e-16f, X = 2 - E, Y = 1 + E;
  return {{E, 0, 1}, {E, Y, 1}, {TopTo, Y, 1}, {TopTo, 0, 1}, // top
          {X, 0, 0}, {0, 0, 0}, {0, 0, 1},    {X, 0, 1},     // y = 0
          {0, Y, 0}, {X, Y, 0}, {X, Y, 1},    {0, Y, 1},     // y = 1
          {0, 0, 0}, {0, Y, 0}, {0, Y, 1},    {0, 0, 1},     // x = 0
          {X, Y, 0}, {X, 0, 0}, {X, 0, 1},    {X, Y, 1}};    // x = 2
}

bool All(const std::vector<uint8_t> &V) { return std::all_of(V.begin(), V.end(), [](uint8_t B) { return B != 0; }); }

TEST(Sight, ACupIsClosedWhenItsBottomIsWalled) {
  const TBoxShape Shape = SightOf(QuadsOf(CupCorners()), 2, 1, 1);
  ASSERT_EQ(Shape.Quads.size(), 5u);
  for (const TSeenQuad &Q : Shape.Quads) {
    EXPECT_GE(Q.Face, 0);
    EXPECT_FALSE(Q.FrontOut) << "face " << Q.Face;
    EXPECT_TRUE(Q.FrontClosed[1]) << "face " << Q.Face; // the inside, walled below
    EXPECT_FALSE(Q.FrontClosed[0]) << "face " << Q.Face; // seen through the open bottom
    EXPECT_FALSE(Q.BackClosed[1]) << "face " << Q.Face;  // the outside
  }
  EXPECT_TRUE(All(Shape.TopCovered));
  for (int F = 0; F < 6; ++F) {
    EXPECT_TRUE(All(Shape.InsideClosed[1][F])) << F;
    EXPECT_FALSE(All(Shape.InsideClosed[0][F])) << F;
  }
}

TEST(Sight, ACupWithAHoleInItsTopIsOpen) {
  const TBoxShape Shape = SightOf(QuadsOf(CupCorners(1.5f)), 2, 1, 1);
  for (const TSeenQuad &Q : Shape.Quads)
    EXPECT_FALSE(Q.FrontClosed[1] || Q.BackClosed[1]) << "face " << Q.Face;
  EXPECT_EQ(Shape.TopCovered, (std::vector<uint8_t>{1, 0}));
  EXPECT_FALSE(All(Shape.InsideClosed[1][5]));
}

// A wedge rising from x = 0 to a wall at x = 2: two triangular gables
// drawn as quadrilaterals with a corner repeated, the wall and the slope.
TEST(Sight, AWedgeIsASolidOnlyOnAWalledBottom) {
  const TBoxShape Shape = SightOf(QuadsOf({{0, 2, 0}, {2, 2, 0}, {2, 2, 1}, {2, 2, 1},
                                           {2, 2, 0}, {2, 0, 0}, {2, 0, 1}, {2, 2, 1},
                                           {2, 0, 0}, {0, 0, 0}, {2, 0, 1}, {2, 0, 1},
                                           {0, 0, 0}, {0, 2, 0}, {2, 2, 1}, {2, 0, 1}}),
                                  2, 2, 1);
  ASSERT_EQ(Shape.Quads.size(), 4u); // the slope too
  for (const TSeenQuad &Q : Shape.Quads) {
    EXPECT_NE(Q.FrontClosed[1], Q.BackClosed[1]);
    EXPECT_FALSE(Q.FrontClosed[0] || Q.BackClosed[0]);
  }
  EXPECT_FALSE(All(Shape.TopCovered));
}

} // namespace
