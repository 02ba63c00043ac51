// The kit manager in a program folder of its own: which libraries it lists,
// the order kits come into use, what taking a kit out of use does to the
// placed pieces and to the chosen piece, how it refuses libraries that are
// no kits, and which kits a construction file or a new construction brings
// into use. The kits are copies of the built Marbelo kit under other names.
#include "Editor.h"
#include "Picking.h"
#include "kits/Kit.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "platform/Cursor.h"
#include "platform/Messages.h"
#include "render/Previews.h"
#include "render/Scene.h"
#include "shell/ConstructionFile.h"
#include "shell/NewConstruction.h"
#include "shell/Program.h"

#include <GL/glu.h>
#include <QTimer>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TMessage {
  std::string Text, Title;
};

// Pixels are 0xXXRRGGBB; the fourth byte is not part of the colour.
uint32_t Rgb(uint32_t Pixel) { return Pixel & 0xFFFFFFu; }

uint32_t Rgb(uint8_t Red, uint8_t Green, uint8_t Blue) {
  return uint32_t(Red) << 16 | uint32_t(Green) << 8 | Blue;
}

// Pixels of a 113-pixel picture outside its four 5 x 5 corners that are not
// the given colour.
int PixelsOtherThan(const TBitmap &Picture, uint32_t Color) {
  int Count = 0;
  for (int Y = 0; Y < Picture.Height(); ++Y)
    for (int X = 0; X < Picture.Width(); ++X) {
      const bool Corner = (X < 5 || X >= 108) && (Y < 5 || Y >= 108);
      if (!Corner && Rgb(Picture.ScanLine(Y)[X]) != Color)
        ++Count;
    }
  return Count;
}

class KitManager : public testing::Test {
protected:
  void SetUp() override {
    StartEditor();
    char Template[] = "/tmp/stavemont-kits-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    Folder = Template;
    fs::create_directory(Folder / "Kits");
    OldSink = SetMessageSink(
        [this](const std::string &Text, const std::string &Title) { Messages.push_back({Text, Title}); });
    Construction.ProgramDir = Folder.string() + "/";
    NewConstruction(20, 20, 20);
  }

  void TearDown() override {
    NewConstruction(20, 20, 20);
    Construction.ProgramDir = BuildProgramDir();
    SetMessageSink(OldSink);
    std::error_code Error;
    fs::remove_all(Folder, Error);
  }

  void CopyKit(const std::string &FileName) {
    fs::copy_file(BuildProgramDir() + "Kits/Marbelo.so", Folder / "Kits" / FileName);
  }

  void WriteFile(const std::string &FileName, const std::string &Text) {
    std::ofstream(Folder / "Kits" / FileName) << Text;
  }

  std::string Path(const std::string &FileName) { return (Folder / "Kits" / FileName).string(); }

  std::vector<std::string> Available() {
    return {Construction.AvailableKitNames + 1,
            Construction.AvailableKitNames + 1 + Construction.AvailableKitCount};
  }

  std::vector<std::string> InUse() {
    return {Construction.KitNames + 1, Construction.KitNames + 1 + Construction.KitCount};
  }

  void ExpectFirstPieceOf(int Kit) {
    EXPECT_EQ(Construction.CurrentKit, Kit);
    EXPECT_EQ(Construction.CurrentPiece, 1);
    EXPECT_EQ(Construction.CurrentRotation, 1);
    EXPECT_EQ(Construction.AnchorCell, 1);
    EXPECT_EQ(Construction.CurrentSizeX, 2);
    EXPECT_EQ(Construction.CurrentSizeY, 1);
    EXPECT_EQ(Construction.CurrentSizeZ, 1);
  }

  // Some other piece of Kit, as the user might have chosen it.
  void ChooseOther(int Kit) {
    Construction.CurrentKit = Kit;
    Construction.CurrentPiece = 5;
    Construction.CurrentRotation = 3;
    Construction.AnchorCell = 4;
    Construction.CurrentSizeX = Construction.CurrentSizeY = Construction.CurrentSizeZ = 9;
  }

