#include "GlState.h"

#include <EGL/egl.h>
#include <GL/gl.h>

#include <QOpenGLContext>

namespace {

bool ContextCurrent() {
  return eglGetCurrentContext() != EGL_NO_CONTEXT || QOpenGLContext::currentContext();
}

void PopTo(GLenum DepthQuery, int Depth, void (*Pop)()) {
  GLint Now = 0;
  for (glGetIntegerv(DepthQuery, &Now); Now > Depth; --Now)
    Pop();
}

void PutBack(GLenum Mode, GLenum DepthQuery, int Depth, const double *Matrix) {
  glMatrixMode(Mode);
  PopTo(DepthQuery, Depth, glPopMatrix);
  glLoadMatrixd(Matrix);
}

} // namespace

TGlMark MarkGlState() {
  TGlMark Mark;
  if (!ContextCurrent())
    return Mark;
  glGetIntegerv(GL_MATRIX_MODE, &Mark.MatrixMode);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &Mark.ModelviewDepth);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &Mark.ProjectionDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &Mark.AttribDepth);
  glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &Mark.ClientAttribDepth);
  glGetDoublev(GL_MODELVIEW_MATRIX, Mark.Modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, Mark.Projection);
  return Mark;
}

void RestoreGlMark(const TGlMark &Mark) {
  if (!ContextCurrent() || Mark.MatrixMode == 0)
    return;
  glEnd(); // an error unless a glBegin was left open
  PopTo(GL_CLIENT_ATTRIB_STACK_DEPTH, Mark.ClientAttribDepth, glPopClientAttrib);
  PopTo(GL_ATTRIB_STACK_DEPTH, Mark.AttribDepth, glPopAttrib);
  PutBack(GL_PROJECTION, GL_PROJECTION_STACK_DEPTH, Mark.ProjectionDepth, Mark.Projection);
  PutBack(GL_MODELVIEW, GL_MODELVIEW_STACK_DEPTH, Mark.ModelviewDepth, Mark.Modelview);
  glMatrixMode(GLenum(Mark.MatrixMode));
  while (glGetError() != GL_NO_ERROR)
    ;
}
