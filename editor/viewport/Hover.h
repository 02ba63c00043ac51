// What the viewport shows under the mouse: in Insert mode the chosen piece
// where a click would insert it (or its box in red where it cannot go, with
// the reason a click would be given), in Extract mode the piece a click
// would take out (marked otherwise when something stands on it). It follows
// the click's own rules, from the same pick.
#pragma once

#include "Volume.h"
#include "render/Overlay.h"

#include <string>

struct THover {
  TOverlay::TMark Mark = TOverlay::None;
  TOverlayPiece Piece;
  TRefusal Why = TRefusal::None; // for a piece that does not fit or cannot be taken
};

// What the mouse at client pixel (X, Y) would act on in the current mode.
THover HoverAt(int X, int Y);

// Shows HoverAt(X, Y) in the viewport, drawing it again when that changed.
void ShowHoverAt(int X, int Y);

// Takes the mark away (the mouse left, the mode or the construction changed).
void EndHover();

// Forgets the mark without drawing; whether one was shown. For a change
// that draws the viewport again anyway, or must have it drawn.
bool DropHover();

// The reason shown for the hovered place; empty when a click there would act.
std::string HoverNote();
