// Writing animated cursors: a RIFF "ACON" form whose frames are cursor
// (.CUR) images of 32-bit pixels with an AND mask.
#pragma once

#include "Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

struct TCursorFrame {
  TCanvas Image;
  int HotX = 0, HotY = 0;
};

struct TCursorAnimation {
  std::vector<TCursorFrame> Frames;
  // Display time of each step in jiffies (1/60 s) when Rates is empty.
  uint32_t DisplayRate = 10;
  // One display time per step, or none.
  std::vector<uint32_t> Rates;
  // The frame shown at each step, or none to show the frames in order.
  std::vector<uint32_t> Sequence;

  size_t StepCount() const { return Sequence.empty() ? Frames.size() : Sequence.size(); }
};

// A complete single-image cursor file.
std::vector<uint8_t> EncodeCur(const TCursorFrame &Frame);

std::vector<uint8_t> EncodeAni(const TCursorAnimation &Cursor);

bool WriteBytes(const std::string &Path, const std::vector<uint8_t> &Bytes);
