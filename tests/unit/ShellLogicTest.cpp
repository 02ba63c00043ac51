// The shell's plain rules: reading the start dialog's dimensions, the
// version text, tiling the background, centring the viewport and where the
// user's files go.
#include "model/Global.h"
#include "platform/Text.h"
#include "platform/Version.h"
#include "shell/CommandLine.h"
#include "shell/DataFolder.h"
#include "shell/Dimensions.h"
#include "shell/Exports.h"
#include "shell/Settings.h"
#include "shell/ShowMain.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

bool Accepts(const std::string &Text, int Max, uint16_t *Read = nullptr) {
  uint16_t Value = 0;
  const bool Ok = ReadDimension(Text, 10, Max, Value);
  if (Read)
    *Read = Value;
  return Ok;
}

TEST(ShellLogic, DimensionsMustBeWholeNumbersInRange) {
  uint16_t Value = 0;
  EXPECT_TRUE(Accepts("10", 150));
  EXPECT_TRUE(Accepts("150", 150, &Value));
  EXPECT_EQ(Value, 150);
  EXPECT_TRUE(Accepts("100", 100));
  EXPECT_TRUE(Accepts("  +42", 150, &Value));
  EXPECT_EQ(Value, 42);
  for (const char *Bad : {"9", "151", "abc", "007", "-10", "", " ", "12a", "1 2", "+", "99999999999"})
    EXPECT_FALSE(Accepts(Bad, 150)) << '"' << Bad << '"';
  EXPECT_FALSE(Accepts("101", 100));
  // Only the low 16 bits count: 65536 + 50 reads as 50.
  EXPECT_TRUE(Accepts("65586", 150, &Value));
  EXPECT_EQ(Value, 50);
}

TEST(ShellLogic, VersionTextPadsTheBuildToFourDigits) {
  EXPECT_EQ(VersionText({1, 1, 1, 29}), "1.1.1.0029");
  EXPECT_EQ(VersionText({2, 0, 0, 5}), "2.0.0.0005");
  EXPECT_EQ(VersionText({2, 0, 0, 12345}), "2.0.0.12345");
  EXPECT_EQ(ReadFileVersion("/nonexistent/Stavemont"), "");
  EXPECT_EQ(ReadFileVersion("/proc/self/exe"), ""); // a program without the note
  EXPECT_EQ(ReadFileVersion(STAVEMONT_BUILD_DIR "/Stavemont"), "1.0.0.0000");
}

TEST(ShellLogic, BackgroundTilesCoverTheWindow) {
  EXPECT_EQ(TileCount(1280, 175), 7);  // 7.31
  EXPECT_EQ(TileCount(1024, 104), 10); // 9.85
  EXPECT_EQ(TileCount(1280, 512), 2);  // 2.5 goes to the even neighbour
  EXPECT_EQ(TileCount(1536, 512), 3);
}

TEST(ShellLogic, ViewportIsCentredRightOfTheLeftColumn) {
  EXPECT_EQ(CentredEdge(1280, 800 + 129) + 129, 305);
  EXPECT_EQ(CentredEdge(1024, 600), 212);
  EXPECT_EQ(CentredEdge(1025, 600), 212); // 212.5 goes to the even neighbour
  EXPECT_EQ(CentredEdge(1027, 600), 214); // 213.5 likewise
}

TEST(ShellLogic, UserFilesLeaveAProgramFolderThatCannotBeWritten) {
  namespace fs = std::filesystem;
  char Template[] = "/tmp/stavemont-data-XXXXXX";
  ASSERT_TRUE(mkdtemp(Template));
  const std::string Top = std::string(Template) + "/";
  setenv("XDG_DATA_HOME", (Top + "data").c_str(), 1);

  Construction.ProgramDir = Top;
  EXPECT_EQ(DataDir(), Top);
  EXPECT_FALSE(fs::exists(Top + "data"));

  // Root may write anywhere, so a program folder that is a file stands in
  // for one the user may not write.
  std::ofstream(Top + "program") << "";
  Construction.ProgramDir = Top + "program/";
  EXPECT_EQ(DataDir(), Top + "data/stavemont/");
  for (const char *Folder : {"Constructions", "Captures", "Backgrounds"})
    EXPECT_TRUE(fs::is_directory(Top + "data/stavemont/" + Folder)) << Folder;
  fs::remove_all(Top);
}

// File names reach the system byte for byte, whatever their encoding; names
// printed for the user cannot end a line, move the cursor or hide as text.
TEST(ShellLogic, NamesFromOutsideKeepTheirBytesAndPrintEscaped) {
  const std::string Latin = "caf\xe9.cns", Emoji = "\xf0\x9f\x92\x80.png", Odd = "a\xed\xa0\x80\xc0\xaf";
  TCommandLine Line = ParseCommandLine({"--check", Latin, Emoji, Odd});
  ASSERT_EQ(Line.Kind, TCommandLine::Check);
  EXPECT_EQ(Line.Files, (std::vector<std::string>{Latin, Emoji, Odd}));
  Line = ParseCommandLine({"--render", Latin, "pic\xef.png", "--view", "V\xff"});
  ASSERT_EQ(Line.Kind, TCommandLine::Render);
  EXPECT_EQ(Line.Files, std::vector<std::string>{Latin});
  EXPECT_EQ(Line.Picture, "pic\xef.png");
  EXPECT_EQ(Line.View, "V\xff");

  EXPECT_EQ(Printable("Gr\xc3\xbcn \xf0\x9f\x92\x80 a\\b"), "Gr\xc3\xbcn \xf0\x9f\x92\x80 a\\b");
  EXPECT_EQ(Printable("evil\n/x.cns: ok"), "evil\\x0a/x.cns: ok");
  EXPECT_EQ(Printable("\x1b[2J\x7f"), "\\x1b[2J\\x7f");
  EXPECT_EQ(Printable("caf\xe9"), "caf\\xe9");
  EXPECT_EQ(Printable("\xc2\x85|\xe2\x80\xae|\xc0\xaf|\xed\xa0\x80"),
            "\\xc2\\x85|\\xe2\\x80\\xae|\\xc0\\xaf|\\xed\\xa0\\x80");
}

