#include "Program.h"

#include "Base.h"
#include "Choose.h"
#include "Start.h"
#include "render/ShellLink.h"
#include "viewport/Look.h"

bool CreateWindows() {
  fStart = new TfStart;
  fStart->show();
  if (!fStart->FormCreate())
    return false;
  fBase = new TfBase;
  fStart->ResolveHoverPictures();
  fLook = new TfLook;
  fChoose = new TfChoose;
  fLook->Room = [] { return TRoom{fBase->width(), fBase->height(), TfBase::LeftColumnWidth}; };
  ShellLink.FocusMainWindow = [] { fBase->activateWindow(); };
  ShellLink.InvalidatePreviews = [] { fBase->ShowPreviews(); };
  return true;
}
