// The cell grid's routines: where a footprint cell lands under a rotation,
// writing a placed piece into the grid, and emptying the base.
#pragma once

#include "Global.h"
#include "KitApi.h"

#include <cstdint>

// Offset from the piece's origin at which the unrotated footprint cell (I, J)
// of a SizeX x SizeY footprint lands.
KitApi::TCellOffset RotateFootprint(uint8_t Rotation, int I, int J, int SizeX, int SizeY);

// Walks the solid cells of piece Piece of Kit, whose extents are SX x SY x
// SZ, turned by Rotation: I, then J, then K, asking the kit for each cell,
// and calls Visit(Dx, Dy, K) with where each solid one lands, as an offset
// from the piece's origin cell. Stops, returning false, when Visit returns
// false. It is the one walk the grid, the placement checks and the file's
// checks share.
template <class TVisit>
bool WalkSolidCells(const TKit &Kit, uint8_t Piece, uint8_t Rotation, int SX, int SY, int SZ,
                    TVisit Visit) {
  for (int I = 0; I < SX; ++I)
    for (int J = 0; J < SY; ++J) {
      const KitApi::TCellOffset D = KitApi::RotatedCell(Rotation, I, J, SX, SY);
      for (int K = 0; K < SZ; ++K) {
        uint8_t Filled = 0;
        Kit.GetPieceVolume(Piece, uint8_t(I + 1), uint8_t(J + 1), uint8_t(K + 1), &Filled);
        if (Filled == 1 && !Visit(D.Dx, D.Dy, K))
          return false;
      }
    }
  return true;
}

// Writes N into every solid cell of placed piece N. The caller has made sure
// that every such cell lies inside the base.
void StampPiece(uint16_t N);

// Sets every cell of the current base to 0; cells beyond it are not touched.
void ClearOccupancy();

// Sets every cell of the current base and of a former base of FormerWidth x
// FormerLength x FormerHeight to 0, each cell once; cells beyond both are not
// touched.
void ClearOccupancy(int FormerWidth, int FormerLength, int FormerHeight);
