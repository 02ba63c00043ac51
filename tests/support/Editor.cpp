#include "Editor.h"

#include "kits/Kit.h"
#include "model/Occupancy.h"
#include "platform/Messages.h"
#include "render/Camera.h"
#include "render/Construction.h"
#include "viewport/Look.h"

#include <QGuiApplication>

std::string BuildProgramDir() { return std::string(STAVEMONT_BUILD_DIR) + "/"; }

TfLook &StartEditor() {
  static TfLook *Look = [] {
    ChoosePixelFormats();
    auto *L = new TfLook;
    L->show();
    L->raise();
    for (int I = 0; I < 10 && !L->isExposed(); ++I)
      QGuiApplication::processEvents();
    return L;
  }();
  return *Look;
}

void NewConstruction(int Width, int Length, int Height) {
  while (Construction.KitCount > 0) {
    Construction.PieceCount = 0;
    UnloadKit(Construction.KitCount);
  }
  if (Construction.ProgramDir.empty())
    Construction.ProgramDir = BuildProgramDir();
  Construction.BaseWidth = uint16_t(Width);
  Construction.BaseLength = uint16_t(Length);
  Construction.BaseHeight = uint16_t(Height);
  SetSceneColor(DefaultSceneColor);
  SetBaseColor(DefaultBaseColor);
  Construction.ViewCount = 1;
  ResetCamera(Construction.Views[1]);
  Construction.PieceCount = 0;
  ClearOccupancy();
  Construction.CurrentKit = Construction.CurrentPiece = Construction.CurrentRotation = 0;
  Construction.CurrentSizeX = Construction.CurrentSizeY = Construction.CurrentSizeZ = 0;
  Construction.AnchorCell = 0;
  Construction.AvailableKitCount = 0;
}

void LoadAllKits() {
  ScanKits();
  for (int Passes = Construction.AvailableKitCount; Passes > 0; --Passes)
    LoadKit(1);
}
