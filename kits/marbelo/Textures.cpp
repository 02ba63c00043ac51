#include "Textures.h"

#include <GL/glu.h>

namespace Marbelo {
namespace {

GLuint Slots[ImageCount] = {};

} // namespace

void UseTexture(int Width, int Height, const uint32_t *Table, GLuint &Slot) {
  if (Slot == 0) {
    glGenTextures(1, &Slot);
    glBindTexture(GL_TEXTURE_2D, Slot);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, Table);
  }
  glBindTexture(GL_TEXTURE_2D, Slot);
}

void UseImage(TImageId Id) {
  const TImage &I = Image(Id);
  UseTexture(I.Width, I.Height, I.Pixels, Slots[Id]);
}

void ForgetTextures() {
  for (GLuint &Slot : Slots)
    Slot = 0;
}

} // namespace Marbelo
