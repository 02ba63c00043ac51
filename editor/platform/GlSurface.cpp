#include "GlSurface.h"

#include "MultisampleBuffer.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <QOpenGLContext>

#include <optional>
#include <vector>

namespace {

// ---- Windows: Qt's context on the window --------------------------------

class TWindowContext : public TGlContext {
public:
  explicit TWindowContext(QWindow &Window) : FWindow(Window) {}
  bool Open() {
    FContext.setFormat(FWindow.format());
    return FContext.create() && FContext.makeCurrent(&FWindow);
  }
  void ReadPixels(int X, int Y, int Width, int Height, uint8_t *Bgra) override {
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(X, Y, Width, Height, GL_BGRA, GL_UNSIGNED_BYTE, Bgra);
  }
  void Present() override { FContext.swapBuffers(&FWindow); }
  bool Release() override {
    FContext.doneCurrent();
    return QOpenGLContext::currentContext() != &FContext;
  }

private:
  QWindow &FWindow;
  QOpenGLContext FContext;
};

// ---- Offscreen: EGL pbuffers on the surfaceless platform ----------------

struct TEgl {
  EGLDisplay Display = EGL_NO_DISPLAY;
  EGLConfig Config = nullptr;
};

const TEgl &Egl() {
  static const TEgl E = [] {
    TEgl R;
    auto GetPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!GetPlatformDisplay)
      return R;
    EGLDisplay D = GetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (D == EGL_NO_DISPLAY || !eglInitialize(D, nullptr, nullptr))
      return R;
    const EGLint Attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                 EGL_OPENGL_BIT,   EGL_RED_SIZE,    8,
                                 EGL_GREEN_SIZE,   8,               EGL_BLUE_SIZE,
                                 8,                EGL_ALPHA_SIZE,  8,
                                 EGL_DEPTH_SIZE,   24,              EGL_NONE};
    EGLint Count = 0;
    if (!eglChooseConfig(D, Attributes, &R.Config, 1, &Count) || Count < 1)
      return R;
    R.Display = D;
    return R;
  }();
  return E;
}

class TOffscreenContext : public TGlContext {
public:
  TOffscreenContext(int Width, int Height, TOffscreenSmoothing Smoothing, int Samples)
      : FWidth(Width), FHeight(Height),
        FScale(Samples > 0 && Smoothing == TOffscreenSmoothing::Supersampled ? 2 : 1),
        FSamples(Samples > 0 && Smoothing == TOffscreenSmoothing::Multisampled ? Samples : 0) {}

