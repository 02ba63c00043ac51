// The window, 1 x 3 x 4 cells: a frame 3/16 of a cell wide around an open
// opening, grey inner faces and a thin dark line in front of the sill. In form
// drawing it is a solid box.
#include "Brick.h"
#include "Detail.h"

namespace Marbelo {
namespace {

const uint8_t Volume[3][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};

// One cell deep along x, so X is not consulted.
uint8_t Filled(uint8_t, uint8_t Y, uint8_t Z) { return TableCell(Volume, Y, Z); }

constexpr GLbyte Inner = 80, Line = 50;

const TDetailFace Faces[] = {
    // Outer sides and top.
    Textured({0, 1, 0}, {0, 3, 0}, {1, 3, 0}, {1, 3, 4}, {0, 3, 4}, imgWindowLeft),
    Textured({0, -1, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, 4}, {1, 0, 4}, imgWindowLeft),
    Textured({0, 0, 1}, {0, 0, 4}, {0, 3, 4}, {1, 3, 4}, {1, 0, 4}, imgWindowUp),
    // Jambs, head and sill, front (x = 0) and back (x = 1).
    Textured({-1, 0, 0}, {0, 0, 0}, {0, 0.1875, 0}, {0, 0.1875, 4}, {0, 0, 4}, imgWindowFaceLeft),
    Textured({-1, 0, 0}, {0, 2.8125, 0}, {0, 3, 0}, {0, 3, 4}, {0, 2.8125, 4}, imgWindowFaceRight),
    Textured({1, 0, 0}, {1, 3, 0}, {1, 2.8125, 0}, {1, 2.8125, 4}, {1, 3, 4}, imgWindowFaceLeft),
    Textured({1, 0, 0}, {1, 0.1875, 0}, {1, 0, 0}, {1, 0, 4}, {1, 0.1875, 4}, imgWindowFaceRight),
    Textured({-1, 0, 0}, {0, 0.1875, 3.8125}, {0, 2.8125, 3.8125}, {0, 2.8125, 4}, {0, 0.1875, 4},
             imgWindowFaceUp),
    Textured({-1, 0, 0}, {0, 0.1875, 0}, {0, 2.8125, 0}, {0, 2.8125, 0.1875}, {0, 0.1875, 0.1875},
             imgWindowFaceUp),
    Textured({1, 0, 0}, {1, 2.8125, 3.8125}, {1, 0.1875, 3.8125}, {1, 0.1875, 4}, {1, 2.8125, 4},
             imgWindowFaceUp),
    Textured({1, 0, 0}, {1, 2.8125, 0}, {1, 0.1875, 0}, {1, 0.1875, 0.1875}, {1, 2.8125, 0.1875},
             imgWindowFaceUp),
    // Inner faces of the frame, grey.
    Plain({0, 1, 0}, {0, 0.1875, 0.1875}, {1, 0.1875, 0.1875}, {1, 0.1875, 3.8125},
          {0, 0.1875, 3.8125}, Inner),
    Plain({0, -1, 0}, {1, 2.8125, 0.1875}, {0, 2.8125, 0.1875}, {0, 2.8125, 3.8125},
          {1, 2.8125, 3.8125}, Inner),
    Plain({0, 0, 1}, {0, 0.1875, 0.1875}, {0, 2.8125, 0.1875}, {1, 2.8125, 0.1875},
          {1, 0.1875, 0.1875}, Inner),
    // The sill line, just outside the box.
    Plain({-1, 0, 0}, {-0.01f, 0.1875, 0.1f}, {-0.01f, 2.8125, 0.1f}, {-0.01f, 2.8125, 0.18f},
          {-0.01f, 0.1875, 0.18f}, Line),
};
static_assert(sizeof(Faces) / sizeof(Faces[0]) == 15);

void Look() { DrawDetailFaces(Faces, sizeof(Faces) / sizeof(Faces[0])); }

void Form(uint16_t Number) { DrawBoxForm(1, 3, 4, Number); }

} // namespace

const TPiece Window = {1, 3, 4, Filled, Look, Form};

} // namespace Marbelo
