#include "MarbeloKit.h"

#include <dlfcn.h>

std::string MarbeloPath() { return std::string(STAVEMONT_KITS_DIR) + "/Marbelo.so"; }

bool BindMarbelo(TKit &Kit) {
  void *Handle = dlopen(MarbeloPath().c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!Handle)
    return false;
  void *Entry[KitApi::ExportCount];
  for (int E = 0; E < KitApi::ExportCount; ++E)
    if (!(Entry[E] = dlsym(Handle, KitApi::ExportNames[E]))) {
      dlclose(Handle);
      return false;
    }
  Kit.Handle = Handle;
  Kit.GetKit = reinterpret_cast<KitApi::TGetKit>(Entry[0]);
  Kit.beginDrawKit = reinterpret_cast<KitApi::TBeginDrawKit>(Entry[1]);
  Kit.GetPiece = reinterpret_cast<KitApi::TGetPiece>(Entry[2]);
  Kit.GetPieceVolume = reinterpret_cast<KitApi::TGetPieceVolume>(Entry[3]);
  Kit.DrawPieceLook = reinterpret_cast<KitApi::TDrawPieceLook>(Entry[4]);
  Kit.DrawPieceForm = reinterpret_cast<KitApi::TDrawPieceForm>(Entry[5]);
  Kit.DrawBaseLook = reinterpret_cast<KitApi::TDrawBaseLook>(Entry[6]);
  Kit.DrawBaseForm = reinterpret_cast<KitApi::TDrawBaseForm>(Entry[7]);
  Kit.GetKit(&Kit.KitPieceCount);
  return true;
}
