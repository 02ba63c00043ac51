#include "Program.h"

#include "Base.h"
#include "Choose.h"
#include "Note.h"
#include "Recovery.h"
#include "Start.h"
#include "platform/Messages.h"
#include "render/ShellLink.h"
#include "viewport/Look.h"
#include "viewport/Redraw.h"

bool CreateWindows() {
  fStart = new TfStart;
  fStart->show();
  if (!fStart->FormCreate())
    return false;
  fBase = new TfBase;
  fStart->ResolveHoverPictures();
  // The viewport and the chooser are children of the main window: they stay
  // over it, and go below other programs' windows with it, under any window
  // manager (a stay-on-top hint loses to a focused full-screen window).
  fBase->winId();
  fLook = new TfLook(fBase->windowHandle());
  fChoose = new TfChoose(fBase);
  fNote = new TNote(fBase);
  fLook->Room = [] { return TRoom{fBase->width(), fBase->height(), TfBase::LeftColumnWidth}; };
  SetDialogOwner([]() -> QWidget * {
    if (fBase->isVisible())
      return fBase;
    return fStart;
  });
  StartRecovery();
  StartRedrawing();
  ShellLink.ShowColors = [] {
    fBase->ApplySceneColor();
    fBase->ApplyBaseColor();
  };
  ShellLink.FocusMainWindow = [] { fBase->activateWindow(); };
  ShellLink.ShowState = [] { fBase->ShowState(); };
  ShellLink.InvalidatePreviews = [] { fBase->ShowPreviews(); };
  ShellLink.ShowNote = [](int X, int Y, const std::string &Text) {
    fNote->ShowAt(fBase->mapFromGlobal(fLook->mapToGlobal(QPoint(X, Y))),
                  QString::fromStdString(Text));
  };
  return true;
}
