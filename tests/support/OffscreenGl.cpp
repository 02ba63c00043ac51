#include "OffscreenGl.h"

#include <GL/gl.h>

TOffscreenGl::TOffscreenGl(int Width, int Height) : FWidth(Width), FHeight(Height) {
  FSurface.create();
  if (!FContext.create() || !FContext.makeCurrent(&FSurface))
    return;
  QOpenGLFramebufferObjectFormat Format;
  Format.setAttachment(QOpenGLFramebufferObject::Depth);
  Format.setInternalTextureFormat(GL_RGBA8);
  FFramebuffer = std::make_unique<QOpenGLFramebufferObject>(Width, Height, Format);
  FReady = FFramebuffer->isValid() && FFramebuffer->bind();
  glViewport(0, 0, Width, Height);
}

TOffscreenGl::~TOffscreenGl() {
  if (FContext.isValid() && FContext.makeCurrent(&FSurface)) {
    FFramebuffer.reset();
    FContext.doneCurrent();
  }
}

void TOffscreenGl::ReadBack() {
  FPixels.assign(size_t(FWidth) * FHeight * 4, 0);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, FWidth, FHeight, GL_RGBA, GL_UNSIGNED_BYTE, FPixels.data());
}

TRgb TOffscreenGl::ColorAt(int X, int Y) const {
  const uint8_t *P = &FPixels[(size_t(Y) * FWidth + X) * 4];
  return {P[0], P[1], P[2]};
}

uint32_t TOffscreenGl::CodeAt(int X, int Y) const {
  const TRgb C = ColorAt(X, Y);
  return uint32_t(C.Red) + 256u * C.Green + 65536u * C.Blue;
}
