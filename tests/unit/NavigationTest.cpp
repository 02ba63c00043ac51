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
  // A window wider than tall: its diagonals are not at 45 degrees, so a
  // width and height taken the wrong way round move the borders. (100, 100)
  // is left of both diagonals here but above them in a 360 x 640 window.
  const struct {
    int X, Y;
    TRegion Region;
  } Wide[] = {{320, 350, TRegion::Bottom}, {300, 355, TRegion::Bottom}, {20, 180, TRegion::Left},
              {100, 100, TRegion::Left},   {200, 200, TRegion::Left},   {620, 180, TRegion::Right},
              {540, 100, TRegion::Right},  {320, 10, TRegion::Top},     {16, 9, TRegion::None},
              {16, 351, TRegion::None},    {480, 90, TRegion::None},    {320, 180, TRegion::None},
              {640, 0, TRegion::None}};
  for (const auto &C : Wide)
    EXPECT_EQ(RegionAt(C.X, C.Y, 640, 360), C.Region) << C.X << ", " << C.Y;
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
  // Each mode's cursor in each region of a 640 x 360 window; none on a diagonal.
  const struct {
    int X, Y;
    int16_t Rotate, Move, Size;
  } Regions[] = {{320, 350, 113, 109, 105},
                 {100, 100, 115, 111, 103},
                 {620, 180, 114, 110, 102},
                 {320, 10, 112, 108, 104},
                 {16, 9, 0, 0, 0}};
  for (const auto &C : Regions) {
    SCOPED_TRACE(std::to_string(C.X) + ", " + std::to_string(C.Y));
    EXPECT_EQ(CursorAt(ModeRotate, C.X, C.Y, 640, 360), C.Rotate);
    EXPECT_EQ(CursorAt(ModeMove, C.X, C.Y, 640, 360), C.Move);
    EXPECT_EQ(CursorAt(ModeSize, C.X, C.Y, 640, 360), C.Size);
  }
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

  // Every region of a 640 x 360 window, each limit from both sides. The
  // bottom and top regions tilt by the height's distance from the middle
  // row 180, the left and right ones turn by the width's from column 320.
  const struct {
    TRegion Region;
    int X, Y;
    double Tilt, Turn;       // before
    double NewTilt, NewTurn; // after
    bool Turned;
  } Cases[] = {
      {TRegion::Bottom, 320, 350, 55, 100, 38, 100, false},   // - 17
      {TRegion::Bottom, 300, 355, 55, 100, 37.5, 100, false}, // - 17.5
      {TRegion::Bottom, 320, 350, 17.5, 100, 0.5, 100, false}, // just above 0
      {TRegion::Bottom, 320, 350, 17, 100, 0, 100, false},    // exactly down to 0
      {TRegion::Bottom, 320, 350, 10, 100, 0, 100, false},    // -7 is held at 0
      {TRegion::Top, 320, 10, 55, 100, 72, 100, false},       // + 17
      {TRegion::Top, 320, 10, 72.5, 100, 89.5, 100, false},   // just below 90
      {TRegion::Top, 320, 10, 73, 100, 90, 100, false},       // exactly up to 90
      {TRegion::Top, 320, 10, 80, 100, 90, 100, false},       // 97 is held at 90
      {TRegion::Left, 20, 180, 55, 100, 55, 130, true},       // + 30
      {TRegion::Left, 200, 200, 55, 100, 55, 112, true},      // + 12, whatever the row
      {TRegion::Left, 20, 180, 55, 329, 55, 359, true},       // just below 360
      {TRegion::Left, 20, 180, 55, 330, 55, 0, true},         // 360 is 0
      {TRegion::Left, 20, 180, 55, 345, 55, 15, true},        // 375 is 15
      {TRegion::Right, 620, 180, 55, 100, 55, 70, true},      // - 30
      {TRegion::Right, 540, 100, 55, 100, 55, 78, true},      // - 22
      {TRegion::Right, 620, 180, 55, 30, 55, 0, true},        // exactly 0 stays 0
      {TRegion::Right, 620, 180, 55, 10, 55, 340, true},      // -20 is 340
      {TRegion::None, 16, 9, 55, 100, 55, 100, false},
  };
  for (const auto &Case : Cases) {
    SCOPED_TRACE(testing::Message() << "press at " << Case.X << ", " << Case.Y << " with tilt "
                                    << Case.Tilt << ", turn " << Case.Turn);
    TPosition P = {"", 80, Case.Tilt, Case.Turn, 1, 2};
    EXPECT_EQ(RotateCamera(P, Case.Region, Case.X, Case.Y, 640, 360), Case.Turned);
    EXPECT_DOUBLE_EQ(P.Tilt, Case.NewTilt);
    EXPECT_DOUBLE_EQ(P.Turn, Case.NewTurn);
    EXPECT_EQ(P.Distance, 80);
    EXPECT_EQ(P.PanX, 1);
    EXPECT_EQ(P.PanY, 2);
  }
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

  // Move in every region of a 640 x 360 window, from a pan of (1, -2): the
  // bottom and top pan along y by the row's distance from row 180, the left
  // and right along x by the column's distance from column 320.
  const struct {
    TRegion Region;
    int X, Y;
    double PanX, PanY; // after
  } Moves[] = {
      {TRegion::Bottom, 320, 350, 1, 15},   // + 17
      {TRegion::Bottom, 300, 355, 1, 15.5}, // + 17.5
      {TRegion::Top, 320, 10, 1, -19},      // - 17
      {TRegion::Left, 20, 180, -29, -2},    // - 30
      {TRegion::Left, 200, 200, -11, -2},   // - 12, whatever the row
      {TRegion::Right, 620, 180, 31, -2},   // + 30
      {TRegion::Right, 540, 100, 23, -2},   // + 22
      {TRegion::None, 16, 9, 1, -2},
  };
  for (const auto &M : Moves) {
    SCOPED_TRACE(std::to_string(M.X) + ", " + std::to_string(M.Y));
    TPosition P = {"", 80, 55, 10, 1, -2};
    MoveCamera(P, M.Region, M.X, M.Y, 640, 360);
    EXPECT_DOUBLE_EQ(P.PanX, M.PanX);
    EXPECT_DOUBLE_EQ(P.PanY, M.PanY);
    EXPECT_EQ(P.Distance, 80);
    EXPECT_EQ(P.Tilt, 55);
    EXPECT_EQ(P.Turn, 10);
  }

  // Zoom from a distance of 50: the upper half moves away by a tenth of the
  // row, the lower half (from the middle row on) comes closer by a tenth of
  // the row's distance from the middle. In a window of odd height the
  // middle lies between two rows.
  const struct {
    int Y, Height;
    double Distance; // after
  } Zooms[] = {
      {0, 360, 50},      {10, 360, 51},     {179, 360, 67.9}, {180, 360, 50},
      {181, 360, 49.9},  {359, 360, 32.1},  {180, 361, 68},   {181, 361, 49.95},
      {360, 361, 32.05},
  };
  for (const auto &Z : Zooms) {
    SCOPED_TRACE(std::to_string(Z.Y) + " of " + std::to_string(Z.Height));
    TPosition P = {"", 50, 55, 10, 1, -2};
    ZoomCamera(P, Z.Y, Z.Height);
    EXPECT_DOUBLE_EQ(P.Distance, Z.Distance);
    EXPECT_EQ(P.Tilt, 55);
    EXPECT_EQ(P.PanY, -2);
  }
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

  // Every region and limit with a viewport wider than tall. The bottom and
  // left shrink it to no less than 100 pixels; the right grows it up to 100
  // pixels short of the main window beside its left column, the top up to
  // 100 pixels short of the main window's height; growth never turns into
  // shrinking. The window moves by half the change, truncated.
  const struct {
    TRegion Region;
    int X, Y, Width, Height;
    TRoom Room;
    TResize Change; // Width, Height, Left, Top
  } Cases[] = {
      {TRegion::Bottom, 300, 355, 640, 360, Room, {0, -87, 0, 43}}, // 87.5 cut to 87
      {TRegion::Bottom, 320, 119, 640, 120, Room, {0, -20, 0, 10}}, // 29 would leave 91
      {TRegion::Bottom, 320, 99, 640, 100, Room, {0, 0, 0, 0}},     // already the least
      {TRegion::Left, 20, 180, 640, 360, Room, {-150, 0, 75, 0}},
      {TRegion::Left, 21, 180, 640, 360, Room, {-149, 0, 74, 0}},   // 149.5 cut to 149
      {TRegion::Left, 200, 200, 640, 360, Room, {-60, 0, 30, 0}},   // the row plays no part
      {TRegion::Left, 0, 180, 120, 360, Room, {-20, 0, 10, 0}},     // 30 would leave 90
      {TRegion::Left, 0, 180, 100, 360, Room, {0, 0, 0, 0}},
      {TRegion::Right, 620, 180, 640, 360, Room, {150, 0, -75, 0}},
      {TRegion::Right, 619, 180, 640, 360, Room, {149, 0, -74, 0}},
      {TRegion::Right, 540, 100, 640, 360, Room, {110, 0, -55, 0}},
      // 1000 - 129 - 100 = 771 wide at most, 131 more than 640.
      {TRegion::Right, 620, 180, 640, 360, {1000, 1024, 129}, {131, 0, -65, 0}},
      // Just room for the whole step: 640 + 150 = 790 = 1019 - 129 - 100.
      {TRegion::Right, 620, 180, 640, 360, {1019, 1024, 129}, {150, 0, -75, 0}},
      // Room for 471 only: wider already, and it does not narrow.
      {TRegion::Right, 620, 180, 640, 360, {700, 1024, 129}, {0, 0, 0, 0}},
      {TRegion::Top, 320, 10, 640, 360, Room, {0, 85, 0, -42}},
      // 500 - 100 = 400 high at most: 40 more than 360; the left column
      // and the main window's width play no part.
      {TRegion::Top, 320, 10, 640, 360, {1280, 500, 129}, {0, 40, 0, -20}},
      {TRegion::Top, 320, 10, 640, 360, {1280, 545, 129}, {0, 85, 0, -42}}, // just room
      {TRegion::Top, 320, 10, 640, 360, {1280, 400, 129}, {0, 0, 0, 0}},    // taller already
      {TRegion::None, 16, 9, 640, 360, Room, {0, 0, 0, 0}},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(testing::Message() << "press at " << C.X << ", " << C.Y << " in " << C.Width
                                    << " x " << C.Height << ", main window " << C.Room.MainWidth
                                    << " x " << C.Room.MainHeight);
    ASSERT_EQ(RegionAt(C.X, C.Y, C.Width, C.Height), C.Region);
    R = SizeViewport(C.Region, C.X, C.Y, C.Width, C.Height, C.Room);
    EXPECT_EQ(R.Width, C.Change.Width);
    EXPECT_EQ(R.Height, C.Change.Height);
    EXPECT_EQ(R.Left, C.Change.Left);
    EXPECT_EQ(R.Top, C.Change.Top);
  }
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

