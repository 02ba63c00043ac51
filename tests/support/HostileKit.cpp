// A kit whose catalogue is impossible in one way, chosen when it is built
// (FAULT): it answers no pieces, a piece with no depth, a piece wider than
// the widest base, or more pieces than a kit may hold. It draws nothing.
#include "KitApi.h"

namespace {

constexpr int NoPieces = 1, ZeroSize = 2, TooWide = 3, TooMany = 4;

} // namespace

extern "C" {
void GetKit(uint8_t *KitPieceCount) {
  *KitPieceCount = FAULT == NoPieces ? 0 : FAULT == TooMany ? 101 : 2;
}
void beginDrawKit(void) {}
void GetPiece(uint8_t Piece, uint8_t *SizeX, uint8_t *SizeY, uint8_t *SizeZ) {
  *SizeX = FAULT == TooWide && Piece == 2 ? 151 : 1;
  *SizeY = 1;
  *SizeZ = FAULT == ZeroSize && Piece == 2 ? 0 : 1;
}
void GetPieceVolume(uint8_t, uint8_t, uint8_t, uint8_t, uint8_t *Filled) { *Filled = 1; }
void DrawPieceLook(uint8_t, uint8_t, double, double, double) {}
void DrawPieceForm(uint8_t, uint8_t, uint16_t, double, double, double) {}
void DrawBaseLook(uint8_t, uint8_t, uint8_t) {}
void DrawBaseForm(uint8_t, uint8_t) {}
}
