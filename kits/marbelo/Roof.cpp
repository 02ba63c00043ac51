#include "Roof.h"

#include "Global.h"
#include "KitApi.h"
#include "Textures.h"

namespace Marbelo {
namespace {

struct TRoofFace {
  TVertex Normal;
  TCorners Corners;
  TTexCoords Tex;
};

enum TRoofPart { Gable, Wall, Slope };

struct TWedge {
  TRoofFace Faces[4];
  TRoofPart Parts[4];
};

// Drawing order: gable y = SizeY, wall x = SizeX, gable y = 0, slope. Each
// gable is a triangle whose fourth corner repeats the third.
TWedge Wedge(GLfloat X, GLfloat Y, GLfloat H) {
  return {{
              {{0, 1, 0}, {{0, Y, 0}, {X, Y, 0}, {X, Y, H}, {X, Y, H}}, {{0, 0}, {1, 0}, {1, 1}, {1, 1}}},
              {{1, 0, 0}, {{X, Y, 0}, {X, 0, 0}, {X, 0, H}, {X, Y, H}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
              {{0, -1, 0}, {{X, 0, 0}, {0, 0, 0}, {X, 0, H}, {X, 0, H}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
              {{0, 0, 1}, {{0, 0, 0}, {0, Y, 0}, {X, Y, H}, {X, 0, H}}, {{1, 1}, {0, 1}, {0, 0}, {1, 0}}},
          },
          {Gable, Wall, Gable, Slope}};
}

} // namespace

void DrawRoofLook(uint8_t SizeX, uint8_t SizeY, uint8_t Height, const TRoofTextures &Textures) {
  const TWedge W = Wedge(SizeX, SizeY, Height);
  const TImageId TextureOf[3] = {Textures.Gables, Textures.Wall, Textures.Slope};
  for (int F = 0; F < 4; ++F) {
    UseImage(TextureOf[W.Parts[F]]);
    Quad(W.Faces[F].Normal, W.Faces[F].Corners, W.Faces[F].Tex);
  }
}

void DrawRoofForm(uint8_t SizeX, uint8_t SizeY, uint8_t Height, uint16_t Number) {
  SetCodeColor(KitApi::SideCode(Number));
  for (const TRoofFace &Face : Wedge(SizeX, SizeY, Height).Faces)
    FlatQuad(Face.Corners);
}

} // namespace Marbelo
