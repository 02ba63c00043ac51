#include "Base.h"

#include "Global.h"
#include "KitApi.h"
#include "Textures.h"

namespace Marbelo {
namespace {

// The anchor mark lies just above its cell so that it wins the depth test.
constexpr GLfloat AnchorLift = 0.001f;

struct TCell {
  TCorners Corners;
};

// The unit square of footprint cell (I, J) at height Z.
TCell Cell(int I, int J, GLfloat Z) {
  const GLfloat X0 = I, Y0 = J, X1 = I + 1, Y1 = J + 1;
  return {{{X0, Y0, Z}, {X0, Y1, Z}, {X1, Y1, Z}, {X1, Y0, Z}}};
}

} // namespace

void DrawFootprintLook(uint8_t SizeX, uint8_t SizeY, uint8_t AnchorCell) {
  UseImage(imgBase1);
  for (int I = 0; I < SizeX; ++I)
    for (int J = 0; J < SizeY; ++J)
      Quad({0, 0, 1}, Cell(I, J, 0).Corners, WholeTexture);
  // An anchor outside the footprint marks nothing.
  if (AnchorCell < 1 || AnchorCell > SizeX * SizeY)
    return;
  UseImage(imgBase2);
  const KitApi::TFootprintCell A = KitApi::FootprintCellOf(AnchorCell, SizeY);
  Quad({0, 0, 1}, Cell(A.I, A.J, AnchorLift).Corners, WholeTexture);
}

void DrawFootprintForm(uint8_t SizeX, uint8_t SizeY) {
  for (int I = 0; I < SizeX; ++I)
    for (int J = 0; J < SizeY; ++J) {
      SetCodeColor(uint32_t(KitApi::FootprintCellNumber(I, J, SizeY)));
      FlatQuad(Cell(I, J, 0).Corners);
    }
}

} // namespace Marbelo
