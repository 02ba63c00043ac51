// The two renders of the whole scene from the live camera: the look render
// that the user sees, and the form render that tells what lies under a pixel.
#pragma once

struct TOverlay;

#include "KitApi.h"
#include "platform/GlSurface.h"

#include <cstdint>
#include <memory>
#include <vector>

// Base-cell pick codes start here: code - BaseCodeStart = x + y * BaseWidth.
inline constexpr int32_t BaseCodeStart = int32_t(KitApi::BaseCodeStart);

// The projection of the scene's renders, for the viewport's size.
void SetSceneProjection();

// The base plate: one quad in the base colour, at height 0.
void DrawBasePlate();

// Draws the base plate and every placed piece, lit and textured, into the
// viewport window and shows it. When CaptureFileName is set, the same frame
// is also written to that file as a PNG picture (see WriteCapture) and the
// name is cleared, so that the next look render writes nothing.
void LookRender();

// The look render's frame on Surface: its context with the look render's
// state and projection for the viewport's size, the live camera, the base
// plate and every placed piece, on the scene colour. The context is returned
// open, for reading back and endDraw; nullptr when none could be had.
// With an Overlay, what the viewport window shows over the construction.
std::unique_ptr<TGlContext> DrawLookFrame(TGlSurface &Surface, const TOverlay *Overlay = nullptr);

// The look render's frame drawn on the capture's surface (multisampled as
// the viewport window is) and read back: ViewportWidth x ViewportHeight
// pixels, rows from the bottom, bytes blue, green, red, alpha. Empty when no
// context could be had. A capture draws this; so does the window where its
// context cannot hold the kits' textures, and shows the picture.
std::vector<uint8_t> DrawLookPicture(const TOverlay *Overlay = nullptr);

// Fills the viewport with the scene colour and shows it at once, so that
// nothing stale is seen while the camera or the window changes.
void BlankViewport();

// The pick code at client pixel (X, Y) of the viewport (origin top left):
// 0 background, piece number * 101 + face for a piece, BaseCodeStart + x +
// y * BaseWidth for a base cell.
int32_t PickAt(int X, int Y);
