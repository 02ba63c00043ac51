#include "Picking.h"

#include "model/Occupancy.h"
#include "render/Camera.h"
#include "render/Construction.h"
#include "render/Render.h"
#include "render/Scene.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

std::unique_ptr<TGlContext> BeginPickCamera() {
  AspectRatio = double(Construction.ViewportWidth) / Construction.ViewportHeight;
  NearPlane = 3.0;
  FarPlane = 500.0;
  std::unique_ptr<TGlContext> C = beginDraw(frmConstructionFormRender(), 4, false, 0, 0, 0);
  EXPECT_TRUE(C) << "no pick context";
  ApplyCamera(CurrentCamera());
  return C;
}

TPixel PixelOf(TPoint P) {
  std::unique_ptr<TGlContext> C = BeginPickCamera();
  GLdouble ModelView[16], Projection[16], WX = 0, WY = 0, WZ = 0;
  GLint Viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, ModelView);
  glGetDoublev(GL_PROJECTION_MATRIX, Projection);
  glGetIntegerv(GL_VIEWPORT, Viewport);
  gluProject(P.X, P.Y, P.Z, ModelView, Projection, Viewport, &WX, &WY, &WZ);
  endDraw(false, false, std::move(C));
  return {int(std::floor(WX)), Construction.ViewportHeight - 1 - int(std::floor(WY))};
}

int32_t PickOf(TPoint P) {
  const TPixel Px = PixelOf(P);
  return PickAt(Px.X, Px.Y);
}

int32_t BaseCode(int X, int Y) { return BaseCodeStart + X + Y * Construction.BaseWidth; }

TSize SizeOf(uint16_t Piece) {
  TSize S;
  Construction.Kits[1].GetPiece(uint8_t(Piece), &S.X, &S.Y, &S.Z);
  return S;
}

void Put(uint16_t Piece, int X, int Y, int Z, int Rotation) {
  const uint16_t N = ++Construction.PieceCount;
  Construction.Pieces[N] = {1, Piece, uint8_t(X), uint8_t(Y), uint8_t(Z), uint8_t(Rotation)};
  StampPiece(N);
}

TPoint TopCellCentre(int N, int F) {
  const TPlacedPiece &P = Construction.Pieces[N];
  const TSize S = SizeOf(P.Piece);
  const KitApi::TCellOffset D = RotateFootprint(P.Rotation, (F - 1) / S.Y, (F - 1) % S.Y, S.X, S.Y);
  return {P.X + D.Dx + 0.5, P.Y + D.Dy + 0.5, double(P.Z + S.Z)};
}
