// Times the editor's renders and edits on the largest base with 0, 1 000,
// 10 000 and 62 500 Marbelo pieces, drawn from the recorded pieces and, in
// brackets, by the kits themselves; the look render of a mixed scene of
// every Marbelo piece in every rotation both ways, and a camera drag's frame
// in it (through the viewport window's mouse events); loading the kit (with and
// without Mesa's shader disk cache), on an 800 x 600 viewport; the buffers'
// size and the resident memory at 62 500 pieces, and the process's memory
// over 20 000 renders. Prints the median milliseconds of each, one line per
// figure. It needs a display (Xvfb will do).
//
//   RenderBench                 everything
//   RenderBench --kit-load-only only the kit loading line
//   RenderBench --command-line  the program's --render, --check and --export
//                               (of a full base, each format) instead
//   RenderBench --instructions [FOLDER]
//                               the program's --instructions instead, the
//                               files it makes kept in FOLDER
#include "kits/Kit.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "platform/GlSurface.h"
#include "platform/Memory.h"
#include "model/BuildingSteps.h"
#include "model/Disk.h"
#include "render/Camera.h"
#include "render/Capture.h"
#include "render/Construction.h"
#include "render/Previews.h"
#include "render/Render.h"
#include "render/KitDrawings.h"
#include "render/Scene.h"
#include "render/SceneBuffers.h"
#include "edits/History.h"
#include "viewport/Redraw.h"
#include "viewport/Look.h"
#include "viewport/Volume.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>

#include <GL/gl.h>
#include <GL/glu.h>
#include <filesystem>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double MedianMs(int Runs, const std::function<void()> &Work) {
  std::vector<double> Times;
  for (int R = 0; R < Runs; ++R) {
    const auto Start = TClock::now();
    Work();
    Times.push_back(std::chrono::duration<double, std::milli>(TClock::now() - Start).count());
  }
  std::sort(Times.begin(), Times.end());
  return Times[Times.size() / 2];
}

void NewBase() {
  Construction.BaseWidth = 150;
  Construction.BaseLength = 150;
  Construction.BaseHeight = 100;
  SetSceneColor(DefaultSceneColor);
  SetBaseColor(DefaultBaseColor);
  Construction.ViewCount = 1;
  ResetCamera(Construction.Views[1]);
  Construction.PieceCount = 0;
  ClearOccupancy();
}

// Fills the base layer by layer with BlueOne bricks (2 x 1 cells) until
// Count pieces stand on it.
void FillWithBricks(int Count) {
  Construction.PieceCount = 0;
  ClearOccupancy();
  for (int N = 1; N <= Count; ++N) {
    const int Slot = N - 1, PerLayer = 75 * 150;
    const int Z = Slot / PerLayer, InLayer = Slot % PerLayer;
    Construction.Pieces[N] = {1, 1, uint8_t(2 * (InLayer % 75)), uint8_t(InLayer / 75), uint8_t(Z), 1};
    Construction.PieceCount = uint16_t(N);
    StampPiece(uint16_t(N));
  }
}

// The viewport pixel showing the world point (X, Y, Z), found with the same
// camera and projection as the renders.
void PixelOf(double X, double Y, double Z, int &PX, int &PY) {
  AspectRatio = double(Construction.ViewportWidth) / Construction.ViewportHeight;
  std::unique_ptr<TGlContext> Context = beginDraw(frmConstructionFormRender(), 4, false, 0, 0, 0);
  ApplyCamera(CurrentCamera());
  GLdouble Model[16], Projection[16], WX, WY, WZ;
  GLint Viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, Model);
  glGetDoublev(GL_PROJECTION_MATRIX, Projection);
  glGetIntegerv(GL_VIEWPORT, Viewport);
  gluProject(X, Y, Z, Model, Projection, Viewport, &WX, &WY, &WZ);
  endDraw(false, false, std::move(Context));
  PX = int(WX);
  PY = Construction.ViewportHeight - 1 - int(WY);
}

