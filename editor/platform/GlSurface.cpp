#include "GlSurface.h"

#include "MultisampleBuffer.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPointer>

#include <optional>
#include <vector>

// A context a surface keeps from one render to the next.
class TKeptContext {
public:
  virtual ~TKeptContext();
  // False when the context is lost and must be made anew.
  virtual bool MakeCurrent() = 0;
  virtual void ReadPixels(int X, int Y, int Width, int Height, uint8_t *Bgra) = 0;
  virtual void Present() {}
  virtual void DoneCurrent() = 0;
  virtual bool IsCurrent() const = 0;
};

namespace {

// ---- Offscreen: EGL pbuffers on the surfaceless platform ----------------

const EGLint PbufferAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                   EGL_OPENGL_BIT,   EGL_RED_SIZE,    8,
                                   EGL_GREEN_SIZE,   8,               EGL_BLUE_SIZE,
                                   8,                EGL_ALPHA_SIZE,  8,
                                   EGL_DEPTH_SIZE,   24,              EGL_NONE};

// A configuration of Display for offscreen pictures, or nullptr.
EGLConfig PbufferConfig(EGLDisplay Display) {
  EGLConfig Config = nullptr;
  EGLint Count = 0;
  if (!eglChooseConfig(Display, PbufferAttributes, &Config, 1, &Count) || Count < 1)
    return nullptr;
  return Config;
}

// Mesa's surfaceless display: offscreen drawing with no window system.
EGLDisplay SurfacelessDisplay() {
  static const EGLDisplay Display = [] {
    auto GetPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!GetPlatformDisplay)
      return EGL_NO_DISPLAY;
    EGLDisplay D = GetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    return D != EGL_NO_DISPLAY && eglInitialize(D, nullptr, nullptr) ? D : EGL_NO_DISPLAY;
  }();
  return Display;
}

// The context every offscreen context (and, where it can, the viewport
// window's) shares its texture objects with, and the display and
// configuration offscreen contexts are made with. The root draws nothing;
// while it lives, so does the set of shared objects.
struct TShare {
  // When windows draw through EGL. It belongs to the application, which
  // takes it along when it goes; the set goes with it.
  QPointer<QOpenGLContext> QtRoot;
  EGLDisplay Display = EGL_NO_DISPLAY;
  EGLConfig Config = nullptr;
  EGLContext Root = EGL_NO_CONTEXT;
  unsigned Group = 0;
};

TShare &Share() {
  static TShare S;
  return S;
}

// With a window system whose windows Qt draws through EGL, the root is a Qt
// context on that display: window contexts can then share with it, and a
// window can be drawn into as directly as an offscreen picture.
bool MakeQtRoot(TShare &S) {
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    return false;
  auto Root = std::make_unique<QOpenGLContext>();
  Root->setFormat(WindowFormat(0));
  if (!Root->create())
    return false;
  const auto *Native = Root->nativeInterface<QNativeInterface::QEGLContext>();
  if (!Native)
    return false;
  const EGLConfig Config = PbufferConfig(Native->display());
  if (!Config)
    return false;
  S.Display = Native->display();
  S.Config = Config;
  S.Root = Native->nativeContext();
  QObject::connect(Root.get(), &QObject::destroyed, [] {
    Share().Root = EGL_NO_CONTEXT;
    ++Share().Group;
  });
  Root->setParent(QCoreApplication::instance());
  S.QtRoot = Root.release();
  return true;
}

bool MakeSurfacelessRoot(TShare &S) {
  const EGLDisplay Display = SurfacelessDisplay();
  const EGLConfig Config = Display == EGL_NO_DISPLAY ? nullptr : PbufferConfig(Display);
  if (!Config || !eglBindAPI(EGL_OPENGL_API))
    return false;
  const EGLContext Root = eglCreateContext(Display, Config, EGL_NO_CONTEXT, nullptr);
  if (Root == EGL_NO_CONTEXT)
    return false;
  S.Display = Display;
  S.Config = Config;
  S.Root = Root;
  return true;
}

EGLContext ShareRoot() {
  TShare &S = Share();
  if (S.Root == EGL_NO_CONTEXT && (MakeQtRoot(S) || MakeSurfacelessRoot(S)))
    ++S.Group;
  return S.Root;
}

// The Qt context a window context shares with, or nullptr when windows
// cannot share with the offscreen contexts.
QOpenGLContext *WindowShareContext() {
  ShareRoot();
  return Share().QtRoot.data();
}

// ---- Windows: Qt's context on the window --------------------------------

