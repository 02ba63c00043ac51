#include "MarbeloKit.h"

#include <dlfcn.h>

std::string MarbeloPath() { return std::string(STAVEMONT_KITS_DIR) + "/Marbelo.so"; }

bool BindMarbelo(TKit &Kit) {
  void *Handle = dlopen(MarbeloPath().c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!Handle)
    return false;
  const char *Missing = nullptr;
  if (!BindKitExports(Kit, Handle, dlsym, Missing)) {
    dlclose(Handle);
    return false;
  }
  Kit.GetKit(&Kit.KitPieceCount);
  return true;
}
