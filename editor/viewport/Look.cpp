#include "Look.h"

#include "model/Global.h"
#include "render/Construction.h"
#include "render/Render.h"

#include <QResizeEvent>

TfLook::TfLook() : FSurface(*this) {
  setSurfaceType(QSurface::OpenGLSurface);
  setFormat(WindowFormat(PixelFormats[3].Samples));
  setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setTitle("Stavemont");
  resize(800, 600);
  create();
  Construction.ViewportWidth = 800;
  Construction.ViewportHeight = 600;
  SetLookSurface(&FSurface);
}

TfLook::~TfLook() { SetLookSurface(nullptr); }

void TfLook::resizeEvent(QResizeEvent *Event) {
  Construction.ViewportWidth = uint16_t(Event->size().width());
  Construction.ViewportHeight = uint16_t(Event->size().height());
}
