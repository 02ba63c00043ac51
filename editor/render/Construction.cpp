#include "Construction.h"

#include "model/Global.h"
#include "platform/Messages.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>
#include <vector>

TPixelFormat PixelFormats[5];
TBitmap RenderBitmap;
std::string CaptureFileName;
double AspectRatio = 1.0, NearPlane = 3.0, FarPlane = 500.0;

namespace {

// 4 samples when offered, else 2, else none.
template <class TQuery> int SmoothedSamples(TQuery Query) {
  const int Four = Query(4);
  return Four > 0 ? Four : Query(2);
}

void SetLights() {
  const GLfloat Ambient[] = {0, 0, 0, 1};
  const GLfloat Position[] = {5, 5, 15, 1};
  const GLfloat Diffuse[] = {1, 1, 1, 1};
  const GLfloat Specular[] = {0.5f, 0.5f, 0.5f, 1};
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 10);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, Ambient);
  glLightfv(GL_LIGHT0, GL_POSITION, Position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, Ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, Diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, Specular);
  glColorMaterial(GL_FRONT, GL_SPECULAR);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
}

// A kit keeps the names of the texture objects it made; where those are not
// in the set the current context shares (the first render, a set made anew,
// a kit just loaded), it must make them again.
void TellKitsOfNewTextures() {
  const unsigned Group = GlShareGroup();
  for (int K = 1; K <= Construction.KitCount; ++K) {
    TKit &Kit = Construction.Kits[K];
    if (Kit.TexturesGroup == Group)
      continue;
    Kit.beginDrawKit();
    Kit.TexturesGroup = Group;
  }
}

} // namespace

void ChoosePixelFormats(bool Windows) {
  RenderBitmap.SetSize(RenderSize, RenderSize);
  CaptureFileName.clear();
  PixelFormats[2] = {false, 0};
  PixelFormats[1] = {false, SmoothedSamples(OffscreenSamplesAvailable)};
  PixelFormats[4] = {true, 0};
  PixelFormats[3] = {true, Windows ? SmoothedSamples(WindowSamplesAvailable)
                                   : SmoothedSamples(OffscreenSamplesAvailable)};
}

std::unique_ptr<TGlContext> beginDraw(TGlSurface &Surface, int Slot, bool Lighting, uint8_t Red,
                                      uint8_t Green, uint8_t Blue) {
  if (!Surface.SharesTextures())
    return nullptr;
  std::unique_ptr<TGlContext> Context = Surface.UseContext(PixelFormats[Slot].Samples);
  if (!Context)
    return nullptr;
  TellKitsOfNewTextures();
  glClearColor(Red / 255.0f, Green / 255.0f, Blue / 255.0f, 1.0f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  if (Lighting)
    SetLights();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, AspectRatio, NearPlane, FarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPushMatrix();
  glLoadIdentity();
  // Eye-space y is mirrored; the camera is multiplied on after this.
  const GLdouble Mirror[16] = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  glMultMatrixd(Mirror);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return Context;
}

void endDraw(bool Lighting, bool Present, std::unique_ptr<TGlContext> Context) {
  if (!Context)
    return;
  glPopMatrix();
  glFinish();
  if (Present)
    Context->Present();
  if (Lighting) {
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
  }
  if (!Context->Release())
    ShowMessage("endDraw wglMakeCurrent(0, 0) failed.", "Stavemont");
}

void ReadRenderBitmap(TGlContext &Context) {
  constexpr int RowBytes = RenderSize * 4;
  std::vector<uint8_t> Buffer(size_t(RowBytes) * RenderSize);
  Context.ReadPixels(0, 0, RenderSize, RenderSize, Buffer.data());
  for (int Row = 0; Row < RenderSize; ++Row)
    std::memcpy(RenderBitmap.ScanLine(RenderSize - 1 - Row), &Buffer[size_t(Row) * RowBytes],
                RowBytes);
}