  fs::path Folder;
  TMessageSink OldSink;
  std::vector<TMessage> Messages;
};

TEST_F(KitManager, ListsLibrariesByNameBytesAndLoadsThemInThatOrder) {
  CopyKit("alpha.so");
  CopyKit("Gamma.so");
  CopyKit("Beta.so");
  WriteFile("Readme.txt", "not a library");
  WriteFile("Delta.so.old", "not listed either");
  Construction.Mode = ModeInsert;
  SetScreenCursor(crArrow);

  ScanKits();
  // Upper case sorts before lower case.
  const std::vector<std::string> Names = {"Beta", "Gamma", "alpha"};
  EXPECT_EQ(Available(), Names);
  EXPECT_EQ(Construction.KitCount, 0);

  for (int N = 1; N <= 3; ++N) {
    SCOPED_TRACE("load " + std::to_string(N));
    // Loading is busy: a message that arrives meanwhile is handled under the
    // wait cursor in the busy mode, in which a press in the viewport does
    // nothing. The mode and cursor of before are back afterwards.
    char ModeSeen = 0;
    int16_t CursorSeen = 0;
    QObject Guard; // a call still pending at the end of the pass is dropped
    QTimer::singleShot(0, &Guard, [&] {
      ModeSeen = Construction.Mode;
      CursorSeen = ScreenCursor();
    });
    ASSERT_TRUE(LoadKit(1));
    EXPECT_EQ(ModeSeen, ModeBusy);
    EXPECT_EQ(CursorSeen, crWait);
    EXPECT_EQ(InUse(), std::vector<std::string>(Names.begin(), Names.begin() + N));
    EXPECT_EQ(Available(), std::vector<std::string>(Names.begin() + N, Names.end()));
    EXPECT_EQ(Construction.Mode, ModeInsert);
    EXPECT_EQ(ScreenCursor(), crArrow);
    // The first kit chooses its first piece; later kits leave the choice.
    if (N == 1) {
      ExpectFirstPieceOf(1);
      ChooseOther(1);
    } else {
      EXPECT_EQ(Construction.CurrentKit, 1);
      EXPECT_EQ(Construction.CurrentPiece, 5);
      EXPECT_EQ(Construction.CurrentRotation, 3);
    }
  }
  EXPECT_TRUE(Messages.empty());
  EXPECT_NE(Construction.Kits[1].Handle, Construction.Kits[2].Handle);

  for (int K = 1; K <= 3; ++K) {
    const TKit &Kit = Construction.Kits[K];
    ASSERT_EQ(Kit.KitPieceCount, 11) << "kit " << K;
    for (int P = 1; P <= 11; ++P) {
      SCOPED_TRACE("kit " + std::to_string(K) + " piece " + std::to_string(P));
      ASSERT_EQ(Kit.Thumbnails[P].Width(), 113);
      ASSERT_EQ(Kit.Thumbnails[P].Height(), 113);
      for (int S = 1; S <= 8; ++S) {
        const TBitmap &Frame = Kit.Frames[P][S];
        ASSERT_EQ(Frame.Width(), 113) << "step " << S;
        ASSERT_EQ(Frame.Height(), 113) << "step " << S;
        // Blue corners over a white background with the piece in between.
        EXPECT_EQ(Rgb(Frame.ScanLine(0)[0]), 0x0000FFu) << "step " << S;
        EXPECT_EQ(Rgb(Frame.ScanLine(112)[112]), 0x0000FFu) << "step " << S;
        EXPECT_EQ(Rgb(Frame.ScanLine(5)[56]), 0xFFFFFFu) << "step " << S;
        EXPECT_GT(PixelsOtherThan(Frame, 0xFFFFFF), 50) << "step " << S;
      }
    }
    EXPECT_TRUE(Kit.Frames[12][1].IsEmpty());
  }
  // The piece preview shows the chosen piece on the scene colour.
  EXPECT_GT(PixelsOtherThan(Previews.iPiece, Rgb(Construction.SceneRed, Construction.SceneGreen,
                                                 Construction.SceneBlue)),
            50);
}

