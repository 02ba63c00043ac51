#include "GlTextures.h"

#include "GlSurface.h"

#include <GL/gl.h>
#include <dlfcn.h>

#include <algorithm>
#include <map>
#include <utility>

namespace {

void *Caller = nullptr;

struct TMade {
  unsigned Group; // the set of shared objects they belong to
  std::vector<unsigned> Names;
};

std::map<void *, TMade> &Made() {
  static std::map<void *, TMade> M;
  return M;
}

template <class TFunction> TFunction Next(const char *Name) {
  return reinterpret_cast<TFunction>(dlsym(RTLD_NEXT, Name));
}

void Keep(GLsizei Count, const GLuint *Names) {
  if (!Caller || Count <= 0)
    return;
  TMade &Mine = Made()[Caller];
  if (Mine.Group != GlShareGroup())
    Mine = {GlShareGroup(), {}};
  Mine.Names.insert(Mine.Names.end(), Names, Names + Count);
}

void Drop(GLsizei Count, const GLuint *Names) {
  for (auto &[Owner, Mine] : Made())
    for (GLsizei I = 0; I < Count; ++I)
      Mine.Names.erase(std::remove(Mine.Names.begin(), Mine.Names.end(), Names[I]), Mine.Names.end());
}

} // namespace

extern "C" {

void glGenTextures(GLsizei Count, GLuint *Names) {
  static const auto Real = Next<void (*)(GLsizei, GLuint *)>("glGenTextures");
  Real(Count, Names);
  Keep(Count, Names);
}

void glDeleteTextures(GLsizei Count, const GLuint *Names) {
  static const auto Real = Next<void (*)(GLsizei, const GLuint *)>("glDeleteTextures");
  Drop(Count, Names);
  Real(Count, Names);
}

} // extern "C"

void *SetGlCaller(void *NewCaller) { return std::exchange(Caller, NewCaller); }

std::vector<unsigned> TexturesOf(void *Owner) {
  const auto It = Made().find(Owner);
  if (It == Made().end() || It->second.Group != GlShareGroup())
    return {};
  return It->second.Names;
}

void ForgetTexturesOf(void *Owner) { Made().erase(Owner); }
