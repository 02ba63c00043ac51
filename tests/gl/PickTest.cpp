// Picks through the real form render of the viewport: the code under the
// projected centre of a base cell, of a piece's side or of one of its top
// cells; that edges never blend two codes into a third; and what the five
// numbers of the live camera do to the model-view matrix.
#include "Editor.h"
#include "Picking.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "render/Camera.h"
#include "render/Construction.h"
#include "render/Render.h"
#include "render/Scene.h"
#include "viewport/Volume.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// Middle of the side of piece N's box that faces +y (towards the eye while
// Turn is 0).
TPoint HighYSideCentre(int N) {
  const TPlacedPiece &P = Construction.Pieces[N];
  const TSize S = SizeOf(P.Piece);
  const KitApi::TBoxSize Box = KitApi::RotatedBox(P.Rotation, S.X, S.Y);
  return {P.X + Box.X / 2.0, double(P.Y + Box.Y), P.Z + S.Z / 2.0};
}

// True when Code is one the form render draws for the current construction.
bool IsDrawnCode(int32_t Code) {
  if (Code == 0)
    return true;
  if (Code >= BaseCodeStart)
    return Code < BaseCodeStart + Construction.BaseWidth * Construction.BaseLength;
  const int N = Code / 101, F = Code % 101;
  if (N < 1 || N > Construction.PieceCount)
    return false;
  const TSize S = SizeOf(Construction.Pieces[N].Piece);
  return F <= S.X * S.Y;
}

class Pick : public testing::Test {
protected:
  void SetUp() override {
    StartEditor();
    ASSERT_EQ(Construction.ViewportWidth, 800);
    ASSERT_EQ(Construction.ViewportHeight, 600);
  }

  void StartWithKit(int W, int L, int H) {
    NewConstruction(W, L, H);
    LoadAllKits();
    ASSERT_EQ(Construction.KitCount, 1);
  }
};

TEST_F(Pick, BackgroundAndEveryBaseCell) {
  NewConstruction(10, 8, 10);
  const int W = 800, H = 600;
  for (TPixel Corner : {TPixel{0, 0}, TPixel{W - 1, 0}, TPixel{0, H - 1}, TPixel{W - 1, H - 1}})
    EXPECT_EQ(PickAt(Corner.X, Corner.Y), 0) << "window corner " << Corner.X << ", " << Corner.Y;

  EXPECT_EQ(PickOf({3.5, 2.5, 0}), 10000001 + 23);
  for (int X = 0; X < 10; ++X)
    for (int Y = 0; Y < 8; ++Y) {
      const int32_t Code = PickOf({X + 0.5, Y + 0.5, 0});
      EXPECT_EQ(Code, BaseCode(X, Y)) << "cell " << X << ", " << Y;
      const THit Hit = DecodePick(Code);
      EXPECT_EQ(Hit.Kind, THit::Base);
      EXPECT_EQ(Hit.X, X);
      EXPECT_EQ(Hit.Y, Y);
    }

  // Seen from other sides the same cells still answer with their own codes.
  TPosition &Camera = CurrentCamera();
  for (double Turn : {90.0, 200.0, 315.0}) {
    Camera.Turn = Turn;
    Camera.Tilt = 30;
    for (TPixel Cell : {TPixel{0, 0}, TPixel{9, 0}, TPixel{0, 7}, TPixel{9, 7}, TPixel{3, 2}})
      EXPECT_EQ(PickOf({Cell.X + 0.5, Cell.Y + 0.5, 0}), BaseCode(Cell.X, Cell.Y))
          << "cell " << Cell.X << ", " << Cell.Y << " at turn " << Turn;
  }

  // Where the projection puts the base, worked out by hand. A 20 x 20 base
  // seen straight down from 30 cells over its middle, with 45 degrees of view
  // over the 600 rows: 300 / tan(22.5) / 30 = 10 (1 + sqrt 2) = 24.14 pixels
  // a cell, so its edges lie 241.4 pixels from the middle (400, 300), at
  // x 158.6 and 641.4, y 58.6 and 541.4. Pixel X spans X .. X + 1.
  NewConstruction(20, 20, 10);
  Camera.Tilt = 0;
  ASSERT_EQ(Camera.Distance, 30);
  const struct {
    int X, Y;
    int32_t Code;
  } ByHand[] = {{400, 300, BaseCode(10, 10)}, {640, 300, BaseCode(19, 10)}, {642, 300, 0},
                {159, 300, BaseCode(0, 10)},  {157, 300, 0},                {400, 59, BaseCode(10, 0)},
                {400, 57, 0},                 {400, 540, BaseCode(10, 19)}, {400, 542, 0}};
  for (const auto &P : ByHand)
    EXPECT_EQ(PickAt(P.X, P.Y), P.Code) << "pixel " << P.X << ", " << P.Y;
  // The near plane lies 3 cells from the eye: the base is drawn 3.05 cells
  // away and cut off 2.95 cells away.
  Camera.Distance = 3.05;
  EXPECT_EQ(PickAt(400, 300), BaseCode(10, 10));
  Camera.Distance = 2.95;
  EXPECT_EQ(PickAt(400, 300), 0);

  // The largest base: the highest codes of all.
  NewConstruction(150, 150, 10);
  CurrentCamera().Tilt = 0;
  for (TPixel Cell : {TPixel{0, 0}, TPixel{149, 0}, TPixel{0, 149}, TPixel{149, 149}})
    EXPECT_EQ(PickOf({Cell.X + 0.5, Cell.Y + 0.5, 0}), BaseCode(Cell.X, Cell.Y))
        << "cell " << Cell.X << ", " << Cell.Y;
}

