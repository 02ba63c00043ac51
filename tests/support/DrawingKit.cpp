// A kit of two one-cell pieces whose piece 1 draws in a way the editor
// cannot take down as a recording, chosen when it is built (DRAWING): with
// vertex arrays, with a display list, with glRect, with an evaluator, not at
// all, differently at every other call, or leaving lighting off behind it.
// Piece 2 is a plain lit cube, drawn with glBegin, which can be recorded.
// The pick codes are drawn for both pieces.
#include "KitApi.h"

#include <GL/gl.h>

namespace {

constexpr int VertexArrays = 1, DisplayList = 2, Rects = 3, Evaluator = 4, Nothing = 5, Changing = 6,
              LeavesState = 7;

// The faces of the unit cube, each with its outward normal: top, bottom,
// then the sides.
const float Normals[6][3] = {{0, 0, 1}, {0, 0, -1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
const float Corners[6][4][3] = {{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
                                {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
                                {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}},
                                {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
                                {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}},
                                {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}};

void Cube() {
  glBegin(GL_QUADS);
  for (int F = 0; F < 6; ++F) {
    glNormal3fv(Normals[F]);
    for (const auto &C : Corners[F])
      glVertex3fv(C);
  }
  glEnd();
}

void CubeFromArrays() {
  static float Vertices[24][3], FaceNormals[24][3];
  for (int F = 0; F < 6; ++F)
    for (int C = 0; C < 4; ++C)
      for (int A = 0; A < 3; ++A)
        Vertices[F * 4 + C][A] = Corners[F][C][A], FaceNormals[F * 4 + C][A] = Normals[F][A];
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, Vertices);
  glNormalPointer(GL_FLOAT, 0, FaceNormals);
  glDrawArrays(GL_QUADS, 0, 24);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

GLuint List = 0; // made again in each new set of shared objects

void CubeFromList() {
  if (!List) {
    List = glGenLists(1);
    glNewList(List, GL_COMPILE);
    Cube();
    glEndList();
  }
  glCallList(List);
}

void CubeOfRects() {
  glNormal3f(0, 0, 1);
  glRectf(0, 0, 1, 1);
  glTranslatef(0, 0, 1);
  glRectf(0, 0, 1, 1);
}

// The top as a flat patch of 4 x 4 quadrilaterals.
void TopFromEvaluator() {
  static const GLfloat Patch[2][2][3] = {{{0, 0, 1}, {0, 1, 1}}, {{1, 0, 1}, {1, 1, 1}}};
  glNormal3f(0, 0, 1);
  glMap2f(GL_MAP2_VERTEX_3, 0, 1, 3, 2, 0, 1, 6, 2, &Patch[0][0][0]);
  glEnable(GL_MAP2_VERTEX_3);
  glMapGrid2f(4, 0, 1, 4, 0, 1);
  glEvalMesh2(GL_FILL, 0, 4, 0, 4);
  glDisable(GL_MAP2_VERTEX_3);
}

void HostilePiece() {
  static int Calls = 0;
  switch (DRAWING) {
  case VertexArrays: return CubeFromArrays();
  case DisplayList: return CubeFromList();
  case Rects: return CubeOfRects();
  case Evaluator: return TopFromEvaluator();
  case Nothing: return;
  case Changing:
    if (++Calls % 2)
      glColor3ub(40, 200, 40);
    return Cube();
  case LeavesState:
    glDisable(GL_LIGHTING);
    return Cube();
  }
}

} // namespace

extern "C" {
void GetKit(uint8_t *KitPieceCount) { *KitPieceCount = 2; }
void beginDrawKit(void) { List = 0; }
void GetPiece(uint8_t, uint8_t *SizeX, uint8_t *SizeY, uint8_t *SizeZ) { *SizeX = *SizeY = *SizeZ = 1; }
void GetPieceVolume(uint8_t, uint8_t, uint8_t, uint8_t, uint8_t *Filled) { *Filled = 1; }
void DrawPieceLook(uint8_t Piece, uint8_t, double X, double Y, double Z) {
  glPushMatrix();
  glTranslated(X, Y, Z);
  if (Piece == 1) {
    glColor3ub(230, 120, 20);
    HostilePiece();
  } else {
    glColor3ub(120, 40, 200);
    Cube();
  }
  glPopMatrix();
}
void DrawPieceForm(uint8_t, uint8_t, uint16_t Number, double X, double Y, double Z) {
  glPushMatrix();
  glTranslated(X, Y, Z);
  const KitApi::TPickColor Code = KitApi::PickColor(KitApi::SideCode(Number));
  glColor3ub(Code.Red, Code.Green, Code.Blue);
  Cube();
  glPopMatrix();
}
void DrawBaseLook(uint8_t, uint8_t, uint8_t) {}
void DrawBaseForm(uint8_t, uint8_t) {}
}
