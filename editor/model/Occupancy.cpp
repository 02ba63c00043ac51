#include "Occupancy.h"

#include "Global.h"

#include <algorithm>
#include <cstring>

KitApi::TCellOffset RotateFootprint(uint8_t Rotation, int I, int J, int SizeX, int SizeY) {
  return KitApi::RotatedCell(Rotation, I, J, SizeX, SizeY);
}

void StampPiece(uint16_t N) {
  const TPlacedPiece &P = Construction.Pieces[N];
  const TKit &Kit = Construction.Kits[P.Kit];
  const uint8_t Piece = uint8_t(P.Piece);
  uint8_t SX = 0, SY = 0, SZ = 0;
  Kit.GetPiece(Piece, &SX, &SY, &SZ);
  WalkSolidCells(Kit, Piece, P.Rotation, SX, SY, SZ, [&P, N](int Dx, int Dy, int K) {
    Construction.Occupancy[P.X + Dx][P.Y + Dy][P.Z + K] = N;
    return true;
  });
}

void ClearOccupancy() {
  ClearOccupancy(Construction.BaseWidth, Construction.BaseLength, Construction.BaseHeight);
}

void ClearOccupancy(int FormerWidth, int FormerLength, int FormerHeight) {
  const int Width = Construction.BaseWidth, Length = Construction.BaseLength;
  for (int X = 0; X < std::max(Width, FormerWidth); ++X)
    for (int Y = 0; Y < std::max(Length, FormerLength); ++Y) {
      const int Height = std::max(X < Width && Y < Length ? Construction.BaseHeight : 0,
                                  X < FormerWidth && Y < FormerLength ? FormerHeight : 0);
      // memset, not a loop: a sanitizer build would check the loop store by store.
      std::memset(Construction.Occupancy[X][Y], 0, Height * sizeof(uint16_t));
    }
}