TEST_F(Pick, SidesAndTopCellsOfPieces) {
  StartWithKit(16, 12, 10);
  // Six bricks in a row at the back, piece 7 in front of them.
  for (int K = 0; K < 6; ++K)
    Put(BlueOne, 2 * K, 0, 0, 1);
  Put(BlueThree, 6, 6, 0, 1);
  ASSERT_EQ(Construction.PieceCount, 7);

  EXPECT_EQ(PickOf(HighYSideCentre(7)), 707);
  EXPECT_EQ(PickOf(TopCellCentre(7, 1)), 708);
  for (int N = 1; N <= 6; ++N) {
    EXPECT_EQ(PickOf(HighYSideCentre(N)), N * 101) << "side of piece " << N;
    for (int F = 1; F <= 2; ++F)
      EXPECT_EQ(PickOf(TopCellCentre(N, F)), N * 101 + F) << "piece " << N << " cell " << F;
  }

  // Every top cell of a 2 x 3 footprint at each rotation sits where the
  // footprint rotation says: the kit's drawing and the editor agree.
  for (int Rotation = 1; Rotation <= 4; ++Rotation) {
    Construction.Pieces[7].Rotation = uint8_t(Rotation);
    EXPECT_EQ(PickOf(HighYSideCentre(7)), 707) << "rotation " << Rotation;
    for (int F = 1; F <= 6; ++F)
      EXPECT_EQ(PickOf(TopCellCentre(7, F)), 707 + F) << "rotation " << Rotation << " cell " << F;
  }
  Construction.Pieces[7].Rotation = 2;
  const TPoint Fourth = TopCellCentre(7, 4);
  EXPECT_EQ(Fourth.X, 6.5); // footprint cell (1, 0) turned a quarter lands on the origin cell
  EXPECT_EQ(Fourth.Y, 6.5);
  EXPECT_EQ(PickOf(Fourth), 711);

  // A piece number whose codes need all three bytes: 700 * 101 > 65535.
  for (int N = 8; N < 700; ++N)
    Construction.Pieces[N] = {1, BlueOne, 14, 10, 0, 1};
  Construction.Pieces[700] = {1, BlueTwo, 12, 8, 0, 1};
  Construction.PieceCount = 700;
  EXPECT_EQ(PickOf(HighYSideCentre(700)), 70700);
  const int32_t Code = PickOf(TopCellCentre(700, 4));
  EXPECT_EQ(Code, 70704);
  const THit Hit = DecodePick(Code);
  EXPECT_EQ(Hit.Kind, THit::PieceTop);
  EXPECT_EQ(Hit.Number, 700);
  EXPECT_EQ(Hit.TopCell, 4);
}

