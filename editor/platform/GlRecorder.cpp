#include "GlRecorder.h"

#include "GlSurface.h"

#include <GL/gl.h>
#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace {

// ---- The caller's matrix --------------------------------------------------

using TMatrix = std::array<double, 16>; // column-major, as the GL keeps it

constexpr TMatrix Identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

TMatrix Times(const TMatrix &A, const TMatrix &B) {
  TMatrix C{};
  for (int Col = 0; Col < 4; ++Col)
    for (int Row = 0; Row < 4; ++Row) {
      double Sum = 0;
      for (int K = 0; K < 4; ++K)
        Sum += A[size_t(K * 4 + Row)] * B[size_t(Col * 4 + K)];
      C[size_t(Col * 4 + Row)] = Sum;
    }
  return C;
}

TMatrix Translation(double X, double Y, double Z) {
  TMatrix M = Identity;
  M[12] = X, M[13] = Y, M[14] = Z;
  return M;
}

TMatrix Scaling(double X, double Y, double Z) {
  TMatrix M = Identity;
  M[0] = X, M[5] = Y, M[10] = Z;
  return M;
}

// As glRotate defines it: Angle degrees about the axis (X, Y, Z).
TMatrix Rotation(double Angle, double X, double Y, double Z) {
  const double Length = std::sqrt(X * X + Y * Y + Z * Z);
  if (Length == 0)
    return Identity;
  X /= Length, Y /= Length, Z /= Length;
  const double R = Angle * M_PI / 180, C = std::cos(R), S = std::sin(R), T = 1 - C;
  return {T * X * X + C,     T * X * Y + S * Z, T * X * Z - S * Y, 0,
          T * X * Y - S * Z, T * Y * Y + C,     T * Y * Z + S * X, 0,
          T * X * Z + S * Y, T * Y * Z - S * X, T * Z * Z + C,     0,
          0,                 0,                 0,                 1};
}

// ---- What the recording under way has seen --------------------------------

struct TRecorder {
  TRecording *Into = nullptr;
  std::vector<TMatrix> Stack{Identity};
  bool ColourSet = false, NormalSet = false, TexSet = false;
  float Colour[4] = {1, 1, 1, 1}, Normal[3] = {0, 0, 1}, Tex[2] = {0, 0};
  bool Texturing = false, BoundSet = false;
  unsigned Bound = 0;
  bool Inside = false; // between glBegin and glEnd
  GLenum Mode = 0;
  std::vector<TRecordedVertex> Primitive;
} Recorder;

bool Recording() { return Recorder.Into != nullptr; }

void Untrust(const char *Why) {
  TRecording &R = *Recorder.Into;
  if (R.Trusted)
    R.Untrusted = Why;
  R.Trusted = false;
}

void LeaveState(const char *Why) {
  Untrust(Why);
  Recorder.Into->LeavesState = true;
}

void Apply(const TMatrix &M) { Recorder.Stack.back() = Times(Recorder.Stack.back(), M); }

uint8_t Byte(float Value) { return uint8_t(std::lround(std::clamp(Value, 0.0f, 1.0f) * 255)); }

void KeepVertex(double X, double Y, double Z) {
  TRecorder &R = Recorder;
  if (!R.Inside)
    return;
  // What it did not set it takes from whatever was drawn before it.
  if (!R.ColourSet || !R.NormalSet || (R.Texturing && !R.TexSet))
    LeaveState("a vertex that uses a colour, normal or texture coordinate it did not set");
  if (R.Texturing && !R.BoundSet)
    LeaveState("a texture it did not bind");
  const TMatrix &M = R.Stack.back();
  TRecordedVertex V;
  V.X = float(M[0] * X + M[4] * Y + M[8] * Z + M[12]);
  V.Y = float(M[1] * X + M[5] * Y + M[9] * Z + M[13]);
  V.Z = float(M[2] * X + M[6] * Y + M[10] * Z + M[14]);
  // The normal turns with the model (the editor normalizes normals).
  const float *N = R.Normal;
  V.NX = float(M[0] * N[0] + M[4] * N[1] + M[8] * N[2]);
  V.NY = float(M[1] * N[0] + M[5] * N[1] + M[9] * N[2]);
  V.NZ = float(M[2] * N[0] + M[6] * N[1] + M[10] * N[2]);
  V.S = R.Tex[0], V.T = R.Tex[1];
  V.Red = Byte(R.Colour[0]), V.Green = Byte(R.Colour[1]), V.Blue = Byte(R.Colour[2]);
  V.Alpha = Byte(R.Colour[3]);
  R.Primitive.push_back(V);
}

