// The construction record's shared routines: the footprint rotation, stamping
// real kit pieces into the cell grid, clearing it, and the colour split.
#include "MarbeloKit.h"
#include "model/Global.h"
#include "model/BuildingSteps.h"
#include "model/Occupancy.h"
#include "model/PartsList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

using TCellSet = std::set<std::tuple<int, int, int>>;

class ModelTest : public testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(BindMarbelo(Construction.Kits[1])); }

  void SetUp() override {
    Construction.KitCount = 1;
    Construction.BaseWidth = 20;
    Construction.BaseLength = 20;
    Construction.BaseHeight = 10;
    Construction.PieceCount = 0;
    ClearOccupancy();
  }

  static uint16_t Place(uint16_t Piece, uint8_t X, uint8_t Y, uint8_t Z, uint8_t Rotation) {
    const uint16_t N = ++Construction.PieceCount;
    Construction.Pieces[N] = {1, Piece, X, Y, Z, Rotation};
    StampPiece(N);
    return N;
  }

  // Every cell of the base holding N.
  static TCellSet CellsOf(uint16_t N) {
    TCellSet Cells;
    for (int X = 0; X < Construction.BaseWidth; ++X)
      for (int Y = 0; Y < Construction.BaseLength; ++Y)
        for (int Z = 0; Z < Construction.BaseHeight; ++Z)
          if (Construction.Occupancy[X][Y][Z] == N)
            Cells.insert({X, Y, Z});
    return Cells;
  }
};

TEST(RotateFootprint, TwoByThreeFootprintAtEveryRotation) {
  // Cell (0, 0) of a 2 x 3 footprint, then cell (1, 2), for rotations 1..4.
  const int Expected[4][2][2] = {{{0, 0}, {1, 2}}, {{0, 1}, {2, 0}}, {{1, 2}, {0, 0}},
                                 {{2, 0}, {0, 1}}};
  for (uint8_t R = 1; R <= 4; ++R) {
    const KitApi::TCellOffset A = RotateFootprint(R, 0, 0, 2, 3);
    const KitApi::TCellOffset B = RotateFootprint(R, 1, 2, 2, 3);
    EXPECT_EQ(A.Dx, Expected[R - 1][0][0]) << int(R);
    EXPECT_EQ(A.Dy, Expected[R - 1][0][1]) << int(R);
    EXPECT_EQ(B.Dx, Expected[R - 1][1][0]) << int(R);
    EXPECT_EQ(B.Dy, Expected[R - 1][1][1]) << int(R);
  }
}

TEST(RotateFootprint, EveryRotationIsAOneToOneMapOntoTheRotatedBox) {
  for (uint8_t R = 1; R <= 4; ++R) {
    const bool Swapped = R == 2 || R == 4;
    const int BoxX = Swapped ? 3 : 2, BoxY = Swapped ? 2 : 3;
    std::set<std::pair<int, int>> Landed;
    for (int I = 0; I < 2; ++I)
      for (int J = 0; J < 3; ++J) {
        const KitApi::TCellOffset D = RotateFootprint(R, I, J, 2, 3);
        EXPECT_TRUE(D.Dx >= 0 && D.Dx < BoxX && D.Dy >= 0 && D.Dy < BoxY) << int(R);
        Landed.insert({D.Dx, D.Dy});
      }
    EXPECT_EQ(Landed.size(), 6u) << int(R);
  }
}

TEST_F(ModelTest, StampsABrickOverItsRotatedBox) {
  // BlueThree is 2 x 3 x 1: rotations 1 and 3 cover 2 x 3 cells, 2 and 4 cover 3 x 2.
  for (uint8_t R = 1; R <= 4; ++R) {
    SetUp();
    const uint16_t N = Place(3, 5, 6, 2, R);
    const bool Swapped = R == 2 || R == 4;
    TCellSet Expected;
    for (int X = 0; X < (Swapped ? 3 : 2); ++X)
      for (int Y = 0; Y < (Swapped ? 2 : 3); ++Y)
        Expected.insert({5 + X, 6 + Y, 2});
    EXPECT_EQ(CellsOf(N), Expected) << "rotation " << int(R);
  }
}

TEST_F(ModelTest, TwoLayerRoofLeavesTheUpperCellsOfItsLowSideEmpty) {
  // RoofTwo2 is 2 x 2 x 2 without the cells X = 1, Z = 2 (unrotated i = 0, k = 1).
  // Rotation 1: low side at x = 0; 2: at y = 1; 3: at x = 1; 4: at y = 0 of the box.
  const int LowSide[4][2][2] = {{{0, 0}, {0, 1}}, {{0, 1}, {1, 1}}, {{1, 0}, {1, 1}},
                                {{0, 0}, {1, 0}}};
  for (uint8_t R = 1; R <= 4; ++R) {
    SetUp();
    const uint16_t N = Place(11, 3, 4, 0, R);
    TCellSet Expected;
    for (int X = 0; X < 2; ++X)
      for (int Y = 0; Y < 2; ++Y)
        for (int Z = 0; Z < 2; ++Z)
          Expected.insert({3 + X, 4 + Y, Z});
    for (const auto &Cell : LowSide[R - 1])
      Expected.erase({3 + Cell[0], 4 + Cell[1], 1});
    EXPECT_EQ(CellsOf(N), Expected) << "rotation " << int(R);
  }
}