class TWindowContext : public TKeptContext {
public:
  explicit TWindowContext(QWindow &Window) : FWindow(Window) {}
  bool Open() {
    FContext.setFormat(FWindow.format());
    FContext.setShareContext(WindowShareContext());
    FGroup = GlShareGroup();
    return FContext.create() && MakeCurrent();
  }
  // Whether it still shares the offscreen contexts' set of texture objects.
  bool InGroup() const { return FGroup == GlShareGroup() && Share().QtRoot; }
  // The viewport follows the window's size, which may have changed since the
  // context was made (a fresh context would take it from the window).
  bool MakeCurrent() override {
    if (!FContext.makeCurrent(&FWindow))
      return false;
    const qreal Ratio = FWindow.devicePixelRatio();
    glViewport(0, 0, int(FWindow.width() * Ratio), int(FWindow.height() * Ratio));
    return true;
  }
  void ReadPixels(int X, int Y, int Width, int Height, uint8_t *Bgra) override {
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(X, Y, Width, Height, GL_BGRA, GL_UNSIGNED_BYTE, Bgra);
  }
  void Present() override { FContext.swapBuffers(&FWindow); }
  void DoneCurrent() override { FContext.doneCurrent(); }
  bool IsCurrent() const override { return QOpenGLContext::currentContext() == &FContext; }

private:
  QWindow &FWindow;
  QOpenGLContext FContext;
  unsigned FGroup = 0;
};

class TOffscreenContext : public TKeptContext {
public:
  TOffscreenContext(int Width, int Height, TOffscreenSmoothing Smoothing, int Samples)
      : FWidth(Width), FHeight(Height),
        FScale(Samples > 0 && Smoothing == TOffscreenSmoothing::Supersampled ? 2 : 1),
        FSamples(Samples > 0 && Smoothing == TOffscreenSmoothing::Multisampled ? Samples : 0),
        FAskedSamples(Samples) {}

  bool Fits(int Width, int Height, int Samples) const {
    return Width == FWidth && Height == FHeight && Samples == FAskedSamples &&
           FGroup == Share().Group && Share().Root != EGL_NO_CONTEXT;
  }

  ~TOffscreenContext() override {
    if (eglGetCurrentContext() == FContext)
      eglMakeCurrent(FDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (FSurface != EGL_NO_SURFACE)
      eglDestroySurface(FDisplay, FSurface);
    if (FContext != EGL_NO_CONTEXT)
      eglDestroyContext(FDisplay, FContext);
  }

  bool Open() {
    const EGLContext Root = ShareRoot();
    if (Root == EGL_NO_CONTEXT || !eglBindAPI(EGL_OPENGL_API))
      return false;
    const TShare &S = Share();
    FDisplay = S.Display;
    FGroup = S.Group;
    FContext = eglCreateContext(FDisplay, S.Config, Root, nullptr);
    // The pbuffer has the picture's size even when drawing goes to the
    // multisampled buffer: the first making current sets the viewport from it.
    const EGLint Size[] = {EGL_WIDTH, FWidth * FScale, EGL_HEIGHT, FHeight * FScale, EGL_NONE};
    FSurface = eglCreatePbufferSurface(FDisplay, S.Config, Size);
    if (FContext == EGL_NO_CONTEXT || FSurface == EGL_NO_SURFACE || !MakeCurrent())
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

  bool MakeCurrent() override {
    return eglBindAPI(EGL_OPENGL_API) && eglMakeCurrent(FDisplay, FSurface, FSurface, FContext);
  }
  void DoneCurrent() override {
    eglMakeCurrent(FDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
  bool IsCurrent() const override { return eglGetCurrentContext() == FContext; }

private:
  int FWidth, FHeight, FScale, FSamples, FAskedSamples;
  unsigned FGroup = 0;
  EGLDisplay FDisplay = EGL_NO_DISPLAY;
  EGLContext FContext = EGL_NO_CONTEXT;
  EGLSurface FSurface = EGL_NO_SURFACE;
  std::vector<uint8_t> FScaled;
  std::optional<TMultisampleBuffer> FMultisampled; // drawn into instead of the pbuffer
};

template <class TContext, class... TArgs> std::unique_ptr<TKeptContext> Opened(TArgs &&...Args) {
  auto Context = std::make_unique<TContext>(std::forward<TArgs>(Args)...);
  if (!Context->Open())
    return nullptr;
  return Context;
}

// Empties a matrix stack down to one identity matrix.
void ResetMatrices(GLenum Mode, GLenum DepthQuery) {
  glMatrixMode(Mode);
  GLint Depth = 1;
  glGetIntegerv(DepthQuery, &Depth);
  for (; Depth > 1; --Depth)
    glPopMatrix();
  glLoadIdentity();
}

// One render's use of a kept context. Everything the attribute stacks hold is
// saved when the render starts and put back when it ends, the matrix stacks
// start empty and no error is pending: each render finds the state of a fresh
// context, whatever the one before it (or a kit) left behind.
class TLease : public TGlContext {
public:
  explicit TLease(TKeptContext &Kept) : FKept(Kept) {
    while (glGetError() != GL_NO_ERROR)
      ;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &FAttribDepth);
    glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &FClientDepth);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    ResetMatrices(GL_TEXTURE, GL_TEXTURE_STACK_DEPTH);
    ResetMatrices(GL_PROJECTION, GL_PROJECTION_STACK_DEPTH);
    ResetMatrices(GL_MODELVIEW, GL_MODELVIEW_STACK_DEPTH);
  }
  ~TLease() override { Release(); }

  void ReadPixels(int X, int Y, int Width, int Height, uint8_t *Bgra) override {
    FKept.ReadPixels(X, Y, Width, Height, Bgra);
  }
  void Present() override { FKept.Present(); }

  bool Release() override {
    if (!FReleased) {
      FReleased = true;
      RestoreState();
      FKept.DoneCurrent();
    }
    return !FKept.IsCurrent();
  }

private:
  void RestoreState() {
    GLint Depth = 0;
    for (glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &Depth); Depth > FClientDepth; --Depth)
      glPopClientAttrib();
    for (glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &Depth); Depth > FAttribDepth; --Depth)
      glPopAttrib();
  }