TEST_F(KitManager, ScanKeepsTheFirstHundredLibraries) {
  for (int N = 100; N >= 0; --N)
    WriteFile("K" + std::string(N < 10 ? "00" : N < 100 ? "0" : "") + std::to_string(N) + ".so", "");
  WriteFile("Notes.so.txt", "");
  Construction.KitCount = 3; // whatever was in use is forgotten
  ScanKits();
  EXPECT_EQ(Construction.KitCount, 0);
  ASSERT_EQ(Construction.AvailableKitCount, 100);
  EXPECT_EQ(Construction.AvailableKitNames[1], "K000");
  EXPECT_EQ(Construction.AvailableKitNames[100], "K099");
  // The one left out is named, and known to be left out rather than missing.
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].Text.find("only the first 100 in name order can be used. Left out: K100.so."),
            std::string::npos) << Messages[0].Text;
  EXPECT_TRUE(KitLeftOut("K100"));
  EXPECT_FALSE(KitLeftOut("K099"));

  // Exactly 100 are all kept, and nobody is told of anything left out.
  Messages.clear();
  fs::remove(Folder / "Kits" / "K100.so");
  ScanKits();
  ASSERT_EQ(Construction.AvailableKitCount, 100);
  EXPECT_EQ(Construction.AvailableKitNames[100], "K099");
  EXPECT_TRUE(Messages.empty());
  EXPECT_FALSE(KitLeftOut("K099"));
}

