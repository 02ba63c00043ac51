// The construction file: the bytes it is made of, what reading it back gives,
// every kind of file that is refused, and saving without losing the old file.
#include "model/Disk.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "PipeReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A kit of three pieces: 1 is a single cell, 2 a solid 2 x 3 x 1 brick, 3 a
// 2 x 2 x 2 block whose cells with X = 2 and Z = 2 are empty.
void FakeGetPiece(uint8_t Piece, uint8_t *SX, uint8_t *SY, uint8_t *SZ) {
  const uint8_t Sizes[4][3] = {{0, 0, 0}, {1, 1, 1}, {2, 3, 1}, {2, 2, 2}};
  *SX = Sizes[Piece][0];
  *SY = Sizes[Piece][1];
  *SZ = Sizes[Piece][2];
}

void FakeGetPieceVolume(uint8_t Piece, uint8_t X, uint8_t, uint8_t Z, uint8_t *Filled) {
  *Filled = (Piece == 3 && X == 2 && Z == 2) ? 0 : 1;
}

void Put16(std::vector<uint8_t> &R, size_t At, uint16_t V) {
  R[At] = uint8_t(V & 0xFF);
  R[At + 1] = uint8_t(V >> 8);
}

void PutDouble(std::vector<uint8_t> &R, size_t At, double V) { std::memcpy(&R[At], &V, sizeof V); }

std::vector<uint8_t> Bytes(const std::vector<uint8_t> &R, size_t At, size_t Count) {
  return {R.begin() + At, R.begin() + At + Count};
}

class DiskTest : public testing::Test {
protected:
  void SetUp() override {
    Construction.BaseWidth = MaxBaseSide;
    Construction.BaseLength = MaxBaseSide;
    Construction.BaseHeight = MaxBaseHeight;
    ClearOccupancy();
    Construction.BaseWidth = 20;
    Construction.BaseLength = 20;
    Construction.BaseHeight = 10;
    SetSceneColor(0x00112233);
    SetBaseColor(0x00445566);
    Construction.ViewCount = 1;
    Construction.Views[1] = {"", 80, 55, 0, 0, 0};
    Construction.PieceCount = 0;
    Construction.KitCount = 2;
    for (int K = 1; K <= 2; ++K) {
      Construction.Kits[K].KitPieceCount = 3;
      Construction.Kits[K].GetPiece = FakeGetPiece;
      Construction.Kits[K].GetPieceVolume = FakeGetPieceVolume;
      Construction.KitNames[K] = "Kit" + std::to_string(K);
    }
  }

  static void AddPiece(TPlacedPiece P) { Construction.Pieces[++Construction.PieceCount] = P; }

  // The record of the fixture's construction holding the given pieces.
  static std::vector<uint8_t> RecordWith(std::initializer_list<TPlacedPiece> Pieces) {
    for (const TPlacedPiece &P : Pieces)
      AddPiece(P);
    std::vector<uint8_t> Record = EncodeConstruction();
    Construction.PieceCount = 0;
    return Record;
  }

  // The saved part of the construction and its cell grid, to show nothing changed.
  static std::vector<uint8_t> State() {
    std::vector<uint8_t> S = EncodeConstruction();
    const auto *Grid = reinterpret_cast<const uint8_t *>(Construction.Occupancy);
    S.insert(S.end(), Grid, Grid + sizeof(Construction.Occupancy));
    return S;
  }
};

TEST_F(DiskTest, NewConstructionBytes) {
  Construction.BaseWidth = Construction.BaseLength = Construction.BaseHeight = 50;
  SetSceneColor(DefaultSceneColor); // the colours a new construction starts with
  SetBaseColor(DefaultBaseColor);
  Construction.Views[1] = {"", 75, 55, 0, 0, 0};
  Construction.KitCount = 0;
  const std::vector<uint8_t> R = EncodeConstruction();
  ASSERT_EQ(R.size(), 555224u);
  EXPECT_EQ(Bytes(R, 0, 16), std::vector<uint8_t>({0x9E, 0xC3, 0xE8, 0, 0, 0x80, 0, 0, 0x32, 0,
                                                   0x32, 0, 0x32, 0, 0x01, 0}));
  EXPECT_EQ(Bytes(R, 25616, 8), std::vector<uint8_t>({0, 0, 0, 0, 0, 0xC0, 0x52, 0x40}));
  EXPECT_EQ(Bytes(R, 26416, 8), std::vector<uint8_t>({0, 0, 0, 0, 0, 0x80, 0x4B, 0x40}));
  int Others = 0;
  for (size_t I = 16; I < R.size(); ++I)
    Others += R[I] != 0 && !(I >= 25616 && I < 25624) && !(I >= 26416 && I < 26424);
  EXPECT_EQ(Others, 0);
}

