#include "Textures.h"

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
    // The image at its own size, its smaller levels made by the GL. GLU's
    // mipmap builder would first rescale sides that are no power of two, and
    // where it widens an image but keeps its height (48 x 16 to 64 x 16) it
    // leaves the last row black: a dark line along the top edge of each face
    // showing such an image.
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, Width, Height, 0, GL_RGBA, GL_UNSIGNED_BYTE, Table);
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