// The batch the next primitive of this kind and texture goes into: the last
// one when it matches, so that the drawing order is kept.
std::vector<TRecordedVertex> &BatchFor(GLenum Mode) {
  std::vector<TRecordedBatch> &Batches = Recorder.Into->Batches;
  const unsigned Texture = Recorder.Texturing ? Recorder.Bound : 0;
  if (Batches.empty() || Batches.back().Mode != Mode || Batches.back().Texture != Texture)
    Batches.push_back({Mode, Texture, {}});
  return Batches.back().Vertices;
}

// A finished primitive as quadrilaterals or triangles.
void KeepPrimitive() {
  const std::vector<TRecordedVertex> &P = Recorder.Primitive;
  const size_t N = P.size();
  switch (Recorder.Mode) {
  case GL_QUADS: {
    std::vector<TRecordedVertex> &Out = BatchFor(GL_QUADS);
    Out.insert(Out.end(), P.begin(), P.begin() + ptrdiff_t(N / 4 * 4));
    return;
  }
  case GL_QUAD_STRIP: {
    std::vector<TRecordedVertex> &Out = BatchFor(GL_QUADS);
    for (size_t I = 0; I + 3 < N; I += 2)
      Out.insert(Out.end(), {P[I], P[I + 1], P[I + 3], P[I + 2]});
    return;
  }
  case GL_TRIANGLES: {
    std::vector<TRecordedVertex> &Out = BatchFor(GL_TRIANGLES);
    Out.insert(Out.end(), P.begin(), P.begin() + ptrdiff_t(N / 3 * 3));
    return;
  }
  case GL_TRIANGLE_STRIP: {
    std::vector<TRecordedVertex> &Out = BatchFor(GL_TRIANGLES);
    for (size_t I = 0; I + 2 < N; ++I)
      if (I % 2 == 0)
        Out.insert(Out.end(), {P[I], P[I + 1], P[I + 2]});
      else
        Out.insert(Out.end(), {P[I + 1], P[I], P[I + 2]});
    return;
  }
  default: { // GL_TRIANGLE_FAN, GL_POLYGON
    std::vector<TRecordedVertex> &Out = BatchFor(GL_TRIANGLES);
    for (size_t I = 1; I + 1 < N; ++I)
      Out.insert(Out.end(), {P[0], P[I], P[I + 1]});
  }
  }
}

// ---- Who made which textures ----------------------------------------------

void *Caller = nullptr;

struct TMade {
  unsigned Group;
  std::vector<unsigned> Names;
};

std::map<void *, TMade> &Made() {
  static std::map<void *, TMade> M;
  return M;
}

// The attributes the next vertex takes.
void SetNormal(float X, float Y, float Z) {
  Recorder.Normal[0] = X, Recorder.Normal[1] = Y, Recorder.Normal[2] = Z;
  Recorder.NormalSet = true;
}
void SetTex(float S, float T) {
  Recorder.Tex[0] = S, Recorder.Tex[1] = T;
  Recorder.TexSet = true;
}
void SetColour(float R, float G, float B, float A) {
  Recorder.Colour[0] = R, Recorder.Colour[1] = G, Recorder.Colour[2] = B, Recorder.Colour[3] = A;
  Recorder.ColourSet = true;
}
// A signed byte b stands for (2b + 1) / 255, an unsigned one for u / 255.
float Signed(GLbyte B) { return (2.0f * B + 1) / 255; }

