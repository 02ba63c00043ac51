// A framebuffer object drawn with real multisampling, for offscreen pictures
// that must be smoothed exactly as a multisampled window is: the same number
// of samples per pixel, resolved by the GL itself before it is read.
#pragma once

#include <cstdint>

// Lives in the context that was current when it was opened. Its GL objects
// are freed with that context, never by this object: they are only names in
// that one context, and another may be current when this object goes away.
//
// A window's buffer is stored top row first, so the GL draws into it upside
// down; where a pixel's samples fall depends on that. This buffer is drawn
// upside down in the same way (by the clip origin, which keeps the facing of
// polygons), so that every edge is smoothed exactly as in a window, and it
// is read back the right way up. A scissor rectangle, which the clip origin
// does not turn, would address the stored rows.
class TMultisampleBuffer {
public:
  // Creates Width x Height RGBA8 colour and 24-bit depth with Samples
  // samples each, and a plain colour buffer of the same size to resolve
  // into, and makes the multisampled one the target of all drawing. False
  // when the GL refuses any of it.
  bool Open(int Width, int Height, int Samples);

  // Resolves the rectangle whose lower-left pixel is (X, Y) and reads it,
  // rows from the bottom, as bytes blue, green, red, alpha. Drawing goes on
  // into the multisampled buffer afterwards.
  void ReadPixels(int X, int Y, int Width, int Height, uint8_t *Bgra);

private:
  unsigned FDrawn = 0, FResolved = 0; // framebuffer names
  int FHeight = 0;
  bool FUpsideDown = false; // false where the GL cannot move the clip origin
};
