// The wedge shared by the four roof pieces: a gable at each end, a high wall
// at x = SizeX and a slope rising from the floor edge at x = 0 to the top of
// the wall. The slope is lit as a horizontal top (normal straight up).
#pragma once

#include "TexturesImg.h"

#include <cstdint>

namespace Marbelo {

struct TRoofTextures {
  TImageId Gables, Wall, Slope;
};

void DrawRoofLook(uint8_t SizeX, uint8_t SizeY, uint8_t Height, const TRoofTextures &Textures);

// Every face of a roof carries the piece's side code: a roof has no top cells.
void DrawRoofForm(uint8_t SizeX, uint8_t SizeY, uint8_t Height, uint16_t Number);

} // namespace Marbelo
