#include "Batch.h"

#include "OpenFile.h"
#include "kits/Kit.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "platform/Application.h"
#include "platform/Folder.h"
#include "platform/GlSurface.h"
#include "platform/Messages.h"
#include "platform/ReplaceFile.h"
#include "platform/Text.h"
#include "platform/Worker.h"
#include "render/Capture.h"
#include "render/Construction.h"
#include "render/Instructions.h"
#include "render/ModelExport.h"
#include "render/PartsFile.h"
#include "render/Views.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <vector>

namespace {

// What a batch run needs of the program: a core application (no display),
// the program's folder, pixel formats for offscreen pictures and the
// messages the editor would show, kept to be told on one line. The pixel
// formats are chosen only where drawing happens: a GL begun in one process
// cannot go on in a worker forked from it.
class TBatch {
public:
  // With Text, an application that can draw text and pictures into files.
  TBatch(int &Argc, char **Argv, bool Text = false)
      : FApplication(Text ? std::make_unique<TOffscreenApplication>(Argc, Argv)
                          : std::make_unique<QCoreApplication>(Argc, Argv)) {
    Construction.ProgramDir = ProgramFolder();
    SetMessageSink([this](const std::string &Text, const std::string &) { Messages.push_back(Text); });
  }
  ~TBatch() { SetMessageSink({}); }

  void StartDrawing() {
    if (!FDrawing)
      ChoosePixelFormats(false);
    FDrawing = true;
  }

  std::vector<std::string> Messages;

private:
  std::unique_ptr<QCoreApplication> FApplication;
  bool FDrawing = false;
};

// How long the kits a file names may take to load and answer a check.
constexpr int CheckSeconds = 30;

// Why checking a file failed where its worker crashed, hung or never started.
std::string WorkerProblem(const TWorkerAnswer &Answer) {
  switch (Answer.Kind) {
  case TWorkerAnswer::Crashed:
    return "checking it crashed (" + Answer.Text + "); a kit it uses may be at fault.";
  case TWorkerAnswer::TimedOut:
    return "checking it did not finish within " + std::to_string(CheckSeconds) +
           " s and was stopped; a kit it uses may be at fault.";
  case TWorkerAnswer::Unstarted:
    return "it could not be checked: " + Answer.Text + ".";
  case TWorkerAnswer::Answered:
    break;
  }
  return Answer.Text;
}

// Loads the construction in Path with its kits, as the editor's load does;
// empty when loaded, else why it is refused.
std::string Load(const std::string &Path, TBatch &Batch) {
  // The kit manager's messages about the kit being loaded, if it fails.
  const TOpened Opened = OpenFile(Path, [&Batch](const std::string &) { Batch.Messages.clear(); });
  switch (Opened.Kind) {
  case TOpened::Opened:
    Construction.FileName = Path;
    return {};
  case TOpened::KitMissing:
    return "its kit \"" + Opened.Reason + "\" is not in the Kits folder " +
           Construction.ProgramDir + "Kits.";
  case TOpened::KitUnusable: // in the kit manager's own words, when it gave any
    return Batch.Messages.empty() ? Opened.Reason : Batch.Messages.back();
  case TOpened::Refused:
    break;
  }
  return Opened.Reason;
}

// Takes every kit out of use again, so that the next file starts afresh.
void Forget() {
  Construction.PieceCount = 0;
  Construction.FileName.clear();
  while (Construction.KitCount > 0)
    UnloadKit(Construction.KitCount);
}

// Runs Work; an error it raises becomes its answer. Memory running out is
// said in words: a large picture or file may take more than the system gives.
std::string Guarded(const std::function<std::string()> &Work) {
  try {
    return Work();
  } catch (const std::bad_alloc &) {
    return "there is not enough memory for it.";
  } catch (const std::exception &Error) {
    return Error.what();
  }
}

int Fail(const std::string &File, const std::string &Reason) {
  std::fprintf(stderr, "%s\n", Printable(File + ": " + Reason).c_str());
  return 1;
}

// The index of the saved view of exactly this name, or 0.
int SavedViewNamed(const std::string &Name) {
  for (int I = 1; I < Construction.ViewCount; ++I)
    if (Construction.Views[I].Name == Name)
      return I;
  return 0;
}

// The viewport's size and the saved view Line names, if any; empty, or why
// the construction cannot be seen so.
std::string UseView(const TCommandLine &Line) {
  Construction.ViewportWidth = uint16_t(Line.Width);
  Construction.ViewportHeight = uint16_t(Line.Height);
  if (!Line.View)
    return {};
  const int View = SavedViewNamed(*Line.View);
  if (View == 0)
    return "it has no saved view named \"" + *Line.View + "\".";
  ApplyView(View);
  return {};
}

// Loads the construction Line names, refusing an output that is the
// construction file itself; 0 when loaded, else the status to end with.
int LoadFor(const TCommandLine &Line, TBatch &Batch, const char *Output) {
  const std::string &File = Line.Files.front();
  if (!Line.Picture.empty() && SameFile(File, Line.Picture))
    return Fail(Line.Picture, std::string("it is the construction file itself, which the ") + Output +
                                  " would replace.");
  Batch.StartDrawing();
  const std::string Reason = Guarded([&] { return Load(File, Batch); });
  return Reason.empty() ? 0 : Fail(File, Reason);
}

} // namespace

