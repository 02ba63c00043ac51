#include "Batch.h"

#include "ConstructionFile.h"
#include "kits/Kit.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "platform/Folder.h"
#include "platform/Messages.h"
#include "render/Capture.h"
#include "render/Construction.h"
#include "render/Views.h"

#include <QCoreApplication>

#include <cstdio>
#include <vector>

namespace {

// What a batch run needs of the program: a core application (no display),
// the program's folder, pixel formats for offscreen pictures and the
// messages the editor would show, kept to be told on one line.
class TBatch {
public:
  TBatch(int Argc, char **Argv) : FApplication(Argc, Argv) {
    Construction.ProgramDir = ProgramFolder();
    ChoosePixelFormats(false);
    SetMessageSink([this](const std::string &Text, const std::string &) { Messages.push_back(Text); });
  }
  ~TBatch() { SetMessageSink({}); }

  std::vector<std::string> Messages;

private:
  QCoreApplication FApplication;
};

// Loads the construction in Path with its kits, as the editor's load does;
// empty when loaded, else why it is refused.
std::string Load(const std::string &Path, TBatch &Batch) {
  std::vector<uint8_t> Record;
  TConstructionFile File;
  std::string Reason;
  if (!ReadConstructionFile(Path, Record, Reason) || !DecodeConstruction(Record, File, Reason))
    return Reason;
  ScanKits();
  Batch.Messages.clear();
  switch (LoadFileKits(File, Reason, {})) {
  case TKitsLoaded::Missing:
    return "its kit \"" + Reason + "\" is not in the Kits folder " + Construction.ProgramDir +
           "Kits.";
  case TKitsLoaded::Unusable: // in the kit manager's own words, when it gave any
    return Batch.Messages.empty() ? Reason : Batch.Messages.back();
  case TKitsLoaded::All:
    break;
  }
  if (!CheckPieces(File, Reason))
    return Reason;
  ApplyViews(File);
  ApplyColors(File);
  ApplyBase(File);
  ApplyPieces(File);
  return {};
}

// Takes every kit out of use again, so that the next file starts afresh.
void Forget() {
  Construction.PieceCount = 0;
  while (Construction.KitCount > 0)
    UnloadKit(Construction.KitCount);
}

int Fail(const std::string &File, const std::string &Reason) {
  std::fprintf(stderr, "%s: %s\n", File.c_str(), Reason.c_str());
  return 1;
}

// The index of the saved view of exactly this name, or 0.
int SavedViewNamed(const std::string &Name) {
  for (int I = 1; I < Construction.ViewCount; ++I)
    if (Construction.Views[I].Name == Name)
      return I;
  return 0;
}

} // namespace

int RunCheck(int Argc, char **Argv, const TCommandLine &Line) {
  TBatch Batch(Argc, Argv);
  int Status = 0;
  for (const std::string &File : Line.Files) {
    const std::string Reason = Load(File, Batch);
    std::printf("%s: %s\n", File.c_str(), Reason.empty() ? "ok" : Reason.c_str());
    std::fflush(stdout);
    if (!Reason.empty())
      Status = 1;
    Forget();
  }
  return Status;
}

int RunRender(int Argc, char **Argv, const TCommandLine &Line) {
  TBatch Batch(Argc, Argv);
  const std::string &File = Line.Files.front();
  const std::string Reason = Load(File, Batch);
  if (!Reason.empty())
    return Fail(File, Reason);
  Construction.ViewportWidth = uint16_t(Line.Width);
  Construction.ViewportHeight = uint16_t(Line.Height);
  if (Line.View) {
    const int View = SavedViewNamed(*Line.View);
    if (View == 0)
      return Fail(File, "it has no saved view named \"" + *Line.View + "\".");
    ApplyView(View);
  }
  if (Line.SceneColor)
    SetSceneColor(*Line.SceneColor);
  Batch.Messages.clear();
  WriteCapture(Line.Picture);
  if (!Batch.Messages.empty())
    return Fail(Line.Picture, Batch.Messages.back());
  return 0;
}
