// Brick of 2 x 2 x 1 cells, every cell solid.
#include "Brick.h"
#include "Global.h"

namespace Marbelo {
namespace {

const uint8_t Volume[2][2] = {{1, 1}, {1, 1}};

uint8_t Filled(uint8_t X, uint8_t Y, uint8_t) { return TableCell(Volume, X, Y); }

void Look() { DrawBrickLook(2, 2, 1, {imgBlueTwoRight, imgBlueTwoRight, imgBlueTwoUp}); }

void Form(uint16_t Number) { DrawBoxForm(2, 2, 1, Number); }

} // namespace

const TPiece BlueTwo = {2, 2, 1, Filled, Look, Form};

} // namespace Marbelo
