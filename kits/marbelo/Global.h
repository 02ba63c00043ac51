// Shared pieces of the Marbelo kit: the piece record every piece file fills,
// the frame every drawing export sets up, and small drawing helpers.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>

namespace Marbelo {

// One piece of the catalogue. DrawLook and DrawForm draw the unrotated model
// in the piece's own frame; the exports put the frame around them.
struct TPiece {
  uint8_t SizeX, SizeY, SizeZ;
  uint8_t (*Filled)(uint8_t X, uint8_t Y, uint8_t Z); // 1-based cell of the box
  void (*DrawLook)();
  void (*DrawForm)(uint16_t Number);
};

extern const TPiece BlueOne, BlueTwo, BlueThree, BlueFour, Eight, Door, Window, RoofEight,
    RoofTwo, RoofEight2, RoofTwo2;

inline constexpr uint8_t PieceCount = 11;

// The piece with the given number, or nullptr outside 1..PieceCount.
const TPiece *PieceByNumber(uint8_t Piece);

// Volume tables are indexed by 1-based cells; a cell outside the table is empty.
template <std::size_t NA, std::size_t NB>
uint8_t TableCell(const uint8_t (&Table)[NA][NB], uint8_t A, uint8_t B) {
  return (A >= 1 && A <= NA && B >= 1 && B <= NB) ? Table[A - 1][B - 1] : 0;
}

template <std::size_t NA, std::size_t NB, std::size_t NC>
uint8_t TableCell(const uint8_t (&Table)[NA][NB][NC], uint8_t A, uint8_t B, uint8_t C) {
  return (A >= 1 && A <= NA && B >= 1 && B <= NB && C >= 1 && C <= NC)
             ? Table[A - 1][B - 1][C - 1]
             : 0;
}

// Applies the rotation of the piece's box to the current matrix: a turn about
// z, then the offset that keeps the turned box at the origin.
void ApplyRotation(uint8_t Rotation, uint8_t SizeX, uint8_t SizeY);

// Grey levels as the look drawing uses them, in signed bytes: 127 is white.
void SetGrey(GLbyte Level);
inline constexpr GLbyte White = 127;

// The flat colour of a pick code, alpha 255.
void SetCodeColor(uint32_t Code);

struct TVertex {
  GLfloat X, Y, Z;
};

using TCorners = TVertex[4];
using TTexCoords = GLfloat[4][2];

// One lit, textured quadrilateral: its normal, its corners in order and the
// texture coordinates (s, t) of those corners.
void Quad(const TVertex &Normal, const TCorners &Corners, const TTexCoords &Tex);

// One lit, untextured quadrilateral in the current colour.
void Quad(const TVertex &Normal, const TCorners &Corners);

// One quadrilateral in the current flat colour, without normal (form drawing).
void FlatQuad(const TCorners &Corners);

// The texture coordinates that show a whole texture once on a quadrilateral.
inline constexpr TTexCoords WholeTexture = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

} // namespace Marbelo
