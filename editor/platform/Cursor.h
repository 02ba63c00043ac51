// The screen cursor, selected by id. The ids 101..118 are the program's
// animated cursors, read from .ANI files by LoadCursors; until then, and for
// an id whose file was missing or malformed, the standard arrow is shown.
#pragma once

#include <cstdint>
#include <string>

struct TAniCursor;

inline constexpr int16_t crArrow = 101;
inline constexpr int16_t crSizeWider = 102;
inline constexpr int16_t crSizeNarrower = 103;
inline constexpr int16_t crSizeTaller = 104;
inline constexpr int16_t crSizeShorter = 105;
inline constexpr int16_t crZoomIn = 106;
inline constexpr int16_t crZoomOut = 107;
inline constexpr int16_t crMoveUp = 108;
inline constexpr int16_t crMoveDown = 109;
inline constexpr int16_t crMoveRight = 110;
inline constexpr int16_t crMoveLeft = 111;
inline constexpr int16_t crRotateUp = 112;
inline constexpr int16_t crRotateDown = 113;
inline constexpr int16_t crRotateRight = 114;
inline constexpr int16_t crRotateLeft = 115;
inline constexpr int16_t crWait = 116;
inline constexpr int16_t crInsert = 117;
inline constexpr int16_t crExtract = 118;

inline constexpr int16_t crFirst = crArrow, crLast = crExtract;

// The file of the id's cursor ("ARROW.ANI" for 101), or "" for an id
// outside crFirst..crLast.
std::string CursorFileName(int16_t Id);

// Reads every cursor file from Folder into the cursor table (a file that is
// missing or malformed leaves its id on the standard arrow, silently), then
// shows the arrow.
void LoadCursors(const std::string &Folder);

// The animation read for the id, or nullptr when the id shows the standard
// arrow.
const TAniCursor *LoadedCursor(int16_t Id);

int16_t ScreenCursor();

// Shows the id's cursor over the whole application, stepping through its
// frames while it stays shown. Without a GUI application only the id is kept.
void SetScreenCursor(int16_t Id);
