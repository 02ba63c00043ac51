#include "Brick.h"

#include "Global.h"
#include "KitApi.h"
#include "Textures.h"

namespace Marbelo {
namespace {

struct TSide {
  TVertex Normal;
  TCorners Corners;
};

// The four sides of the box in drawing order: x = 0, y = SizeY, x = SizeX, y = 0.
struct TBoxSides {
  TSide Sides[4];
};

TBoxSides BoxSides(GLfloat X, GLfloat Y, GLfloat Z) {
  return {{
      {{-1, 0, 0}, {{0, 0, 0}, {0, Y, 0}, {0, Y, Z}, {0, 0, Z}}},
      {{0, 1, 0}, {{0, Y, 0}, {X, Y, 0}, {X, Y, Z}, {0, Y, Z}}},
      {{1, 0, 0}, {{X, Y, 0}, {X, 0, 0}, {X, 0, Z}, {X, Y, Z}}},
      {{0, -1, 0}, {{X, 0, 0}, {0, 0, 0}, {0, 0, Z}, {X, 0, Z}}},
  }};
}

} // namespace

void DrawBrickLook(uint8_t SizeX, uint8_t SizeY, uint8_t SizeZ, const TBrickTextures &Textures) {
  const GLfloat X = SizeX, Y = SizeY, Z = SizeZ;
  const TBoxSides Box = BoxSides(X, Y, Z);
  const TImageId SideTextures[4] = {Textures.XFaces, Textures.YFaces, Textures.XFaces,
                                    Textures.YFaces};
  for (int S = 0; S < 4; ++S) {
    UseImage(SideTextures[S]);
    Quad(Box.Sides[S].Normal, Box.Sides[S].Corners, WholeTexture);
  }
  UseImage(Textures.Top);
  Quad({0, 0, 1}, {{0, 0, Z}, {0, Y, Z}, {X, Y, Z}, {X, 0, Z}}, WholeTexture);
}

void DrawBoxForm(uint8_t SizeX, uint8_t SizeY, uint8_t SizeZ, uint16_t Number) {
  const GLfloat Z = SizeZ;
  SetCodeColor(KitApi::SideCode(Number));
  for (const TSide &Side : BoxSides(SizeX, SizeY, Z).Sides)
    FlatQuad(Side.Corners);
  for (int I = 0; I < SizeX; ++I)
    for (int J = 0; J < SizeY; ++J) {
      const GLfloat X0 = I, Y0 = J, X1 = I + 1, Y1 = J + 1;
      SetCodeColor(KitApi::TopCellCode(Number, KitApi::FootprintCellNumber(I, J, SizeY)));
      FlatQuad({{X0, Y0, Z}, {X0, Y1, Z}, {X1, Y1, Z}, {X1, Y0, Z}});
    }
}

} // namespace Marbelo
