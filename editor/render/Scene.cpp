#include "Scene.h"

#include "Camera.h"
#include "Capture.h"
#include "Construction.h"
#include "KitDrawings.h"
#include "Overlay.h"
#include "PixelCover.h"
#include "Render.h"
#include "SceneBuffers.h"
#include "ShellLink.h"
#include "model/Busy.h"
#include "model/Global.h"

#include <GL/gl.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The pixel a pick reads, with the camera's matrices, to leave undrawn
// whatever cannot cover it.
TPixelCover PickCover(int X, int GlY) {
  GLdouble Model[16], Projection[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, Model);
  glGetDoublev(GL_PROJECTION_MATRIX, Projection);
  return TPixelCover(Model, Projection, Construction.ViewportWidth, Construction.ViewportHeight, X,
                     GlY);
}

// One quad per base cell, each in its own code, so that a pick names the cell.
void DrawBaseCells(const TPixelCover &Cover) {
  const int W = Construction.BaseWidth, L = Construction.BaseLength;
  // The corners of every cell, projected once: (W + 1) x (L + 1) points, in
  // a buffer kept from pick to pick.
  static std::vector<TScreenPoint> Grid;
  Grid.resize(size_t(W + 1) * (L + 1));
  for (int X = 0; X <= W; ++X)
    for (int Y = 0; Y <= L; ++Y)
      Grid[size_t(X) * (L + 1) + Y] = Cover.Project(X, Y, 0);
  glBegin(GL_QUADS);
  for (int X = 0; X < W; ++X)
    for (int Y = 0; Y < L; ++Y) {
      const TScreenPoint *Left = &Grid[size_t(X) * (L + 1) + Y];
      const TScreenPoint *Right = Left + (L + 1);
      const TScreenPoint Corners[4] = {Left[0], Left[1], Right[0], Right[1]};
      if (!Cover.MayCover(Corners, 4))
        continue;
      const KitApi::TPickColor C = KitApi::PickColor(KitApi::BaseCellCode(X, Y, W));
      glColor4ub(C.Red, C.Green, C.Blue, 255);
      glNormal3d(0, 0, 1);
      glVertex3d(X, Y, 0);
      glVertex3d(X + 1, Y, 0);
      glVertex3d(X + 1, Y + 1, 0);
      glVertex3d(X, Y + 1, 0);
      glColor4ub(0, 0, 0, 255);
    }
  glEnd();
}

// Whether placed piece N can cover the picked pixel: its rotated box does.
bool PieceMayCover(const TPixelCover &Cover, int N) {
  const TPlacedPiece &P = Construction.Pieces[N];
  uint8_t SX = 0, SY = 0, SZ = 0;
  Construction.Kits[P.Kit].GetPiece(uint8_t(P.Piece), &SX, &SY, &SZ);
  const KitApi::TBoxSize Box = KitApi::RotatedBox(P.Rotation, SX, SY);
  return Cover.MayCoverBox(P.X, P.Y, P.Z, P.X + Box.X, P.Y + Box.Y, P.Z + SZ);
}

} // namespace

void SetSceneProjection() {
  AspectRatio = double(Construction.ViewportWidth) / Construction.ViewportHeight;
  NearPlane = 3.0;
  FarPlane = 500.0;
}

void DrawBasePlate() {
  const GLdouble W = Construction.BaseWidth, L = Construction.BaseLength;
  glBegin(GL_QUADS);
  glColor4ub(Construction.BaseRed, Construction.BaseGreen, Construction.BaseBlue, 255);
  glNormal3d(0, 0, 1);
  glVertex3d(W, 0, 0);
  glVertex3d(W, L, 0);
  glVertex3d(0, L, 0);
  glVertex3d(0, 0, 0);
  glEnd();
}

