// Placement and extraction: a click inserts the chosen piece on the surface
// under the mouse, or takes away the piece under it. Every refusal is silent
// and leaves the construction exactly as it was.
#pragma once

#include <cstdint>

// What a pick code names.
struct THit {
  enum TKind { Nothing, Base, PieceSide, PieceTop } Kind;
  int X, Y;     // base cell
  int Number;   // piece number
  int TopCell;  // top cell of the piece, 1-based
};

THit DecodePick(int32_t Code);

// Where the anchor cell of a new piece would stand for the given hit: on a
// base cell, or on the top of the hit piece's box. False when the hit offers
// no place (background, a side face, a code naming no placed piece or cell).
struct TCell {
  int X, Y, Z;
};
bool TargetCell(const THit &Hit, TCell &Target);

// Places the chosen piece with its anchor cell on Target, if it fits inside
// the base without taking a solid cell of another piece; false otherwise.
bool PlaceChosenPiece(const TCell &Target);

// Removes piece N and renumbers the later pieces, unless something stands
// on its box; false when refused.
bool RemovePiece(int N);

// The viewport's click handlers (X, Y: client pixel, origin top left).
void InsertPieceAt(int X, int Y);
void ExtractPieceAt(int X, int Y);
