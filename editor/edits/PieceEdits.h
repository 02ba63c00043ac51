// Inserting and extracting pieces as edits of the history. The rules of
// where a piece may go or come from are the placement's; these only change
// the pieces and the cell grid, and take the change back exactly.
#pragma once

#include "model/Global.h"

#include <cstdint>

// Appends Piece as the newest piece and stamps it into the grid. Taking it
// back takes the last piece away.
void InsertPiece(const TPlacedPiece &Piece);

// Takes piece N away; the later pieces move down one number, in the list and
// the grid. Taking it back puts the piece back under its own number.
void ExtractPiece(uint16_t N);