// Each file is checked by a worker process, so that a kit that crashes or
// hangs costs that file only; the worker goes on with the next file.
int RunCheck(int Argc, char **Argv, const TCommandLine &Line) {
  TBatch Batch(Argc, Argv);
  TWorker Worker([&Batch](const std::string &File) {
    Batch.StartDrawing();
    std::string Reason = Guarded([&] { return Load(File, Batch); });
    Forget();
    return Reason;
  });
  int Status = 0;
  for (const std::string &File : Line.Files) {
    const TWorkerAnswer Answer = Worker.Ask(File, CheckSeconds);
    const std::string Reason = WorkerProblem(Answer);
    std::printf("%s\n", Printable(File + ": " + (Reason.empty() ? "ok" : Reason)).c_str());
    std::fflush(stdout);
    if (!Reason.empty())
      Status = 1;
  }
  return Status;
}

int RunRender(int Argc, char **Argv, const TCommandLine &Line) {
  TBatch Batch(Argc, Argv);
  if (const int Status = LoadFor(Line, Batch, "picture"))
    return Status;
  if (const std::string Problem = UseView(Line); !Problem.empty())
    return Fail(Line.Files.front(), Problem);
  if (Line.SceneColor)
    SetSceneColor(*Line.SceneColor);
  Batch.Messages.clear();
  const std::string Problem = Guarded([&] {
    WriteCapture(Line.Picture);
    return std::string();
  });
  if (!Problem.empty())
    return Fail(Line.Picture, Problem);
  if (!Batch.Messages.empty())
    return Fail(Line.Picture, Batch.Messages.back());
  return 0;
}

int RunExport(int Argc, char **Argv, const TCommandLine &Line) {
  const std::string &Out = Line.Picture;
  if (!IsModelFile(Out) && !SameFile(Line.Files.front(), Out)) // that refusal says more
    return Fail(Out, "its extension names no model format Stavemont writes (.glb, .obj or .stl).");
  TBatch Batch(Argc, Argv);
  if (const int Status = LoadFor(Line, Batch, "model")) // the kits' drawings are recorded as they load
    return Status;
  std::string Failed = Out;
  const std::string Problem = Guarded([&] { return ExportConstruction(Out, Line.CellMm, Failed); });
  if (!Problem.empty())
    return Fail(Failed, Problem);
  return 0;
}

int RunParts(int Argc, char **Argv, const TCommandLine &Line) {
  if (!Line.Picture.empty() && !IsPartsFile(Line.Picture) && !SameFile(Line.Files.front(), Line.Picture))
    return Fail(Line.Picture, "its extension names no parts list format Stavemont writes (.csv or .html).");
  TBatch Batch(Argc, Argv);
  if (const int Status = LoadFor(Line, Batch, "parts list"))
    return Status;
  if (Line.Picture.empty()) {
    std::string Csv;
    const std::string Problem = Guarded([&Csv] {
      Csv = PartsCsv(PartsList());
      return std::string();
    });
    if (!Problem.empty())
      return Fail(Line.Files.front(), Problem);
    std::fwrite(Csv.data(), 1, Csv.size(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : Fail("standard output", "it could not be written.");
  }
  const std::string Problem = Guarded([&] { return WritePartsFile(Line.Picture); });
  return Problem.empty() ? 0 : Fail(Line.Picture, Problem);
}

int RunInstructions(int Argc, char **Argv, const TCommandLine &Line) {
  if (!IsInstructionsFile(Line.Picture) && !SameFile(Line.Files.front(), Line.Picture))
    return Fail(Line.Picture, "building instructions are written as PDF, to a file ending in .pdf.");
  DrawOnOneThread(); // a page a picture of every piece built so far
  TBatch Batch(Argc, Argv, true);
  if (const int Status = LoadFor(Line, Batch, "instructions"))
    return Status;
  if (const std::string Problem = UseView(Line); !Problem.empty())
    return Fail(Line.Files.front(), Problem);
  Batch.Messages.clear();
  bool Stopped = false;
  const std::string Problem = Guarded([&] { return WriteInstructions(Line.Picture, Line.StepPieces, {}, Stopped); });
  if (!Problem.empty())
    return Fail(Line.Picture, Problem);
  if (!Batch.Messages.empty())
    return Fail(Line.Picture, Batch.Messages.back());
  return 0;
}