// The wheel's quarter steps stop at the nearest and farthest distances, but
// never pull back a camera that presses took past them; a drag's turn wraps
// and its tilt holds within 0..90.
TEST(Navigation, WheelLimitsAndDrags) {
  TPosition C = Camera(6, 55, 0);
  WheelZoomCamera(C, true, 600);
  EXPECT_DOUBLE_EQ(C.Distance, NearestWheelDistance);
  C.Distance = 2; // zoomed in by presses
  WheelZoomCamera(C, true, 600);
  EXPECT_DOUBLE_EQ(C.Distance, 2);
  WheelZoomCamera(C, false, 600);
  EXPECT_DOUBLE_EQ(C.Distance, 5.75);
  C.Distance = 450;
  WheelZoomCamera(C, false, 600);
  EXPECT_DOUBLE_EQ(C.Distance, 450);
  WheelZoomCamera(C, true, 600);
  EXPECT_DOUBLE_EQ(C.Distance, 446.25);

  C = Camera(80, 10, 5);
  DragCamera(C, TDrag::Turn, 20, 30, 600);
  EXPECT_DOUBLE_EQ(C.Turn, 355);
  EXPECT_DOUBLE_EQ(C.Tilt, 0);
  DragCamera(C, TDrag::Turn, -730, -400, 600);
  EXPECT_DOUBLE_EQ(C.Turn, 355 + 365 - 720);
  EXPECT_DOUBLE_EQ(C.Tilt, 90);
}

} // namespace
