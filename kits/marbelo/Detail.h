// Look drawing from a list of faces, for the pieces modelled in detail (the
// door and the window): textured faces first, then untextured faces in grey
// levels. Texturing goes off at the first untextured face, and the colour is
// set only where it changes.
#pragma once

#include "Global.h"
#include "TexturesImg.h"

#include <cstddef>

namespace Marbelo {

struct TDetailFace {
  TVertex Normal;
  TCorners Corners;
  int Texture; // a TImageId, or Untextured
  GLbyte Grey; // colour of an untextured face
};

inline constexpr int Untextured = -1;

// A textured face; it shows its whole texture once.
constexpr TDetailFace Textured(TVertex Normal, TVertex A, TVertex B, TVertex C, TVertex D,
                               TImageId Texture) {
  return {Normal, {A, B, C, D}, Texture, White};
}

constexpr TDetailFace Plain(TVertex Normal, TVertex A, TVertex B, TVertex C, TVertex D,
                            GLbyte Grey) {
  return {Normal, {A, B, C, D}, Untextured, Grey};
}

void DrawDetailFaces(const TDetailFace *Faces, std::size_t Count);

} // namespace Marbelo
