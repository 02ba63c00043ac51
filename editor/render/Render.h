// The hidden drawing surfaces: fRender for the 113-pixel renders, the form
// (pick) render's and the capture's surfaces, always as large as the
// viewport's client area, and the viewport window's own surface once the
// viewport exists.
#pragma once

#include "platform/GlSurface.h"

TOffscreenGlSurface &fRender();

// The 113-pixel pictures drawn without samples (the base form preview): a
// surface of their own, so that neither keeps remaking the other's context.
TOffscreenGlSurface &PlainRenderSurface();

// Sized to ViewportWidth x ViewportHeight each time it is asked for.
TOffscreenGlSurface &frmConstructionFormRender();

// The capture's picture: sized to ViewportWidth x ViewportHeight each time it
// is asked for, and multisampled as the viewport window is.
TOffscreenGlSurface &CaptureSurface();

// The viewport registers its surface when it is created.
void SetLookSurface(TWindowGlSurface *Surface);
TWindowGlSurface *LookSurface();
