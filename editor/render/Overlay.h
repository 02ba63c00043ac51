// What the viewport window shows over the construction, and nothing else
// does (captures, --render and the previews draw the construction alone):
// the cell grid on the base, and the piece under the mouse, either the
// chosen piece where a click would insert it or a placed piece a click would
// extract.
#pragma once

#include <cstdint>

struct TOverlayPiece {
  int Kit = 0, Piece = 0, Rotation = 1;
  int X = 0, Y = 0, Z = 0; // origin cell; may lie off the base
  bool operator==(const TOverlayPiece &) const = default;
};

struct TOverlay {
  bool Grid = true;
  enum TMark : uint8_t {
    None,
    Fits,       // the chosen piece, see-through, where a click inserts it
    DoesNotFit, // its box, in red, where it would go
    Removable,  // a placed piece a click takes out, outlined
    Carrying,   // a placed piece that cannot be taken out, outlined in red
  };
  TMark Mark = None;
  TOverlayPiece Piece;
  bool operator==(const TOverlay &) const = default;
};

extern TOverlay ViewportOverlay;

// Draws Overlay over the frame drawn so far, with the camera's matrices;
// it leaves the GL as it found it.
void DrawOverlay(const TOverlay &Overlay);
