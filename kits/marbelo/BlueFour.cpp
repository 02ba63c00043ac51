// Brick of 2 x 4 x 1 cells, every cell solid.
#include "Brick.h"
#include "Global.h"

namespace Marbelo {
namespace {

const uint8_t Volume[2][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}};

uint8_t Filled(uint8_t X, uint8_t Y, uint8_t) { return TableCell(Volume, X, Y); }

void Look() { DrawBrickLook(2, 4, 1, {imgBlueFourFace, imgBlueTwoRight, imgBlueFourUp}); }

void Form(uint16_t Number) { DrawBoxForm(2, 4, 1, Number); }

} // namespace

const TPiece BlueFour = {2, 4, 1, Filled, Look, Form};

} // namespace Marbelo