// Sweeps the pixels between A and B (both projected) and checks that each
// code read is one the render draws; returns the distinct codes met.
std::set<int32_t> SweepCodes(TPoint A, TPoint B) {
  const TPixel PA = PixelOf(A), PB = PixelOf(B);
  const int Steps = std::max(std::abs(PB.X - PA.X), std::abs(PB.Y - PA.Y));
  std::set<int32_t> Seen;
  for (int S = 0; S <= Steps; ++S) {
    const int X = PA.X + int(std::lround(double(PB.X - PA.X) * S / std::max(Steps, 1)));
    const int Y = PA.Y + int(std::lround(double(PB.Y - PA.Y) * S / std::max(Steps, 1)));
    const int32_t Code = PickAt(X, Y);
    EXPECT_TRUE(IsDrawnCode(Code)) << "code " << Code << " at pixel " << X << ", " << Y;
    Seen.insert(Code);
  }
  return Seen;
}

TEST_F(Pick, EdgesNeverYieldUndrawnCodes) {
  StartWithKit(12, 10, 10);
  Put(BlueTwo, 3, 4, 0, 1);
  Put(BlueTwo, 5, 4, 0, 3); // touching piece 1 along x = 5
  Put(Window, 7, 4, 0, 1);
  Put(RoofTwo, 3, 6, 0, 2); // in front of piece 1
  Put(BlueFour, 3, 4, 1, 2); // across the tops of pieces 1 and 2
  // From further back, so that a sweep stays short: every pixel of it is a pick.
  CurrentCamera().Distance = 60;
  for (double Turn : {0.0, 33.0}) {
    CurrentCamera().Turn = Turn;
    CurrentCamera().Tilt = Turn == 0 ? 55 : 40;
    SCOPED_TRACE(testing::Message() << "turn " << Turn);
    // Along the pieces, across their tops and the seams between them.
    const std::set<int32_t> Along = SweepCodes({1.5, 5.0, 1.0}, {9.5, 5.0, 1.0});
    // Across the roof, piece 1's top and side and the base cells around them.
    const std::set<int32_t> Across = SweepCodes({4.0, 2.5, 0.0}, {4.0, 9.5, 0.0});
    EXPECT_GE(Along.size(), 5u);
    EXPECT_GE(Across.size(), 5u);
  }
}

// Eye-space image of the homogeneous world point (X, Y, Z, Wh) under the
// live camera as the renders apply it. GL keeps its matrices in single
// precision, hence the tolerances below.
TPoint Eye(double X, double Y, double Z, double Wh = 1) {
  std::unique_ptr<TGlContext> C = BeginPickCamera();
  EXPECT_TRUE(C) << "no context";
  GLdouble M[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, M);
  endDraw(false, false, std::move(C));
  return {M[0] * X + M[4] * Y + M[8] * Z + M[12] * Wh, M[1] * X + M[5] * Y + M[9] * Z + M[13] * Wh,
          M[2] * X + M[6] * Y + M[10] * Z + M[14] * Wh};
}

