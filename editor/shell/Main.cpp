// The program entry: masks floating-point exceptions and chooses the pixel
// formats before any window exists, creates every window once in its order,
// and runs the message loop.
#include "Artwork.h"
#include "Program.h"
#include "platform/Application.h"
#include "platform/GlSurface.h"
#include "platform/Memory.h"
#include "render/Construction.h"

int main(int argc, char **argv) {
  KeepFreedBuffers();
  ChooseGlIntegration();
  MaskFloatingPointExceptions();
  TApplication App(argc, argv);
  QApplication::setWindowIcon(ArtworkPicture("Icon"));
  ChoosePixelFormats();
  if (!CreateWindows())
    return 0;
  return App.exec();
}
