// Placement and extraction: a click inserts the chosen piece on the surface
// under the mouse, or takes away the piece under it. Each is one edit of the
// history. A refusal leaves the construction exactly as it was; a click that
// is refused tells the user why with a short note at the mouse.
#pragma once

#include "render/Overlay.h"

#include <cstdint>
#include <string>

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

// Why an insertion or an extraction changed nothing; None when it was
// carried out.
enum class TRefusal {
  None,
  NoKit,   // no kit in use
  NoPlace, // nothing under the mouse that a piece could stand on
  OffBase, // the piece would leave the base or rise above its height
  Taken,   // a solid cell of the piece is taken
  Full,    // the construction holds the most pieces it can
  NoPiece, // no piece under the mouse
  Carries, // something stands on the piece's box
};

// The note that tells the user why; empty for None.
std::string RefusalNote(TRefusal Why);

// Where the chosen piece would go with its anchor cell on Target, and why it
// cannot (Where says whether Piece holds that place).
struct TPlacement {
  TRefusal Why;
  TOverlayPiece Piece;
  bool Where;
};
TPlacement PlanChosenPiece(const TCell &Target);

// Places the chosen piece with its anchor cell on Target, if it fits inside
// the base without taking a solid cell of another piece and the construction
// has room for one more.
TRefusal PlaceChosenPiece(const TCell &Target);

// Removes piece N and renumbers the later pieces, unless something stands
// on its box.
TRefusal RemovePiece(int N);

// Whether something stands on placed piece N's box.
bool SomethingStandsOn(int N);

// The viewport's click handlers (X, Y: client pixel, origin top left).
void InsertPieceAt(int X, int Y);
void ExtractPieceAt(int X, int Y);