TEST_F(KitManager, TakingKitsOutOfUse) {
  CopyKit("Alpha.so");
  CopyKit("Beta.so");
  CopyKit("Gamma.so");
  CopyKit("Delta.so");
  ScanKits();
  // Alpha, Beta, Delta, Gamma in use; Gamma's piece is placed.
  for (int N = 1; N <= 4; ++N)
    ASSERT_TRUE(LoadKit(1));
  ASSERT_EQ(InUse(), (std::vector<std::string>{"Alpha", "Beta", "Delta", "Gamma"}));
  Construction.PieceCount = 1;
  Construction.Pieces[1] = {4, 3, 2, 2, 0, 1};
  void *const GammaHandle = Construction.Kits[4].Handle;

  // A kit a placed piece uses stays.
  UnloadKit(4);
  EXPECT_EQ(Construction.KitCount, 4);
  EXPECT_EQ(Construction.Kits[4].Handle, GammaHandle);
  EXPECT_TRUE(Available().empty());

  {
    SCOPED_TRACE("removing a kit below the chosen one");
    ChooseOther(2);
    UnloadKit(1);
    EXPECT_EQ(InUse(), (std::vector<std::string>{"Beta", "Delta", "Gamma"}));
    EXPECT_EQ(Available(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(Construction.Pieces[1].Kit, 3);
    EXPECT_EQ(Construction.Pieces[1].Piece, 3);
    // The kit's library and pictures move with its name.
    EXPECT_EQ(Construction.Kits[3].Handle, GammaHandle);
    EXPECT_EQ(Construction.Kits[3].KitPieceCount, 11);
    EXPECT_FALSE(Construction.Kits[3].Frames[11][8].IsEmpty());
    EXPECT_EQ(Construction.Kits[4].Handle, nullptr);
    EXPECT_TRUE(Construction.Kits[4].Frames[1][1].IsEmpty());
    EXPECT_TRUE(Construction.Kits[4].Thumbnails[1].IsEmpty());
    ExpectFirstPieceOf(1);
  }
  {
    SCOPED_TRACE("removing the chosen kit, another following it");
    ChooseOther(2);
    UnloadKit(2);
    EXPECT_EQ(InUse(), (std::vector<std::string>{"Beta", "Gamma"}));
    EXPECT_EQ(Available(), (std::vector<std::string>{"Alpha", "Delta"}));
    EXPECT_EQ(Construction.Pieces[1].Kit, 2);
    ExpectFirstPieceOf(2);
    EXPECT_EQ(Construction.ChooserKit, 3);
  }
  {
    SCOPED_TRACE("removing the chosen kit, the last one");
    ASSERT_TRUE(LoadKit(1)); // Alpha
    ChooseOther(3);
    UnloadKit(3);
    EXPECT_EQ(InUse(), (std::vector<std::string>{"Beta", "Gamma"}));
    EXPECT_EQ(Available(), (std::vector<std::string>{"Delta", "Alpha"}));
    ExpectFirstPieceOf(2);
    EXPECT_EQ(Construction.ChooserKit, 4);
  }
  {
    SCOPED_TRACE("removing a kit above the chosen one");
    Construction.Pieces[1].Kit = 1; // now Beta's piece
    ChooseOther(1);
    UnloadKit(2);
    EXPECT_EQ(InUse(), std::vector<std::string>{"Beta"});
    EXPECT_EQ(Construction.Pieces[1].Kit, 1);
    EXPECT_EQ(Construction.CurrentKit, 1);
    EXPECT_EQ(Construction.CurrentPiece, 5);
    EXPECT_EQ(Construction.AnchorCell, 4);
  }
  {
    SCOPED_TRACE("removing the only kit");
    Construction.PieceCount = 0;
    Construction.ChooserKit = 1;
    UnloadKit(1);
    EXPECT_EQ(Construction.KitCount, 0);
    EXPECT_EQ(Construction.CurrentKit, 0);
    EXPECT_EQ(Construction.ChooserKit, 0);
    EXPECT_EQ(Available(), (std::vector<std::string>{"Delta", "Alpha", "Gamma", "Beta"}));
    // The previews show nothing but their backgrounds.
    EXPECT_EQ(PixelsOtherThan(Previews.iPiece, Rgb(Construction.SceneRed, Construction.SceneGreen,
                                                   Construction.SceneBlue)),
              0);
    EXPECT_EQ(PixelsOtherThan(Previews.iBaseLook,
                              Rgb(Construction.BaseRed, Construction.BaseGreen, Construction.BaseBlue)),
              0);
    EXPECT_EQ(PixelsOtherThan(Previews.iBaseForm, 0), 0);
  }
  EXPECT_TRUE(Messages.empty());
}

std::vector<std::string> AvailableFiles() {
  return {Construction.AvailableKitFiles + 1,
          Construction.AvailableKitFiles + 1 + Construction.AvailableKitCount};
}

std::vector<std::string> FilesInUse() {
  return {Construction.KitFiles + 1, Construction.KitFiles + 1 + Construction.KitCount};
}

// Loading a file and starting anew, through the program's own windows: a
// file's kits are found by their exact names, the later of two libraries of
// one name is taken, and they come into use in the file's order.
TEST_F(KitManager, FilesAndNewConstructionsBringTheirKitsInOrder) {
  ASSERT_TRUE(CreateWindows());
  Construction.ProgramDir = Folder.string() + "/";
  for (const char *File : {"Marbelo.so", "MARBELO.so", "marbelo.so", "Twin.so", "Twin.x.so"})
    CopyKit(File);
  // Kit 1 of the file is Twin, kit 2 Marbelo: not the order of the folder.
  Construction.BaseWidth = Construction.BaseLength = Construction.BaseHeight = 20;
  Construction.KitCount = 2;
  Construction.KitNames[1] = "Twin";
  Construction.KitNames[2] = "Marbelo";
  Construction.PieceCount = 2;
  Construction.Pieces[1] = {2, 3, 1, 1, 0, 1};
  Construction.Pieces[2] = {1, 5, 8, 8, 0, 2};
  const std::string Path = (Folder / "two kits.cns").string();
  std::string Error;
  ASSERT_TRUE(WriteConstructionFile(Path, EncodeConstruction(), Error)) << Error;
  Construction.KitCount = Construction.PieceCount = 0; // nothing of it was loaded
  NewConstruction(20, 20, 20);

  // Of the two libraries named Twin only the first is a kit; the user is
  // told which one was left out.
  const auto ExpectTwinLeftOut = [this] {
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].Text.find("only the first of each name, in name order, is used. Left out: "
                                    "Twin.x.so."),
              std::string::npos)
        << Messages[0].Text;
    Messages.clear();
  };
  Construction.FileName = Path;
  LoadConstruction();
  ExpectTwinLeftOut();
  EXPECT_EQ(InUse(), (std::vector<std::string>{"Twin", "Marbelo"}));
  EXPECT_EQ(FilesInUse(), (std::vector<std::string>{"Twin.so", "Marbelo.so"}));
  EXPECT_EQ(Available(), (std::vector<std::string>{"MARBELO", "marbelo"}));
  EXPECT_EQ(AvailableFiles(), (std::vector<std::string>{"MARBELO.so", "marbelo.so"}));
  ASSERT_EQ(Construction.PieceCount, 2);
  EXPECT_EQ(Construction.Pieces[1].Kit, 2);
  EXPECT_EQ(Construction.Pieces[2].Kit, 1);

  // A new construction takes every kit, in the folder's order, and the
  // default colours: a light blue scene (158, 195, 232) over a green base.
  StartConstruction();
  ExpectTwinLeftOut();
  EXPECT_EQ(InUse(), (std::vector<std::string>{"MARBELO", "Marbelo", "Twin", "marbelo"}));
  EXPECT_EQ(FilesInUse(),
            (std::vector<std::string>{"MARBELO.so", "Marbelo.so", "Twin.so", "marbelo.so"}));
  // Its file can be read again: no kit is named twice.
  TConstructionFile Saved;
  EXPECT_TRUE(DecodeConstruction(EncodeConstruction(), Saved, Error)) << Error;
  EXPECT_EQ(Construction.SceneColor, 0x00E8C39Eu);
  EXPECT_EQ(Construction.SceneRed, 158);
  EXPECT_EQ(Construction.SceneBlue, 232);
  EXPECT_EQ(Construction.BaseColor, 0x00008000u);
  EXPECT_TRUE(Messages.empty()) << Messages.front().Text;
}

