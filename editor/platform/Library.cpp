#include "Library.h"

#include <dlfcn.h>

void *LoadLibrary(const std::string &Path, std::string &Error) {
  void *Handle = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!Handle) {
    const char *Reason = dlerror();
    Error = Reason ? Reason : "unknown error";
  }
  return Handle;
}

void *GetExport(void *Handle, const char *Name) { return dlsym(Handle, Name); }

void FreeLibrary(void *Handle) { dlclose(Handle); }
