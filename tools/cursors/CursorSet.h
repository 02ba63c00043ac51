// The Blue cursor set: the file name and picture of each of the program's
// eighteen cursors, in the order of their ids (the first is id 101).
#pragma once

#include "AniWriter.h"

#include <array>

struct TCursorDrawing {
  const char *FileName;
  TCursorAnimation (*Draw)();
};

inline constexpr int BlueCursorCount = 18;
inline constexpr int FirstBlueCursorId = 101;

const std::array<TCursorDrawing, BlueCursorCount> &BlueCursors();