std::unique_ptr<TGlContext> DrawLookFrame(TGlSurface &Surface, const TOverlay *Overlay) {
  SetSceneProjection();
  std::unique_ptr<TGlContext> Context = beginDraw(
      Surface, 3, true, Construction.SceneRed, Construction.SceneGreen, Construction.SceneBlue);
  if (!Context)
    return nullptr;
  ApplyCamera(CurrentCamera());
  const auto DrawByItsKit = [](int N) {
    const TPlacedPiece &P = Construction.Pieces[N];
    Construction.Kits[P.Kit].DrawPieceLook(uint8_t(P.Piece), P.Rotation, P.X, P.Y, P.Z);
  };
  if (DrawFromRecordings() && DrawSceneBuffers()) {
    for (int N : PiecesOutsideBuffers())
      DrawByItsKit(N);
  } else {
    DrawBasePlate();
    for (int N = 1; N <= Construction.PieceCount; ++N)
      DrawByItsKit(N);
  }
  if (Overlay)
    DrawOverlay(*Overlay);
  return Context;
}

std::vector<uint8_t> DrawLookPicture(const TOverlay *Overlay) {
  const int Width = Construction.ViewportWidth, Height = Construction.ViewportHeight;
  std::unique_ptr<TGlContext> Context = DrawLookFrame(CaptureSurface(), Overlay);
  if (!Context)
    return {};
  std::vector<uint8_t> Pixels(size_t(Width) * Height * 4);
  Context->ReadPixels(0, 0, Width, Height, Pixels.data());
  endDraw(true, false, std::move(Context));
  return Pixels;
}

void LookRender() {
  TWindowGlSurface *Window = LookSurface();
  if (!Window)
    return;
  const TBusy Busy;
  // Taken before anything can run a nested render, which must not write it again.
  const std::string Capture = std::exchange(CaptureFileName, std::string());
  if (Window->SharesTextures()) {
    endDraw(true, true, DrawLookFrame(*Window, &ViewportOverlay));
  } else {
    // Drawn offscreen, where the kits' textures live, then shown.
    const std::vector<uint8_t> Picture = DrawLookPicture(&ViewportOverlay);
    if (!Picture.empty())
      Window->ShowPicture(Construction.ViewportWidth, Construction.ViewportHeight,
                          Picture.data());
  }
  // The capture draws the same frame again on a picture of its own, once the
  // window's is shown: a message about it then appears over the new frame,
  // with no context current.
  if (!Capture.empty())
    WriteCapture(Capture);
}

void BlankViewport() {
  TWindowGlSurface *Window = LookSurface();
  if (!Window)
    return;
  std::unique_ptr<TGlContext> Context = Window->UseContext(PixelFormats[3].Samples);
  if (!Context)
    return;
  glClearColor(Construction.SceneRed / 255.0f, Construction.SceneGreen / 255.0f,
               Construction.SceneBlue / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  Context->Present();
  Context->Release();
}

int32_t PickAt(int X, int Y) {
  // A pixel outside the picture holds nothing that was drawn.
  if (X < 0 || Y < 0 || X >= Construction.ViewportWidth || Y >= Construction.ViewportHeight)
    return 0;
  const TBusy Busy;
  SetSceneProjection();
  const int H = Construction.ViewportHeight;
  std::unique_ptr<TGlContext> Context = beginDraw(frmConstructionFormRender(), 4, false, 0, 0, 0);
  if (!Context) { // nothing can be drawn, so nothing is under the mouse
    FocusMainWindow();
    return 0;
  }
  // Only the pixel read back matters: drawing is confined to it, and what
  // cannot cover it is not drawn at all.
  glScissor(X, H - 1 - Y, 1, 1);
  glEnable(GL_SCISSOR_TEST);
  ApplyCamera(CurrentCamera());
  const TPixelCover Cover = PickCover(X, H - 1 - Y);
  DrawBaseCells(Cover);
  for (int N = 1; N <= Construction.PieceCount; ++N) {
    if (!PieceMayCover(Cover, N))
      continue;
    const TPlacedPiece &P = Construction.Pieces[N];
    Construction.Kits[P.Kit].DrawPieceForm(uint8_t(P.Piece), P.Rotation, uint16_t(N), P.X, P.Y,
                                           P.Z);
  }
  uint8_t Pixel[4] = {0, 0, 0, 0};
  Context->ReadPixels(X, H - 1 - Y, 1, 1, Pixel);
  endDraw(false, true, std::move(Context));
  FocusMainWindow();
  // The bytes are blue, green, red, alpha.
  return int32_t(KitApi::PickCode(Pixel[2], Pixel[1], Pixel[0]));
}
