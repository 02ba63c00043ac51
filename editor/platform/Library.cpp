#include "Library.h"

#include "Folder.h"

#include <dlfcn.h>

void *LoadLibrary(const std::string &Path, std::string &Error) {
  // dlopen() would wait for ever on a named pipe put in the library's place.
  if (!IsRegularFile(Path)) {
    Error = PathExists(Path) ? "it is not a regular file." : "no such file.";
    return nullptr;
  }
  void *Handle = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!Handle) {
    const char *Reason = dlerror();
    Error = Reason ? Reason : "unknown error";
  }
  return Handle;
}

void *GetExport(void *Handle, const char *Name) { return dlsym(Handle, Name); }

void FreeLibrary(void *Handle) { dlclose(Handle); }