// A pixel on the top of the last piece placed, or the base's middle when
// there is none: an insertion there stands on it, an extraction takes it.
void ClickPixel(int &PX, int &PY) {
  if (Construction.PieceCount == 0) {
    PixelOf(75.5, 75.5, 0, PX, PY);
    return;
  }
  const TPlacedPiece &P = Construction.Pieces[Construction.PieceCount];
  PixelOf(P.X + 0.5, P.Y + 0.5, P.Z + 1, PX, PY);
}

// The index of Marbelo in the available kits after a fresh scan.
int ScannedMarbelo() {
  ScanKits();
  return int(std::find(Construction.AvailableKitNames + 1,
                       Construction.AvailableKitNames + Construction.AvailableKitCount + 1,
                       std::string("Marbelo")) -
             Construction.AvailableKitNames);
}

double MarbeloLoadMs() {
  return MedianMs(5, [] {
    UnloadKit(1);
    LoadKit(ScannedMarbelo());
  });
}

// The kit loading line of this program run again in a process of its own
// with Mesa's shader disk cache turned off, as a user without a writable home.
void PrintLoadWithoutShaderCache() {
  const std::string Command =
      "MESA_SHADER_CACHE_DISABLE=true /proc/" + std::to_string(getpid()) + "/exe --kit-load-only";
  FILE *Child = popen(Command.c_str(), "r");
  char Line[256];
  while (Child && std::fgets(Line, sizeof Line, Child))
    std::printf("without the shader disk cache: %s", Line);
  if (Child)
    pclose(Child);
}

