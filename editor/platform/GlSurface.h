// Drawing surfaces and the one OpenGL context a render owns on them. A render
// asks its surface for a fresh context, draws, reads back what it needs and
// destroys the context again; nothing GL outlives a render.
#pragma once

#include <QSurfaceFormat>
#include <QWindow>

#include <cstdint>
#include <memory>

// A context current on its surface from creation until Release.
class TGlContext {
public:
  virtual ~TGlContext();
  TGlContext(const TGlContext &) = delete;
  TGlContext &operator=(const TGlContext &) = delete;

  // Reads Width x Height pixels whose lower-left pixel is (X, Y), rows from
  // the bottom, as bytes blue, green, red, alpha.
  virtual void ReadPixels(int X, int Y, int Width, int Height, uint8_t *Bgra) = 0;

  // Makes the drawn picture visible (window surfaces only).
  virtual void Present() {}

  // Leaves no context current. False when the context is still current after.
  virtual bool Release() = 0;

protected:
  TGlContext() = default;
};

class TGlSurface {
public:
  virtual ~TGlSurface() = default;
  // A fresh context current on this surface, drawing with the given number
  // of samples per pixel (0: none); nullptr when none can be made.
  virtual std::unique_ptr<TGlContext> CreateContext(int Samples) = 0;
};

// A window drawn straight into: double-buffered, in the window's own format
// (which fixes its samples), presented by swapping buffers.
class TWindowGlSurface : public TGlSurface {
public:
  explicit TWindowGlSurface(QWindow &Window) : FWindow(Window) {}
  std::unique_ptr<TGlContext> CreateContext(int Samples) override;

private:
  QWindow &FWindow;
};

// How an offscreen picture drawn with samples smooths its edges.
enum class TOffscreenSmoothing {
  // Drawn at twice the size and read back scaled down by averaging, which
  // smooths edges much as multisampling does at a fraction of the cost of
  // resolving a multisampled buffer: enough for the small pictures.
  Supersampled,
  // Drawn with real multisampling, exactly the samples asked for, and
  // resolved before it is read: the same smoothing as a multisampled window.
  Multisampled
};

// An offscreen picture of a given size (RGBA8 colour, 24-bit depth), drawn
// in a context of its own that needs no window system. Drawn without samples
// it is exactly that size and plain; with samples it is smoothed as chosen.
class TOffscreenGlSurface : public TGlSurface {
public:
  TOffscreenGlSurface(int Width, int Height,
                      TOffscreenSmoothing Smoothing = TOffscreenSmoothing::Supersampled)
      : FWidth(Width), FHeight(Height), FSmoothing(Smoothing) {}
  void SetSize(int Width, int Height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  std::unique_ptr<TGlContext> CreateContext(int Samples) override;

private:
  int FWidth, FHeight;
  TOffscreenSmoothing FSmoothing;
};

// The number of samples, at least Wanted, that the display gives a window
// asking for Wanted; 0 when it gives fewer.
int WindowSamplesAvailable(int Wanted);

// The largest number of samples, up to Wanted, an offscreen picture can use.
int OffscreenSamplesAvailable(int Wanted);

// Chooses how windows get their GL contexts; call before the application
// object exists. EGL gives windows real multisampling on X servers whose GLX
// visuals have none, and costs less per context.
void ChooseGlIntegration();

// The surface format of a window drawn with the given samples.
QSurfaceFormat WindowFormat(int Samples);
