// The eight functions the kit exports. Each dispatches on the piece number;
// a number outside the catalogue returns at once and leaves every output as
// it was.
#include "Base.h"
#include "Global.h"
#include "KitApi.h"
#include "Textures.h"

using namespace Marbelo;

namespace {

void PushPlaced(const TPiece &P, uint8_t Rotation, double X, double Y, double Z) {
  glPushMatrix();
  glTranslated(X, Y, Z);
  ApplyRotation(Rotation, P.SizeX, P.SizeY);
}

void PushFootprint(const TPiece &P, uint8_t Rotation) {
  glPushMatrix();
  ApplyRotation(Rotation, P.SizeX, P.SizeY);
}

void BeginLook() {
  SetGrey(White);
  glEnable(GL_TEXTURE_2D);
}

} // namespace

extern "C" {

void GetKit(uint8_t *KitPieceCount) { *KitPieceCount = Marbelo::PieceCount; }

void beginDrawKit(void) { ForgetTextures(); }

void GetPiece(uint8_t Piece, uint8_t *SizeX, uint8_t *SizeY, uint8_t *SizeZ) {
  const TPiece *P = PieceByNumber(Piece);
  if (!P)
    return;
  *SizeX = P->SizeX;
  *SizeY = P->SizeY;
  *SizeZ = P->SizeZ;
}

void GetPieceVolume(uint8_t Piece, uint8_t X, uint8_t Y, uint8_t Z, uint8_t *Filled) {
  const TPiece *P = PieceByNumber(Piece);
  if (!P)
    return;
  *Filled = P->Filled(X, Y, Z);
}

void DrawPieceLook(uint8_t Piece, uint8_t Rotation, double X, double Y, double Z) {
  const TPiece *P = PieceByNumber(Piece);
  if (!P)
    return;
  PushPlaced(*P, Rotation, X, Y, Z);
  BeginLook();
  P->DrawLook();
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
}

void DrawPieceForm(uint8_t Piece, uint8_t Rotation, uint16_t Number, double X, double Y,
                   double Z) {
  const TPiece *P = PieceByNumber(Piece);
  if (!P)
    return;
  PushPlaced(*P, Rotation, X, Y, Z);
  P->DrawForm(Number);
  glPopMatrix();
}

void DrawBaseLook(uint8_t Piece, uint8_t Rotation, uint8_t AnchorCell) {
  const TPiece *P = PieceByNumber(Piece);
  if (!P)
    return;
  PushFootprint(*P, Rotation);
  BeginLook();
  DrawFootprintLook(P->SizeX, P->SizeY, AnchorCell);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
}

void DrawBaseForm(uint8_t Piece, uint8_t Rotation) {
  const TPiece *P = PieceByNumber(Piece);
  if (!P)
    return;
  PushFootprint(*P, Rotation);
  DrawFootprintForm(P->SizeX, P->SizeY);
  glPopMatrix();
}

} // extern "C"