// The process's resident memory in MB.
double ResidentMb() {
  long Pages = 0, Resident = 0;
  if (FILE *Statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(Statm, "%ld %ld", &Pages, &Resident) != 2)
      Resident = 0;
    std::fclose(Statm);
  }
  return double(Resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The bytes malloc has handed out and not had back, in MB. The resident size
// alone hides or invents leaks: freed memory is kept (KeepFreedBuffers), so
// it shows the highest the heap ever was.
double HeapInUseMb() { return double(mallinfo2().uordblks) / (1024.0 * 1024.0); }

// 20 000 renders of every kind in a row (picks, previews, spin frames and a
// look render every tenth): after the GL's caches have warmed up, the memory
// in use must stay flat.
void PrintMemoryOverRenders(int PX, int PY) {
  std::vector<double> Heap, Resident;
  for (int R = 1; R <= 20000; ++R) {
    switch (R % 10) {
    case 0: LookRender(); break;
    case 1: PiecePreview(); break;
    case 2: BaseFormPreview(); break;
    case 3: RenderSpinFrames(1, 1 + R % 11, 1 + R % 8); break;
    default: PickAt(PX, PY); break;
    }
    if (R == 1000 || R % 5000 == 0) {
      Heap.push_back(HeapInUseMb());
      Resident.push_back(ResidentMb());
    }
  }
  for (const auto &[What, Mbs] : {std::pair{"heap in use", &Heap}, std::pair{"resident", &Resident}}) {
    std::printf("memory (%s) after 1 000, 5 000, 10 000, 15 000 and 20 000 renders:", What);
    for (const double Mb : *Mbs)
      std::printf(" %.1f", Mb);
    std::printf(" MB\n");
  }
}

// The grid rewrite of an extraction alone (the last piece, put back after
// each run): on a full base of bricks, and with one more brick on the top
// layer, so that every layer is walked.
void PrintGridRewrite() {
  SetChangeListener({}); // the grid alone, without the redraw that follows
  const auto RewriteMs = [] {
    const int N = Construction.PieceCount;
    const TPlacedPiece Last = Construction.Pieces[N];
    return MedianMs(7, [&] {
      RemovePiece(N);
      Construction.Pieces[N] = Last;
      Construction.PieceCount = uint16_t(N);
      StampPiece(uint16_t(N));
    });
  };
  FillWithBricks(MaxPieces);
  const double Low = RewriteMs();
  FillWithBricks(MaxPieces - 1);
  Construction.Pieces[MaxPieces] = {1, 1, 0, 0, 99, 1};
  Construction.PieceCount = MaxPieces;
  StampPiece(MaxPieces);
  std::printf("%5d pieces: an extraction's grid rewrite %.2f ms (bricks up to layer 6), %.2f ms "
              "(one on layer 100)\n",
              MaxPieces, Low, RewriteMs());
  StartRedrawing();
}

// A construction of Count pieces of every Marbelo piece in every rotation:
// the base split into blocks of 8 x 8 cells, each a tower of one piece in one
// rotation, as many side by side as the block holds, layer on layer.
void FillWithEveryPiece(int Count) {
  Construction.PieceCount = 0;
  ClearOccupancy();
  constexpr int Block = 8, Blocks = 150 / Block;
  const int PerBlock = (Count + Blocks * Blocks - 1) / (Blocks * Blocks);
  for (int B = 0; B < Blocks * Blocks && Construction.PieceCount < Count; ++B) {
    const uint16_t Piece = uint16_t(1 + B % 11);
    const uint8_t Rotation = uint8_t(1 + B / 11 % 4);
    uint8_t SX = 0, SY = 0, SZ = 0;
    Construction.Kits[1].GetPiece(uint8_t(Piece), &SX, &SY, &SZ);
    const KitApi::TBoxSize Box = KitApi::RotatedBox(Rotation, SX, SY);
    const int X0 = B % Blocks * Block, Y0 = B / Blocks * Block;
    int Placed = 0;
    for (int Z = 0; Z + SZ <= 100 && Placed < PerBlock; Z += SZ)
      for (int X = 0; X + Box.X <= Block && Placed < PerBlock; X += Box.X)
        for (int Y = 0; Y + Box.Y <= Block && Placed < PerBlock && Construction.PieceCount < Count;
             Y += Box.Y, ++Placed) {
          const uint16_t N = ++Construction.PieceCount;
          Construction.Pieces[N] = {1, Piece, uint8_t(X0 + X), uint8_t(Y0 + Y), uint8_t(Z), Rotation};
          StampPiece(N);
        }
  }
}

// Dragging the camera through the viewport window's own mouse events, one
// frame a move: the median time from a move to its frame drawn, turning
// (right button) and moving (middle button).
void PrintDrag(TfLook &Look) {
  const auto Send = [&Look](QEvent::Type Type, Qt::MouseButton Button, QPointF At) {
    QMouseEvent Event(Type, At, Look.mapToGlobal(At), Button,
                      Type == QEvent::MouseButtonRelease ? Qt::NoButton : Button, Qt::NoModifier);
    QCoreApplication::sendEvent(&Look, &Event);
  };
  for (Qt::MouseButton Button : {Qt::RightButton, Qt::MiddleButton}) {
    QPointF At(400, 300);
    Send(QEvent::MouseButtonPress, Button, At);
    const double Ms = MedianMs(21, [&] {
      At += QPointF(3, 1);
      Send(QEvent::MouseMove, Button, At);
    });
    Send(QEvent::MouseButtonRelease, Button, At);
    std::printf("%5d pieces: a drag's frame %s %.1f ms\n", Construction.PieceCount,
                Button == Qt::RightButton ? "turning" : "moving", Ms);
  }
}

// The medians of one kind of drawing: a look render, a pick, and an
// insertion and an extraction each with the redraw that follows it.
struct TEditTimes {
  double Look = 0, Pick = 0, Insert = 0, Extract = 0;
  bool Done = true;
};

TEditTimes TimeEdits(int Count, bool Recorded) {
  SetDrawFromRecordings(Recorded);
  TEditTimes T;
  int PX, PY;
  ClickPixel(PX, PY);
  T.Look = MedianMs(7, LookRender);
  T.Pick = MedianMs(7, [&] { PickAt(PX, PY); });
  // A brick is put on top of the last piece (or on the empty base) and taken
  // away again, so every run sees the same scene. A full base first gives
  // up its last piece, so that the insertion is the last one allowed.
  const bool Full = Count == MaxPieces;
  if (Full) {
    RemovePiece(Count);
    ClickPixel(PX, PY);
  }
  std::vector<double> Inserts, Extracts;
  for (int R = 0; R < 5; ++R) {
    const int Before = Construction.PieceCount;
    Inserts.push_back(MedianMs(1, [&] { InsertPieceAt(PX, PY); }));
    Extracts.push_back(MedianMs(1, [&] { ExtractPieceAt(PX, PY); }));
    T.Done = T.Done && Construction.PieceCount == Before;
  }
  if (Full)
    FillWithBricks(Count);
  std::sort(Inserts.begin(), Inserts.end());
  std::sort(Extracts.begin(), Extracts.end());
  T.Insert = Inserts[2];
  T.Extract = Extracts[2];
  return T;
}

void ChooseBlueOne() {
  Construction.CurrentKit = 1;
  Construction.CurrentPiece = 1;
  Construction.CurrentRotation = 1;
  Construction.AnchorCell = 1;
  Construction.Kits[1].GetPiece(1, &Construction.CurrentSizeX, &Construction.CurrentSizeY,
                                &Construction.CurrentSizeZ);
}

// The command line's --render against what it is made of: starting the
// program, reading the file and loading its kit (all of which --check does
// too) and the capture's own render.
void PrintCommandLineRender() {
  const std::string File = "/tmp/RenderBench-" + std::to_string(getpid()) + ".cns";
  const std::string Picture = File + ".png";
  for (int Count : {0, 1000, 10000}) {
    FillWithBricks(Count);
    std::string Error;
    if (!WriteConstructionFile(File, EncodeConstruction(), Error)) {
      std::fprintf(stderr, "%s\n", Error.c_str());
      return;
    }
    auto Run = [](const QStringList &Arguments) {
      QProcess Program;
      Program.start(STAVEMONT_PROGRAM, Arguments);
      Program.waitForFinished(120000);
    };
    const QString F = QString::fromStdString(File), P = QString::fromStdString(Picture);
    const double Render = MedianMs(5, [&] { Run({"--render", F, P}); });
    const double Check = MedianMs(5, [&] { Run({"--check", F}); });
    const double Capture = MedianMs(5, [&] { WriteCapture(Picture); });
    std::printf("%5d pieces: --render %.1f ms = --check (start, file, kit loading) %.1f ms + "
                "%.1f ms; a capture in a running editor %.1f ms\n",
                Count, Render, Check, Render - Check, Capture);
  }
  std::remove(File.c_str());
  std::remove(Picture.c_str());
}

// Runs the program with Arguments, its output thrown away; the seconds it
// took and its peak resident memory in MB.
std::pair<double, double> TimedRun(std::vector<std::string> Arguments) {
  std::fflush(stdout); // or the child's freopen prints the lines waiting again
  const auto Start = TClock::now();
  const pid_t Child = fork();
  if (Child == 0) {
    if (!freopen("/dev/null", "w", stdout))
      _exit(126);
    std::vector<char *> Argv{const_cast<char *>(STAVEMONT_PROGRAM)};
    for (std::string &A : Arguments)
      Argv.push_back(A.data());
    Argv.push_back(nullptr);
    execv(STAVEMONT_PROGRAM, Argv.data());
    _exit(127);
  }
  int Status = 0;
  rusage Usage{};
  wait4(Child, &Status, 0, &Usage);
  return {std::chrono::duration<double>(TClock::now() - Start).count(), Usage.ru_maxrss / 1024.0};
}

// Places piece Piece of Marbelo with its origin at (X, Y, Z); false, placing
// nothing, when a cell it needs is taken.
bool PlaceInHouse(int Piece, int X, int Y, int Z, int Rotation) {
  uint8_t SX = 0, SY = 0, SZ = 0;
  const TKit &Kit = Construction.Kits[1];
  Kit.GetPiece(uint8_t(Piece), &SX, &SY, &SZ);
  const bool Free = WalkSolidCells(Kit, uint8_t(Piece), uint8_t(Rotation), SX, SY, SZ, [&](int Dx, int Dy, int K) {
    return Construction.Occupancy[X + Dx][Y + Dy][Z + K] == 0;
  });
  if (!Free) {
    std::fprintf(stderr, "piece %d at %d, %d, %d turned %d meets another\n", Piece, X, Y, Z, Rotation);
    return false;
  }
  const uint16_t N = ++Construction.PieceCount;
  Construction.Pieces[N] = {1, uint16_t(Piece), uint8_t(X), uint8_t(Y), uint8_t(Z), uint8_t(Rotation)};
  StampPiece(N);
  return true;
}

// A house of every Marbelo piece on a 26 x 18 base: walls of bricks one cell
// thick with a door at the front and two windows at the back, a ceiling of
// long bricks, a gable roof of both long and short roof pieces over a core
// of flat bricks, a porch step, a kennel and a bench. False when a piece
// would not fit.
bool BuildHouse() {
  Construction.BaseWidth = 26;
  Construction.BaseLength = 18;
  Construction.BaseHeight = 14;
  Construction.PieceCount = 0;
  ClearOccupancy();
  ResetCamera(Construction.Views[Construction.ViewCount]);
  enum { BlueOne = 1, BlueTwo, BlueThree, BlueFour, Eight, Door, Window, RoofEight, RoofTwo, RoofEight2, RoofTwo2 };
  bool Fits = PlaceInHouse(Door, 6, 4, 0, 2) && PlaceInHouse(Window, 6, 11, 1, 2) &&
              PlaceInHouse(Window, 13, 11, 1, 2);
  for (int Z = 0; Z <= 6; ++Z) {
    for (int X = 4; X <= 16; X += 2)
      if (Construction.Occupancy[X][4][Z] == 0)
        Fits = Fits && PlaceInHouse(BlueOne, X, 4, Z, 1);
    // Beside the windows the back wall's runs start at odd cells.
    const bool Windows = Z >= 1 && Z <= 4;
    for (int X : Windows ? std::vector<int>{4, 9, 11, 16} : std::vector<int>{4, 6, 8, 10, 12, 14, 16})
      Fits = Fits && PlaceInHouse(BlueOne, X, 11, Z, 1);
    for (int Y = 5; Y <= 9; Y += 2)
      Fits = Fits && PlaceInHouse(BlueOne, 4, Y, Z, 2) && PlaceInHouse(BlueOne, 17, Y, Z, 2);
  }
  for (int X = 4; X <= 16; X += 2)
    Fits = Fits && PlaceInHouse(Eight, X, 4, 7, 1);
  for (int Z : {8, 9})
    for (int Y : {6, 8})
      Fits = Fits && PlaceInHouse(BlueFour, 4, Y, Z, 2) && PlaceInHouse(BlueFour, 8, Y, Z, 2) &&
             PlaceInHouse(BlueFour, 12, Y, Z, 2) && PlaceInHouse(BlueTwo, 16, Y, Z, 1);
  for (const auto &[Y, Z] : {std::pair{4, 8}, {6, 10}}) {
    const int Back = 15 - Y - 1; // the back slope mirrors the front one
    Fits = Fits && PlaceInHouse(RoofEight2, 4, Y, Z, 4) && PlaceInHouse(RoofEight2, 4, Back, Z, 2);
    for (int X : {12, 14, 16})
      Fits = Fits && PlaceInHouse(RoofTwo2, X, Y, Z, 4) && PlaceInHouse(RoofTwo2, X, Back, Z, 2);
  }
  Fits = Fits && PlaceInHouse(BlueThree, 7, 1, 0, 1);                                     // the porch step
  Fits = Fits && PlaceInHouse(BlueTwo, 21, 1, 0, 1) && PlaceInHouse(BlueTwo, 21, 1, 1, 1) && // the kennel
         PlaceInHouse(RoofTwo, 21, 1, 2, 4);
  Fits = Fits && PlaceInHouse(BlueFour, 21, 6, 0, 1) && PlaceInHouse(BlueThree, 21, 11, 0, 1) && // the bench
         PlaceInHouse(RoofEight, 21, 6, 1, 1);
  return Fits;
}

// Building instructions of 1 000 and 10 000 mixed pieces on the largest
// base, and of the house of every piece: the pages, the whole time and the
// time a page, the peak memory and the PDF's size. The house's file and its
// book are kept in Folder for a look.
void PrintInstructions(const std::string &Folder) {
  std::filesystem::create_directories(Folder);
  const auto Book = [&Folder](const std::string &Name, int Pages) {
    const std::string File = Folder + "/" + Name + ".cns", Pdf = Folder + "/" + Name + ".pdf";
    std::string Error;
    if (!WriteConstructionFile(File, EncodeConstruction(), Error)) {
      std::fprintf(stderr, "%s\n", Error.c_str());
      return;
    }
    const auto [Seconds, Peak] = TimedRun({"--instructions", File, Pdf});
    std::error_code Size;
    const double Mb = double(std::filesystem::file_size(Pdf, Size)) / (1024 * 1024);
    std::printf("%5d pieces: --instructions %d pages in %.1f s, %.3f s a page, peak memory %.1f MB, "
                "PDF %.1f MB (%.1f KB a page)\n",
                Construction.PieceCount, Pages, Seconds, Seconds / Pages, Peak, Mb, Mb * 1024 / Pages);
  };
  for (int Count : {1000, 10000}) {
    if (std::getenv("BENCH_HOUSE_ONLY"))
      break;
    NewBase();
    FillWithEveryPiece(Count);
    Book("mixed-" + std::to_string(Count), int(BuildingSteps().size()) + 1);
    Book("bricks-" + std::to_string(Count), (FillWithBricks(Count), int(BuildingSteps().size()) + 1));
  }
  if (!BuildHouse()) {
    std::fprintf(stderr, "a piece of the house does not fit\n");
    return;
  }
  Book("house", int(BuildingSteps().size()) + 1);
  std::printf("the house's book: %s/house.pdf\n", Folder.c_str());
}

// --export of a full base in each format beside --render of the same file:
// the time, the peak memory and the file's size.
void PrintExports() {
  const std::string File = "/tmp/RenderBench-" + std::to_string(getpid()) + "-export.cns";
  FillWithBricks(MaxPieces);
  std::string Error;
  if (!WriteConstructionFile(File, EncodeConstruction(), Error)) {
    std::fprintf(stderr, "%s\n", Error.c_str());
    return;
  }
  const auto [Render, RenderPeak] = TimedRun({"--render", File, File + ".png"});
  std::printf("%5d pieces: --render %.2f s, peak memory %.1f MB\n", MaxPieces, Render, RenderPeak);
  for (const char *Format : {".glb", ".obj", ".stl"}) {
    const std::string Out = File + Format;
    const auto [Seconds, Peak] = TimedRun({"--export", File, Out});
    std::error_code Size;
    std::printf("%5d pieces: --export %s %.2f s (%.2f of --render), peak memory %.1f MB, %.1f MB\n",
                MaxPieces, Format + 1, Seconds, Seconds / Render, Peak,
                double(std::filesystem::file_size(Out, Size)) / (1024 * 1024));
    std::remove(Out.c_str());
  }
  for (const std::string &Other : {File + ".png", File + ".mtl", File})
    std::remove(Other.c_str());
  for (int T = 1; T <= 100; ++T)
    std::remove((File + "-" + std::to_string(T) + ".png").c_str());
}

// The peak memory of --check over many files (its worker's, which does the
// kit work): it must not grow with the number of files.
void PrintCheckMemory() {
  const std::string File = "/tmp/RenderBench-" + std::to_string(getpid()) + "-check.cns";
  FillWithBricks(10);
  std::string Error;
  if (!WriteConstructionFile(File, EncodeConstruction(), Error)) {
    std::fprintf(stderr, "%s\n", Error.c_str());
    return;
  }
  for (int Files : {300, 1500}) {
    std::vector<std::string> Arguments(size_t(Files), File);
    Arguments.insert(Arguments.begin(), "--check");
    const auto [Seconds, Peak] = TimedRun(Arguments); // the worker's peak is counted in
    std::printf("--check of %d files: peak memory %.1f MB, %.1f s (%.1f ms a file)\n", Files, Peak,
                Seconds, Seconds * 1000 / Files);
  }
  std::remove(File.c_str());
}

} // namespace

