#include "StepPicture.h"

#include "Camera.h"
#include "Construction.h"
#include "KitDrawings.h"
#include "Render.h"
#include "Scene.h"
#include "model/Global.h"

#include <GL/gl.h>

#include <memory>
#include <utility>

namespace {

// How much of the white veil covers what was drawn before it.
constexpr GLubyte VeilAlpha = 150;

void DrawPieces(const std::vector<int> &Numbers) {
  for (int N : Numbers) {
    const TPlacedPiece &P = Construction.Pieces[N];
    DrawPieceLookOf(Construction.Kits[P.Kit], uint8_t(P.Piece), P.Rotation, P.X, P.Y, P.Z);
  }
}

// White over the whole picture, half see-through, keeping the depth drawn.
void DrawVeil() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4ub(255, 255, 255, VeilAlpha);
  glBegin(GL_QUADS);
  glVertex2d(-1, -1);
  glVertex2d(1, -1);
  glVertex2d(1, 1);
  glVertex2d(-1, 1);
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

} // namespace

QImage DrawStepPicture(const std::vector<int> &Earlier, const std::vector<int> &New) {
  const int Width = Construction.ViewportWidth, Height = Construction.ViewportHeight;
  SetSceneProjection();
  std::unique_ptr<TGlContext> Context = beginDraw(
      CaptureSurface(), 3, true, Construction.SceneRed, Construction.SceneGreen, Construction.SceneBlue);
  if (!Context)
    return {};
  ApplyCamera(CurrentCamera());
  DrawBasePlate();
  DrawPieces(Earlier);
  if (!Earlier.empty())
    DrawVeil();
  DrawPieces(New);
  QImage Picture(Width, Height, QImage::Format_RGB32);
  // Rows come from the bottom; the picture's first row is its top.
  Context->ReadPixels(0, 0, Width, Height, Picture.bits());
  endDraw(true, false, std::move(Context));
  for (int Y = 0; Y < Height; ++Y) // opaque, as the format requires
    for (uint32_t *Pixel = reinterpret_cast<uint32_t *>(Picture.scanLine(Y)), *End = Pixel + Width;
         Pixel < End; ++Pixel)
      *Pixel |= 0xFF000000u;
  return Picture.mirrored(false, true);
}
