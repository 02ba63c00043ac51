// The kit's answers that need no rendering context: piece count, sizes and
// every cell of every volume, through the exports of the built library.
#include "MarbeloKit.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TKit &Marbelo() {
  static TKit *Kit = [] {
    static TKit K{};
    EXPECT_TRUE(BindMarbelo(K)) << MarbeloPath();
    return &K;
  }();
  return *Kit;
}

struct TExpectedPiece {
  uint8_t SizeX, SizeY, SizeZ;
  bool TwoLayerRoof; // cells with X = 1 and Z = 2 are empty
};

const std::array<TExpectedPiece, 11> Catalogue = {{
    {2, 1, 1, false}, // BlueOne
    {2, 2, 1, false}, // BlueTwo
    {2, 3, 1, false}, // BlueThree
    {2, 4, 1, false}, // BlueFour
    {2, 8, 1, false}, // Eight
    {1, 4, 6, false}, // Door
    {1, 3, 4, false}, // Window
    {2, 8, 1, false}, // RoofEight
    {2, 2, 1, false}, // RoofTwo
    {2, 8, 2, true},  // RoofEight2
    {2, 2, 2, true},  // RoofTwo2
}};

TEST(Kit, ReportsElevenPieces) {
  uint8_t Count = 0;
  Marbelo().GetKit(&Count);
  EXPECT_EQ(Count, 11);
  EXPECT_EQ(Marbelo().KitPieceCount, 11);
}

TEST(Kit, SizesOfEveryPiece) {
  for (uint8_t P = 1; P <= 11; ++P) {
    uint8_t X = 0, Y = 0, Z = 0;
    Marbelo().GetPiece(P, &X, &Y, &Z);
    const TExpectedPiece &E = Catalogue[P - 1];
    EXPECT_EQ(X, E.SizeX) << "piece " << int(P);
    EXPECT_EQ(Y, E.SizeY) << "piece " << int(P);
    EXPECT_EQ(Z, E.SizeZ) << "piece " << int(P);
  }
}

TEST(Kit, EveryCellOfEveryVolume) {
  for (uint8_t P = 1; P <= 11; ++P) {
    const TExpectedPiece &E = Catalogue[P - 1];
    for (uint8_t X = 1; X <= E.SizeX; ++X)
      for (uint8_t Y = 1; Y <= E.SizeY; ++Y)
        for (uint8_t Z = 1; Z <= E.SizeZ; ++Z) {
          uint8_t Filled = 7;
          Marbelo().GetPieceVolume(P, X, Y, Z, &Filled);
          const uint8_t Expected = (E.TwoLayerRoof && X == 1 && Z == 2) ? 0 : 1;
          EXPECT_EQ(Filled, Expected)
              << "piece " << int(P) << " cell " << int(X) << "," << int(Y) << "," << int(Z);
        }
  }
}

TEST(Kit, VolumeOfDoorAndWindowDoesNotConsultX) {
  for (uint8_t P : {6, 7}) {
    const TExpectedPiece &E = Catalogue[P - 1];
    uint8_t Filled = 0;
    Marbelo().GetPieceVolume(P, 2, E.SizeY, E.SizeZ, &Filled);
    EXPECT_EQ(Filled, 1) << "piece " << int(P);
  }
}

TEST(Kit, PieceOutsideCatalogueLeavesOutputsAsTheyWere) {
  for (uint8_t P : {0, 12, 255}) {
    uint8_t X = 41, Y = 42, Z = 43, Filled = 44;
    Marbelo().GetPiece(P, &X, &Y, &Z);
    Marbelo().GetPieceVolume(P, 1, 1, 1, &Filled);
    EXPECT_EQ(X, 41);
    EXPECT_EQ(Y, 42);
    EXPECT_EQ(Z, 43);
    EXPECT_EQ(Filled, 44);
  }
}

TEST(Kit, CellOutsideTheBoxIsEmpty) {
  uint8_t Filled = 9;
  Marbelo().GetPieceVolume(1, 3, 1, 1, &Filled);
  EXPECT_EQ(Filled, 0);
  Filled = 9;
  Marbelo().GetPieceVolume(10, 2, 9, 1, &Filled);
  EXPECT_EQ(Filled, 0);
  Filled = 9;
  Marbelo().GetPieceVolume(6, 1, 0, 1, &Filled);
  EXPECT_EQ(Filled, 0);
}

} // namespace
