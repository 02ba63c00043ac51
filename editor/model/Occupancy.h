// The cell grid's routines: where a footprint cell lands under a rotation,
// writing a placed piece into the grid, and emptying the base.
#pragma once

#include "KitApi.h"

#include <cstdint>

// Offset from the piece's origin at which the unrotated footprint cell (I, J)
// of a SizeX x SizeY footprint lands.
KitApi::TCellOffset RotateFootprint(uint8_t Rotation, int I, int J, int SizeX, int SizeY);

// Writes N into every solid cell of placed piece N. The caller has made sure
// that every such cell lies inside the base.
void StampPiece(uint16_t N);

// Sets every cell of the current base to 0; cells beyond it are not touched.
void ClearOccupancy();

// Sets every cell of the current base and of a former base of FormerWidth x
// FormerLength x FormerHeight to 0, each cell once; cells beyond both are not
// touched.
void ClearOccupancy(int FormerWidth, int FormerLength, int FormerHeight);
