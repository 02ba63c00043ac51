// The program entry: masks floating-point exceptions and chooses the pixel
// formats before any window exists, creates every window once in its order,
// and runs the message loop.
#include "Base.h"
#include "Start.h"
#include "model/Global.h"
#include "platform/Application.h"
#include "platform/GlSurface.h"
#include "platform/Memory.h"
#include "render/Construction.h"
#include "render/ShellLink.h"
#include "viewport/Look.h"

int main(int argc, char **argv) {
  KeepFreedBuffers();
  ChooseGlIntegration();
  MaskFloatingPointExceptions();
  TApplication App(argc, argv);
  QApplication::setApplicationDisplayName("Stavemont");
  QApplication::setApplicationName("Stavemont");
  ChoosePixelFormats();

  TfStart Start;
  fStart = &Start;
  Start.show();
  if (!Start.FormCreate())
    return 0;
  TfBase Base;
  fBase = &Base;
  Start.ResolveHoverPictures();
  TfLook Look;
  fLook = &Look;
  Look.Room = [] {
    return TRoom{fBase->width(), fBase->height(), TfBase::LeftColumnWidth};
  };
  ShellLink.FocusMainWindow = [] { fBase->activateWindow(); };
  ShellLink.InvalidatePreviews = [] { fBase->ShowPreviews(); };
  return App.exec();
}
