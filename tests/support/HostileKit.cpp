// A kit whose catalogue is impossible in one way, chosen when it is built
// (FAULT): it answers no pieces, a piece with no depth, a piece wider than
// the widest base, or more pieces than a kit may hold. It draws nothing.
//
// FAULT Throws builds a kit of two one-cell pieces whose piece 2 raises a C++
// exception out of DrawPieceLook in the middle of its drawing, with a matrix
// pushed and a glBegin open; piece 1 draws an unlit red cube.
//
// FAULT Odd builds a kit the kit manager accepts but no real kit resembles:
// the full hundred pieces, a rod as long and a column as tall as the largest
// base, a checkered piece whose copies interlock, a piece with no solid cell
// at all and pieces with a hole, with volume answers other than 0 and 1.
#include "KitApi.h"

#include <GL/gl.h>

#include <stdexcept>

namespace {

constexpr int NoPieces = 1, ZeroSize = 2, TooWide = 3, TooMany = 4, Odd = 5, Throws = 6;

// A unit cube at (X, Y, Z), its faces as quads.
void Cube(double X, double Y, double Z) {
  const int Faces[6][4][3] = {{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
                              {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
                              {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}},
                              {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
                              {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}},
                              {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}};
  glBegin(GL_QUADS);
  for (const auto &Face : Faces)
    for (const auto &V : Face)
      glVertex3d(X + V[0], Y + V[1], Z + V[2]);
  glEnd();
}

constexpr int OddRod = 2, OddColumn = 3, OddChecker = 4, OddHollow = 5;

void OddPiece(uint8_t Piece, uint8_t *SizeX, uint8_t *SizeY, uint8_t *SizeZ) {
  switch (Piece) {
  case OddRod: *SizeX = 150, *SizeY = 1, *SizeZ = 1; return;
  case OddColumn: *SizeX = 1, *SizeY = 1, *SizeZ = 100; return;
  case OddChecker: *SizeX = 3, *SizeY = 2, *SizeZ = 2; return;
  case OddHollow: *SizeX = 2, *SizeY = 3, *SizeZ = 2; return;
  default:
    *SizeX = uint8_t(1 + Piece % 4);
    *SizeY = uint8_t(1 + Piece % 3);
    *SizeZ = uint8_t(1 + Piece % 2);
  }
}

// 1 is solid; 0, 2 and 255 are all "not solid".
uint8_t OddVolume(uint8_t Piece, uint8_t X, uint8_t Y, uint8_t Z) {
  switch (Piece) {
  case OddChecker: return (X + Y + Z) % 2;
  case OddHollow: return 2;
  default: return X == 2 && Y == 2 && Z == 2 ? 255 : 1;
  }
}

} // namespace

extern "C" {
void GetKit(uint8_t *KitPieceCount) {
  *KitPieceCount = FAULT == NoPieces ? 0 : FAULT == TooMany ? 101 : FAULT == Odd ? 100 : 2;
}
void beginDrawKit(void) {}
void GetPiece(uint8_t Piece, uint8_t *SizeX, uint8_t *SizeY, uint8_t *SizeZ) {
  if (FAULT == Odd)
    return OddPiece(Piece, SizeX, SizeY, SizeZ);
  *SizeX = FAULT == TooWide && Piece == 2 ? 151 : 1;
  *SizeY = 1;
  *SizeZ = FAULT == ZeroSize && Piece == 2 ? 0 : 1;
}
void GetPieceVolume(uint8_t Piece, uint8_t X, uint8_t Y, uint8_t Z, uint8_t *Filled) {
  *Filled = FAULT == Odd ? OddVolume(Piece, X, Y, Z) : 1;
}
void DrawPieceLook(uint8_t Piece, uint8_t, double X, double Y, double Z) {
  if (FAULT != Throws)
    return;
  if (Piece == 2) {
    glPushMatrix();
    glTranslated(1000, 0, 0);
    glBegin(GL_QUADS);
    glVertex3d(X, Y, Z);
    throw std::runtime_error("the drawing broke");
  }
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glColor3ub(255, 0, 0);
  Cube(X, Y, Z);
  glPopAttrib();
}
void DrawPieceForm(uint8_t, uint8_t, uint16_t, double, double, double) {}
void DrawBaseLook(uint8_t, uint8_t, uint8_t) {}
void DrawBaseForm(uint8_t, uint8_t) {}
}
