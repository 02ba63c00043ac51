#include "Render.h"

#include "Construction.h"
#include "model/Global.h"

namespace {

TWindowGlSurface *Look = nullptr;

} // namespace

TOffscreenGlSurface &fRender() {
  static TOffscreenGlSurface Surface(RenderSize, RenderSize);
  return Surface;
}

TOffscreenGlSurface &PlainRenderSurface() {
  static TOffscreenGlSurface Surface(RenderSize, RenderSize);
  return Surface;
}

TOffscreenGlSurface &frmConstructionFormRender() {
  static TOffscreenGlSurface Surface(100, 100);
  Surface.SetSize(Construction.ViewportWidth, Construction.ViewportHeight);
  return Surface;
}

TOffscreenGlSurface &CaptureSurface() {
  static TOffscreenGlSurface Surface(100, 100, TOffscreenSmoothing::Multisampled);
  Surface.SetSize(Construction.ViewportWidth, Construction.ViewportHeight);
  return Surface;
}

void SetLookSurface(TWindowGlSurface *Surface) { Look = Surface; }

TWindowGlSurface *LookSurface() { return Look; }
