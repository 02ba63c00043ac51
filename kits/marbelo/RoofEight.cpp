// Roof of 2 x 8 x 1 cells, every cell solid.
#include "Global.h"
#include "Roof.h"

namespace Marbelo {
namespace {

const uint8_t Volume[2][8] = {{1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1}};

uint8_t Filled(uint8_t X, uint8_t Y, uint8_t) { return TableCell(Volume, X, Y); }

void Look() { DrawRoofLook(2, 8, 1, {imgBlueTwoRight, imgEightFace, imgRoofEightUp}); }

void Form(uint16_t Number) { DrawRoofForm(2, 8, 1, Number); }

} // namespace

const TPiece RoofEight = {2, 8, 1, Filled, Look, Form};

} // namespace Marbelo
