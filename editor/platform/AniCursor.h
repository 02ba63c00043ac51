// Animated cursor files (.ANI): a RIFF "ACON" form holding a header, optional
// display times and frame order, and a list of cursor images (.CUR data of
// 32- or 24-bit pixels with an AND mask, or PNG).
#pragma once

#include <QImage>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TAniFrame {
  QImage Image; // QImage::Format_ARGB32
  int HotX = 0, HotY = 0;
};

// One step of the animation: which frame is shown, and for how long.
struct TAniStep {
  int Frame = 0;
  int Milliseconds = 0;
};

struct TAniCursor {
  std::vector<TAniFrame> Frames;
  std::vector<TAniStep> Steps; // at least one when read successfully
};

// Reads the file at Path. On failure returns false with Error set to the
// reason and Cursor left empty; no file, however malformed, is read past its
// end.
bool ReadAniCursor(const std::string &Path, TAniCursor &Cursor, std::string &Error);

// The same from a file's bytes.
bool ParseAniCursor(std::span<const uint8_t> Bytes, TAniCursor &Cursor, std::string &Error);
