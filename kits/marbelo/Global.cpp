#include "Global.h"

#include "KitApi.h"

namespace Marbelo {

const TPiece *PieceByNumber(uint8_t Piece) {
  static const TPiece *const Catalogue[PieceCount] = {
      &BlueOne, &BlueTwo, &BlueThree, &BlueFour,  &Eight,   &Door,
      &Window,  &RoofEight, &RoofTwo, &RoofEight2, &RoofTwo2};
  return (Piece >= 1 && Piece <= PieceCount) ? Catalogue[Piece - 1] : nullptr;
}

void ApplyRotation(uint8_t Rotation, uint8_t SizeX, uint8_t SizeY) {
  if (KitApi::EffectiveRotation(Rotation) == 1)
    return;
  const KitApi::TRotationTransform T = KitApi::RotationTransform(Rotation, SizeX, SizeY);
  glRotated(T.TurnDegrees, 0.0, 0.0, 1.0);
  glTranslated(T.OffsetX, T.OffsetY, 0.0);
}

void SetGrey(GLbyte Level) { glColor3b(Level, Level, Level); }

void SetCodeColor(uint32_t Code) {
  const KitApi::TPickColor C = KitApi::PickColor(Code);
  glColor4ub(C.Red, C.Green, C.Blue, 255);
}

void Quad(const TVertex &Normal, const TCorners &Corners, const TTexCoords &Tex) {
  glBegin(GL_QUADS);
  glNormal3f(Normal.X, Normal.Y, Normal.Z);
  for (int C = 0; C < 4; ++C) {
    glTexCoord2f(Tex[C][0], Tex[C][1]);
    glVertex3f(Corners[C].X, Corners[C].Y, Corners[C].Z);
  }
  glEnd();
}

void Quad(const TVertex &Normal, const TCorners &Corners) {
  glBegin(GL_QUADS);
  glNormal3f(Normal.X, Normal.Y, Normal.Z);
  for (const TVertex &V : Corners)
    glVertex3f(V.X, V.Y, V.Z);
  glEnd();
}

void FlatQuad(const TCorners &Corners) {
  glBegin(GL_QUADS);
  for (const TVertex &V : Corners)
    glVertex3f(V.X, V.Y, V.Z);
  glEnd();
}

} // namespace Marbelo
