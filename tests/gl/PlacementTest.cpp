// Inserting and extracting pieces through the viewport's click handlers, at
// the pixels where the renders put the cells and faces that are clicked:
// where the chosen piece lands, what is refused, and that the cell grid
// stays true to the list of placed pieces over a long random session.
#include "Editor.h"
#include "Picking.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "render/Camera.h"
#include "render/Construction.h"
#include "render/Render.h"
#include "render/Scene.h"
#include "render/ShellLink.h"
#include "viewport/Hover.h"
#include "viewport/Volume.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <tuple>
#include <vector>

bool operator==(const TPlacedPiece &A, const TPlacedPiece &B) {
  return std::memcmp(&A, &B, sizeof A) == 0;
}

namespace {

bool Solid(uint16_t Piece, int I, int J, int K) {
  uint8_t Filled = 0;
  Construction.Kits[1].GetPieceVolume(uint8_t(Piece), uint8_t(I + 1), uint8_t(J + 1),
                                      uint8_t(K + 1), &Filled);
  return Filled == 1;
}

// The box of a piece on the ground after its rotation.
void Box(uint16_t Piece, int Rotation, int &BX, int &BY) {
  const TSize S = SizeOf(Piece);
  const KitApi::TBoxSize B = KitApi::RotatedBox(uint8_t(Rotation), S.X, S.Y);
  BX = B.X;
  BY = B.Y;
}

void Choose(uint16_t Piece, int Rotation, int Anchor) {
  Construction.CurrentKit = 1;
  Construction.CurrentPiece = Piece;
  Construction.CurrentRotation = Rotation;
  Construction.AnchorCell = Anchor;
  Construction.Kits[1].GetPiece(uint8_t(Piece), &Construction.CurrentSizeX,
                                &Construction.CurrentSizeY, &Construction.CurrentSizeZ);
}


void Empty() {
  Construction.PieceCount = 0;
  ClearOccupancy();
}

TPoint BaseCentre(int X, int Y) { return {X + 0.5, Y + 0.5, 0}; }

// Middle of the side of piece N's box facing +y (towards the eye at turn 0).
TPoint SideCentre(int N) {
  const TPlacedPiece &P = Construction.Pieces[N];
  int BX, BY;
  Box(P.Piece, P.Rotation, BX, BY);
  return {P.X + BX / 2.0, double(P.Y + BY), P.Z + SizeOf(P.Piece).Z / 3.0};
}

// Clicks at P after making sure the pick there reads Expected.
void Insert(TPoint P, int32_t Expected) {
  const TPixel Px = PixelOf(P);
  ASSERT_EQ(PickAt(Px.X, Px.Y), Expected) << "at " << P.X << ", " << P.Y << ", " << P.Z;
  InsertPieceAt(Px.X, Px.Y);
}

void Extract(TPoint P, int32_t Expected) {
  const TPixel Px = PixelOf(P);
  ASSERT_EQ(PickAt(Px.X, Px.Y), Expected) << "at " << P.X << ", " << P.Y << ", " << P.Z;
  ExtractPieceAt(Px.X, Px.Y);
}

// The placed pieces and the grid of the base, for telling whether an edit
// changed anything.
struct TState {
  std::vector<TPlacedPiece> Pieces;
  std::vector<uint16_t> Grid;
  bool operator==(const TState &) const = default;
};

TState State() {
  TState S;
  S.Pieces.assign(Construction.Pieces + 1, Construction.Pieces + 1 + Construction.PieceCount);
  for (int X = 0; X < Construction.BaseWidth; ++X)
    for (int Y = 0; Y < Construction.BaseLength; ++Y)
      S.Grid.insert(S.Grid.end(), Construction.Occupancy[X][Y],
                    Construction.Occupancy[X][Y] + Construction.BaseHeight);
  return S;
}

// Stamps every placed piece afresh and compares with the live grid; names
// the first fault found: a cell outside the base, two pieces in one cell or
// a cell the grid disagrees on. Empty when all is well.
std::string GridFault() {
  const int W = Construction.BaseWidth, L = Construction.BaseLength, H = Construction.BaseHeight;
  std::vector<uint16_t> Fresh(size_t(W) * L * H, 0);
  std::ostringstream Out;
  for (int N = 1; N <= Construction.PieceCount; ++N) {
    const TPlacedPiece &P = Construction.Pieces[N];
    const TSize S = SizeOf(P.Piece);
    for (int I = 0; I < S.X; ++I)
      for (int J = 0; J < S.Y; ++J)
        for (int K = 0; K < S.Z; ++K) {
          if (!Solid(P.Piece, I, J, K))
            continue;
          const KitApi::TCellOffset D = RotateFootprint(P.Rotation, I, J, S.X, S.Y);
          const int X = P.X + D.Dx, Y = P.Y + D.Dy, Z = P.Z + K;
          if (X >= W || Y >= L || Z >= H)
            return (Out << "piece " << N << " leaves the base", Out.str());
          uint16_t &Cell = Fresh[(size_t(X) * L + Y) * H + Z];
          if (Cell != 0)
            return (Out << "pieces " << Cell << " and " << N << " share a cell", Out.str());
          Cell = uint16_t(N);
        }
  }
  for (int X = 0; X < W; ++X)
    for (int Y = 0; Y < L; ++Y)
      for (int Z = 0; Z < H; ++Z)
        if (Construction.Occupancy[X][Y][Z] != Fresh[(size_t(X) * L + Y) * H + Z])
          return (Out << "cell " << X << ", " << Y << ", " << Z << " holds "
                      << Construction.Occupancy[X][Y][Z] << ", pieces say "
                      << Fresh[(size_t(X) * L + Y) * H + Z],
                  Out.str());
  return {};
}

// Placed piece N as (piece, x, y, z, rotation); every piece here is of kit 1.
using TPlace = std::tuple<int, int, int, int, int>;
TPlace Placed(int N) {
  const TPlacedPiece &P = Construction.Pieces[N];
  EXPECT_EQ(P.Kit, 1);
  return {P.Piece, P.X, P.Y, P.Z, P.Rotation};
}

class Placement : public testing::Test {
protected:
  void SetUp() override {
    StartEditor();
    NewConstruction(10, 10, 10);
    LoadAllKits();
    ASSERT_EQ(Construction.KitCount, 1);
  }
  void TearDown() override { EXPECT_EQ(GridFault(), ""); }
};

TEST_F(Placement, ThePieceStaysInsideTheBase) {
  Choose(BlueFour, 1, 1);
  const TState Before = State();
  Insert(BaseCentre(9, 0), BaseCode(9, 0)); // two cells wide from x = 9
  Insert(BaseCentre(8, 7), BaseCode(8, 7)); // four cells long from y = 7
  // Turned the other way the box is 4 x 2 and ends at the clicked cell.
  Choose(BlueFour, 4, 1); // footprint cell (0, 0) lands at offset (3, 0)
  Insert(BaseCentre(2, 5), BaseCode(2, 5)); // the origin would be at x = -1
  Insert(BaseCentre(9, 9), BaseCode(9, 9)); // two cells long from y = 9
  EXPECT_TRUE(State() == Before);
  Insert(BaseCentre(9, 8), BaseCode(9, 8));
  ASSERT_EQ(Construction.PieceCount, 1);
  EXPECT_EQ(Placed(1), (TPlace{BlueFour, 6, 8, 0, 4}));

  Empty();
  Choose(BlueFour, 1, 1);
  Insert(BaseCentre(8, 6), BaseCode(8, 6)); // touches both far edges
  ASSERT_EQ(Construction.PieceCount, 1);
  EXPECT_EQ(Placed(1), (TPlace{BlueFour, 8, 6, 0, 1}));
  EXPECT_EQ(Construction.Occupancy[9][9][0], 1);

  // Up to the base's height and no further: a door is 6 high, the base 10.
  Put(Door, 3, 3, 0, 1);
  Choose(Door, 1, 1);
  const TState Low = State();
  Insert(TopCellCentre(2, 4), 2 * 101 + 4);
  EXPECT_TRUE(State() == Low);
  Choose(Window, 1, 1);
  Insert(TopCellCentre(2, 4), 2 * 101 + 4); // 6 + 4 reaches the top exactly
  ASSERT_EQ(Construction.PieceCount, 3);
  EXPECT_EQ(Placed(3), (TPlace{Window, 3, 6, 6, 1}));
}

TEST_F(Placement, AnchorCellLandsOnTheClickedCell) {
  Choose(BlueFour, 1, 8); // anchor = footprint cell (1, 3)
  Insert(BaseCentre(1, 3), BaseCode(1, 3));
  ASSERT_EQ(Construction.PieceCount, 1);
  EXPECT_EQ(Placed(1), (TPlace{BlueFour, 0, 0, 0, 1}));

  Empty();
  Choose(BlueFour, 2, 1); // a quarter turn puts cell (0, 0) at offset (0, 1)
  Insert(BaseCentre(5, 5), BaseCode(5, 5));
  ASSERT_EQ(Construction.PieceCount, 1);
  EXPECT_EQ(Placed(1), (TPlace{BlueFour, 5, 4, 0, 2}));
  EXPECT_EQ(Construction.Occupancy[8][5][0], 1);
  EXPECT_EQ(Construction.Occupancy[9][5][0], 0);

  // For every rotation and anchor the new piece's top cell numbered like the
  // anchor is drawn right above the clicked base cell, inside its box.
  for (int Rotation = 1; Rotation <= 4; ++Rotation)
    for (int Anchor = 1; Anchor <= 6; ++Anchor) {
      SCOPED_TRACE(testing::Message() << "rotation " << Rotation << " anchor " << Anchor);
      Empty();
      Choose(BlueThree, Rotation, Anchor);
      Insert(BaseCentre(4, 4), BaseCode(4, 4));
      ASSERT_EQ(Construction.PieceCount, 1);
      const TPlacedPiece &P = Construction.Pieces[1];
      int BX, BY;
      Box(BlueThree, Rotation, BX, BY);
      EXPECT_TRUE(P.X <= 4 && 4 < P.X + BX && P.Y <= 4 && 4 < P.Y + BY);
      EXPECT_EQ(P.Rotation, Rotation);
      EXPECT_EQ(PickOf({4.5, 4.5, 1}), 101 + Anchor);
    }
}

// After its pick an insertion hands the keyboard focus back to the main
// window, even when a message handled during the pick took it away, and has
// the previews repainted; what is pending then is handled in Insert mode,
// before the piece is placed. A refused click does the same.
TEST_F(Placement, InsertionReturnsTheFocusAndRepaintsThePreviewsBeforePlacing) {
  bool Focused = true;
  int Repaints = 0, PiecesWhenRepainted = -1;
  char ModeWhenRepainted = 0;
  QObject Guard; // calls still pending when the test ends are dropped
  ShellLink.FocusMainWindow = [&] { Focused = true; };
  ShellLink.InvalidatePreviews = [&] {
    ++Repaints;
    QTimer::singleShot(0, &Guard, [&] {
      PiecesWhenRepainted = Construction.PieceCount;
      ModeWhenRepainted = Construction.Mode;
    });
  };
  Construction.Mode = ModeInsert;
  Choose(BlueOne, 1, 1);
  for (const TPixel Px : {PixelOf(BaseCentre(4, 4)), TPixel{0, 0}}) { // the base, the background
    const int Count = Construction.PieceCount;
    PiecesWhenRepainted = -1;
    ModeWhenRepainted = 0;
    QTimer::singleShot(0, &Guard, [&] { Focused = false; });
    InsertPieceAt(Px.X, Px.Y);
    EXPECT_TRUE(Focused) << Count;
    EXPECT_EQ(Repaints, Count + 1);
    EXPECT_EQ(PiecesWhenRepainted, Count);
    EXPECT_EQ(ModeWhenRepainted, ModeInsert) << Count;
  }
  EXPECT_EQ(Construction.PieceCount, 1);
  ShellLink = {};
  Construction.Mode = ModeNone;
}

TEST_F(Placement, ANewPieceStandsOnTheClickedTopCell) {
  Put(BlueTwo, 3, 3, 0, 3);
  Choose(BlueOne, 1, 1);
  for (int F = 1; F <= 4; ++F) {
    SCOPED_TRACE(testing::Message() << "top cell " << F);
    const TPoint Top = TopCellCentre(1, F);
    Insert(Top, 101 + F);
    ASSERT_EQ(Construction.PieceCount, 2);
    EXPECT_EQ(Placed(2), (TPlace{BlueOne, int(Top.X), int(Top.Y), 1, 1}));
    EXPECT_EQ(PickOf({Top.X, Top.Y, 2}), 2 * 101 + 1);
    Extract({Top.X, Top.Y, 2}, 2 * 101 + 1);
    ASSERT_EQ(Construction.PieceCount, 1);
  }
}

TEST_F(Placement, NothingMayStandOnAnExtractedBox) {
  // A two-layer roof whose upper layer is empty on its low side, a stack of
  // two bricks beside it and a brick on the stack that reaches over the
  // roof's empty corner, in the layer just above the roof's box.
  Put(RoofTwo2, 2, 2, 0, 1);
  Put(BlueTwo, 0, 2, 0, 1);
  Put(BlueTwo, 0, 2, 1, 1);
  Put(BlueOne, 1, 2, 2, 1);
  ASSERT_EQ(Construction.Occupancy[2][2][1], 0);
  ASSERT_EQ(Construction.Occupancy[2][2][2], 4);
  const TPoint Gable{3.4, 4.0, 0.6};
  const TState Carrying = State();
  Extract(Gable, 101);
  EXPECT_TRUE(State() == Carrying);
  Extract(TopCellCentre(3, 1), 3 * 101 + 1); // the stack carries the brick too
  EXPECT_TRUE(State() == Carrying);

  Extract(TopCellCentre(4, 2), 4 * 101 + 2);
  ASSERT_EQ(Construction.PieceCount, 3);
  Extract(Gable, 101);
  ASSERT_EQ(Construction.PieceCount, 2);
  EXPECT_EQ(Placed(1), (TPlace{BlueTwo, 0, 2, 0, 1}));
  EXPECT_EQ(Placed(2), (TPlace{BlueTwo, 0, 2, 1, 1}));
  EXPECT_EQ(GridFault(), "");

  // A box reaching the base's height carries nothing, whatever the cells
  // beyond the base hold (they keep what an earlier, taller base left).
  Empty();
  Put(Window, 5, 5, 0, 1);
  Put(Door, 5, 5, 4, 1);
  for (int Y = 5; Y < 9; ++Y)
    Construction.Occupancy[5][Y][10] = 7;
  const TState Stacked = State();
  Extract(SideCentre(1), 101);
  EXPECT_TRUE(State() == Stacked);
  Extract(SideCentre(2), 2 * 101); // its top is above the eye
  ASSERT_EQ(Construction.PieceCount, 1);
  Extract(SideCentre(1), 101);
  EXPECT_EQ(Construction.PieceCount, 0);
}

TEST_F(Placement, ExtractionRenumbersTheLaterPieces) {
  Choose(BlueTwo, 1, 1);
  for (int X : {1, 4, 7})
    Insert(BaseCentre(X, 5), BaseCode(X, 5));
  ASSERT_EQ(Construction.PieceCount, 3);
  Extract(TopCellCentre(1, 2), 101 + 2);
  ASSERT_EQ(Construction.PieceCount, 2);
  EXPECT_EQ(Placed(1), (TPlace{BlueTwo, 4, 5, 0, 1}));
  EXPECT_EQ(Placed(2), (TPlace{BlueTwo, 7, 5, 0, 1}));
  EXPECT_EQ(Construction.Occupancy[1][5][0], 0);
  EXPECT_EQ(Construction.Occupancy[4][5][0], 1);
  EXPECT_EQ(Construction.Occupancy[8][6][0], 2);
  EXPECT_EQ(GridFault(), "");
  EXPECT_EQ(PickOf(TopCellCentre(2, 4)), 2 * 101 + 4);
  EXPECT_EQ(PickOf(BaseCentre(1, 5)), BaseCode(1, 5));
}

TEST_F(Placement, RefusedClicksChangeNothing) {
  Put(BlueTwo, 4, 4, 0, 1);
  Put(RoofTwo, 1, 6, 0, 2);
  Choose(BlueOne, 1, 1);
  const TState Before = State();
  Insert(SideCentre(1), 101);
  Insert({2, 7, 0.5}, 2 * 101); // a roof has no top cells
  ASSERT_EQ(PickAt(0, 0), 0);
  InsertPieceAt(0, 0);
  ExtractPieceAt(0, 0);
  Extract(BaseCentre(8, 8), BaseCode(8, 8));
  Choose(BlueFour, 1, 1);
  Insert(BaseCentre(3, 4), BaseCode(3, 4)); // would take cells of piece 1
  EXPECT_TRUE(State() == Before);

  // Only solid cells collide: a two-layer roof may go where a brick already
  // fills the roof's empty upper corner.
  Empty();
  Put(BlueTwo, 0, 2, 0, 1);
  Put(BlueOne, 1, 2, 1, 1); // reaches over cell (2, 2) at height 1
  Choose(RoofTwo2, 1, 2);   // anchor = footprint cell (0, 1)
  Insert(BaseCentre(2, 3), BaseCode(2, 3));
  ASSERT_EQ(Construction.PieceCount, 3);
  EXPECT_EQ(Placed(3), (TPlace{RoofTwo2, 2, 2, 0, 1}));

  // A full construction takes no further piece.
  const TState Three = State();
  Choose(BlueOne, 1, 1);
  Construction.PieceCount = MaxPieces;
  EXPECT_EQ(PlaceChosenPiece({8, 8, 0}), TRefusal::Full);
  EXPECT_EQ(Construction.PieceCount, MaxPieces);
  Construction.PieceCount = 3;
  EXPECT_TRUE(State() == Three);

  // Without kits in use neither click does anything, even over a piece
  // that is still drawn.
  Construction.KitCount = 0;
  InsertPieceAt(PixelOf(BaseCentre(8, 8)).X, PixelOf(BaseCentre(8, 8)).Y);
  const TPixel OnBrick = PixelOf(TopCellCentre(2, 1));
  ExtractPieceAt(OnBrick.X, OnBrick.Y);
  Construction.KitCount = 1;
  EXPECT_TRUE(State() == Three);

  // A construction of 62499 real pieces takes one more, and then no more:
  // 2 x 1 bricks, 75 to a row along x, 11250 to a layer of a 150 x 150
  // base, so piece 62500 goes to (48, 83, 5) in the sixth layer.
  Construction.BaseWidth = Construction.BaseLength = 150;
  Empty();
  for (int I = 0; I < 62499; ++I)
    Put(BlueOne, I % 75 * 2, I / 75 % 150, I / 11250, 1);
  Choose(BlueOne, 1, 1);
  EXPECT_EQ(PlaceChosenPiece({48, 83, 5}), TRefusal::None);
  ASSERT_EQ(Construction.PieceCount, 62500);
  EXPECT_EQ(Placed(62500), (TPlace{BlueOne, 48, 83, 5, 1}));
  EXPECT_EQ(Construction.Occupancy[48][83][5], 62500);
  EXPECT_EQ(Construction.Occupancy[49][83][5], 62500);
  EXPECT_EQ(Construction.Occupancy[46][83][5], 62499);
  const TState Full = State();
  EXPECT_EQ(PlaceChosenPiece({50, 83, 5}), TRefusal::Full);
  EXPECT_TRUE(State() == Full);
}

// Where a click on Code would put the anchor cell; false when nowhere.
bool TargetOf(int32_t Code, int &X, int &Y, int &Z) {
  if (Code >= BaseCodeStart) {
    X = (Code - BaseCodeStart) % Construction.BaseWidth;
    Y = (Code - BaseCodeStart) / Construction.BaseWidth;
    Z = 0;
    return true;
  }
  const int N = Code / 101, F = Code % 101;
  if (N < 1 || N > Construction.PieceCount || F == 0)
    return false;
  const TPoint T = TopCellCentre(N, F);
  X = int(T.X), Y = int(T.Y), Z = int(T.Z);
  return true;
}

// True when the chosen piece fits with its origin at (X0, Y0, Z0).
bool Fits(int X0, int Y0, int Z0) {
  int BX, BY;
  const uint16_t Piece = uint16_t(Construction.CurrentPiece);
  Box(Piece, Construction.CurrentRotation, BX, BY);
  const TSize S = SizeOf(Piece);
  if (X0 < 0 || Y0 < 0 || X0 + BX > Construction.BaseWidth || Y0 + BY > Construction.BaseLength ||
      Z0 + S.Z > Construction.BaseHeight)
    return false;
  for (int I = 0; I < S.X; ++I)
    for (int J = 0; J < S.Y; ++J)
      for (int K = 0; K < S.Z; ++K) {
        const KitApi::TCellOffset D =
            RotateFootprint(uint8_t(Construction.CurrentRotation), I, J, S.X, S.Y);
        if (Solid(Piece, I, J, K) && Construction.Occupancy[X0 + D.Dx][Y0 + D.Dy][Z0 + K] != 0)
          return false;
      }
  return true;
}

// True when any cell of the layer just above piece N's box is taken.
bool Carries(int N) {
  const TPlacedPiece &P = Construction.Pieces[N];
  const TSize S = SizeOf(P.Piece);
  int BX, BY;
  Box(P.Piece, P.Rotation, BX, BY);
  if (P.Z + S.Z >= Construction.BaseHeight)
    return false;
  for (int X = P.X; X < P.X + BX; ++X)
    for (int Y = P.Y; Y < P.Y + BY; ++Y)
      if (Construction.Occupancy[X][Y][P.Z + S.Z] != 0)
        return true;
  return false;
}

TEST_F(Placement, LongRandomSessionKeepsTheGridTrue) {
  std::mt19937 Random(20240611);
  auto Below = [&](int N) { return int(Random() % unsigned(N)); };
  int Inserted = 0, Extracted = 0, Carrying = 0;
  for (int Step = 0; Step < 300; ++Step) {
    SCOPED_TRACE(testing::Message() << "step " << Step);
    if (Step % 50 == 0) {
      CurrentCamera().Turn = Below(360);
      CurrentCamera().Tilt = 25 + Below(50);
    }
    const int Count = Construction.PieceCount;
    const bool Inserting = Count == 0 || Below(4) < 3;
    TPoint At{0, 0, 0};
    const int Aim = Below(10);
    if (Count > 0 && (Inserting ? Aim < 4 : Aim < 7)) {
      const int N = 1 + Below(Count);
      const TSize S = SizeOf(Construction.Pieces[N].Piece);
      At = Below(3) == 0 ? SideCentre(N) : TopCellCentre(N, 1 + Below(S.X * S.Y));
    } else if (Aim < 9) {
      At = BaseCentre(Below(10), Below(10));
    }
    TPixel Px = PixelOf(At);
    if (Aim == 9 || Px.X < 0 || Px.Y < 0 || Px.X >= 800 || Px.Y >= 600)
      Px = {Below(800), Below(600)};
    const int32_t Code = PickAt(Px.X, Px.Y);
    const TState Before = State();

    if (Inserting) {
      const uint16_t Piece = uint16_t(1 + Below(11));
      const TSize S = SizeOf(Piece);
      Choose(Piece, 1 + Below(4), 1 + Below(S.X * S.Y));
      const int A = Construction.AnchorCell - 1;
      const KitApi::TCellOffset D =
          RotateFootprint(uint8_t(Construction.CurrentRotation), A / S.Y, A % S.Y, S.X, S.Y);
      int X, Y, Z;
      const bool Ok = TargetOf(Code, X, Y, Z) && Fits(X - D.Dx, Y - D.Dy, Z);
      // What the mouse there previews is what the click does.
      Construction.Mode = ModeInsert;
      const THover Hover = HoverAt(Px.X, Px.Y);
      EXPECT_EQ(Hover.Mark == TOverlay::Fits, Ok) << "code " << Code;
      EXPECT_EQ(Hover.Mark == TOverlay::None, !TargetOf(Code, X, Y, Z)) << "code " << Code;
      InsertPieceAt(Px.X, Px.Y);
      if (Ok) {
        ++Inserted;
        ASSERT_EQ(Construction.PieceCount, Count + 1) << "code " << Code;
        EXPECT_EQ(Placed(Count + 1),
                  (TPlace{Piece, X - D.Dx, Y - D.Dy, Z, Construction.CurrentRotation}));
        const TOverlayPiece &H = Hover.Piece;
        EXPECT_EQ(Placed(Count + 1), (TPlace{H.Piece, H.X, H.Y, H.Z, H.Rotation}));
      } else {
        ASSERT_TRUE(State() == Before) << "code " << Code;
      }
    } else {
      const int N = Code > 0 && Code < BaseCodeStart ? Code / 101 : 0;
      const bool Ok = N > 0 && !Carries(N);
      Carrying += N > 0 && !Ok;
      Construction.Mode = ModeExtract;
      const THover Hover = HoverAt(Px.X, Px.Y);
      EXPECT_EQ(Hover.Mark, N == 0 ? TOverlay::None : Ok ? TOverlay::Removable : TOverlay::Carrying)
          << "code " << Code;
      if (N > 0) {
        const TPlacedPiece &P = Construction.Pieces[N];
        EXPECT_EQ(Hover.Piece, (TOverlayPiece{P.Kit, P.Piece, P.Rotation, P.X, P.Y, P.Z}));
      }
      ExtractPieceAt(Px.X, Px.Y);
      if (Ok) {
        ++Extracted;
        std::vector<TPlacedPiece> Left = Before.Pieces;
        Left.erase(Left.begin() + (N - 1));
        ASSERT_TRUE(State().Pieces == Left) << "code " << Code;
      } else {
        ASSERT_TRUE(State() == Before) << "code " << Code;
      }
    }
    ASSERT_EQ(GridFault(), "");
  }
  // The session did real work both ways.
  EXPECT_GE(Inserted, 30);
  EXPECT_GE(Extracted, 15);
  EXPECT_GE(Carrying, 5);
}

} // namespace
