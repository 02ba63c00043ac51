#include "Overlay.h"

#include "KitDrawings.h"
#include "model/Global.h"

#include <GL/gl.h>
#include <GL/glext.h>

TOverlay ViewportOverlay;

namespace {

// Just above the plate, so that the lines are not lost in its depth.
constexpr double GridLift = 0.01;

void DrawGrid() {
  const int W = Construction.BaseWidth, L = Construction.BaseLength;
  // A shade darker than the base, so that the lines are seen on any colour.
  glColor4ub(uint8_t(Construction.BaseRed * 7 / 8), uint8_t(Construction.BaseGreen * 7 / 8),
             uint8_t(Construction.BaseBlue * 7 / 8), 255);
  glBegin(GL_LINES);
  for (int X = 0; X <= W; ++X) {
    glVertex3d(X, 0, GridLift);
    glVertex3d(X, L, GridLift);
  }
  for (int Y = 0; Y <= L; ++Y) {
    glVertex3d(0, Y, GridLift);
    glVertex3d(W, Y, GridLift);
  }
  glEnd();
}

// The piece's rotated box, in cells.
void BoxOf(const TOverlayPiece &P, double Corner[2][3]) {
  uint8_t SX = 0, SY = 0, SZ = 0;
  Construction.Kits[P.Kit].GetPiece(uint8_t(P.Piece), &SX, &SY, &SZ);
  const KitApi::TBoxSize Box = KitApi::RotatedBox(uint8_t(P.Rotation), SX, SY);
  const double Gap = 0.02; // outside the piece's own faces
  Corner[0][0] = P.X - Gap, Corner[0][1] = P.Y - Gap, Corner[0][2] = P.Z - Gap;
  Corner[1][0] = P.X + Box.X + Gap, Corner[1][1] = P.Y + Box.Y + Gap, Corner[1][2] = P.Z + SZ + Gap;
}

void BoxVertex(const double Corner[2][3], int I, int J, int K) {
  glVertex3d(Corner[I][0], Corner[J][1], Corner[K][2]);
}

void DrawBoxEdges(const double C[2][3]) {
  glBegin(GL_LINES);
  for (int A = 0; A < 2; ++A)
    for (int B = 0; B < 2; ++B) {
      BoxVertex(C, 0, A, B), BoxVertex(C, 1, A, B);
      BoxVertex(C, A, 0, B), BoxVertex(C, A, 1, B);
      BoxVertex(C, A, B, 0), BoxVertex(C, A, B, 1);
    }
  glEnd();
}

void DrawBoxFaces(const double C[2][3]) {
  static const int Faces[6][4][3] = {
      {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
      {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
      {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}};
  glBegin(GL_QUADS);
  for (const auto &Face : Faces)
    for (const auto &V : Face)
      BoxVertex(C, V[0], V[1], V[2]);
  glEnd();
}

// The chosen piece in its kit's own drawing, half see-through: the blend
// takes the constant alpha, whatever colours the kit draws with, and the
// construction's depth is kept so that what stands before it hides it.
void DrawSeeThrough(const TOverlayPiece &P) {
  glEnable(GL_BLEND);
  glBlendColor(0, 0, 0, 0.55f);
  glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
  glDepthMask(GL_FALSE);
  glColor4ub(255, 255, 255, 255);
  DrawPieceLookOf(Construction.Kits[P.Kit], uint8_t(P.Piece), uint8_t(P.Rotation), P.X, P.Y, P.Z);
}

void DrawMark(const TOverlay &O) {
  double Box[2][3];
  BoxOf(O.Piece, Box);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glLineWidth(2);
  switch (O.Mark) {
  case TOverlay::DoesNotFit:
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glColor4ub(230, 30, 30, 110);
    DrawBoxFaces(Box);
    glColor4ub(230, 30, 30, 255);
    DrawBoxEdges(Box);
    break;
  case TOverlay::Removable:
  case TOverlay::Carrying:
    // Seen through whatever stands before it: the outline marks the piece
    // a click takes, wherever it lies.
    glDisable(GL_DEPTH_TEST);
    if (O.Mark == TOverlay::Removable)
      glColor4ub(255, 200, 0, 255);
    else
      glColor4ub(230, 30, 30, 255);
    DrawBoxEdges(Box);
    break;
  default:
    break;
  }
}

bool Drawable(const TOverlayPiece &P) {
  return P.Kit >= 1 && P.Kit <= Construction.KitCount && Construction.Kits[P.Kit].GetPiece &&
         P.Piece >= 1 && P.Piece <= Construction.Kits[P.Kit].KitPieceCount;
}

} // namespace

void DrawOverlay(const TOverlay &Overlay) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  if (Overlay.Grid) {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glLineWidth(1);
    DrawGrid();
  }
  glPopAttrib();
  if (Overlay.Mark == TOverlay::None || !Drawable(Overlay.Piece))
    return;
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  if (Overlay.Mark == TOverlay::Fits)
    DrawSeeThrough(Overlay.Piece);
  else
    DrawMark(Overlay);
  glPopAttrib();
}
