#include "Render.h"

#include "Construction.h"
#include "model/Global.h"

namespace {

TGlSurface *Look = nullptr;

} // namespace

TOffscreenGlSurface &fRender() {
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

void SetLookSurface(TGlSurface *Surface) { Look = Surface; }

TGlSurface *LookSurface() { return Look; }
