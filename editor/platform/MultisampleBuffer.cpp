#include "MultisampleBuffer.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace {

// A renderbuffer of the given format attached to the bound framebuffer.
void AttachRenderbuffer(GLenum Attachment, GLenum Format, int Width, int Height, int Samples) {
  GLuint Buffer = 0;
  glGenRenderbuffers(1, &Buffer);
  glBindRenderbuffer(GL_RENDERBUFFER, Buffer);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, Samples, Format, Width, Height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, Attachment, GL_RENDERBUFFER, Buffer);
}

// A new framebuffer, bound for drawing and reading.
GLuint BoundFramebuffer() {
  GLuint Framebuffer = 0;
  glGenFramebuffers(1, &Framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer);
  return Framebuffer;
}

bool Complete() { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }

// Moves the clip origin to the top, as drawing into a window has it; false
// (and nothing changed) where the GL has no clip control.
bool DrawUpsideDown() {
  GLint Major = 0, Minor = 0;
  glGetIntegerv(GL_MAJOR_VERSION, &Major);
  glGetIntegerv(GL_MINOR_VERSION, &Minor);
  if (Major * 10 + Minor < 45)
    return false;
  glClipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
  return glGetError() == GL_NO_ERROR;
}

void ReverseRows(uint8_t *Bgra, int Width, int Height) {
  const size_t RowBytes = size_t(Width) * 4;
  for (int Low = 0, High = Height - 1; Low < High; ++Low, --High)
    std::swap_ranges(Bgra + Low * RowBytes, Bgra + (Low + 1) * RowBytes, Bgra + High * RowBytes);
}

} // namespace

bool TMultisampleBuffer::Open(int Width, int Height, int Samples) {
  FHeight = Height;
  FResolved = BoundFramebuffer();
  AttachRenderbuffer(GL_COLOR_ATTACHMENT0, GL_RGBA8, Width, Height, 0);
  if (!Complete())
    return false;
  FDrawn = BoundFramebuffer();
  AttachRenderbuffer(GL_COLOR_ATTACHMENT0, GL_RGBA8, Width, Height, Samples);
  AttachRenderbuffer(GL_DEPTH_ATTACHMENT, GL_DEPTH_COMPONENT24, Width, Height, Samples);
  if (!Complete() || glGetError() != GL_NO_ERROR)
    return false;
  FUpsideDown = DrawUpsideDown();
  return true;
}

void TMultisampleBuffer::ReadPixels(int X, int Y, int Width, int Height, uint8_t *Bgra) {
  const int Stored = FUpsideDown ? FHeight - Y - Height : Y;
  // The scissor test would also cut the resolve.
  const GLboolean Scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, FDrawn);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, FResolved);
  glBlitFramebuffer(X, Stored, X + Width, Stored + Height, X, Stored, X + Width, Stored + Height,
                    GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, FResolved);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(X, Stored, Width, Height, GL_BGRA, GL_UNSIGNED_BYTE, Bgra);
  glBindFramebuffer(GL_FRAMEBUFFER, FDrawn);
  if (Scissor)
    glEnable(GL_SCISSOR_TEST);
  if (FUpsideDown)
    ReverseRows(Bgra, Width, Height);
}
