// A fresh OpenGL context on an offscreen framebuffer (RGBA8 colour, 24-bit
// depth, no samples) for tests that draw and read pixels back. Needs a
// QGuiApplication and a display (Xvfb).
#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <cstdint>
#include <memory>
#include <vector>

struct TRgb {
  uint8_t Red, Green, Blue;
  bool operator==(const TRgb &) const = default;
};

class TOffscreenGl {
public:
  TOffscreenGl(int Width, int Height);
  ~TOffscreenGl();

  bool IsReady() const { return FReady; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // Reads the whole framebuffer once; pixel (X, Y) counts rows from the bottom.
  void ReadBack();
  TRgb ColorAt(int X, int Y) const;
  uint32_t CodeAt(int X, int Y) const; // red + 256 green + 65536 blue

private:
  int FWidth, FHeight;
  bool FReady = false;
  QOffscreenSurface FSurface;
  QOpenGLContext FContext;
  std::unique_ptr<QOpenGLFramebufferObject> FFramebuffer;
  std::vector<uint8_t> FPixels;
};