int main(int argc, char **argv) {
  KeepFreedBuffers();
  ChooseGlIntegration();
  QApplication App(argc, argv);
  Construction.ProgramDir = STAVEMONT_BUILD_DIR "/";
  ChoosePixelFormats();
  TfLook Look;
  Look.show();
  App.processEvents();
  std::printf("viewport %dx%d, look render samples %d\n", Construction.ViewportWidth,
              Construction.ViewportHeight, PixelFormats[3].Samples);

  NewBase();
  const int Marbelo = ScannedMarbelo();
  if (Marbelo > Construction.AvailableKitCount || !LoadKit(Marbelo)) {
    std::fprintf(stderr, "Kits/Marbelo.so could not be loaded from %s\n",
                 Construction.ProgramDir.c_str());
    return 1;
  }
  std::printf("LoadKit Marbelo (88 spin frames): %.1f ms\n", MarbeloLoadMs());
  if (argc > 1 && std::string(argv[1]) == "--kit-load-only")
    return 0;
  if (argc > 1 && std::string(argv[1]) == "--command-line") {
    // A new process pays for its first render's context and shader variants:
    // --render pays it once, as this first look render does.
    std::printf("the first look render in a process, after its kit's spin frames: %.1f ms\n",
                MedianMs(1, LookRender));
    PrintCommandLineRender();
    PrintCheckMemory();
    PrintExports();
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "--instructions") {
    PrintInstructions(argc > 2 ? argv[2] : "/tmp/RenderBench-instructions");
    return 0;
  }
  PrintLoadWithoutShaderCache();
  ChooseBlueOne();
  StartRedrawing(); // an edit is drawn, as in the editor

  for (int Count : {0, 1000, 10000, 62500}) {
    FillWithBricks(Count);
    // Drawn the old way first: the memory it needs is today's.
    const TEditTimes Immediate = TimeEdits(Count, false);
    const double ImmediateResident = ResidentMb();
    const TEditTimes Recorded = TimeEdits(Count, true);
    if (!Immediate.Done || !Recorded.Done) {
      std::fprintf(stderr, "an edit was refused at %d pieces\n", Count);
      return 1;
    }
    std::printf("%5d pieces: LookRender %.1f ms (immediate %.1f ms)\n", Count, Recorded.Look, Immediate.Look);
    std::printf("%5d pieces: PickAt %.1f ms (%.2f of a look render)\n", Count, Recorded.Pick,
                Recorded.Pick / Recorded.Look);
    std::printf("%5d pieces: InsertPieceAt %.1f ms (immediate %.1f ms)\n", Count, Recorded.Insert,
                Immediate.Insert);
    std::printf("%5d pieces: ExtractPieceAt %.1f ms (immediate %.1f ms)\n", Count, Recorded.Extract,
                Immediate.Extract);
    if (Count == MaxPieces)
      std::printf("%5d pieces: buffers %.1f MB; resident memory %.1f MB (immediate %.1f MB)\n", Count,
                  SceneBufferBytes() / (1024.0 * 1024.0), ResidentMb(), ImmediateResident);
  }
  FillWithEveryPiece(10000);
  if (Construction.PieceCount != 10000) {
    std::fprintf(stderr, "the mixed scene holds %d pieces\n", Construction.PieceCount);
    return 1;
  }
  const double MixedRecorded = (SetDrawFromRecordings(true), MedianMs(7, LookRender));
  const double MixedImmediate = (SetDrawFromRecordings(false), MedianMs(7, LookRender));
  SetDrawFromRecordings(true);
  std::printf("mixed 10000 pieces: LookRender %.1f ms (immediate %.1f ms)\n", MixedRecorded,
              MixedImmediate);
  PrintDrag(Look);
  PrintGridRewrite();
  FillWithBricks(1000);
  int PX, PY;
  ClickPixel(PX, PY);
  PrintMemoryOverRenders(PX, PY);
  return 0;
}