// -h is --help, as users of other programs type it.
TEST(ShellLogic, HelpHasItsShortName) {
  for (const char *Help : {"-h", "--help"}) {
    EXPECT_EQ(ParseCommandLine({Help}).Kind, TCommandLine::Help) << Help;
    EXPECT_EQ(ParseCommandLine({Help, "a.cns"}).Kind, TCommandLine::Wrong) << Help;
  }
}

// --export takes a construction, a model file and a cell size within reason.
TEST(ShellLogic, ExportReadsItsFilesAndCellSize) {
  TCommandLine Line = ParseCommandLine({"--export", "a.cns", "b.glb", "--cell-mm", "8"});
  ASSERT_EQ(Line.Kind, TCommandLine::Export);
  EXPECT_EQ(Line.Files, std::vector<std::string>{"a.cns"});
  EXPECT_EQ(Line.Picture, "b.glb");
  EXPECT_EQ(Line.CellMm, 8);
  EXPECT_EQ(ParseCommandLine({"--export", "a.cns", "b.glb"}).CellMm, 10);
  for (const char *Wrong : {"0", "-1", "x", "1e9"})
    EXPECT_EQ(ParseCommandLine({"--export", "a.cns", "b.glb", "--cell-mm", Wrong}).Kind, TCommandLine::Wrong)
        << Wrong;
  EXPECT_EQ(ParseCommandLine({"--export", "a.cns"}).Kind, TCommandLine::Wrong);
  EXPECT_EQ(ParseCommandLine({"--render", "a.cns", "b.png", "--cell-mm", "8"}).Kind, TCommandLine::Wrong);
}

// --parts writes to standard output or a file; --instructions takes a PDF,
// the picture options and the most pieces a step; each option only where
// it goes.
TEST(ShellLogic, PartsAndInstructionsReadTheirFilesAndOptions) {
  TCommandLine Line = ParseCommandLine({"--parts", "a.cns"});
  ASSERT_EQ(Line.Kind, TCommandLine::Parts);
  EXPECT_EQ(Line.Picture, "");
  EXPECT_EQ(ParseCommandLine({"--parts", "a.cns", "p.html"}).Picture, "p.html");
  EXPECT_EQ(ParseCommandLine({"--parts", "a.cns", "p.html", "q.csv"}).Kind, TCommandLine::Wrong);
  Line = ParseCommandLine({"--instructions", "a.cns", "b.pdf", "--size", "640x480", "--view", "Top",
                           "--step-pieces", "5"});
  ASSERT_EQ(Line.Kind, TCommandLine::Instructions);
  EXPECT_EQ(Line.Picture, "b.pdf");
  EXPECT_EQ(Line.Width, 640);
  EXPECT_EQ(Line.View, "Top");
  EXPECT_EQ(Line.StepPieces, 5);
  EXPECT_EQ(ParseCommandLine({"--instructions", "a.cns", "b.pdf"}).StepPieces, 12);
  for (const char *Wrong : {"0", "-1", "x", "1001", "99999"})
    EXPECT_EQ(ParseCommandLine({"--instructions", "a.cns", "b.pdf", "--step-pieces", Wrong}).Kind,
              TCommandLine::Wrong) << Wrong;
  for (const std::vector<std::string> &Wrong :
       {std::vector<std::string>{"--instructions", "a.cns"}, {"--parts", "a.cns", "--step-pieces", "3"},
        {"--instructions", "a.cns", "b.pdf", "--scene-color", "102030"}, {"--parts", "a.cns", "--size", "9x9"},
        {"--parts", "--render", "a.cns", "b.png"}})
    EXPECT_EQ(ParseCommandLine(Wrong).Kind, TCommandLine::Wrong) << Wrong[0] << " " << Wrong.back();
}

// A bare name takes the chosen filter's format; a name that says a format
// keeps it, whichever filter was chosen.
TEST(Exports, NamesTakeTheFormatTheySayOrTheFiltersFirst) {
  EXPECT_EQ(WithFilterExtension("house", ExportFilters[0]), "house.glb");
  EXPECT_EQ(WithFilterExtension("house", "Parts list (*.html *.csv)"), "house.html");
  EXPECT_EQ(WithFilterExtension("house.csv", "Parts list (*.html *.csv)"), "house.csv");
  EXPECT_EQ(WithFilterExtension("house.pdf", ExportFilters[0]), "house.pdf");
  EXPECT_EQ(WithFilterExtension("house.v2", "Building instructions (*.pdf)"), "house.v2.pdf");
}

} // namespace