TEST_F(Pick, CameraPositionMovesTheModelView) {
  NewConstruction(50, 30, 10);
  TPosition &Camera = CurrentCamera();
  EXPECT_EQ(&Camera, &Construction.Views[Construction.ViewCount]);
  EXPECT_EQ(Camera.Distance, 75);
  EXPECT_EQ(Camera.Tilt, 55);
  EXPECT_EQ(Camera.Turn, 0);
  EXPECT_EQ(Camera.PanX, 0);
  EXPECT_EQ(Camera.PanY, 0);

  // Without pan the base's centre is the pivot: it stays straight ahead of
  // the eye at the camera's distance whatever the turn and tilt.
  for (double Turn : {0.0, 90.0, 137.5, 359.0})
    for (double Tilt : {0.0, 55.0, 90.0}) {
      Camera.Turn = Turn;
      Camera.Tilt = Tilt;
      const TPoint C = Eye(25, 15, 0);
      EXPECT_NEAR(C.X, 0, 1e-4) << Turn << ", " << Tilt;
      EXPECT_NEAR(C.Y, 0, 1e-4) << Turn << ", " << Tilt;
      EXPECT_NEAR(C.Z, -75, 1e-4) << Turn << ", " << Tilt;
    }

  // Looking straight down (tilt 0): turn 0 keeps the base's x along the
  // eye's x; a quarter turn carries it onto the eye's y axis. Turning about z
  // gives world +y; the mirror then flips it, so it arrives as eye -y.
  Camera.Tilt = 0;
  Camera.Turn = 0;
  TPoint Dir = Eye(1, 0, 0, 0);
  EXPECT_NEAR(Dir.X, 1, 1e-6);
  EXPECT_NEAR(Dir.Y, 0, 1e-6);
  Camera.Turn = 90;
  Dir = Eye(1, 0, 0, 0);
  EXPECT_NEAR(Dir.X, 0, 1e-6);
  EXPECT_NEAR(std::abs(Dir.Y), 1, 1e-6);
  EXPECT_NEAR(Dir.Y, -1, 1e-6);
  EXPECT_NEAR(Dir.Z, 0, 1e-6);
  // The base's up direction points at the eye whatever the turn.
  const TPoint Up = Eye(0, 0, 1, 0);
  EXPECT_NEAR(Up.Z, 1, 1e-6);

  // The tilt leans the view away from the vertical: the base's up direction
  // keeps cos(tilt) of its length towards the eye.
  Camera.Tilt = 55;
  EXPECT_NEAR(Eye(0, 0, 1, 0).Z, std::cos(55 * M_PI / 180), 1e-6);

  // Pan shifts the picture: the base's centre moves off the line of sight
  // sideways by PanX.
  Camera.PanX = 4;
  EXPECT_NEAR(Eye(25, 15, 0).X, 4, 1e-4);

  // Re-centring restores the live camera only; saved views and names stay.
  Construction.ViewCount = 3;
  Construction.Views[1] = {"North", 10, 20, 30, 1, 2};
  Construction.Views[2] = {"Roof", 40, 80, 350, -3, 5};
  Construction.Views[3] = {"", 12, 70, 250, 6, -7};
  RecenterCamera();
  const TPosition &Live = Construction.Views[3];
  EXPECT_EQ(Live.Distance, 75);
  EXPECT_EQ(Live.Tilt, 55);
  EXPECT_EQ(Live.Turn, 0);
  EXPECT_EQ(Live.PanX, 0);
  EXPECT_EQ(Live.PanY, 0);
  EXPECT_EQ(Construction.Views[1].Name, "North");
  EXPECT_EQ(Construction.Views[1].Distance, 10);
  EXPECT_EQ(Construction.Views[1].Turn, 30);
  EXPECT_EQ(Construction.Views[2].Name, "Roof");
  EXPECT_EQ(Construction.Views[2].Tilt, 80);
  EXPECT_EQ(Construction.Views[2].PanY, 5);
  const TPoint C = Eye(25, 15, 0);
  EXPECT_NEAR(C.X, 0, 1e-4);
  EXPECT_NEAR(C.Z, -75, 1e-4);
}

} // namespace