// A file may name as many kits as can be in use, 100: all of them come into
// use in the file's order, and a piece of the last one keeps kit number 100.
TEST_F(KitManager, AFileOfAHundredKitsBringsThemAllIntoUse) {
  ASSERT_TRUE(CreateWindows());
  Construction.ProgramDir = Folder.string() + "/";
  const auto Name = [](int N) {
    return "K" + std::string(N < 10 ? "00" : N < 100 ? "0" : "") + std::to_string(N);
  };
  for (int N = 1; N <= 100; ++N)
    CopyKit(Name(N) + ".so");
  // The file names them in reverse: kit 1 is K100, kit 100 is K001.
  Construction.BaseWidth = Construction.BaseLength = Construction.BaseHeight = 20;
  Construction.KitCount = 100;
  for (int K = 1; K <= 100; ++K)
    Construction.KitNames[K] = Name(101 - K);
  ASSERT_EQ(Construction.KitNames[1], "K100");
  ASSERT_EQ(Construction.KitNames[100], "K001");
  Construction.PieceCount = 2;
  Construction.Pieces[1] = {100, 3, 1, 1, 0, 1};
  Construction.Pieces[2] = {1, 5, 8, 8, 0, 2};
  const std::string Path = (Folder / "hundred kits.cns").string();
  std::string Error;
  ASSERT_TRUE(WriteConstructionFile(Path, EncodeConstruction(), Error)) << Error;
  Construction.KitCount = Construction.PieceCount = 0; // nothing of it was loaded
  NewConstruction(20, 20, 20);

  Construction.FileName = Path;
  ASSERT_TRUE(LoadConstruction());
  EXPECT_TRUE(Messages.empty()) << Messages.front().Text;
  ASSERT_EQ(Construction.KitCount, 100);
  EXPECT_EQ(Construction.AvailableKitCount, 0);
  EXPECT_EQ(Construction.KitNames[1], "K100");
  EXPECT_EQ(Construction.KitNames[99], "K002");
  EXPECT_EQ(Construction.KitNames[100], "K001");
  EXPECT_EQ(Construction.Kits[100].KitPieceCount, 11);
  ASSERT_EQ(Construction.PieceCount, 2);
  EXPECT_EQ(Construction.Pieces[1].Kit, 100);
  EXPECT_EQ(Construction.Occupancy[1][1][0], 1);
  EXPECT_EQ(Construction.Pieces[2].Kit, 1);
}

