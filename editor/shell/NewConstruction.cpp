#include "NewConstruction.h"

#include "Base.h"
#include "ShowMain.h"
#include "Start.h"
#include "edits/History.h"
#include "kits/Kit.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "platform/Messages.h"
#include "render/Camera.h"
#include "render/Previews.h"
#include "render/Scene.h"
#include "viewport/Look.h"

void StartConstruction() {
  Construction.ViewportWidth = uint16_t(fLook->width());
  Construction.ViewportHeight = uint16_t(fLook->height());
  SetSceneColor(DefaultSceneColor);
  fBase->ApplySceneColor();
  PiecePreview();
  SetBaseColor(DefaultBaseColor);
  fBase->ApplyBaseColor();
  BaseLookPreview();
  Construction.ViewCount = 1;
  Construction.Views[1].Name.clear();
  ResetCamera(Construction.Views[1]);
  Construction.FirstShownView = 1;
  ScanKits();
  Construction.FirstShownAvailableKit = 1;
  Construction.FirstShownKit = 1;
  Construction.PieceCount = 0;
  ClearOccupancy();
  Construction.CurrentKit = Construction.CurrentPiece = Construction.CurrentRotation = 0;
  Construction.CurrentSizeX = Construction.CurrentSizeY = Construction.CurrentSizeZ = 0;
  Construction.AnchorCell = 0;
  Construction.ChooserKit = Construction.ChooserPiece = 0;
  Construction.FileName.clear();
  // Each pass loads the first available kit: loading moves it out of that list.
  for (int Passes = Construction.AvailableKitCount; Passes > 0; --Passes) {
    fStart->SetStatus("Loading kit \"" + Construction.AvailableKitNames[1] + "\"...");
    ProcessMessages();
    LoadKit(1);
  }
  StartHistory();
  fBase->ShowTitle();
  ShowMainWindow();
  LookRender();
}
