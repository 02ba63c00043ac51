// Seeing what a caller draws. The program puts its own versions of the GL
// functions that kits draw with in front of the system's (the program
// exports them, so a kit library's calls reach them; see GlExports.txt) and
// hands every call on. While a recording is under way, the calls are also
// kept: each vertex with its normal, texture coordinates and colour, placed
// by the caller's own matrix operations, grouped into batches of one
// primitive kind, texture and texturing. A call that the recording does not
// model, drawing that depends on state the caller did not set, or state left
// changed at the end makes the recording untrusted; such a drawing must be
// drawn by the caller itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TRecordedVertex {
  float X, Y, Z;
  float NX, NY, NZ;
  float S, T;
  uint8_t Red, Green, Blue, Alpha;
  bool operator==(const TRecordedVertex &) const = default;
};

// Vertices of one kind of primitive (GL_QUADS or GL_TRIANGLES) drawn with one
// texture (the caller's name for it, 0 when texturing is off).
struct TRecordedBatch {
  unsigned Mode;
  unsigned Texture;
  std::vector<TRecordedVertex> Vertices;
  bool operator==(const TRecordedBatch &) const = default;
};

struct TRecording {
  std::vector<TRecordedBatch> Batches;
  bool Trusted = true;
  // The drawing depends on state it did not set, or leaves state changed
  // that later drawing of anyone would see: a scene holding it must be drawn
  // by its callers, in order.
  bool LeavesState = false;
  std::string Untrusted; // the first reason it is not trusted, if any
};

// Starts keeping what follows in Into (emptied first); the caller's matrix
// starts as the identity. Needs a current context: calls are still handed on.
void BeginRecording(TRecording &Into);

// Ends the recording under way.
void EndRecording();

// Whether the GL functions of this program come before the system's for the
// libraries it loads (they do when the program exports them).
bool RecordingReachesLibraries();

// Which caller made which texture objects: while a caller is set (any address
// that stands for it; nullptr for the program itself), the names it makes
// are kept under it until they are deleted or the set of shared objects they
// live in is gone. Returns the former caller.
void *SetGlCaller(void *Caller);

// The texture names Caller made in the current set of shared objects that
// still exist, oldest first.
std::vector<unsigned> TexturesOf(void *Caller);

// Forgets every texture name kept for Caller (without deleting any).
void ForgetTexturesOf(void *Caller);
