#include "Global.h"

TConstruction Construction;

namespace {

void SplitColor(uint32_t Color, uint8_t &Red, uint8_t &Green, uint8_t &Blue) {
  Red = uint8_t(Color % 256);
  Green = uint8_t((Color / 256) % 256);
  Blue = uint8_t((Color / 65536) % 256);
}

} // namespace

bool BindKitExports(TKit &Kit, void *Handle, void *(*Lookup)(void *Handle, const char *Name),
                    const char *&Missing) {
  void *Entry[KitApi::ExportCount];
  for (int E = 0; E < KitApi::ExportCount; ++E)
    if (!(Entry[E] = Lookup(Handle, KitApi::ExportNames[E]))) {
      Missing = KitApi::ExportNames[E];
      return false;
    }
  Kit.Handle = Handle;
  const char *const *Names = KitApi::ExportNames;
  Kit.GetKit.Bind(reinterpret_cast<KitApi::TGetKit>(Entry[0]), Handle, Names[0]);
  Kit.beginDrawKit.Bind(reinterpret_cast<KitApi::TBeginDrawKit>(Entry[1]), Handle, Names[1]);
  Kit.GetPiece.Bind(reinterpret_cast<KitApi::TGetPiece>(Entry[2]), Handle, Names[2]);
  Kit.GetPieceVolume.Bind(reinterpret_cast<KitApi::TGetPieceVolume>(Entry[3]), Handle, Names[3]);
  Kit.DrawPieceLook.Bind(reinterpret_cast<KitApi::TDrawPieceLook>(Entry[4]), Handle, Names[4]);
  Kit.DrawPieceForm.Bind(reinterpret_cast<KitApi::TDrawPieceForm>(Entry[5]), Handle, Names[5]);
  Kit.DrawBaseLook.Bind(reinterpret_cast<KitApi::TDrawBaseLook>(Entry[6]), Handle, Names[6]);
  Kit.DrawBaseForm.Bind(reinterpret_cast<KitApi::TDrawBaseForm>(Entry[7]), Handle, Names[7]);
  return true;
}

void ChoosePiece(int Kit, int Piece) {
  Construction.CurrentKit = Kit;
  Construction.CurrentPiece = Piece;
  Construction.CurrentRotation = 1;
  Construction.Kits[Kit].GetPiece(uint8_t(Piece), &Construction.CurrentSizeX,
                                  &Construction.CurrentSizeY, &Construction.CurrentSizeZ);
  Construction.AnchorCell = 1;
}

void SetSceneColor(uint32_t Color) {
  Construction.SceneColor = Color;
  SplitColor(Color, Construction.SceneRed, Construction.SceneGreen, Construction.SceneBlue);
}

void SetBaseColor(uint32_t Color) {
  Construction.BaseColor = Color;
  SplitColor(Color, Construction.BaseRed, Construction.BaseGreen, Construction.BaseBlue);
}