// A kit that raises an exception while it draws is named once; every busy
// bracket closes, and what is drawn after it is drawn as though it had
// returned normally.
TEST_F(KitManager, AKitThatThrowsIsReportedOnceAndTheEditorStaysUsable) {
  fs::copy_file(HOSTILE_KITS_DIR "/HostileThrows.so", Folder / "Kits" / "Thrower.so");
  ScanKits();
  Construction.Mode = ModeInsert;
  SetScreenCursor(crInsert);
  ASSERT_TRUE(LoadKit(1)); // the spin frames of piece 2 raise it first
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].Text.find("The kit \"Thrower\" failed in DrawPieceLook: the drawing broke."),
            std::string::npos)
      << Messages[0].Text;
  EXPECT_EQ(Construction.Mode, ModeInsert);

  // Piece 2 fails before piece 1, a red cube, is drawn.
  for (const TPlacedPiece &P : {TPlacedPiece{1, 2, 4, 4, 0, 1}, TPlacedPiece{1, 1, 10, 10, 0, 1}}) {
    Construction.Pieces[++Construction.PieceCount] = P;
    StampPiece(Construction.PieceCount);
  }
  LookRender();
  EXPECT_EQ(PickAt(400, 300) >= BaseCodeStart, true);
  EXPECT_EQ(Construction.Mode, ModeInsert);
  EXPECT_EQ(ScreenCursor(), crInsert);
  EXPECT_EQ(Messages.size(), 1u);
  // Drawn twice: the context each picture is drawn in is kept for the next.
  DrawLookPicture();
  const std::vector<uint8_t> Picture = DrawLookPicture();
  const TPixel Top = PixelOf({10.5, 10.5, 1});
  const uint8_t *Pixel = &Picture[(size_t(Construction.ViewportHeight - 1 - Top.Y) * Construction.ViewportWidth + Top.X) * 4];
  EXPECT_TRUE(Pixel[2] > 200 && Pixel[1] < 40 && Pixel[0] < 40)
      << "the cube after the failing piece is not drawn";
  // The previews, drawn where the failing spin frames were.
  ChoosePiece(1, 1);
  RedrawPreviews();
  EXPECT_GT(PixelsOtherThan(Previews.iPiece, Rgb(Construction.SceneRed, Construction.SceneGreen,
                                                 Construction.SceneBlue)),
            50);
  Construction.PieceCount = 0;
}

// The path of the GL utility library this program runs with: a shared
// library present wherever the editor runs, and no kit.
std::string UtilityLibraryPath() {
  Dl_info Info{};
  if (!dladdr(reinterpret_cast<void *>(&gluPerspective), &Info) || !Info.dli_fname)
    return {};
  return Info.dli_fname;
}

