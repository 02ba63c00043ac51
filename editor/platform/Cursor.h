// The screen cursor, selected by id (101..118 are the program's animated
// cursors; 101 is the arrow, 116 the wait cursor).
#pragma once

#include <cstdint>

inline constexpr int16_t crArrow = 101;
inline constexpr int16_t crWait = 116;

int16_t ScreenCursor();
void SetScreenCursor(int16_t Id);
