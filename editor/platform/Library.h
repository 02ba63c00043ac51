// Shared libraries loaded at run time by absolute path.
#pragma once

#include <string>

// The library's handle, or nullptr with Error set to the loader's reason.
void *LoadLibrary(const std::string &Path, std::string &Error);

// The address of the named export, or nullptr.
void *GetExport(void *Handle, const char *Name);

void FreeLibrary(void *Handle);

// The file name suffix of a loadable module here.
inline constexpr const char *LibrarySuffix = ".so";
