#include "Global.h"

TConstruction Construction;

namespace {

void SplitColor(uint32_t Color, uint8_t &Red, uint8_t &Green, uint8_t &Blue) {
  Red = uint8_t(Color % 256);
  Green = uint8_t((Color / 256) % 256);
  Blue = uint8_t((Color / 65536) % 256);
}

} // namespace

void SetSceneColor(uint32_t Color) {
  Construction.SceneColor = Color;
  SplitColor(Color, Construction.SceneRed, Construction.SceneGreen, Construction.SceneBlue);
}

void SetBaseColor(uint32_t Color) {
  Construction.BaseColor = Color;
  SplitColor(Color, Construction.BaseRed, Construction.BaseGreen, Construction.BaseBlue);
}