TEST_F(DiskTest, ViewsPiecesAndKitsAreStoredColumnByColumn) {
  Construction.ViewCount = 2;
  Construction.Views[2] = {"Side", 1.5, 0, 0, 0, -2};
  AddPiece({1, 3, 4, 5, 6, 1});
  AddPiece({0x0102, 0x0304, 7, 8, 9, 4});
  Construction.KitNames[2] = std::string(300, 'k'); // cut to the field
  const std::vector<uint8_t> R = EncodeConstruction();
  EXPECT_EQ(Bytes(R, 14, 2), std::vector<uint8_t>({2, 0}));
  EXPECT_EQ(Bytes(R, 16 + 256, 5), std::vector<uint8_t>({'S', 'i', 'd', 'e', 0}));
  EXPECT_EQ(Bytes(R, 25616 + 8, 8), std::vector<uint8_t>({0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
  EXPECT_EQ(Bytes(R, 28816 + 8, 8), std::vector<uint8_t>({0, 0, 0, 0, 0, 0, 0x00, 0xC0}));
  EXPECT_EQ(Bytes(R, 29616, 2), std::vector<uint8_t>({2, 0}));
  EXPECT_EQ(Bytes(R, 29618, 4), std::vector<uint8_t>({1, 0, 0x02, 0x01}));
  EXPECT_EQ(Bytes(R, 154618, 4), std::vector<uint8_t>({3, 0, 0x04, 0x03}));
  EXPECT_EQ(Bytes(R, 279618, 2), std::vector<uint8_t>({4, 7}));
  EXPECT_EQ(Bytes(R, 342118, 2), std::vector<uint8_t>({5, 8}));
  EXPECT_EQ(Bytes(R, 404618, 2), std::vector<uint8_t>({6, 9}));
  EXPECT_EQ(Bytes(R, 467118, 2), std::vector<uint8_t>({1, 4}));
  EXPECT_EQ(Bytes(R, 529618, 2), std::vector<uint8_t>({2, 0}));
  EXPECT_EQ(Bytes(R, 529620, 5), std::vector<uint8_t>({'K', 'i', 't', '1', 0}));
  EXPECT_EQ(Bytes(R, 529620 + 256, 256), std::vector<uint8_t>(256, 'k'));
  EXPECT_EQ(Bytes(R, 529620 + 512, 1), std::vector<uint8_t>({0}));
}

TEST_F(DiskTest, RoundTripKeepsEverything) {
  Construction.BaseWidth = 30;
  Construction.BaseLength = 12;
  Construction.BaseHeight = 40;
  SetSceneColor(0x00A1B2C3);
  SetBaseColor(0x00010203);
  Construction.ViewCount = 3;
  Construction.Views[1] = {" Front\t ", 10.25, 45, 359.5, -3, 4};
  Construction.Views[2] = {"Top", 200, 90, 0, 0.125, 0};
  Construction.Views[3] = {"", 80, 55, 12, 0, 0};
  Construction.KitNames[1] = "Bricks  ";
  AddPiece({1, 3, 0, 0, 0, 1});
  AddPiece({2, 2, 27, 10, 39, 4}); // 3 x 2 after the turn: just inside the base
  AddPiece({1, 1, 1, 0, 1, 1});   // in the empty corner of piece 1
  const std::vector<uint8_t> Record = EncodeConstruction();

  SetUp(); // a different construction is open when the file is read
  TConstructionFile File;
  std::string Reason;
  ASSERT_TRUE(DecodeConstruction(Record, File, Reason)) << Reason;
  ApplyViews(File);
  ASSERT_TRUE(CheckPieces(File, Reason)) << Reason;
  ApplyColors(File);
  ApplyBase(File);
  ApplyPieces(File);

  EXPECT_EQ(Construction.SceneBlue, 0xA1);
  EXPECT_EQ(Construction.BaseRed, 0x03);
  EXPECT_EQ(Construction.BaseHeight, 40);
  ASSERT_EQ(Construction.ViewCount, 3);
  EXPECT_EQ(Construction.Views[1].Name, "Front");
  EXPECT_EQ(Construction.Views[1].Turn, 359.5);
  EXPECT_EQ(Construction.Views[2].PanX, 0.125);
  EXPECT_EQ(File.KitNames, std::vector<std::string>({"Bricks  ", "Kit2"}));
  ASSERT_EQ(Construction.PieceCount, 3);
  EXPECT_EQ(Construction.Pieces[2].Rotation, 4);
  EXPECT_EQ(Construction.Occupancy[1][0][1], 3);
  EXPECT_EQ(Construction.Occupancy[29][11][39], 2);
  Construction.Views[1].Name = " Front\t ";
  Construction.KitNames[1] = "Bricks  ";
  EXPECT_EQ(EncodeConstruction(), Record);
}

TEST_F(DiskTest, FileWithoutViewsOpensWithTheDefaultView) {
  std::vector<uint8_t> Record = EncodeConstruction();
  Put16(Record, 14, 0);
  Record[25616 + 7] = 0x40; // left over beyond the count
  TConstructionFile File;
  std::string Reason;
  ASSERT_TRUE(DecodeConstruction(Record, File, Reason)) << Reason;
  ASSERT_EQ(File.Views.size(), 1u);
  const TPosition &V = File.Views[0];
  EXPECT_EQ(V.Name, "");
  EXPECT_EQ(std::vector<double>({V.Distance, V.Tilt, V.Turn, V.PanX, V.PanY}),
            std::vector<double>({80, 55, 0, 0, 0}));
}

TEST_F(DiskTest, DamagedRecordsAreRefusedWithAReason) {
  const struct {
    const char *Fault;
    std::function<void(std::vector<uint8_t> &)> Damage;
  } Cases[] = {
      {"555223 bytes", [](auto &R) { R.pop_back(); }},
      {"555225 bytes", [](auto &R) { R.push_back(0); }},
      {"0 bytes", [](auto &R) { R.clear(); }},
      {"101 views", [](auto &R) { Put16(R, 14, 101); }},
      {"62501 pieces", [](auto &R) { Put16(R, 29616, 62501); }},
      {"101 kits", [](auto &R) { Put16(R, 529618, 101); }},
      {"9 x 20 x 10", [](auto &R) { Put16(R, 8, 9); }},
      {"20 x 151 x 10", [](auto &R) { Put16(R, 10, 151); }},
      {"20 x 20 x 101", [](auto &R) { Put16(R, 12, 101); }},
      {"20 x 20 x 9", [](auto &R) { Put16(R, 12, 9); }},
      // Kit 2's name field (256 bytes after kit 1's) made kit 1's.
      {"The file names the kit \"Kit1\" twice",
       [](auto &R) { std::copy_n(R.begin() + 529620, 256, R.begin() + 529876); }},
      // The live camera's distance and its sideways pan (view 1 of 1).
      {"View 1 has a camera value that is not a finite number",
       [](auto &R) { PutDouble(R, 25616, std::nan("")); }},
      {"View 1 has a camera value that is not a finite number",
       [](auto &R) { PutDouble(R, 25616 + 3 * 800, -HUGE_VAL); }},
  };
  const std::vector<uint8_t> Before = State();
  for (const auto &C : Cases) {
    std::vector<uint8_t> Record = EncodeConstruction();
    C.Damage(Record);
    TConstructionFile File;
    std::string Reason;
    EXPECT_FALSE(DecodeConstruction(Record, File, Reason)) << C.Fault;
    EXPECT_NE(Reason.find(C.Fault), std::string::npos) << Reason;
    EXPECT_TRUE(File.Views.empty()) << C.Fault;
  }
  EXPECT_TRUE(State() == Before);
}

// Filled to every capacity a file is still read, and read whole: 100 views
// (99 saved and the live camera) with names of the full 8 characters, 100
// kits with names that fill their whole 256-byte field, 62500 pieces, and
// the smallest and the largest base.
TEST_F(DiskTest, RecordsFilledToEveryCapacityAreReadWhole) {
  Construction.ViewCount = 100;
  for (int V = 1; V <= 100; ++V)
    Construction.Views[V] = {"Corner" + std::to_string(10 + V % 90), double(V), 55, 0, 0, -V / 4.0};
  Construction.KitCount = 100;
  for (int K = 3; K <= 100; ++K)
    Construction.KitNames[K] = "Kit" + std::to_string(K);
  Construction.KitNames[1] = std::string(256, 'a'); // the next field follows at once
  Construction.KitNames[99] = std::string(256, 'y');
  Construction.KitNames[100] = std::string(256, 'z'); // up to the padding
  Construction.BaseWidth = Construction.BaseLength = 150;
  Construction.BaseHeight = 100;
  // Single cells of kit 2, 150 to a row, 22500 to a layer: piece 62500 is
  // the 100th of row 116 in layer 2.
  for (int I = 0; I < 62500; ++I)
    AddPiece({2, 1, uint8_t(I % 150), uint8_t(I / 150 % 150), uint8_t(I / 22500), 1});
  const std::vector<uint8_t> Record = EncodeConstruction();
  Construction.PieceCount = 0;
  ASSERT_EQ(Bytes(Record, 14, 2), std::vector<uint8_t>({100, 0}));
  ASSERT_EQ(Bytes(Record, 29616, 2), std::vector<uint8_t>({0x24, 0xF4})); // 62500
  ASSERT_EQ(Bytes(Record, 529618, 2), std::vector<uint8_t>({100, 0}));

  SetUp();
  TConstructionFile File;
  std::string Reason;
  ASSERT_TRUE(DecodeConstruction(Record, File, Reason)) << Reason;
  ASSERT_EQ(File.KitNames.size(), 100u);
  EXPECT_EQ(File.KitNames[0], std::string(256, 'a'));
  EXPECT_EQ(File.KitNames[1], "Kit2");
  EXPECT_EQ(File.KitNames[2], "Kit3");
  EXPECT_EQ(File.KitNames[98], std::string(256, 'y'));
  EXPECT_EQ(File.KitNames[99], std::string(256, 'z'));
  ASSERT_TRUE(CheckPieces(File, Reason)) << Reason;
  ApplyViews(File);
  ApplyBase(File);
  ApplyPieces(File);
  ASSERT_EQ(Construction.ViewCount, 100);
  EXPECT_EQ(Construction.Views[1].Name, "Corner11");
  EXPECT_EQ(Construction.Views[99].Name, "Corner19");
  EXPECT_EQ(Construction.Views[100].Name, "Corner20");
  EXPECT_EQ(Construction.Views[100].Distance, 100);
  EXPECT_EQ(Construction.Views[100].PanY, -25);
  EXPECT_EQ(Construction.BaseWidth, 150);
  EXPECT_EQ(Construction.BaseHeight, 100);
  ASSERT_EQ(Construction.PieceCount, 62500);
  EXPECT_EQ(Construction.Pieces[62500].X, 99);
  EXPECT_EQ(Construction.Pieces[62500].Y, 116);
  EXPECT_EQ(Construction.Pieces[62500].Z, 2);
  EXPECT_EQ(Construction.Occupancy[0][0][0], 1);
  EXPECT_EQ(Construction.Occupancy[149][149][1], 45000);
  EXPECT_EQ(Construction.Occupancy[99][116][2], 62500);
  EXPECT_EQ(Construction.Occupancy[100][116][2], 0);

  // The smallest base holds a piece in its far corner cell; the largest
  // one in each direction is read as it stands.
  const struct {
    uint16_t Width, Length, Height;
  } Bases[] = {{10, 10, 10}, {150, 10, 10}, {10, 150, 10}, {10, 10, 100}};
  for (const auto &B : Bases) {
    SCOPED_TRACE(std::to_string(B.Width) + " x " + std::to_string(B.Length) + " x " +
                 std::to_string(B.Height));
    SetUp();
    Construction.BaseWidth = B.Width;
    Construction.BaseLength = B.Length;
    Construction.BaseHeight = B.Height;
    const uint8_t X = uint8_t(B.Width - 1), Y = uint8_t(B.Length - 1), Z = uint8_t(B.Height - 1);
    TConstructionFile Small;
    ASSERT_TRUE(DecodeConstruction(RecordWith({{1, 1, X, Y, Z, 1}}), Small, Reason)) << Reason;
    EXPECT_TRUE(CheckPieces(Small, Reason)) << Reason;
    EXPECT_EQ(Small.BaseWidth, B.Width);
    EXPECT_EQ(Small.BaseLength, B.Length);
    EXPECT_EQ(Small.BaseHeight, B.Height);
  }
}

TEST_F(DiskTest, PiecesTheKitsCannotHoldAreRefused) {
  const struct {
    TPlacedPiece Piece;
    const char *Fault;
  } Cases[] = {
      {{3, 1, 0, 0, 0, 1}, "uses kit 3"},
      {{0, 1, 0, 0, 0, 1}, "uses kit 0"},
      {{1, 0, 0, 0, 0, 1}, "is piece 0"},
      {{2, 4, 0, 0, 0, 1}, "is piece 4"},
      {{1, 257, 0, 0, 0, 1}, "is piece 257"},
      {{1, 1, 0, 0, 0, 0}, "rotation 0"},
      {{1, 1, 0, 0, 0, 5}, "rotation 5"},
      {{1, 2, 18, 0, 0, 2}, "beyond the base"}, // 3 wide once turned
      {{1, 2, 0, 18, 0, 1}, "beyond the base"},
      {{1, 3, 0, 0, 9, 1}, "beyond the base"},
      {{1, 1, 255, 255, 255, 1}, "beyond the base"},
      {{2, 1, 0, 1, 0, 1}, "overlaps piece 1"}, // a solid cell of the brick
      {{2, 1, 1, 0, 0, 3}, "overlaps piece 1"},
  };
  const std::vector<uint8_t> Before = State();
  for (const auto &C : Cases) {
    TConstructionFile File;
    std::string Reason;
    ASSERT_TRUE(DecodeConstruction(RecordWith({{1, 2, 0, 0, 0, 1}, C.Piece}), File, Reason));
    EXPECT_FALSE(CheckPieces(File, Reason)) << C.Fault;
    EXPECT_NE(Reason.find(C.Fault), std::string::npos) << Reason;
  }
  EXPECT_TRUE(State() == Before);
}

TEST_F(DiskTest, PiecesMayShareABoxButNotACell) {
  TConstructionFile File;
  std::string Reason;
  ASSERT_TRUE(DecodeConstruction(RecordWith({{1, 3, 0, 0, 0, 1}, {2, 1, 1, 1, 1, 1}}), File,
                                 Reason));
  EXPECT_TRUE(CheckPieces(File, Reason)) << Reason;
  ASSERT_TRUE(DecodeConstruction(RecordWith({{1, 3, 0, 0, 0, 1}, {2, 1, 0, 1, 1, 1}}), File,
                                 Reason));
  EXPECT_FALSE(CheckPieces(File, Reason));
  // A file naming fewer kits than are loaded cannot reach the others.
  std::vector<uint8_t> Record = RecordWith({{2, 1, 0, 0, 0, 1}});
  Put16(Record, 529618, 1);
  ASSERT_TRUE(DecodeConstruction(Record, File, Reason));
  EXPECT_FALSE(CheckPieces(File, Reason));
}

class DiskFileTest : public testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/DiskTestXXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    Folder = Template;
  }
  void TearDown() override { fs::remove_all(Folder); }

  std::string PathOf(const std::string &Name) const { return (Folder / Name).string(); }

  void WriteRaw(const std::string &Name, const std::vector<uint8_t> &Data) const {
    std::ofstream(PathOf(Name), std::ios::binary)
        .write(reinterpret_cast<const char *>(Data.data()), std::streamsize(Data.size()));
  }

  std::vector<uint8_t> ReadRaw(const std::string &Name) const {
    std::ifstream In(PathOf(Name), std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
  }

  size_t Entries() const {
    return size_t(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()));
  }

  fs::path Folder;
  const std::vector<uint8_t> Old = std::vector<uint8_t>(ConstructionFileSize, 0x11);
  const std::vector<uint8_t> New = std::vector<uint8_t>(ConstructionFileSize, 0x22);
};

TEST_F(DiskFileTest, SavingReplacesTheFileAndLeavesNothingElse) {
  WriteRaw("a.stm", Old);
  std::string Error;
  ASSERT_TRUE(WriteConstructionFile(PathOf("a.stm"), New, Error)) << Error;
  std::vector<uint8_t> Back;
  ASSERT_TRUE(ReadConstructionFile(PathOf("a.stm"), Back, Error)) << Error;
  EXPECT_EQ(Back, New);
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(DiskFileTest, FailedSavesKeepTheOldFileAndReportWhy) {
  WriteRaw("plain", {1});
  std::string Error;
  EXPECT_FALSE(WriteConstructionFile(PathOf("plain/a.stm"), New, Error));
  EXPECT_NE(Error.find("Unable to write " + PathOf("plain/a.stm") + ": "), std::string::npos);

  fs::create_directory(Folder / "taken");
  EXPECT_FALSE(WriteConstructionFile(PathOf("taken"), New, Error));
  EXPECT_TRUE(fs::is_directory(Folder / "taken"));

  // The disk fills up halfway through the record.
  WriteRaw("a.stm", Old);
  rlimit Saved;
  getrlimit(RLIMIT_FSIZE, &Saved);
  rlimit Small = Saved;
  Small.rlim_cur = 4096;
  const auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &Small);
  const bool Written = WriteConstructionFile(PathOf("a.stm"), New, Error);
  setrlimit(RLIMIT_FSIZE, &Saved);
  std::signal(SIGXFSZ, OldHandler);
  EXPECT_FALSE(Written);
  EXPECT_NE(Error.find(std::strerror(EFBIG)), std::string::npos) << Error;
  EXPECT_EQ(ReadRaw("a.stm"), Old);
  EXPECT_EQ(Entries(), 3u); // plain, taken, a.stm: no temporary left behind
}

// Runs Body in a child process as an ordinary user (nobody, when the tests run
// as root, who ignores permissions, with Groups as its other groups); Body
// returns what went wrong, or "".
std::string AsOrdinaryUser(const std::function<std::string()> &Body,
                           const std::vector<gid_t> &Groups = {}) {
  int Pipe[2];
  if (pipe(Pipe) != 0)
    return "no pipe";
  const pid_t Child = fork();
  if (Child == 0) {
    close(Pipe[0]);
    std::string Problem;
    if (getuid() == 0 && (setgroups(Groups.size(), Groups.data()) != 0 || setgid(65534) != 0 ||
                          setuid(65534) != 0))
      Problem = "cannot become nobody";
    else
      Problem = Body();
    if (!Problem.empty() && write(Pipe[1], Problem.data(), Problem.size()) < 0)
      _exit(2);
    _exit(0);
  }
  close(Pipe[1]);
  std::string Problem;
  char Buffer[512];
  for (ssize_t N; (N = read(Pipe[0], Buffer, sizeof Buffer)) > 0;)
    Problem.append(Buffer, size_t(N));
  close(Pipe[0]);
  int Status = 0;
  waitpid(Child, &Status, 0);
  if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
    Problem += " (the child failed)";
  return Problem;
}

TEST_F(DiskFileTest, SavingRespectsWhatTheUserMayDoAndWhereLinksLead) {
  // Everything here belongs to the user; the folder "locked" they may not write.
  fs::permissions(Folder, fs::perms::all);
  WriteRaw("readonly.stm", Old);
  WriteRaw("real.stm", Old);
  fs::create_symlink("real.stm", Folder / "link.stm");
  fs::create_directory(Folder / "locked");
  WriteRaw("locked/in.stm", Old);
  const std::string Long(250, 'n'); // with a temporary's prefix and suffix, past 255 bytes
  for (const auto &Entry : fs::recursive_directory_iterator(Folder))
    lchown(Entry.path().c_str(), getuid() == 0 ? 65534 : getuid(), getuid() == 0 ? 65534 : getgid());
  fs::permissions(Folder / "readonly.stm", fs::perms::owner_read | fs::perms::group_read);
  fs::permissions(Folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  // Someone else's file the user may write, in a sticky folder everyone may
  // write: no rename may replace it (only root can be someone else here).
  const bool Sticky = getuid() == 0;
  if (Sticky) {
    fs::create_directory(Folder / "sticky");
    fs::permissions(Folder / "sticky", fs::perms::all | fs::perms::sticky_bit);
    WriteRaw("sticky/theirs.stm", Old);
    fs::permissions(Folder / "sticky/theirs.stm", fs::perms::owner_read | fs::perms::owner_write |
                                                      fs::perms::group_read | fs::perms::group_write |
                                                      fs::perms::others_read | fs::perms::others_write);
  }

  const std::string Problem = AsOrdinaryUser([&] {
    std::string Error, Problems;
    if (WriteConstructionFile(PathOf("readonly.stm"), New, Error) ||
        Error.find(std::strerror(EACCES)) == std::string::npos)
      Problems += "a read-only file was not refused (" + Error + "); ";
    if (!WriteConstructionFile(PathOf("link.stm"), New, Error))
      Problems += "saving through a link failed: " + Error + "; ";
    if (!WriteConstructionFile(PathOf("locked/in.stm"), New, Error))
      Problems += "saving in a locked folder failed: " + Error + "; ";
    if (Sticky && !WriteConstructionFile(PathOf("sticky/theirs.stm"), New, Error))
      Problems += "saving someone else's file in a sticky folder failed: " + Error + "; ";
    for (int Twice = 0; Twice < 2; ++Twice)
      if (!WriteConstructionFile(PathOf(Long), Twice ? New : Old, Error))
        Problems += "a 250-byte name failed: " + Error + "; ";
    return Problems;
  });
  EXPECT_EQ(Problem, "");
  EXPECT_EQ(ReadRaw("readonly.stm"), Old);
  EXPECT_TRUE(fs::is_symlink(Folder / "link.stm"));
  EXPECT_EQ(ReadRaw("real.stm"), New);
  EXPECT_EQ(ReadRaw("locked/in.stm"), New);
  EXPECT_EQ(ReadRaw(Long), New);
  if (Sticky) {
    EXPECT_EQ(ReadRaw("sticky/theirs.stm"), New);
    EXPECT_EQ(fs::status(Folder / "sticky/theirs.stm").permissions() & fs::perms::others_write,
              fs::perms::others_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder / "sticky"), fs::directory_iterator()), 1);
  }
  EXPECT_EQ(Entries(), Sticky ? 6u : 5u); // no temporary left anywhere
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder / "locked"), fs::directory_iterator()), 1);
  fs::permissions(Folder / "locked", fs::perms::owner_all); // so that it can be removed
}

