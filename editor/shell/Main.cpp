// The program entry: reads the command line; for the editor, masks
// floating-point exceptions and chooses the pixel formats before any window
// exists, creates every window once in its order, opens a file named on the
// command line, and runs the message loop.
#include "Artwork.h"
#include "Batch.h"
#include "CommandLine.h"
#include "Program.h"
#include "Recovery.h"
#include "Start.h"
#include "platform/Application.h"
#include "platform/GlSurface.h"
#include "platform/Memory.h"
#include "platform/Text.h"
#include "platform/Version.h"
#include "render/Construction.h"

#include <QTimer>

#include <cstdio>

namespace {

int Edit(int argc, char **argv, const TCommandLine &Line) {
  KeepFreedBuffers();
  ChooseGlIntegration();
  MaskFloatingPointExceptions();
  TApplication App(argc, argv);
  QApplication::setWindowIcon(ArtworkPicture("Icon"));
  ChoosePixelFormats();
  if (!CreateWindows())
    return 0;
  // From inside the message loop, as the start dialog's button does: work
  // left by a program that ended unexpectedly is offered first, then the
  // file named on the command line is opened unless work was recovered.
  QTimer::singleShot(0, [Files = Line.Files] {
    if (!OfferRecovery() && !Files.empty())
      fStart->OpenConstruction(Files.front());
  });
  return App.exec();
}

} // namespace

int main(int argc, char **argv) {
  const TCommandLine Line = ParseCommandLine({argv + 1, argv + argc});
  switch (Line.Kind) {
  case TCommandLine::Wrong:
    std::fprintf(stderr, "stavemont: %s\n%s", Printable(Line.Problem).c_str(), UsageText().c_str());
    return 2;
  case TCommandLine::Help:
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  case TCommandLine::Version:
    std::printf("Stavemont %s\n", ReadProgramVersion().c_str());
    return 0;
  case TCommandLine::Check:
  case TCommandLine::Render:
  case TCommandLine::Export:
  case TCommandLine::Parts:
  case TCommandLine::Instructions:
    KeepFreedBuffers();
    MaskFloatingPointExceptions();
    if (Line.Kind == TCommandLine::Export)
      return RunExport(argc, argv, Line);
    if (Line.Kind == TCommandLine::Parts)
      return RunParts(argc, argv, Line);
    if (Line.Kind == TCommandLine::Instructions)
      return RunInstructions(argc, argv, Line);
    return Line.Kind == TCommandLine::Check ? RunCheck(argc, argv, Line) : RunRender(argc, argv, Line);
  case TCommandLine::Edit:
    break;
  }
  return Edit(argc, argv, Line);
}
