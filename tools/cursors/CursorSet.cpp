#include "CursorSet.h"

#include "CursorArt.h"

namespace {

constexpr TPlacement Upright{0, false}, Right{1, false}, Down{2, false}, Left{3, false};
// The upright picture flipped top to bottom, and the rightward one flipped
// left to right: a rotate arrow pointing down or left bends like its opposite.
constexpr TPlacement DownMirrored{2, true}, LeftMirrored{3, true};

} // namespace

const std::array<TCursorDrawing, BlueCursorCount> &BlueCursors() {
  static const std::array<TCursorDrawing, BlueCursorCount> Table{{
      {"ARROW.ANI", [] { return ArrowCursor(); }},
      {"SIZEHP.ANI", [] { return SizeCursor(true, Upright); }},
      {"SIZEHM.ANI", [] { return SizeCursor(false, Upright); }},
      {"SIZEVP.ANI", [] { return SizeCursor(true, Right); }},
      {"SIZEVM.ANI", [] { return SizeCursor(false, Right); }},
      {"ZOOMIN.ANI", [] { return ZoomCursor(true); }},
      {"ZOOMOUT.ANI", [] { return ZoomCursor(false); }},
      {"MOVEU.ANI", [] { return MoveCursor(Upright); }},
      {"MOVED.ANI", [] { return MoveCursor(Down); }},
      {"MOVER.ANI", [] { return MoveCursor(Right); }},
      {"MOVEL.ANI", [] { return MoveCursor(Left); }},
      {"ROTATEU.ANI", [] { return RotateCursor(Upright); }},
      {"ROTATED.ANI", [] { return RotateCursor(DownMirrored); }},
      {"ROTATER.ANI", [] { return RotateCursor(Right); }},
      {"ROTATEL.ANI", [] { return RotateCursor(LeftMirrored); }},
      {"WAIT.ANI", [] { return WaitCursor(); }},
      {"INSERT.ANI", [] { return BrickCursor(true); }},
      {"EXTRACT.ANI", [] { return BrickCursor(false); }},
  }};
  return Table;
}
