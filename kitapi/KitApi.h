// The contract between the editor and every kit library: the eight exported
// functions, and the numbering rules both sides must agree on (pick codes,
// footprint cells, the rotation of a piece about its vertical axis).
#pragma once

#include <cstdint>

#define KIT_EXPORT __attribute__((visibility("default")))

extern "C" {
KIT_EXPORT void GetKit(uint8_t *KitPieceCount);
KIT_EXPORT void beginDrawKit(void);
KIT_EXPORT void GetPiece(uint8_t Piece, uint8_t *SizeX, uint8_t *SizeY, uint8_t *SizeZ);
KIT_EXPORT void GetPieceVolume(uint8_t Piece, uint8_t X, uint8_t Y, uint8_t Z, uint8_t *Filled);
KIT_EXPORT void DrawPieceLook(uint8_t Piece, uint8_t Rotation, double X, double Y, double Z);
KIT_EXPORT void DrawPieceForm(uint8_t Piece, uint8_t Rotation, uint16_t Number, double X, double Y,
                              double Z);
KIT_EXPORT void DrawBaseLook(uint8_t Piece, uint8_t Rotation, uint8_t AnchorCell);
KIT_EXPORT void DrawBaseForm(uint8_t Piece, uint8_t Rotation);
}

namespace KitApi {

// Entry-point types, bound by name when the editor loads a kit.
using TGetKit = decltype(&::GetKit);
using TBeginDrawKit = decltype(&::beginDrawKit);
using TGetPiece = decltype(&::GetPiece);
using TGetPieceVolume = decltype(&::GetPieceVolume);
using TDrawPieceLook = decltype(&::DrawPieceLook);
using TDrawPieceForm = decltype(&::DrawPieceForm);
using TDrawBaseLook = decltype(&::DrawBaseLook);
using TDrawBaseForm = decltype(&::DrawBaseForm);

inline constexpr int ExportCount = 8;
inline constexpr const char *ExportNames[ExportCount] = {
    "GetKit",        "beginDrawKit",  "GetPiece",     "GetPieceVolume",
    "DrawPieceLook", "DrawPieceForm", "DrawBaseLook", "DrawBaseForm"};

// ---- Pick codes ---------------------------------------------------------
// A placed piece owns the codes Number*101 .. Number*101+100: its sides (and
// every face of a roof) are Number*101, top cell f is Number*101+f.
inline constexpr uint32_t CodesPerPiece = 101;
inline constexpr int MaxTopCells = 100;

constexpr uint32_t SideCode(uint16_t Number) { return uint32_t(Number) * CodesPerPiece; }
constexpr uint32_t TopCellCode(uint16_t Number, int Cell) { return SideCode(Number) + uint32_t(Cell); }

// The piece number and the face (0 a side, f top cell f) of a piece's code.
constexpr int PieceOfCode(uint32_t Code) { return int(Code / CodesPerPiece); }
constexpr int FaceOfCode(uint32_t Code) { return int(Code % CodesPerPiece); }

// The editor draws the cells of its base plate in codes above every piece's:
// the cell (X, Y) of a base BaseWidth cells wide has BaseCodeStart + X +
// Y * BaseWidth. Code 0 is the background.
inline constexpr uint32_t BaseCodeStart = 10000001;

constexpr uint32_t BaseCellCode(int X, int Y, int BaseWidth) {
  return BaseCodeStart + uint32_t(X) + uint32_t(Y) * uint32_t(BaseWidth);
}

constexpr bool IsBaseCode(uint32_t Code) { return Code >= BaseCodeStart; }

struct TBaseCell {
  int X, Y;
};

constexpr TBaseCell BaseCellOf(uint32_t Code, int BaseWidth) {
  const int C = int(Code - BaseCodeStart);
  return {C % BaseWidth, C / BaseWidth};
}

struct TPickColor {
  uint8_t Red, Green, Blue;
};

// A code below 2^24 drawn as a colour: red is the low byte.
constexpr TPickColor PickColor(uint32_t Code) {
  return {uint8_t(Code % 256), uint8_t((Code / 256) % 256), uint8_t((Code / 65536) % 256)};
}

constexpr uint32_t PickCode(uint8_t Red, uint8_t Green, uint8_t Blue) {
  return uint32_t(Red) + 256u * Green + 65536u * Blue;
}

// ---- Footprint cells ----------------------------------------------------
// Cells of the unrotated footprint are numbered 1..SizeX*SizeY in x-major
// order: the cell with lower corner (I, J) has number I*SizeY + J + 1.
struct TFootprintCell {
  int I, J;
};

constexpr int FootprintCellNumber(int I, int J, int SizeY) { return I * SizeY + J + 1; }

constexpr TFootprintCell FootprintCellOf(int Number, int SizeY) {
  return {(Number - 1) / SizeY, (Number - 1) % SizeY};
}

// ---- Rotation -----------------------------------------------------------
// Rotations 1..4 are quarter turns clockwise seen from above; any other value
// is treated as 1.
constexpr uint8_t EffectiveRotation(uint8_t Rotation) {
  return (Rotation >= 2 && Rotation <= 4) ? Rotation : 1;
}

// How a kit places its unrotated model: a point p lands at
// origin + R(p + Offset), R being a turn of TurnDegrees about z.
struct TRotationTransform {
  double TurnDegrees;
  double OffsetX, OffsetY;
};

constexpr TRotationTransform RotationTransform(uint8_t Rotation, uint8_t SizeX, uint8_t SizeY) {
  switch (EffectiveRotation(Rotation)) {
  case 2: return {-90.0, -double(SizeX), 0.0};
  case 3: return {-180.0, -double(SizeX), -double(SizeY)};
  case 4: return {90.0, 0.0, -double(SizeY)};
  default: return {0.0, 0.0, 0.0};
  }
}

// Where the unrotated footprint cell (I, J) lands, as an offset from the
// placed piece's origin cell.
struct TCellOffset {
  int Dx, Dy;
};

constexpr TCellOffset RotatedCell(uint8_t Rotation, int I, int J, int SizeX, int SizeY) {
  switch (EffectiveRotation(Rotation)) {
  case 2: return {J, SizeX - 1 - I};
  case 3: return {SizeX - 1 - I, SizeY - 1 - J};
  case 4: return {SizeY - 1 - J, I};
  default: return {I, J};
  }
}

// Extents along x and y of the box a SizeX x SizeY footprint covers after
// the rotation: quarter turns 2 and 4 swap them.
struct TBoxSize {
  int X, Y;
};

constexpr TBoxSize RotatedBox(uint8_t Rotation, int SizeX, int SizeY) {
  const uint8_t R = EffectiveRotation(Rotation);
  return (R == 2 || R == 4) ? TBoxSize{SizeY, SizeX} : TBoxSize{SizeX, SizeY};
}

} // namespace KitApi