TEST_F(KitManager, RefusesLibrariesThatAreNoKits) {
  const std::string Utility = UtilityLibraryPath();
  ASSERT_FALSE(Utility.empty());
  WriteFile("Junk.so", "This is no shared library.\n");
  fs::copy_file(Utility, Folder / "Kits" / "NoExports.so");
  CopyKit("Zeta.so");
  CopyKit("a.b.so"); // the kit name ends at the first dot: "a"
  ASSERT_EQ(mkfifo(Path("Pipe.so").c_str(), 0644), 0); // would block a plain open
  for (const char *Hostile : {"NoPieces", "ZeroSize", "TooWide", "TooMany"})
    fs::copy_file(std::string(HOSTILE_KITS_DIR "/Hostile") + Hostile + ".so",
                  Folder / "Kits" / (std::string(Hostile) + ".so"));

  ScanKits();
  ASSERT_EQ(Available(), (std::vector<std::string>{"Junk", "NoExports", "NoPieces", "Pipe",
                                                   "TooMany", "TooWide", "ZeroSize", "Zeta", "a"}));
  Construction.Mode = ModeExtract;

  // Why a refused library is refused: what the message says besides its path.
  struct TCase {
    std::string Name, File;
    bool Loads;
    std::string Reason;
  };
  const TCase Cases[] = {{"Junk", "Junk.so", false, ""},
                         {"NoExports", "NoExports.so", false, "GetKit"},
                         // Catalogues that placing pieces cannot work with.
                         {"NoPieces", "NoPieces.so", false, "reports 0 pieces"},
                         {"Pipe", "Pipe.so", false, "not a regular file"},
                         {"TooMany", "TooMany.so", false, "reports 101 pieces"},
                         {"TooWide", "TooWide.so", false, "piece 2 measures 151 x 1 x 1"},
                         {"ZeroSize", "ZeroSize.so", false, "piece 2 measures 1 x 1 x 0"},
                         {"Zeta", "Zeta.so", true, ""},
                         // Loaded from its own file, not from "a.so".
                         {"a", "a.b.so", true, ""}};
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    Messages.clear();
    EXPECT_EQ(Construction.AvailableKitNames[1], C.Name);
    const TKit &Slot = Construction.Kits[Construction.KitCount + 1];
    const KitApi::TGetKit GetKitBefore = Slot.GetKit;
    EXPECT_EQ(LoadKit(1), C.Loads);
    EXPECT_EQ(Construction.Mode, ModeExtract);
    if (C.Loads) {
      EXPECT_TRUE(Messages.empty());
      EXPECT_EQ(InUse().back(), C.Name);
      continue;
    }
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].Text.find(Path(C.File)), std::string::npos) << Messages[0].Text;
    EXPECT_NE(Messages[0].Text.find(C.Reason), std::string::npos) << Messages[0].Text;
    EXPECT_NE(Messages[0].Title.find(C.Name), std::string::npos) << Messages[0].Title;
    for (const std::string &Name : InUse())
      EXPECT_NE(Name, C.Name);
    for (const std::string &Name : Available())
      EXPECT_NE(Name, C.Name);
    // The slot the kit would have taken keeps nothing of it.
    EXPECT_EQ(Slot.Handle, nullptr);
    EXPECT_EQ(Slot.GetKit, GetKitBefore);
    EXPECT_EQ(Slot.KitPieceCount, 0);
  }
  EXPECT_TRUE(Available().empty());
  ASSERT_EQ(Construction.KitCount, 2);
  EXPECT_EQ(Construction.Kits[2].KitPieceCount, 11);
  // Taken out of use and back, "a" still comes from its own file.
  UnloadKit(2);
  ASSERT_EQ(Available(), std::vector<std::string>{"a"});
  EXPECT_TRUE(LoadKit(1));
  ExpectFirstPieceOf(1);
}

} // namespace