  ~TOffscreenContext() override {
    const TEgl &E = Egl();
    if (eglGetCurrentContext() == FContext)
      eglMakeCurrent(E.Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (FSurface != EGL_NO_SURFACE)
      eglDestroySurface(E.Display, FSurface);
    if (FContext != EGL_NO_CONTEXT)
      eglDestroyContext(E.Display, FContext);
  }

  bool Open() {
    const TEgl &E = Egl();
    if (E.Display == EGL_NO_DISPLAY || !eglBindAPI(EGL_OPENGL_API))
      return false;
    FContext = eglCreateContext(E.Display, E.Config, EGL_NO_CONTEXT, nullptr);
    // The pbuffer has the picture's size even when drawing goes to the
    // multisampled buffer: the first making current sets the viewport from it.
    const EGLint Size[] = {EGL_WIDTH, FWidth * FScale, EGL_HEIGHT, FHeight * FScale, EGL_NONE};
    FSurface = eglCreatePbufferSurface(E.Display, E.Config, Size);
    if (FContext == EGL_NO_CONTEXT || FSurface == EGL_NO_SURFACE ||
        !eglMakeCurrent(E.Display, FSurface, FSurface, FContext))
      return false;
    if (FSamples == 0)
      return true;
    FMultisampled.emplace();
    return FMultisampled->Open(FWidth, FHeight, FSamples);
  }

  void ReadPixels(int X, int Y, int Width, int Height, uint8_t *Bgra) override {
    if (FMultisampled) {
      FMultisampled->ReadPixels(X, Y, Width, Height, Bgra);
      return;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    if (FScale == 1) {
      glReadPixels(X, Y, Width, Height, GL_BGRA, GL_UNSIGNED_BYTE, Bgra);
      return;
    }
    const int W2 = Width * 2;
    FScaled.resize(size_t(W2) * Height * 2 * 4);
    glReadPixels(X * 2, Y * 2, W2, Height * 2, GL_BGRA, GL_UNSIGNED_BYTE, FScaled.data());
    for (int Row = 0; Row < Height; ++Row) {
      const uint8_t *Low = &FScaled[size_t(Row) * 2 * W2 * 4];
      const uint8_t *High = Low + size_t(W2) * 4;
      uint8_t *Out = Bgra + size_t(Row) * Width * 4;
      for (int Col = 0; Col < Width * 4; ++Col) {
        const int Byte = (Col / 4) * 8 + Col % 4; // same channel of the 2 x 2 block
        Out[Col] = uint8_t((Low[Byte] + Low[Byte + 4] + High[Byte] + High[Byte + 4] + 2) / 4);
      }
    }
  }

  bool Release() override {
    eglMakeCurrent(Egl().Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    return eglGetCurrentContext() != FContext;
  }

private:
  int FWidth, FHeight, FScale, FSamples;
  EGLContext FContext = EGL_NO_CONTEXT;
  EGLSurface FSurface = EGL_NO_SURFACE;
  std::vector<uint8_t> FScaled;
  std::optional<TMultisampleBuffer> FMultisampled; // drawn into instead of the pbuffer
};

template <class TContext, class... TArgs> std::unique_ptr<TGlContext> Opened(TArgs &&...Args) {
  auto Context = std::make_unique<TContext>(std::forward<TArgs>(Args)...);
  if (!Context->Open())
    return nullptr;
  return Context;
}

} // namespace

TGlContext::~TGlContext() = default;

std::unique_ptr<TGlContext> TWindowGlSurface::CreateContext(int) {
  return Opened<TWindowContext>(FWindow);
}

void TOffscreenGlSurface::SetSize(int Width, int Height) {
  FWidth = Width;
  FHeight = Height;
}

std::unique_ptr<TGlContext> TOffscreenGlSurface::CreateContext(int Samples) {
  return Opened<TOffscreenContext>(FWidth, FHeight, FSmoothing, Samples);
}

QSurfaceFormat WindowFormat(int Samples) {
  QSurfaceFormat Format;
  Format.setRenderableType(QSurfaceFormat::OpenGL);
  Format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  Format.setRedBufferSize(8);
  Format.setGreenBufferSize(8);
  Format.setBlueBufferSize(8);
  Format.setAlphaBufferSize(8);
  Format.setDepthBufferSize(24);
  Format.setSamples(Samples);
  return Format;
}

// Asks the GL itself: a window system may report the samples it was asked
// for while the visual it gave has none.
int WindowSamplesAvailable(int Wanted) {
  QWindow Probe;
  Probe.setSurfaceType(QSurface::OpenGLSurface);
  Probe.setFormat(WindowFormat(Wanted));
  Probe.create();
  QOpenGLContext Context;
  Context.setFormat(Probe.format());
  if (!Context.create() || !Context.makeCurrent(&Probe))
    return 0;
  GLint Samples = 0;
  glGetIntegerv(GL_SAMPLES, &Samples);
  Context.doneCurrent();
  return Samples >= Wanted ? Samples : 0;
}

int OffscreenSamplesAvailable(int Wanted) {
  TOffscreenGlSurface Probe(1, 1);
  std::unique_ptr<TGlContext> Context = Probe.CreateContext(0);
  if (!Context)
    return 0;
  GLint Max = 0;
  glGetIntegerv(GL_MAX_SAMPLES, &Max);
  Context->Release();
  return Max >= Wanted ? Wanted : 0;
}

void ChooseGlIntegration() {
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
    qputenv("QT_XCB_GL_INTEGRATION", "xcb_egl");
}
