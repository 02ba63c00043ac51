// The look render's scene kept in vertex buffers from one render to the
// next: the base plate, and every placed piece whose recorded drawing is
// trusted, placed where the piece stands, in one buffer for each kit texture
// and kind of primitive. Before each render the buffers are brought in step
// with the placed pieces: what follows the first piece that changed (an
// insertion appends, an extraction or an undo changes the pieces after it,
// a load changes all) is made anew, the rest is kept as it is.
#pragma once

#include <cstddef>
#include <vector>

// Brings the buffers in step, then draws the base plate and the buffered
// pieces into the current context. False, drawing nothing, when the scene
// must be drawn by the kits in order instead (a piece's drawing depends on
// or leaves state that the pieces around it share).
bool DrawSceneBuffers();

// The numbers of the placed pieces the buffers do not hold, in order: those
// without a trusted drawing, for their kits to draw.
const std::vector<int> &PiecesOutsideBuffers();

// The memory the buffers take, in bytes (the copies kept in the program and
// those handed to the GL alike).
size_t SceneBufferBytes();
