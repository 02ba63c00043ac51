// The footprint of a piece seen from above, in the plane z = 0 of its frame:
// one cell texture per footprint cell with the anchor cell marked, or each
// cell in the flat colour of its own number.
#pragma once

#include <cstdint>

namespace Marbelo {

void DrawFootprintLook(uint8_t SizeX, uint8_t SizeY, uint8_t AnchorCell);

void DrawFootprintForm(uint8_t SizeX, uint8_t SizeY);

} // namespace Marbelo
