// The arithmetic behind presses in the viewport: regions, camera steps and
// their limits, resizing within the room the main window leaves, the shape.
#include "viewport/Navigation.h"

#include <gtest/gtest.h>

namespace {

TPosition Camera(double Distance, double Tilt, double Turn) {
  return {"", Distance, Tilt, Turn, 0, 0};
}

TEST(Navigation, RegionsAreTheFourTrianglesBetweenTheDiagonals) {
  EXPECT_EQ(RegionAt(400, 550, 800, 600), TRegion::Bottom);
  EXPECT_EQ(RegionAt(10, 300, 800, 600), TRegion::Left);
  EXPECT_EQ(RegionAt(790, 300, 800, 600), TRegion::Right);
  EXPECT_EQ(RegionAt(400, 10, 800, 600), TRegion::Top);
  EXPECT_EQ(RegionAt(0, 0, 800, 600), TRegion::None);
  EXPECT_EQ(RegionAt(400, 300, 800, 600), TRegion::None);
  EXPECT_EQ(RegionAt(0, 600, 800, 600), TRegion::None);
}

TEST(Navigation, CursorsFollowModeAndRegion) {
  EXPECT_EQ(CursorAt(ModeRotate, 400, 550, 800, 600), 113);
  EXPECT_EQ(CursorAt(ModeMove, 10, 300, 800, 600), 111);
  EXPECT_EQ(CursorAt(ModeSize, 790, 300, 800, 600), 102);
  EXPECT_EQ(CursorAt(ModeSize, 400, 10, 800, 600), 104);
  EXPECT_EQ(CursorAt(ModeZoom, 400, 299, 800, 600), 107);
  EXPECT_EQ(CursorAt(ModeZoom, 400, 300, 800, 600), 106);
  EXPECT_EQ(CursorAt(ModeInsert, 0, 0, 800, 600), 117);
  EXPECT_EQ(CursorAt(ModeExtract, 0, 0, 800, 600), 118);
  EXPECT_EQ(CursorAt(ModeRotate, 0, 0, 800, 600), 0);
  EXPECT_EQ(CursorAt(ModeBusy, 400, 550, 800, 600), 0);
  EXPECT_EQ(CursorAt(ModeNone, 400, 550, 800, 600), 0);
}

TEST(Navigation, RotateStepsWithTheDistanceFromTheCentreWithinItsLimits) {
  TPosition C = Camera(80, 55, 0);
  EXPECT_FALSE(RotateCamera(C, TRegion::Bottom, 400, 550, 800, 600));
  EXPECT_DOUBLE_EQ(C.Tilt, 30);
  EXPECT_TRUE(RotateCamera(C, TRegion::Left, 10, 300, 800, 600));
  EXPECT_DOUBLE_EQ(C.Turn, 39);
  C = Camera(80, 5, 350);
  RotateCamera(C, TRegion::Bottom, 400, 590, 800, 600);
  EXPECT_DOUBLE_EQ(C.Tilt, 0);
  RotateCamera(C, TRegion::Left, 0, 300, 800, 600);
  EXPECT_DOUBLE_EQ(C.Turn, 30);
  C = Camera(80, 88, 10);
  RotateCamera(C, TRegion::Top, 400, 0, 800, 600);
  EXPECT_DOUBLE_EQ(C.Tilt, 90);
  RotateCamera(C, TRegion::Right, 790, 300, 800, 600);
  EXPECT_DOUBLE_EQ(C.Turn, 10 - 39 + 360);
}

TEST(Navigation, MoveAndZoom) {
  TPosition C = Camera(80, 55, 0);
  MoveCamera(C, TRegion::Top, 400, 100, 800, 600);
  MoveCamera(C, TRegion::Right, 700, 300, 800, 600);
  EXPECT_DOUBLE_EQ(C.PanY, -20);
  EXPECT_DOUBLE_EQ(C.PanX, 30);
  ZoomCamera(C, 10, 600);
  EXPECT_DOUBLE_EQ(C.Distance, 81);
  ZoomCamera(C, 290, 600);
  EXPECT_DOUBLE_EQ(C.Distance, 110);
  ZoomCamera(C, 590, 600);
  EXPECT_DOUBLE_EQ(C.Distance, 81);
}

TEST(Navigation, SizeKeepsTheWindowCentredWithinItsLimits) {
  const TRoom Room{1280, 1024, 129};
  TResize R = SizeViewport(TRegion::Bottom, 400, 590, 800, 600, Room);
  EXPECT_EQ(R.Height, -145);
  EXPECT_EQ(R.Top, 72);
  R = SizeViewport(TRegion::Bottom, 400, 119, 800, 120, Room);
  EXPECT_EQ(R.Height, -20);
  R = SizeViewport(TRegion::Left, 0, 300, 800, 600, Room);
  EXPECT_EQ(R.Width, -200);
  EXPECT_EQ(R.Left, 100);
  R = SizeViewport(TRegion::Right, 799, 300, 800, 600, Room);
  EXPECT_EQ(R.Width, 199);
  EXPECT_EQ(R.Left, -99);
  R = SizeViewport(TRegion::Right, 999, 300, 1000, 600, Room);
  EXPECT_EQ(R.Width, 1280 - 129 - 1000 - 100);
  EXPECT_EQ(R.Left, -25);
  R = SizeViewport(TRegion::Right, 799, 300, 1100, 600, Room);
  EXPECT_EQ(R.Width, 0);
  R = SizeViewport(TRegion::Top, 400, 0, 800, 600, Room);
  EXPECT_EQ(R.Height, 150);
  EXPECT_EQ(R.Top, -75);
  R = SizeViewport(TRegion::None, 0, 0, 800, 600, Room);
  EXPECT_EQ(R.Width, 0);
  EXPECT_EQ(R.Height, 0);
}

TEST(Navigation, MaximizeFillsTheRoomLessItsMargins) {
  const TResize R = MaximizeViewport(800, 600, {1280, 1024, 129});
  EXPECT_EQ(R.Height, 324);
  EXPECT_EQ(R.Top, -162);
  EXPECT_EQ(R.Width, 251);
  EXPECT_EQ(R.Left, -125);
  // A viewport wider than the room narrows; a taller one keeps its height.
  const TResize Narrow = MaximizeViewport(1200, 1000, {1280, 1024, 129});
  EXPECT_EQ(Narrow.Width, -149);
  EXPECT_EQ(Narrow.Height, 0);
}

TEST(Navigation, ShapeRadius) {
  EXPECT_EQ(ShapeRadius(800, 600), 80);
  EXPECT_EQ(ShapeRadius(300, 100), 30);
  EXPECT_EQ(ShapeRadius(250, 0), 25);  // 25.0
  EXPECT_EQ(ShapeRadius(125, 0), 12);  // 12.5 goes to the even neighbour
  EXPECT_EQ(ShapeRadius(135, 0), 14);  // 13.5 likewise
}

// On a screen too small for it the viewport takes the room right of the left
// column, keeping its aspect; where it fits it keeps its size.
TEST(Navigation, TheViewportShrinksToTheRoomItHas) {
  const struct {
    int MainWidth, MainHeight, Width, Height, FitWidth, FitHeight;
  } Cases[] = {{1280, 1024, 800, 600, 800, 600}, // fits
               {929, 600, 800, 600, 800, 600},   // just fits
               {800, 600, 800, 600, 671, 503},   // too wide: 671 / 800 of each side
               {640, 480, 800, 600, 511, 383},
               {1280, 400, 800, 600, 533, 400},  // too tall
               {640, 480, 300, 900, 160, 480},
               {130, 480, 800, 600, 1, 1}};      // no room at all: a pixel
  for (const auto &C : Cases) {
    SCOPED_TRACE(std::to_string(C.MainWidth) + " x " + std::to_string(C.MainHeight));
    const TViewportSize Size = FitViewport(C.Width, C.Height, {C.MainWidth, C.MainHeight, 129});
    EXPECT_EQ(Size.Width, C.FitWidth);
    EXPECT_EQ(Size.Height, C.FitHeight);
  }
}

} // namespace
