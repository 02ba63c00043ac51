// Drawing surfaces and the OpenGL context each keeps for its renders. A render
// takes the surface's context, current and in the state a fresh context would
// be in, draws, reads back what it needs and releases it; the context lives
// on for the next render, so the GL compiles its shaders once, not per render.
#pragma once

#include <QSurfaceFormat>
#include <QWindow>

#include <cstdint>
#include <memory>

// A surface's context, current on it from UseContext until Release (or until
// this object goes away). Whatever a render changed in the GL's state is
// undone at its release: the next render starts from a fresh context's state.
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

class TKeptContext;

class TGlSurface {
public:
  virtual ~TGlSurface();
  // The surface's context made current, drawing with the given number of
  // samples per pixel (0: none): the one kept from earlier renders, or a new
  // one when there was none, it was lost, or it was made for another size or
  // number of samples. nullptr when none can be made.
  std::unique_ptr<TGlContext> UseContext(int Samples);
  // Whether the context shares the set of texture objects of GlShareGroup,
  // so that a kit may draw in it.
  virtual bool SharesTextures() const { return true; }

protected:
  TGlSurface();
  // Whether the kept context still fits Samples and the surface's size.
  virtual bool Fits(const TKeptContext &Kept, int Samples) const = 0;
  virtual std::unique_ptr<TKeptContext> MakeContext(int Samples) = 0;

private:
  std::unique_ptr<TKeptContext> FKept;
};

// A window drawn through its own double-buffered context, in the window's
// format (which fixes its samples), presented by swapping buffers. Its
// context shares the offscreen contexts' texture objects where the window
// system allows (windows drawn through EGL, as ChooseGlIntegration asks);
// where it does not, nothing may be drawn in it but finished pictures.
class TWindowGlSurface : public TGlSurface {
public:
  explicit TWindowGlSurface(QWindow &Window) : FWindow(Window) {}
  bool SharesTextures() const override;
  // Shows a Width x Height picture (rows from the bottom, bytes blue, green,
  // red, alpha) filling the window. False when no context could be had.
  bool ShowPicture(int Width, int Height, const uint8_t *Bgra);

protected:
  bool Fits(const TKeptContext &Kept, int Samples) const override;
  std::unique_ptr<TKeptContext> MakeContext(int Samples) override;

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
// The contexts of all offscreen surfaces share their texture objects.
class TOffscreenGlSurface : public TGlSurface {
public:
  TOffscreenGlSurface(int Width, int Height,
                      TOffscreenSmoothing Smoothing = TOffscreenSmoothing::Supersampled)
      : FWidth(Width), FHeight(Height), FSmoothing(Smoothing) {}
  void SetSize(int Width, int Height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

protected:
  bool Fits(const TKeptContext &Kept, int Samples) const override;
  std::unique_ptr<TKeptContext> MakeContext(int Samples) override;

private:
  int FWidth, FHeight;
  TOffscreenSmoothing FSmoothing;
};

// The set of texture objects the offscreen contexts share: a number that
// changes whenever the set is made anew (at the first render, and after
// ForgetGlContexts), so that a kit whose textures were made in an earlier set
// can be told they are gone.
unsigned GlShareGroup();

// Drops every kept offscreen context and with them the shared texture
// objects; the next render of each surface makes a new context in a new set.
void ForgetGlContexts();

// The number of samples, at least Wanted, that the display gives a window
// asking for Wanted; 0 when it gives fewer.
int WindowSamplesAvailable(int Wanted);

// The largest number of samples, up to Wanted, an offscreen picture can use.
int OffscreenSamplesAvailable(int Wanted);

// Chooses how windows get their GL contexts; call before the application
// object exists. EGL gives windows real multisampling on X servers whose GLX
// visuals have none, and costs less per context.
void ChooseGlIntegration();

// For long runs of large pictures: Mesa's software GL draws on the calling
// thread alone (unless the environment already says how many threads it
// takes). Its drawing threads keep what they are given to draw until they
// have drawn it, which grows with the pieces a picture holds: at 10 000 it
// took 1.5 GB against 270 MB on one thread, which takes 60 % longer. Call
// before the first context exists.
void DrawOnOneThread();

// The surface format of a window drawn with the given samples.
QSurfaceFormat WindowFormat(int Samples);