  TKeptContext &FKept;
  GLint FAttribDepth = 0, FClientDepth = 0;
  bool FReleased = false;
};

} // namespace

TGlContext::~TGlContext() = default;
TKeptContext::~TKeptContext() = default;
TGlSurface::TGlSurface() = default;
TGlSurface::~TGlSurface() = default;

std::unique_ptr<TGlContext> TGlSurface::UseContext(int Samples) {
  if (FKept && (!Fits(*FKept, Samples) || !FKept->MakeCurrent()))
    FKept.reset();
  if (!FKept)
    FKept = MakeContext(Samples);
  if (!FKept)
    return nullptr;
  return std::make_unique<TLease>(*FKept);
}

bool TWindowGlSurface::SharesTextures() const { return WindowShareContext() != nullptr; }

bool TWindowGlSurface::Fits(const TKeptContext &Kept, int) const {
  return !SharesTextures() || static_cast<const TWindowContext &>(Kept).InGroup();
}

std::unique_ptr<TKeptContext> TWindowGlSurface::MakeContext(int) {
  return Opened<TWindowContext>(FWindow);
}

bool TWindowGlSurface::ShowPicture(int Width, int Height, const uint8_t *Bgra) {
  std::unique_ptr<TGlContext> Context = UseContext(0);
  if (!Context)
    return false;
  glViewport(0, 0, Width, Height);
  glRasterPos2i(-1, -1); // the lower-left corner, with identity matrices
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glDrawPixels(Width, Height, GL_BGRA, GL_UNSIGNED_BYTE, Bgra);
  glFinish();
  Context->Present();
  return Context->Release();
}

void TOffscreenGlSurface::SetSize(int Width, int Height) {
  FWidth = Width;
  FHeight = Height;
}

bool TOffscreenGlSurface::Fits(const TKeptContext &Kept, int Samples) const {
  return static_cast<const TOffscreenContext &>(Kept).Fits(FWidth, FHeight, Samples);
}

std::unique_ptr<TKeptContext> TOffscreenGlSurface::MakeContext(int Samples) {
  std::unique_ptr<TKeptContext> Made =
      Opened<TOffscreenContext>(FWidth, FHeight, FSmoothing, Samples);
  if (Made)
    return Made;
  // A lost set of shared objects makes every new context fail: start a new set.
  ForgetGlContexts();
  return Opened<TOffscreenContext>(FWidth, FHeight, FSmoothing, Samples);
}

unsigned GlShareGroup() { return Share().Group; }

void ForgetGlContexts() {
  TShare &S = Share();
  if (S.QtRoot)
    delete S.QtRoot.data(); // which forgets the root and starts a new set
  else if (S.Root != EGL_NO_CONTEXT)
    eglDestroyContext(S.Display, S.Root);
  S.Root = EGL_NO_CONTEXT;
  ++S.Group;
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
  std::unique_ptr<TGlContext> Context = Probe.UseContext(0);
  if (!Context)
    return 0;
  GLint Max = 0;
  glGetIntegerv(GL_MAX_SAMPLES, &Max);
  Context->Release();
  return Max >= Wanted ? Wanted : 0;
}

void DrawOnOneThread() {
  if (qEnvironmentVariableIsEmpty("LP_NUM_THREADS"))
    qputenv("LP_NUM_THREADS", "0");
}

void ChooseGlIntegration() {
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
    qputenv("QT_XCB_GL_INTEGRATION", "xcb_egl");
}
