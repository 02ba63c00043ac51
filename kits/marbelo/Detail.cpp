#include "Detail.h"

#include "Textures.h"

namespace Marbelo {

// The look frame has set the colour to white and switched texturing on.
void DrawDetailFaces(const TDetailFace *Faces, std::size_t Count) {
  bool Texturing = true;
  GLbyte Grey = White;
  for (std::size_t F = 0; F < Count; ++F) {
    const TDetailFace &Face = Faces[F];
    if (Face.Texture != Untextured) {
      UseImage(TImageId(Face.Texture));
      Quad(Face.Normal, Face.Corners, WholeTexture);
      continue;
    }
    if (Texturing) {
      glDisable(GL_TEXTURE_2D);
      Texturing = false;
    }
    if (Face.Grey != Grey) {
      Grey = Face.Grey;
      SetGrey(Grey);
    }
    Quad(Face.Normal, Face.Corners);
  }
}

} // namespace Marbelo
