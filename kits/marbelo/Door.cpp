// The door, 1 x 4 x 6 cells: a frame 3/16 of a cell wide around an opening,
// and inside it a recessed grey leaf with four open panes and two dark bars.
// In form drawing it is a solid box.
#include "Brick.h"
#include "Detail.h"

namespace Marbelo {
namespace {

const uint8_t Volume[4][6] = {{1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1},
                              {1, 1, 1, 1, 1, 1}};

// One cell deep along x, so X is not consulted.
uint8_t Filled(uint8_t, uint8_t Y, uint8_t Z) { return TableCell(Volume, Y, Z); }

constexpr GLbyte Leaf = 80, Bars = 50;
constexpr GLfloat F0 = 0.6f, F1 = 0.7f; // front and back of the leaf

const TDetailFace Faces[] = {
    // Outer sides and top.
    Textured({0, 1, 0}, {0, 4, 0}, {1, 4, 0}, {1, 4, 6}, {0, 4, 6}, imgDoorLeft),
    Textured({0, -1, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, 6}, {1, 0, 6}, imgDoorLeft),
    Textured({0, 0, 1}, {0, 0, 6}, {0, 4, 6}, {1, 4, 6}, {1, 0, 6}, imgDoorUp),
    // Jambs, head and sill, front (x = 0) and back (x = 1).
    Textured({-1, 0, 0}, {0, 0, 0}, {0, 0.1875, 0}, {0, 0.1875, 6}, {0, 0, 6}, imgDoorFaceLeft),
    Textured({-1, 0, 0}, {0, 3.8125, 0}, {0, 4, 0}, {0, 4, 6}, {0, 3.8125, 6}, imgDoorFaceRight),
    Textured({1, 0, 0}, {1, 4, 0}, {1, 3.8125, 0}, {1, 3.8125, 6}, {1, 4, 6}, imgDoorFaceLeft),
    Textured({1, 0, 0}, {1, 0.1875, 0}, {1, 0, 0}, {1, 0, 6}, {1, 0.1875, 6}, imgDoorFaceRight),
    Textured({-1, 0, 0}, {0, 0.1875, 5.8125}, {0, 3.8125, 5.8125}, {0, 3.8125, 6}, {0, 0.1875, 6},
             imgDoorFaceUp),
    Textured({-1, 0, 0}, {0, 0.1875, 0}, {0, 3.8125, 0}, {0, 3.8125, 0.1875}, {0, 0.1875, 0.1875},
             imgDoorFaceDown),
    Textured({1, 0, 0}, {1, 3.8125, 5.8125}, {1, 0.1875, 5.8125}, {1, 0.1875, 6}, {1, 3.8125, 6},
             imgDoorFaceUp),
    Textured({1, 0, 0}, {1, 3.8125, 0}, {1, 0.1875, 0}, {1, 0.1875, 0.1875}, {1, 3.8125, 0.1875},
             imgDoorFaceDown),
    // Inner faces of the frame, white.
    Plain({0, 1, 0}, {0, 0.1875, 0.1875}, {1, 0.1875, 0.1875}, {1, 0.1875, 5.8125},
          {0, 0.1875, 5.8125}, White),
    Plain({0, -1, 0}, {1, 3.8125, 0.1875}, {0, 3.8125, 0.1875}, {0, 3.8125, 5.8125},
          {1, 3.8125, 5.8125}, White),
    Plain({0, 0, 1}, {0, 0.1875, 0.1875}, {0, 3.8125, 0.1875}, {1, 3.8125, 0.1875},
          {1, 0.1875, 0.1875}, White),
    // The leaf: sides of the panes, their floors, the lower panel, stiles, rails.
    Plain({0, 1, 0}, {F0, 0.375, 2}, {F1, 0.375, 2}, {F1, 0.375, 5.625}, {F0, 0.375, 5.625}, Leaf),
    Plain({0, 1, 0}, {F0, 2.09375, 2}, {F1, 2.09375, 2}, {F1, 2.09375, 5.625},
          {F0, 2.09375, 5.625}, Leaf),
    Plain({0, -1, 0}, {F1, 3.625, 2}, {F0, 3.625, 2}, {F0, 3.625, 5.625}, {F1, 3.625, 5.625}, Leaf),
    Plain({0, -1, 0}, {F1, 1.90625, 2}, {F0, 1.90625, 2}, {F0, 1.90625, 5.625},
          {F1, 1.90625, 5.625}, Leaf),
    Plain({0, 0, 1}, {F0, 0.375, 2}, {F0, 3.625, 2}, {F1, 3.625, 2}, {F1, 0.375, 2}, Leaf),
    Plain({0, 0, 1}, {F0, 0.375, 3.90625}, {F0, 3.625, 3.90625}, {F1, 3.625, 3.90625},
          {F1, 0.375, 3.90625}, Leaf),
    Plain({-1, 0, 0}, {F0, 0.1875, 0.1875}, {F0, 3.8125, 0.1875}, {F0, 3.8125, 2}, {F0, 0.1875, 2},
          Leaf),
    Plain({1, 0, 0}, {F1, 3.8125, 0.1875}, {F1, 0.1875, 0.1875}, {F1, 0.1875, 2}, {F1, 3.8125, 2},
          Leaf),
    Plain({-1, 0, 0}, {F0, 0.1875, 2}, {F0, 0.375, 2}, {F0, 0.375, 5.8125}, {F0, 0.1875, 5.8125},
          Leaf),
    Plain({-1, 0, 0}, {F0, 1.90625, 2}, {F0, 2.09375, 2}, {F0, 2.09375, 5.8125},
          {F0, 1.90625, 5.8125}, Leaf),
    Plain({-1, 0, 0}, {F0, 3.625, 2}, {F0, 3.8125, 2}, {F0, 3.8125, 5.8125}, {F0, 3.625, 5.8125},
          Leaf),
    Plain({1, 0, 0}, {F1, 3.8125, 2}, {F1, 3.625, 2}, {F1, 3.625, 5.8125}, {F1, 3.8125, 5.8125},
          Leaf),
    Plain({1, 0, 0}, {F1, 2.09375, 2}, {F1, 1.90625, 2}, {F1, 1.90625, 5.8125},
          {F1, 2.09375, 5.8125}, Leaf),
    Plain({1, 0, 0}, {F1, 0.375, 2}, {F1, 0.1875, 2}, {F1, 0.1875, 5.8125}, {F1, 0.375, 5.8125},
          Leaf),
    Plain({-1, 0, 0}, {F0, 0.375, 5.625}, {F0, 3.625, 5.625}, {F0, 3.625, 5.8125},
          {F0, 0.375, 5.8125}, Leaf),
    Plain({-1, 0, 0}, {F0, 0.375, 3.71875}, {F0, 3.625, 3.71875}, {F0, 3.625, 3.90625},
          {F0, 0.375, 3.90625}, Leaf),
    Plain({1, 0, 0}, {F1, 3.625, 5.625}, {F1, 0.375, 5.625}, {F1, 0.375, 5.8125},
          {F1, 3.625, 5.8125}, Leaf),
    Plain({1, 0, 0}, {F1, 3.625, 3.71875}, {F1, 0.375, 3.71875}, {F1, 0.375, 3.90625},
          {F1, 3.625, 3.90625}, Leaf),
    // Two dark bars 0.1 in front of the lower panel.
    Plain({-1, 0, 0}, {0.5, 0.375, 0.375}, {0.5, 3.625, 0.375}, {0.5, 3.625, 0.5625},
          {0.5, 0.375, 0.5625}, Bars),
    Plain({-1, 0, 0}, {0.5, 0.375, 0.75}, {0.5, 3.625, 0.75}, {0.5, 3.625, 0.9375},
          {0.5, 0.375, 0.9375}, Bars),
};
static_assert(sizeof(Faces) / sizeof(Faces[0]) == 34);

void Look() { DrawDetailFaces(Faces, sizeof(Faces) / sizeof(Faces[0])); }

void Form(uint16_t Number) { DrawBoxForm(1, 4, 6, Number); }

} // namespace

const TPiece Door = {1, 4, 6, Filled, Look, Form};

} // namespace Marbelo