// A device or a named pipe at the target takes the bytes and stays what it
// is; anything else that is not a file is refused and left alone. Nodes are
// made in the test's own folder, never on the machine's /dev.
TEST_F(DiskFileTest, DevicesAndPipesAreWrittenIntoAndNeverReplaced) {
  std::string Error;
  if (getuid() == 0) {
    ASSERT_EQ(mknod(PathOf("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    ASSERT_EQ(mknod(PathOf("disk").c_str(), S_IFBLK | 0600, makedev(7, 0)), 0);
    EXPECT_TRUE(WriteConstructionFile(PathOf("null"), New, Error)) << Error;
    EXPECT_TRUE(fs::is_character_file(Folder / "null"));
    EXPECT_FALSE(WriteConstructionFile(PathOf("disk"), New, Error));
    EXPECT_NE(Error.find("block device"), std::string::npos) << Error;
    EXPECT_TRUE(fs::is_block_file(Folder / "disk"));
  }

  ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
  fs::create_symlink("pipe", Folder / "to-pipe");
  {
    TPipeReader Reader(PathOf("pipe"), New.size());
    EXPECT_TRUE(WriteConstructionFile(PathOf("to-pipe"), New, Error)) << Error;
    EXPECT_EQ(Reader.Received(), New);
  }
  EXPECT_TRUE(fs::is_fifo(Folder / "pipe"));

  // Nobody reads: refused at once instead of waiting for ever.
  EXPECT_FALSE(WriteConstructionFile(PathOf("pipe"), New, Error));
  EXPECT_NE(Error.find("nothing reads from the pipe"), std::string::npos) << Error;
  {
    // The reader goes away part-way: the write fails, the program lives on.
    TPipeReader Quitter(PathOf("pipe"), 16);
    EXPECT_FALSE(WriteConstructionFile(PathOf("pipe"), New, Error));
    EXPECT_NE(Error.find(std::strerror(EPIPE)), std::string::npos) << Error;
  }

  const int Socket = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un Address{};
  Address.sun_family = AF_UNIX;
  std::strncpy(Address.sun_path, PathOf("socket").c_str(), sizeof Address.sun_path - 1);
  ASSERT_EQ(bind(Socket, reinterpret_cast<sockaddr *>(&Address), sizeof Address), 0);
  EXPECT_FALSE(WriteConstructionFile(PathOf("socket"), New, Error));
  EXPECT_NE(Error.find("socket"), std::string::npos) << Error;
  EXPECT_TRUE(fs::is_socket(Folder / "socket"));
  close(Socket);
  EXPECT_EQ(Entries(), getuid() == 0 ? 5u : 3u); // no temporary left behind
}

// Every name of a file with several hard links shows what was saved.
TEST_F(DiskFileTest, HardLinksKeepNamingTheSavedFile) {
  WriteRaw("a.stm", Old);
  fs::create_hard_link(Folder / "a.stm", Folder / "b.stm");
  std::string Error;
  ASSERT_TRUE(WriteConstructionFile(PathOf("a.stm"), New, Error)) << Error;
  EXPECT_EQ(ReadRaw("b.stm"), New);
  EXPECT_EQ(fs::hard_link_count(Folder / "a.stm"), 2u);
  EXPECT_EQ(Entries(), 2u);
}

// A file saved over keeps its permission bits, and its owner and group where
// the user may give them: root any, an ordinary user a group of their own
// that is not their first.
TEST_F(DiskFileTest, SavesKeepPermissionsOwnerAndGroup) {
  std::string Error;
  const auto Mode = [this](const std::string &Name) {
    return fs::status(Folder / Name).permissions();
  };
  struct stat Info;
  if (getuid() == 0) {
    WriteRaw("theirs.stm", Old);
    ASSERT_EQ(chown(PathOf("theirs.stm").c_str(), 4321, 4322), 0);
    fs::permissions(Folder / "theirs.stm", fs::perms(0640));
    ASSERT_TRUE(WriteConstructionFile(PathOf("theirs.stm"), New, Error)) << Error;
    ASSERT_EQ(stat(PathOf("theirs.stm").c_str(), &Info), 0);
    EXPECT_EQ(Info.st_uid, 4321u);
    EXPECT_EQ(Info.st_gid, 4322u);
    EXPECT_EQ(Mode("theirs.stm"), fs::perms(0640));
  }
  // The ordinary user: nobody with a second group, or ourselves with ours.
  gid_t Second = 100;
  if (getuid() != 0) {
    gid_t Groups[64];
    const int Count = getgroups(64, Groups);
    const auto Other = std::find_if(Groups, Groups + std::max(Count, 0),
                                    [](gid_t G) { return G != getgid(); });
    if (Other == Groups + std::max(Count, 0))
      GTEST_SKIP() << "the user belongs to no second group";
    Second = *Other;
  }
  // "shared.stm" belongs to someone else (root, when there is one to be) and
  // its group; "odd.stm" to the user.
  fs::permissions(Folder, fs::perms::all);
  const uid_t User = getuid() == 0 ? 65534 : getuid();
  for (const char *Name : {"shared.stm", "odd.stm"}) {
    WriteRaw(Name, Old);
    ASSERT_EQ(chown(PathOf(Name).c_str(), std::string(Name) == "odd.stm" ? User : getuid(), Second), 0);
  }
  fs::permissions(Folder / "shared.stm", fs::perms(0660));
  fs::permissions(Folder / "odd.stm", fs::perms(0604));
  const std::string Problem = AsOrdinaryUser(
      [&] {
        std::string Why, Problems;
        for (const char *Name : {"shared.stm", "odd.stm"})
          if (!WriteConstructionFile(PathOf(Name), New, Why))
            Problems += std::string(Name) + ": " + Why + "; ";
        return Problems;
      },
      {65534, Second});
  EXPECT_EQ(Problem, "");
  for (const char *Name : {"shared.stm", "odd.stm"}) {
    SCOPED_TRACE(Name);
    EXPECT_EQ(ReadRaw(Name), New);
    ASSERT_EQ(stat(PathOf(Name).c_str(), &Info), 0);
    EXPECT_EQ(Info.st_gid, Second);
  }
  EXPECT_EQ(Mode("shared.stm"), fs::perms(0660));
  EXPECT_EQ(Mode("odd.stm"), fs::perms(0604));
}

// A save killed at any moment leaves the complete old or the complete new
// file; what killed saves leave behind goes with the next successful save.
TEST_F(DiskFileTest, KilledSavesLeaveAWholeFileAndTheNextSaveTidiesUp) {
  const std::string Target = PathOf("a.stm");
  std::string Error;
  ASSERT_TRUE(WriteConstructionFile(Target, Old, Error)) << Error;
  std::mt19937 Random(7);
  size_t MostEntries = 0;
  for (int Kill = 0; Kill < 200; ++Kill) {
    const pid_t Saver = fork();
    if (Saver == 0) {
      for (int N = 0;; ++N) {
        std::string Ignored;
        WriteConstructionFile(Target, N % 2 ? Old : New, Ignored);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(Random() % 5000));
    kill(Saver, SIGKILL);
    waitpid(Saver, nullptr, 0);
    const std::vector<uint8_t> Now = ReadRaw("a.stm");
    ASSERT_TRUE(Now == Old || Now == New) << "kill " << Kill << " left " << Now.size() << " bytes";
    MostEntries = std::max(MostEntries, Entries());
  }
  EXPECT_GT(MostEntries, 1u); // some kills did stop a save part-way
  ASSERT_TRUE(WriteConstructionFile(Target, New, Error)) << Error;
  EXPECT_EQ(Entries(), 1u);
  EXPECT_EQ(ReadRaw("a.stm"), New);
}

TEST_F(DiskFileTest, ReadingRefusesWhatIsNotAConstructionFile) {
  std::vector<uint8_t> Record = {7};
  std::string Error;
  EXPECT_FALSE(ReadConstructionFile(PathOf("none.stm"), Record, Error));
  EXPECT_NE(Error.find("does not exist"), std::string::npos) << Error;
  WriteRaw("short.stm", std::vector<uint8_t>(1000, 0));
  EXPECT_FALSE(ReadConstructionFile(PathOf("short.stm"), Record, Error));
  EXPECT_NE(Error.find("1000 bytes"), std::string::npos) << Error;
  EXPECT_FALSE(ReadConstructionFile(Folder.string(), Record, Error));
  EXPECT_NE(Error.find("not a regular file"), std::string::npos) << Error;
  EXPECT_EQ(Record, std::vector<uint8_t>({7}));
}

} // namespace