template <class TFunction> TFunction Next(const char *Name) {
  return reinterpret_cast<TFunction>(dlsym(RTLD_NEXT, Name));
}

} // namespace

// The system's function of the same name, found once.
#define NEXT(Name) static const auto Real = Next<decltype(&::Name)>(#Name)

extern "C" {

// ---- Modelled: geometry and its attributes --------------------------------

void glBegin(GLenum Mode) {
  NEXT(glBegin);
  if (Recording()) {
    const GLenum Known[] = {GL_QUADS, GL_QUAD_STRIP, GL_TRIANGLES, GL_TRIANGLE_STRIP,
                            GL_TRIANGLE_FAN, GL_POLYGON};
    if (std::find(std::begin(Known), std::end(Known), Mode) == std::end(Known))
      Untrust("a primitive that is not a polygon");
    Recorder.Inside = true;
    Recorder.Mode = Mode;
    Recorder.Primitive.clear();
  }
  Real(Mode);
}

void glEnd() {
  NEXT(glEnd);
  if (Recording() && Recorder.Inside) {
    KeepPrimitive();
    Recorder.Inside = false;
  }
  Real();
}

void glVertex2f(GLfloat X, GLfloat Y) {
  NEXT(glVertex2f);
  if (Recording())
    KeepVertex(X, Y, 0);
  Real(X, Y);
}
void glVertex2d(GLdouble X, GLdouble Y) {
  NEXT(glVertex2d);
  if (Recording())
    KeepVertex(X, Y, 0);
  Real(X, Y);
}
void glVertex3f(GLfloat X, GLfloat Y, GLfloat Z) {
  NEXT(glVertex3f);
  if (Recording())
    KeepVertex(X, Y, Z);
  Real(X, Y, Z);
}
void glVertex3d(GLdouble X, GLdouble Y, GLdouble Z) {
  NEXT(glVertex3d);
  if (Recording())
    KeepVertex(X, Y, Z);
  Real(X, Y, Z);
}
void glVertex3fv(const GLfloat *V) {
  NEXT(glVertex3fv);
  if (Recording())
    KeepVertex(V[0], V[1], V[2]);
  Real(V);
}
void glVertex3dv(const GLdouble *V) {
  NEXT(glVertex3dv);
  if (Recording())
    KeepVertex(V[0], V[1], V[2]);
  Real(V);
}

void glNormal3f(GLfloat X, GLfloat Y, GLfloat Z) {
  NEXT(glNormal3f);
  if (Recording())
    SetNormal(X, Y, Z);
  Real(X, Y, Z);
}
void glNormal3d(GLdouble X, GLdouble Y, GLdouble Z) {
  NEXT(glNormal3d);
  if (Recording())
    SetNormal(float(X), float(Y), float(Z));
  Real(X, Y, Z);
}
void glNormal3fv(const GLfloat *V) {
  NEXT(glNormal3fv);
  if (Recording())
    SetNormal(V[0], V[1], V[2]);
  Real(V);
}

void glTexCoord2f(GLfloat S, GLfloat T) {
  NEXT(glTexCoord2f);
  if (Recording())
    SetTex(S, T);
  Real(S, T);
}
void glTexCoord2d(GLdouble S, GLdouble T) {
  NEXT(glTexCoord2d);
  if (Recording())
    SetTex(float(S), float(T));
  Real(S, T);
}
void glTexCoord2fv(const GLfloat *V) {
  NEXT(glTexCoord2fv);
  if (Recording())
    SetTex(V[0], V[1]);
  Real(V);
}

void glColor3b(GLbyte R, GLbyte G, GLbyte B) {
  NEXT(glColor3b);
  if (Recording())
    SetColour(Signed(R), Signed(G), Signed(B), 1);
  Real(R, G, B);
}
void glColor3ub(GLubyte R, GLubyte G, GLubyte B) {
  NEXT(glColor3ub);
  if (Recording())
    SetColour(R / 255.0f, G / 255.0f, B / 255.0f, 1);
  Real(R, G, B);
}
void glColor4ub(GLubyte R, GLubyte G, GLubyte B, GLubyte A) {
  NEXT(glColor4ub);
  if (Recording())
    SetColour(R / 255.0f, G / 255.0f, B / 255.0f, A / 255.0f);
  Real(R, G, B, A);
}
void glColor3f(GLfloat R, GLfloat G, GLfloat B) {
  NEXT(glColor3f);
  if (Recording())
    SetColour(R, G, B, 1);
  Real(R, G, B);
}
void glColor4f(GLfloat R, GLfloat G, GLfloat B, GLfloat A) {
  NEXT(glColor4f);
  if (Recording())
    SetColour(R, G, B, A);
  Real(R, G, B, A);
}
void glColor3d(GLdouble R, GLdouble G, GLdouble B) {
  NEXT(glColor3d);
  if (Recording())
    SetColour(float(R), float(G), float(B), 1);
  Real(R, G, B);
}

// ---- Modelled: the caller's own matrix ------------------------------------

void glPushMatrix() {
  NEXT(glPushMatrix);
  if (Recording())
    Recorder.Stack.push_back(Recorder.Stack.back());
  Real();
}
void glPopMatrix() {
  NEXT(glPopMatrix);
  if (Recording()) {
    if (Recorder.Stack.size() > 1)
      Recorder.Stack.pop_back();
    else
      LeaveState("a matrix popped that it did not push");
  }
  Real();
}
void glTranslated(GLdouble X, GLdouble Y, GLdouble Z) {
  NEXT(glTranslated);
  if (Recording())
    Apply(Translation(X, Y, Z));
  Real(X, Y, Z);
}
void glTranslatef(GLfloat X, GLfloat Y, GLfloat Z) {
  NEXT(glTranslatef);
  if (Recording())
    Apply(Translation(X, Y, Z));
  Real(X, Y, Z);
}
void glRotated(GLdouble A, GLdouble X, GLdouble Y, GLdouble Z) {
  NEXT(glRotated);
  if (Recording())
    Apply(Rotation(A, X, Y, Z));
  Real(A, X, Y, Z);
}
void glRotatef(GLfloat A, GLfloat X, GLfloat Y, GLfloat Z) {
  NEXT(glRotatef);
  if (Recording())
    Apply(Rotation(A, X, Y, Z));
  Real(A, X, Y, Z);
}
void glScaled(GLdouble X, GLdouble Y, GLdouble Z) {
  NEXT(glScaled);
  if (Recording())
    Apply(Scaling(X, Y, Z));
  Real(X, Y, Z);
}
void glScalef(GLfloat X, GLfloat Y, GLfloat Z) {
  NEXT(glScalef);
  if (Recording())
    Apply(Scaling(X, Y, Z));
  Real(X, Y, Z);
}
void glMultMatrixd(const GLdouble *M) {
  NEXT(glMultMatrixd);
  if (Recording()) {
    TMatrix T;
    std::copy(M, M + 16, T.begin());
    Apply(T);
  }
  Real(M);
}
void glMultMatrixf(const GLfloat *M) {
  NEXT(glMultMatrixf);
  if (Recording()) {
    TMatrix T;
    std::copy(M, M + 16, T.begin());
    Apply(T);
  }
  Real(M);
}
void glMatrixMode(GLenum Mode) {
  NEXT(glMatrixMode);
  if (Recording() && Mode != GL_MODELVIEW)
    LeaveState("a matrix other than the model's");
  Real(Mode);
}

// ---- Modelled: texturing --------------------------------------------------

void glEnable(GLenum Cap) {
  NEXT(glEnable);
  if (Recording()) {
    if (Cap == GL_TEXTURE_2D)
      Recorder.Texturing = true;
    else
      LeaveState("a capability other than texturing");
  }
  Real(Cap);
}
void glDisable(GLenum Cap) {
  NEXT(glDisable);
  if (Recording()) {
    if (Cap == GL_TEXTURE_2D)
      Recorder.Texturing = false;
    else
      LeaveState("a capability other than texturing");
  }
  Real(Cap);
}
void glBindTexture(GLenum Target, GLuint Name) {
  NEXT(glBindTexture);
  if (Recording()) {
    if (Target != GL_TEXTURE_2D)
      Untrust("a texture other than a plain 2-D one");
    Recorder.Bound = Name;
    Recorder.BoundSet = true;
  }
  Real(Target, Name);
}
void glTexEnvi(GLenum Target, GLenum Name, GLint Value) {
  NEXT(glTexEnvi);
  if (Recording() && !(Target == GL_TEXTURE_ENV && Name == GL_TEXTURE_ENV_MODE && Value == GL_MODULATE))
    LeaveState("a texture environment other than modulation");
  Real(Target, Name, Value);
}

void glGenTextures(GLsizei Count, GLuint *Names) {
  NEXT(glGenTextures);
  Real(Count, Names);
  if (!Caller || Count <= 0)
    return;
  TMade &Mine = Made()[Caller];
  if (Mine.Group != GlShareGroup())
    Mine = {GlShareGroup(), {}};
  Mine.Names.insert(Mine.Names.end(), Names, Names + Count);
}

void glDeleteTextures(GLsizei Count, const GLuint *Names) {
  NEXT(glDeleteTextures);
  for (auto &[Owner, Mine] : Made())
    for (GLsizei I = 0; I < Count; ++I)
      Mine.Names.erase(std::remove(Mine.Names.begin(), Mine.Names.end(), Names[I]), Mine.Names.end());
  Real(Count, Names);
}

} // extern "C"

