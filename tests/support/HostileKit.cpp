// A kit whose catalogue is impossible in one way, chosen when it is built
// (FAULT): it answers no pieces, a piece with no depth, a piece wider than
// the widest base, or more pieces than a kit may hold. It draws nothing.
//
// FAULT Throws builds a kit of two one-cell pieces whose piece 2 raises a C++
// exception out of DrawPieceLook in the middle of its drawing, with a matrix
// pushed and a glBegin open; piece 1 draws an unlit red cube.
//
// FAULT Aborts builds a kit that ends the program (abort) as soon as it is
// asked to draw a piece; FAULT Hangs one that never returns from GetKit.
//
// FAULT CrashesThird builds a kit of one one-cell piece, drawn as an unlit
// red cube with its pick codes, that ends the program (abort) the first time
// it is asked to draw a third piece on the base: on the third insertion. It
// keeps its attributes with glPushAttrib, which no recording follows, so the
// editor always asks the kit itself to draw it.
//
// FAULT Odd builds a kit the kit manager accepts but no real kit resembles:
// the full hundred pieces, a rod as long and a column as tall as the largest
// base, a checkered piece whose copies interlock, a piece with no solid cell
// at all and pieces with a hole, with volume answers other than 0 and 1.
#include "KitApi.h"

#include <GL/gl.h>

#include <cstdlib>
#include <stdexcept>

#include <unistd.h>

namespace {

constexpr int NoPieces = 1, ZeroSize = 2, TooWide = 3, TooMany = 4, Odd = 5, Throws = 6,
              Aborts = 7, Hangs = 8, CrashesThird = 9;

// A unit cube at (X, Y, Z), its faces as quads: the top first, in the colour
// of Top when it is given, the others in the colour of Sides.
void Cube(double X, double Y, double Z, const uint8_t *Top = nullptr, const uint8_t *Sides = nullptr) {
  const int Faces[6][4][3] = {{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
                              {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
                              {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}},
                              {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
                              {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}},
                              {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}};
  glBegin(GL_QUADS);
  for (const auto &Face : Faces) {
    const uint8_t *Colour = &Face == &Faces[0] ? Top : Sides;
    if (Colour)
      glColor3ub(Colour[0], Colour[1], Colour[2]);
    for (const auto &V : Face)
      glVertex3d(X + V[0], Y + V[1], Z + V[2]);
  }
  glEnd();
}

// The places of the pieces standing on the base drawn so far (the previews
// and spin frames draw at the origin, which does not count, and nothing is
// inserted above the base in the test of this kit).
bool ThirdPlace(double X, double Y, double Z) {
  static double Seen[2][3];
  static int Count = 0;
  if ((X == 0 && Y == 0) || Z != 0)
    return false;
  for (int I = 0; I < Count; ++I)
    if (Seen[I][0] == X && Seen[I][1] == Y && Seen[I][2] == Z)
      return false;
  if (Count == 2)
    return true;
  Seen[Count][0] = X, Seen[Count][1] = Y, Seen[Count][2] = Z;
  ++Count;
  return false;
}

void RedCube(double X, double Y, double Z) {
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glColor3ub(255, 0, 0);
  Cube(X, Y, Z);
  glPopAttrib();
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
  while (FAULT == Hangs)
    pause();
  *KitPieceCount = FAULT == NoPieces       ? 0
                   : FAULT == TooMany      ? 101
                   : FAULT == Odd          ? 100
                   : FAULT == CrashesThird ? 1
                                           : 2;
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
  if (FAULT == Aborts || (FAULT == CrashesThird && ThirdPlace(X, Y, Z)))
    abort();
  if (FAULT == CrashesThird)
    return RedCube(X, Y, Z);
  if (FAULT != Throws)
    return;
  if (Piece == 2) {
    glPushMatrix();
    glTranslated(1000, 0, 0);
    glBegin(GL_QUADS);
    glVertex3d(X, Y, Z);
    throw std::runtime_error("the drawing broke");
  }
  RedCube(X, Y, Z);
}
void DrawPieceForm(uint8_t, uint8_t, uint16_t Number, double X, double Y, double Z) {
  if (FAULT != CrashesThird)
    return;
  const KitApi::TPickColor Top = KitApi::PickColor(KitApi::TopCellCode(Number, 1)),
                           Sides = KitApi::PickColor(KitApi::SideCode(Number));
  const uint8_t TopBytes[3] = {Top.Red, Top.Green, Top.Blue}, SideBytes[3] = {Sides.Red, Sides.Green, Sides.Blue};
  Cube(X, Y, Z, TopBytes, SideBytes);
}
void DrawBaseLook(uint8_t, uint8_t, uint8_t) {}
void DrawBaseForm(uint8_t, uint8_t) {}
}
