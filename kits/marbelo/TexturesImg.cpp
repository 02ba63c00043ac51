#include "TexturesImg.h"

#include <cstddef>
#include <vector>

namespace Marbelo {
namespace {

constexpr uint32_t Rgb(uint32_t Red, uint32_t Green, uint32_t Blue) {
  return Red | (Green << 8) | (Blue << 16);
}

constexpr uint32_t Black = Rgb(0, 0, 0);
constexpr uint32_t WhiteFill = Rgb(255, 255, 255);
constexpr uint32_t RedFill = Rgb(255, 0, 0);
constexpr uint32_t BlueFill = Rgb(0, 0, 255);
constexpr uint32_t BlueOutline = Rgb(0, 0, 192);
constexpr uint32_t GreyOutline = Rgb(192, 192, 192);

struct TTable {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;

  TTable(int W, int H, uint32_t Fill) : Width(W), Height(H), Pixels(std::size_t(W) * H, Fill) {}
  void Set(int X, int Y, uint32_t Color) { Pixels[std::size_t(X) + std::size_t(Width) * Y] = Color; }
  void Row(int Y, int FromX, int ToX, uint32_t Color) {
    for (int X = FromX; X <= ToX; ++X)
      Set(X, Y, Color);
  }
  void Column(int X, int FromY, int ToY, uint32_t Color) {
    for (int Y = FromY; Y <= ToY; ++Y)
      Set(X, Y, Color);
  }
};

TTable Outlined(int W, int H, uint32_t Fill, uint32_t Outline) {
  TTable T(W, H, Fill);
  T.Row(0, 0, W - 1, Outline);
  T.Row(H - 1, 0, W - 1, Outline);
  T.Column(0, 0, H - 1, Outline);
  T.Column(W - 1, 0, H - 1, Outline);
  return T;
}

TTable TopAndBottomRows(int W, int H) {
  TTable T(W, H, WhiteFill);
  T.Row(0, 0, W - 1, GreyOutline);
  T.Row(H - 1, 0, W - 1, GreyOutline);
  return T;
}

// A six-pixel jamb strip: outlined on its top and bottom rows and on its
// outer column; the inner column leaves rows 1..4 and H-5..H-2 open where the
// head and the sill strips meet it. Mirrored puts the outer column on the right.
TTable JambStrip(int H, bool Mirrored) {
  const int Outer = Mirrored ? 5 : 0;
  const int Inner = Mirrored ? 0 : 5;
  TTable T(6, H, WhiteFill);
  T.Row(0, 0, 5, GreyOutline);
  T.Row(H - 1, 0, 5, GreyOutline);
  T.Column(Outer, 0, H - 1, GreyOutline);
  T.Column(Inner, 5, H - 6, GreyOutline);
  return T;
}

// The roof panel, 32 x 40, repeated Copies times side by side: outlined on
// its top row and on both sides down to row 29, then a rounded lower lip.
TTable RoofPanels(int Copies) {
  struct TLipRow {
    int Row, LeftFrom, LeftTo, RightFrom, RightTo; // RightFrom < 0: one span
  };
  static constexpr TLipRow Lip[] = {
      {30, 0, 1, 30, 31}, {31, 0, 1, 30, 31}, {32, 1, 2, 29, 30}, {33, 1, 2, 29, 30},
      {34, 2, 3, 28, 29}, {35, 2, 3, 28, 29}, {36, 3, 5, 26, 28}, {37, 4, 7, 24, 27},
      {38, 6, 25, -1, -1}, {39, 8, 23, -1, -1}};
  TTable T(32 * Copies, 40, BlueFill);
  for (int C = 0; C < Copies; ++C) {
    const int X0 = 32 * C;
    T.Row(0, X0, X0 + 31, BlueOutline);
    T.Column(X0, 1, 29, BlueOutline);
    T.Column(X0 + 31, 1, 29, BlueOutline);
    for (const TLipRow &L : Lip) {
      T.Row(L.Row, X0 + L.LeftFrom, X0 + L.LeftTo, BlueOutline);
      if (L.RightFrom >= 0)
        T.Row(L.Row, X0 + L.RightFrom, X0 + L.RightTo, BlueOutline);
    }
  }
  return T;
}

TTable Blue(int W, int H) { return Outlined(W, H, BlueFill, BlueOutline); }
TTable White(int W, int H) { return Outlined(W, H, WhiteFill, GreyOutline); }

// Built when the library is loaded, in slot order.
const std::vector<TTable> Tables = {
    Outlined(10, 10, WhiteFill, Black), // imgBase1
    Outlined(10, 10, RedFill, Black),   // imgBase2
    Blue(64, 32),                       // imgBlueFourUp
    Blue(64, 16),                       // imgBlueFourFace
    Blue(32, 16),                       // imgBlueTwoRight
    Blue(16, 16),                       // imgBlueOneFace
    Blue(48, 16),                       // imgBlueThreeFace
    Blue(48, 32),                       // imgBlueThreeUp
    Blue(32, 32),                       // imgBlueTwoUp
    Blue(16, 32),                       // imgBlueOneUp
    White(128, 32),                     // imgEightUp
    White(128, 16),                     // imgEightFace
    White(32, 16),                      // imgEightRight
    White(16, 96),                      // imgDoorLeft
    White(64, 16),                      // imgDoorUp
    JambStrip(96, false),               // imgDoorFaceLeft
    JambStrip(96, true),                // imgDoorFaceRight
    TopAndBottomRows(52, 6),            // imgDoorFaceUp
    TopAndBottomRows(52, 6),            // imgDoorFaceDown
    White(16, 64),                      // imgWindowLeft
    White(48, 16),                      // imgWindowUp
    JambStrip(64, false),               // imgWindowFaceLeft
    JambStrip(64, true),                // imgWindowFaceRight
    TopAndBottomRows(36, 6),            // imgWindowFaceUp
    RoofPanels(4),                      // imgRoofEightUp
    RoofPanels(1),                      // imgRoofTwoUp
};

std::vector<TImage> MakeImages() {
  std::vector<TImage> Images;
  for (const TTable &T : Tables)
    Images.push_back({T.Width, T.Height, T.Pixels.data()});
  return Images;
}

const std::vector<TImage> Images = MakeImages();

} // namespace

const TImage &Image(TImageId Id) { return Images[std::size_t(Id)]; }

} // namespace Marbelo
