// What of a recorded piece can be seen from outside its box. The recording's
// axis-aligned quadrilaterals are walls: they split the box into regions,
// and a region that no unwalled opening joins to the outside of the box is
// closed, out of every line of sight that starts outside it. A drawing that
// is the whole surface of a convex solid (with or without its bottom) closes
// its inside too, whatever its faces' slopes. A quadrilateral with a closed
// region behind it is seen from its front only; one with closed regions on
// both sides is never seen. The box's bottom is walled or open as the piece
// stands: on closed ground (the base plate, or the covered tops of pieces
// under it) or not.
#pragma once

#include "platform/GlRecorder.h"

#include <cstdint>
#include <vector>

// A quadrilateral of a recording (its front is the side its corners run
// anticlockwise round) with a closed region behind or before it, or on a
// side of the box, where the piece beyond may close it.
struct TSeenQuad {
  uint32_t Batch, First; // its vertices in the recording
  // The side of the box it lies in (its axis * 2, plus 1 for the high
  // side), or -1; on a side, the cells of it that it touches, along the
  // other two axes taken in the order x, y, z, and whether its front looks
  // out of the box.
  int Face = -1;
  int From[2] = {}, To[2] = {};
  bool FrontOut = false;
  // [bottom walled]: whether the region before its front, and behind its
  // back, is closed. The side facing out of the box never is.
  bool FrontClosed[2] = {}, BackClosed[2] = {};
};

struct TBoxShape {
  int Size[3] = {}; // of the turned box, in cells
  std::vector<TSeenQuad> Quads;
  // [bottom walled][side of the box]: for each cell of that side (the first
  // of the other two axes major), whether the box's inside along it is closed.
  std::vector<uint8_t> InsideClosed[2][6];
  // For each cell of the box's top (x major): whether the drawing covers it
  // whole, closing the bottom of a piece that stands there.
  std::vector<uint8_t> TopCovered;
};

TBoxShape SightOf(const TRecording &Look, int SizeX, int SizeY, int SizeZ);