TEST_F(ModelTest, LongRoofAndDoorStampEveryRotation) {
  for (uint8_t R = 1; R <= 4; ++R) {
    SetUp();
    const uint16_t Roof = Place(10, 0, 0, 0, R); // RoofEight2: 2 x 8 x 2, 8 cells empty
    const uint16_t Door = Place(6, 10, 10, 0, R); // 1 x 4 x 6, all solid
    EXPECT_EQ(CellsOf(Roof).size(), 24u) << int(R);
    EXPECT_EQ(CellsOf(Door).size(), 24u) << int(R);
    const bool Swapped = R == 2 || R == 4;
    EXPECT_EQ(Construction.Occupancy[10 + (Swapped ? 3 : 0)][10 + (Swapped ? 0 : 3)][5], Door);
  }
}

TEST_F(ModelTest, TheLargestBaseFitsAndClearingTouchesOnlyTheBase) {
  Construction.BaseWidth = 150;
  Construction.BaseLength = 150;
  Construction.BaseHeight = 100;
  // A door (1 x 4 x 6) in the far corner of the largest base.
  ClearOccupancy();
  const uint16_t Door = Place(6, 149, 146, 94, 1);
  EXPECT_EQ(CellsOf(Door).size(), 24u);
  EXPECT_EQ(Construction.Occupancy[149][149][99], Door);
  for (int X = 0; X < GridX; ++X)
    for (int Y = 0; Y < GridY; ++Y)
      for (int Z = 0; Z < GridZ; ++Z)
        Construction.Occupancy[X][Y][Z] = 7;
  Construction.BaseWidth = 12;
  Construction.BaseLength = 15;
  Construction.BaseHeight = 10;
  ClearOccupancy();
  int Cleared = 0;
  for (int X = 0; X < GridX; ++X)
    for (int Y = 0; Y < GridY; ++Y)
      for (int Z = 0; Z < GridZ; ++Z) {
        const bool Inside = X < 12 && Y < 15 && Z < 10;
        Cleared += Construction.Occupancy[X][Y][Z] == 0;
        if (Inside != (Construction.Occupancy[X][Y][Z] == 0))
          FAIL() << "cell " << X << "," << Y << "," << Z;
      }
  EXPECT_EQ(Cleared, 12 * 15 * 10);
}

// A small house and its yard: walls of bricks in two courses with a door and
// a window, a lintel over the window, roofs on the walls, two towers joined
// by a beam that overhangs both, and a loose brick.
void BuildHouseAndYard(uint16_t (*Place)(uint16_t, uint8_t, uint8_t, uint8_t, uint8_t)) {
  for (uint8_t Course = 0; Course < 2; ++Course)
    for (uint8_t X = 0; X < 30; X += 2)
      Place(1, X, 2, Course, 1); // 15 bricks a course, 2 x 1 each
  Place(6, 0, 3, 0, 1);          // door, 1 x 4 x 6, against the wall
  Place(7, 4, 3, 0, 1);          // window, 1 x 3 x 4
  Place(2, 4, 3, 4, 1);          // on the window, overhanging it: 2 x 2
  Place(11, 10, 2, 2, 1);        // a two-layer roof, half over the wall
  Place(8, 2, 1, 2, 2);          // a long roof along x, half over the wall
  for (uint8_t Z = 0; Z < 3; ++Z) {
    Place(1, 34, 0, Z, 1);
    Place(1, 34, 6, Z, 1);
  }
  Place(5, 34, 0, 3, 1); // Eight, 2 x 8: a beam from tower to tower
  Place(1, 20, 20, 0, 1);
}

