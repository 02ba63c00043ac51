// Roof of 2 x 2 x 2 cells, two layers high.
#include "Global.h"
#include "Roof.h"

namespace Marbelo {
namespace {

// Under the low side of the slope (X = 1) the upper layer is empty.
const uint8_t Volume[2][2][2] = {{{1, 0}, {1, 0}}, {{1, 1}, {1, 1}}};

uint8_t Filled(uint8_t X, uint8_t Y, uint8_t Z) { return TableCell(Volume, X, Y, Z); }

void Look() { DrawRoofLook(2, 2, 2, {imgBlueTwoUp, imgEightRight, imgRoofTwoUp}); }

void Form(uint16_t Number) { DrawRoofForm(2, 2, 2, Number); }

} // namespace

const TPiece RoofTwo2 = {2, 2, 2, Filled, Look, Form};

} // namespace Marbelo
