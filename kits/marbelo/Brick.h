// The box shapes shared by the bricks, the door and the window: the five
// textured faces of a brick, and the form drawing of any box (four sides,
// then the top as one square per footprint cell).
#pragma once

#include "TexturesImg.h"

#include <cstdint>

namespace Marbelo {

struct TBrickTextures {
  TImageId XFaces, YFaces, Top;
};

void DrawBrickLook(uint8_t SizeX, uint8_t SizeY, uint8_t SizeZ, const TBrickTextures &Textures);

void DrawBoxForm(uint8_t SizeX, uint8_t SizeY, uint8_t SizeZ, uint16_t Number);

} // namespace Marbelo