// ---- Not modelled: drawing the recording cannot follow, state it cannot
// put back. A call to any of these makes the recording untrusted.

// Drawing the recording does not see: the drawing is not trusted.
#define UNSEEN(Name, Params, Args)                                                              \
  extern "C" void Name Params {                                                                  \
    NEXT(Name);                                                                                  \
    if (Recording())                                                                             \
      Untrust(#Name);                                                                            \
    Real Args;                                                                                   \
  }

// State the recording does not keep: what is drawn after it, by anyone, may
// depend on it.
#define UNMODELLED(Name, Params, Args)                                                          \
  extern "C" void Name Params {                                                                  \
    NEXT(Name);                                                                                  \
    if (Recording())                                                                             \
      LeaveState(#Name);                                                                         \
    Real Args;                                                                                   \
  }

UNSEEN(glDrawArrays, (GLenum M, GLint F, GLsizei C), (M, F, C))
UNSEEN(glDrawElements, (GLenum M, GLsizei C, GLenum T, const void *I), (M, C, T, I))
UNSEEN(glArrayElement, (GLint I), (I))
UNMODELLED(glVertexPointer, (GLint S, GLenum T, GLsizei St, const void *P), (S, T, St, P))
UNMODELLED(glEnableClientState, (GLenum A), (A))
UNMODELLED(glInterleavedArrays, (GLenum F, GLsizei S, const void *P), (F, S, P))
UNMODELLED(glCallList, (GLuint L), (L))
UNMODELLED(glCallLists, (GLsizei N, GLenum T, const void *L), (N, T, L))
UNMODELLED(glNewList, (GLuint L, GLenum M), (L, M))
UNSEEN(glRectf, (GLfloat A, GLfloat B, GLfloat C, GLfloat D), (A, B, C, D))
UNSEEN(glRectd, (GLdouble A, GLdouble B, GLdouble C, GLdouble D), (A, B, C, D))
UNSEEN(glRecti, (GLint A, GLint B, GLint C, GLint D), (A, B, C, D))
UNSEEN(glEvalMesh1, (GLenum M, GLint A, GLint B), (M, A, B))
UNSEEN(glEvalMesh2, (GLenum M, GLint A, GLint B, GLint C, GLint D), (M, A, B, C, D))
UNSEEN(glEvalCoord1f, (GLfloat U), (U))
UNSEEN(glEvalCoord2f, (GLfloat U, GLfloat V), (U, V))
UNSEEN(glEvalCoord1d, (GLdouble U), (U))
UNSEEN(glEvalCoord2d, (GLdouble U, GLdouble V), (U, V))
UNMODELLED(glMap1f, (GLenum T, GLfloat A, GLfloat B, GLint S, GLint O, const GLfloat *P), (T, A, B, S, O, P))
UNMODELLED(glMap2f, (GLenum T, GLfloat A, GLfloat B, GLint S, GLint O, GLfloat C, GLfloat D, GLint S2, GLint O2, const GLfloat *P), (T, A, B, S, O, C, D, S2, O2, P))
UNMODELLED(glPushAttrib, (GLbitfield M), (M))
UNMODELLED(glPopAttrib, (), ())
UNMODELLED(glCullFace, (GLenum M), (M))
UNMODELLED(glFrontFace, (GLenum M), (M))
UNMODELLED(glPolygonMode, (GLenum F, GLenum M), (F, M))
UNMODELLED(glMaterialf, (GLenum F, GLenum P, GLfloat V), (F, P, V))
UNMODELLED(glMaterialfv, (GLenum F, GLenum P, const GLfloat *V), (F, P, V))
UNMODELLED(glLightf, (GLenum L, GLenum P, GLfloat V), (L, P, V))
UNMODELLED(glLightfv, (GLenum L, GLenum P, const GLfloat *V), (L, P, V))
UNMODELLED(glColorMaterial, (GLenum F, GLenum M), (F, M))
UNMODELLED(glBlendFunc, (GLenum S, GLenum D), (S, D))
UNMODELLED(glDepthFunc, (GLenum F), (F))
UNMODELLED(glDepthMask, (GLboolean F), (F))
UNMODELLED(glShadeModel, (GLenum M), (M))
UNMODELLED(glLoadIdentity, (), ())
UNMODELLED(glLoadMatrixf, (const GLfloat *M), (M))
UNMODELLED(glLoadMatrixd, (const GLdouble *M), (M))
UNMODELLED(glOrtho, (GLdouble A, GLdouble B, GLdouble C, GLdouble D, GLdouble E, GLdouble F), (A, B, C, D, E, F))
UNMODELLED(glFrustum, (GLdouble A, GLdouble B, GLdouble C, GLdouble D, GLdouble E, GLdouble F), (A, B, C, D, E, F))
UNMODELLED(glViewport, (GLint X, GLint Y, GLsizei W, GLsizei H), (X, Y, W, H))
UNMODELLED(glScissor, (GLint X, GLint Y, GLsizei W, GLsizei H), (X, Y, W, H))
UNMODELLED(glClear, (GLbitfield M), (M))
UNMODELLED(glLineWidth, (GLfloat W), (W))
UNMODELLED(glPointSize, (GLfloat S), (S))

void BeginRecording(TRecording &Into) {
  Into = TRecording();
  Recorder = TRecorder();
  Recorder.Into = &Into;
}

void EndRecording() {
  if (!Recorder.Into)
    return;
  if (Recorder.Inside)
    LeaveState("a primitive it did not end");
  if (Recorder.Stack.size() != 1)
    LeaveState("a matrix it pushed and did not pop");
  if (Recorder.Texturing)
    LeaveState("texturing left on");
  Recorder.Into = nullptr;
}

bool RecordingReachesLibraries() {
  // This program's own glVertex3f is the one the dynamic linker gives out.
  const auto Global = reinterpret_cast<void *>(dlsym(RTLD_DEFAULT, "glVertex3f"));
  return Global == reinterpret_cast<void *>(&::glVertex3f);
}

void *SetGlCaller(void *NewCaller) { return std::exchange(Caller, NewCaller); }

std::vector<unsigned> TexturesOf(void *Owner) {
  const auto It = Made().find(Owner);
  if (It == Made().end() || It->second.Group != GlShareGroup())
    return {};
  return It->second.Names;
}

void ForgetTexturesOf(void *Owner) { Made().erase(Owner); }