TEST_F(ModelTest, BuildingStepsCanBeBuiltInOrder) {
  Construction.BaseWidth = 40;
  Construction.BaseLength = 40;
  ClearOccupancy();
  BuildHouseAndYard(Place);
  const int Count = Construction.PieceCount;
  const auto Lowest = [](int N) {
    int Low = 1000;
    for (const auto &[X, Y, Z] : CellsOf(uint16_t(N)))
      Low = std::min(Low, Z);
    return Low;
  };
  for (int Most : {1, 4, 12, 100}) {
    const std::vector<std::vector<int>> Steps = BuildingSteps(Most);
    std::map<int, size_t> StepOf;
    int Layer = 0;
    for (size_t S = 0; S < Steps.size(); ++S) {
      ASSERT_FALSE(Steps[S].empty());
      EXPECT_LE(int(Steps[S].size()), Most);
      for (int N : Steps[S]) {
        EXPECT_TRUE(StepOf.emplace(N, S).second) << "piece " << N << " twice";
        EXPECT_GE(Lowest(N), Layer) << "piece " << N << " below an earlier layer";
        Layer = std::max(Layer, Lowest(N));
        EXPECT_EQ(Lowest(N), Lowest(Steps[S].front())) << "one step, one layer";
      }
    }
    ASSERT_EQ(int(StepOf.size()), Count) << Most;
    // Every piece stands on the base or on a piece of an earlier step.
    for (int N = 1; N <= Count; ++N) {
      bool Rests = false;
      for (const auto &[X, Y, Z] : CellsOf(uint16_t(N))) {
        const int Below = Z == 0 ? 0 : Construction.Occupancy[X][Y][Z - 1];
        Rests |= Z == 0 || (Below != 0 && Below != N && StepOf[Below] < StepOf[N]);
      }
      EXPECT_TRUE(Rests) << "piece " << N << " with " << Most << " a step";
    }
    // The pieces of a step touch one another.
    for (const std::vector<int> &Step : Steps) {
      std::set<int> Reached{Step.front()}, InStep(Step.begin(), Step.end());
      for (bool Grew = true; Grew;) {
        Grew = false;
        for (int N : InStep)
          for (const auto &[X, Y, Z] : CellsOf(uint16_t(N)))
            for (const auto &[DX, DY, DZ] : {std::tuple{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}) {
              if (std::min({X + DX, Y + DY, Z + DZ}) < 0)
                continue;
              const int M = Construction.Occupancy[X + DX][Y + DY][Z + DZ];
              if (Reached.count(N) && InStep.count(M) && Reached.insert(M).second)
                Grew = true;
            }
      }
      EXPECT_EQ(Reached, InStep);
    }
  }
  // On the base, front first: a tower's foot alone, then the first course's
  // 15 bricks with the door and the window, which touch: 17 pieces in steps
  // of 12 at most come as 9 and 8, not 12 and 5.
  const std::vector<std::vector<int>> Steps = BuildingSteps();
  ASSERT_GE(Steps.size(), 5u);
  EXPECT_EQ(Steps[0], std::vector<int>{36});
  EXPECT_EQ(Steps[1].size(), 9u);
  EXPECT_EQ(Steps[2].size(), 8u);
}

TEST_F(ModelTest, PartsListCountsEachPieceOfEachKit) {
  Construction.BaseWidth = 40;
  Construction.BaseLength = 40;
  ClearOccupancy();
  BuildHouseAndYard(Place);
  Construction.KitNames[1] = "Mar\"be,lo";
  const std::vector<TPartsRow> Rows = PartsList();
  EXPECT_EQ(PartsCsv(Rows), "kit,piece,size,count\n"
                            "\"Mar\"\"be,lo\",1,2 x 1 x 1,37\n"
                            "\"Mar\"\"be,lo\",2,2 x 2 x 1,1\n"
                            "\"Mar\"\"be,lo\",5,2 x 8 x 1,1\n"
                            "\"Mar\"\"be,lo\",6,1 x 4 x 6,1\n"
                            "\"Mar\"\"be,lo\",7,1 x 3 x 4,1\n"
                            "\"Mar\"\"be,lo\",8,2 x 8 x 1,1\n"
                            "\"Mar\"\"be,lo\",11,2 x 2 x 2,1\n"
                            "total,,,43\n");
  EXPECT_EQ(PartsTotal(Rows), Construction.PieceCount);
  // A step's parts: its own pieces only.
  const std::vector<TPartsRow> Two = PartsOf({1, 31, 1});
  ASSERT_EQ(Two.size(), 2u);
  EXPECT_EQ(Two[0].Count, 2);
  EXPECT_EQ(Two[1].Piece, 6);
}

TEST(Model, ColoursSplitIntoTheirComponents) {
  SetSceneColor(0x00E8C39E);
  EXPECT_EQ(Construction.SceneColor, 0x00E8C39Eu);
  EXPECT_EQ(Construction.SceneRed, 158);
  EXPECT_EQ(Construction.SceneGreen, 195);
  EXPECT_EQ(Construction.SceneBlue, 232);
  SetBaseColor(0x00FF0000);
  EXPECT_EQ(Construction.BaseRed, 0);
  EXPECT_EQ(Construction.BaseGreen, 0);
  EXPECT_EQ(Construction.BaseBlue, 255);
}

} // namespace
