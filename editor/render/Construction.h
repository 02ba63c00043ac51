// The drawing context: the four pixel-format slots, the pair that opens and
// closes every render, and the shared 113 x 113 read-back bitmap.
#pragma once

#include "platform/Bitmap.h"
#include "platform/GlSurface.h"

#include <cstdint>
#include <memory>
#include <string>

// A pixel-format slot: what kind of surface it draws on and with how many
// samples per pixel (0: none).
struct TPixelFormat {
  bool Window;
  int Samples;
};

// Slot 1: bitmap, smoothed if possible; 2: bitmap, plain; 3: window (and the
// 113-pixel renders), smoothed if possible; 4: the pick render, never smoothed.
extern TPixelFormat PixelFormats[5];

extern TBitmap RenderBitmap; // 113 x 113, read back by the small renders
extern std::string CaptureFileName;

// Projection of the next render, set just before beginDraw.
extern double AspectRatio, NearPlane, FarPlane;

inline constexpr int RenderSize = 113;

// Chooses the four slots once at start and creates RenderBitmap. The window
// slots take the samples windows get (which needs a display); without
// windows they take those of offscreen pictures, the most a capture made in
// a window could have.
void ChoosePixelFormats(bool Windows = true);

// Opens a render: makes Surface's context current with the slot's samples,
// tells every kit in use whose texture objects are not in the set that
// context shares that they are gone, and sets the whole fixed GL state, the
// projection and the mirrored model-view. nullptr when no context could be
// had, or Surface's context cannot hold the kits' textures; the render then
// draws nothing.
std::unique_ptr<TGlContext> beginDraw(TGlSurface &Surface, int Slot, bool Lighting, uint8_t Red,
                                      uint8_t Green, uint8_t Blue);

// Closes a render: pops the matrix, presents when asked and releases the
// context, which the surface keeps for its next render (a failed release is
// reported and the render goes on).
void endDraw(bool Lighting, bool Present, std::unique_ptr<TGlContext> Context);

// Copies the 113 x 113 pixels at the lower left of the surface into
// RenderBitmap, upright (scan line 0 the top row).
void ReadRenderBitmap(TGlContext &Context);
