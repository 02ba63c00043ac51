// The edit history, in a program folder of its own whose kits are copies of
// the built Marbelo kit: over a long random session of edits, undos and
// redos the construction is always the one of its point in the history;
// a kit library that no longer loads leaves the construction whole; input
// waiting during a step is dropped; and a refused click tells the user why.
#include "Editor.h"
#include "Picking.h"
#include "edits/ColorEdits.h"
#include "edits/History.h"
#include "edits/KitEdits.h"
#include "edits/ViewEdits.h"
#include "kits/Kit.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "platform/Messages.h"
#include "render/Scene.h"
#include "render/ShellLink.h"
#include "render/Views.h"
#include "viewport/Volume.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What a construction file would hold: counts, names and colours to read,
// and a hash of the whole record to compare.
std::string Snapshot() {
  const std::vector<uint8_t> Record = EncodeConstruction();
  std::ostringstream Out;
  Out << Construction.PieceCount << " pieces, " << Construction.ViewCount << " views, kits";
  for (int K = 1; K <= Construction.KitCount; ++K)
    Out << ' ' << Construction.KitNames[K];
  Out << std::hex << ", colours " << Construction.SceneColor << ' ' << Construction.BaseColor
      << ", record "
      << std::hash<std::string_view>()(
             std::string_view(reinterpret_cast<const char *>(Record.data()), Record.size()));
  return Out.str();
}

std::vector<uint16_t> BaseGrid() {
  std::vector<uint16_t> Grid;
  for (int X = 0; X < Construction.BaseWidth; ++X)
    for (int Y = 0; Y < Construction.BaseLength; ++Y)
      Grid.insert(Grid.end(), Construction.Occupancy[X][Y],
                  Construction.Occupancy[X][Y] + Construction.BaseHeight);
  return Grid;
}

// Whether the grid holds exactly the placed pieces, each under its number.
bool GridAgrees() {
  const std::vector<uint16_t> Live = BaseGrid();
  ClearOccupancy();
  for (int N = 1; N <= Construction.PieceCount; ++N)
    StampPiece(uint16_t(N));
  return BaseGrid() == Live;
}

// Names the first kit in use whose record is bound to another library than
// its name and file say, or a chosen kit that is not in use.
std::string KitFault() {
  for (int K = 1; K <= Construction.KitCount; ++K) {
    const std::string File = Construction.KitNames[K] + ".so";
    Dl_info Library{};
    if (Construction.KitFiles[K] != File ||
        !dladdr(reinterpret_cast<void *>(KitApi::TGetPiece(Construction.Kits[K].GetPiece)), &Library) ||
        Library.dli_fname != Construction.ProgramDir + "Kits/" + File)
      return "kit " + std::to_string(K) + " " + Construction.KitNames[K];
  }
  const int Chosen = Construction.CurrentKit;
  if (Construction.KitCount == 0 ? Chosen != 0 : Chosen < 1 || Chosen > Construction.KitCount)
    return "chosen kit " + std::to_string(Chosen);
  return {};
}

class History : public testing::Test {
protected:
  void SetUp() override {
    StartEditor();
    char Template[] = "/tmp/stavemont-history-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    Folder = Template;
    fs::create_directory(Folder / "Kits");
    for (const char *Name : {"Alpha", "Beta", "Marbelo"})
      fs::copy_file(BuildProgramDir() + "Kits/Marbelo.so", Kit(Name));
    OldSink = SetMessageSink(
        [this](const std::string &Text, const std::string &) { Messages.push_back(Text); });
    Construction.ProgramDir = Folder.string() + "/";
    NewConstruction(16, 16, 12);
    ScanKits();
    ASSERT_TRUE(LoadKit(3)); // Marbelo, as kit 1
    StartHistory();
  }

  void TearDown() override {
    NewConstruction(20, 20, 20);
    StartHistory();
    ShellLink = {};
    Construction.ProgramDir = BuildProgramDir();
    SetMessageSink(OldSink);
    std::error_code Error;
    fs::remove_all(Folder, Error);
  }

  fs::path Kit(const std::string &Name) const { return Folder / "Kits" / (Name + ".so"); }

  fs::path Folder;
  TMessageSink OldSink;
  std::vector<std::string> Messages;
};

TEST_F(History, LongRandomSessionReturnsToEveryPointOfIt) {
  std::mt19937 Random(20240612);
  auto Below = [&](int N) { return int(Random() % unsigned(N)); };
  QUndoStack &Edits = EditHistory();
  std::vector<std::string> Points = {Snapshot()}; // Points[i]: after the first i edits
  int Inserted = 0, Extracted = 0, Refused = 0, Views = 0, Colours = 0, KitsAdded = 0,
      KitsRemoved = 0, KitsRenumbered = 0, Undone = 0, Redone = 0, TailsDropped = 0;

  // One random edit of the construction; some are refused.
  auto Edit = [&] {
    const int Roll = Below(100);
    const int Pieces = Construction.PieceCount, Kits = Construction.KitCount;
    if (Roll < 30 && Kits > 0) {
      // The first or the last kit in use: those between are often free to
      // go, and the pieces of the last kit then take new kit numbers.
      ChoosePiece(Below(3) > 0 ? 1 : Kits, 1 + Below(11));
      Construction.CurrentRotation = 1 + Below(4);
      Construction.AnchorCell =
          1 + Below(Construction.CurrentSizeX * Construction.CurrentSizeY);
      TCell Target;
      const bool OnPiece = Pieces > 0 && Below(3) == 0;
      const THit Hit = OnPiece ? THit{THit::PieceTop, 0, 0, 1 + Below(Pieces), 1 + Below(8)}
                               : THit{THit::Base, Below(16), Below(16), 0, 0};
      if (TargetCell(Hit, Target) && PlaceChosenPiece(Target) == TRefusal::None)
        ++Inserted;
      else
        ++Refused;
    } else if (Roll < 55 && Pieces > 0) {
      if (RemovePiece(1 + Below(Pieces)) == TRefusal::None)
        ++Extracted;
      else
        ++Refused;
    } else if (Roll < 62) {
      Views += AddView("V" + std::to_string(Below(1000)));
    } else if (Roll < 67 && Construction.ViewCount > 1) {
      DeleteView(1 + Below(Construction.ViewCount - 1));
      ++Views;
    } else if (Roll < 77) {
      // As the colour dialogs do; a colour already in use is no edit.
      const uint32_t Chosen = 0x00102030u * uint32_t(Below(3));
      const bool Scene = Below(2) == 0;
      const uint32_t Former = Scene ? Construction.SceneColor : Construction.BaseColor;
      (Scene ? ChangeSceneColor : ChangeBaseColor)(Chosen);
      Colours += Former != Chosen;
    } else if (Roll < 88 && Construction.AvailableKitCount > 0) {
      KitsAdded += AddKit(1 + Below(Construction.AvailableKitCount));
    } else if (Kits > 0) {
      const int K = 1 + Below(Kits);
      bool Later = false;
      for (int N = 1; N <= Pieces; ++N)
        Later |= Construction.Pieces[N].Kit > K;
      RemoveKit(K);
      KitsRemoved += Construction.KitCount < Kits;
      KitsRenumbered += Construction.KitCount < Kits && Later;
    }
  };

  for (int Step = 0; Step < 4000; ++Step) {
    SCOPED_TRACE(testing::Message() << "step " << Step);
    const int Index = Edits.index(), Roll = Below(100);
    if (Roll < 15) {
      for (int Times = 1 + Below(4); Times > 0 && Edits.canUndo(); --Times, ++Undone)
        Edits.undo();
    } else if (Roll < 30) {
      for (int Times = 1 + Below(3); Times > 0 && Edits.canRedo(); --Times, ++Redone)
        Edits.redo();
    } else {
      const bool Tail = Edits.canRedo();
      Edit();
      if (Edits.index() != Index) { // kept: a new point, the points after it dropped
        ASSERT_EQ(Edits.index(), Index + 1);
        ASSERT_EQ(Edits.count(), Index + 1);
        TailsDropped += Tail;
        Points.resize(Index + 1);
        Points.push_back(Snapshot());
      }
    }
    ASSERT_EQ(Snapshot(), Points[Edits.index()]);
    ASSERT_TRUE(GridAgrees());
    ASSERT_EQ(KitFault(), "");
  }
  EXPECT_TRUE(Messages.empty());
  // The session did real work of every kind.
  EXPECT_GE(Inserted, 200);
  EXPECT_GE(Extracted, 200);
  EXPECT_GE(Refused, 200);
  EXPECT_GE(Views, 200);
  EXPECT_GE(Colours, 100);
  EXPECT_GE(KitsAdded, 100);
  EXPECT_GE(KitsRemoved, 100);
  EXPECT_GE(KitsRenumbered, 8);
  EXPECT_GE(Undone, 700);
  EXPECT_GE(Redone, 100);
  EXPECT_GE(TailsDropped, 200);
}

// Taking back an extraction gives the piece its own number again and the
// pieces after it theirs, in the list and in the grid; taking back a kit's
// removal gives every piece its kit number again, those of the kits after
// it included, and those numbers name the same kits as before.
TEST_F(History, UndoGivesPiecesAndKitsTheirNumbersBack) {
  QUndoStack &Edits = EditHistory();
  Put(BlueOne, 0, 0, 0, 1);   // 1: (0..1, 0)
  Put(BlueTwo, 4, 0, 0, 1);   // 2: (4..5, 0..1)
  Put(BlueThree, 8, 0, 0, 2); // 3: (8..10, 0..1) once turned
  Put(BlueFour, 0, 6, 0, 1);  // 4: (0..1, 6..9)
  Put(BlueOne, 0, 6, 1, 1);   // 5: on piece 4
  const std::vector<TPlacedPiece> Pieces(Construction.Pieces + 1, Construction.Pieces + 6);
  const std::vector<uint16_t> Grid = BaseGrid();
  const auto SamePieces = [&] {
    return Construction.PieceCount == 5 &&
           std::equal(Pieces.begin(), Pieces.end(), Construction.Pieces + 1,
                      [](const TPlacedPiece &A, const TPlacedPiece &B) {
                        return std::memcmp(&A, &B, sizeof A) == 0;
                      });
  };
  // Cells of pieces 2, 3, 4 and 5, which extracting piece 2 renumbers.
  const auto Cells = [] {
    const auto &O = Construction.Occupancy;
    return std::vector<int>{O[4][0][0], O[5][1][0], O[8][0][0], O[10][1][0], O[1][9][0], O[1][6][1]};
  };

  ASSERT_EQ(RemovePiece(2), TRefusal::None);
  ASSERT_EQ(Construction.PieceCount, 4);
  EXPECT_EQ(Cells(), (std::vector<int>{0, 0, 2, 2, 3, 4}));
  Edits.undo();
  EXPECT_TRUE(SamePieces());
  EXPECT_EQ(Cells(), (std::vector<int>{2, 2, 3, 3, 4, 5}));
  EXPECT_TRUE(BaseGrid() == Grid);
  Edits.redo();
  EXPECT_EQ(Cells(), (std::vector<int>{0, 0, 2, 2, 3, 4}));
  Edits.undo();
  EXPECT_TRUE(SamePieces());
  EXPECT_TRUE(BaseGrid() == Grid);

  // Kits 1 Marbelo, 2 Alpha, 3 Beta; pieces 6 and 7 of Beta, the piece to
  // insert Beta's too. Alpha, unused, goes: Beta becomes kit 2.
  ASSERT_TRUE(AddKit(1));
  ASSERT_TRUE(AddKit(1));
  ASSERT_EQ(Construction.KitNames[3], "Beta");
  ChoosePiece(3, BlueTwo);
  ASSERT_EQ(PlaceChosenPiece({12, 12, 0}), TRefusal::None);
  ChoosePiece(3, BlueOne);
  ASSERT_EQ(PlaceChosenPiece({12, 12, 1}), TRefusal::None);
  const std::string Before = Snapshot();
  const std::vector<uint16_t> GridBefore = BaseGrid();
  const auto KitsOfPieces = [] {
    std::vector<int> Kits;
    for (int N = 1; N <= Construction.PieceCount; ++N)
      Kits.push_back(Construction.Pieces[N].Kit);
    return Kits;
  };
  RemoveKit(2);
  ASSERT_EQ(Construction.KitCount, 2);
  EXPECT_EQ(KitsOfPieces(), (std::vector<int>{1, 1, 1, 1, 1, 2, 2}));
  EXPECT_EQ(Construction.CurrentKit, 2);
  Edits.undo();
  ASSERT_EQ(Construction.KitCount, 3);
  EXPECT_EQ(KitsOfPieces(), (std::vector<int>{1, 1, 1, 1, 1, 3, 3}));
  EXPECT_EQ((std::vector<std::string>{Construction.KitNames[1], Construction.KitNames[2],
                                      Construction.KitNames[3]}),
            (std::vector<std::string>{"Marbelo", "Alpha", "Beta"}));
  EXPECT_EQ(KitFault(), ""); // each number bound to its own kit's library
  EXPECT_EQ(Construction.CurrentKit, 3) << "the piece to insert stays Beta's";
  EXPECT_EQ(Snapshot(), Before);
  EXPECT_TRUE(BaseGrid() == GridBefore);
  EXPECT_TRUE(Messages.empty());
}

// When a kit cannot be loaded again, the user is told and the construction
// stays whole where it was; the history can no longer be followed and is
// dropped, and the construction counts as changed even if it was just saved.
// A kit that cannot be added in the first place is no edit.
TEST_F(History, AKitThatNoLongerLoadsDropsTheHistoryAndKeepsTheConstruction) {
  QUndoStack &Edits = EditHistory();
  // A kit that could not be brought back stays offered where it was, for
  // when its library is back.
  const auto Offered = [] {
    return std::vector<std::string>(Construction.AvailableKitNames + 1,
                                    Construction.AvailableKitNames + 1 + Construction.AvailableKitCount);
  };
  ASSERT_TRUE(AddKit(1)); // Alpha, kit 2
  RemoveKit(2);
  const std::string Removed = Snapshot();
  const std::vector<std::string> OfferedBefore = Offered();
  fs::remove(Kit("Alpha"));
  Edits.setClean();
  Edits.undo();
  EXPECT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Snapshot(), Removed);
  EXPECT_EQ(Offered(), OfferedBefore);
  EXPECT_EQ(Edits.count(), 0);
  EXPECT_FALSE(Edits.isClean());
  EXPECT_EQ(KitFault(), "");

  // The same when an added kit cannot be added again.
  const std::string Before = Snapshot();
  ASSERT_TRUE(AddKit(1)); // Beta
  Edits.undo();
  const std::vector<std::string> OfferedAfterUndo = Offered();
  fs::remove(Kit("Beta"));
  Edits.setClean();
  Edits.redo();
  EXPECT_EQ(Messages.size(), 2u);
  EXPECT_EQ(Snapshot(), Before);
  EXPECT_EQ(Offered(), OfferedAfterUndo);
  EXPECT_EQ(Edits.count(), 0);
  EXPECT_FALSE(Edits.isClean());
  EXPECT_EQ(KitFault(), "");

  RemoveKit(1); // Marbelo
  fs::remove(Kit("Marbelo"));
  EXPECT_FALSE(AddKit(1));
  EXPECT_EQ(Messages.size(), 3u);
  EXPECT_EQ(Edits.count(), 1);
  EXPECT_EQ(Edits.index(), 1);
}

// While a step lets pending messages run (a kit coming into use renders its
// pieces), the user's keys and presses are dropped: a second undo there
// would act on a half-done step. Afterwards they arrive again.
TEST_F(History, KeysWaitingDuringAStepAreDropped) {
  struct TReceiver : QObject {
    int Keys = 0;
    bool event(QEvent *Event) override {
      Keys += Event->type() == QEvent::KeyPress;
      return true;
    }
  } Receiver;
  auto PostUndoKey = [&Receiver] {
    QCoreApplication::postEvent(&Receiver,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier));
  };
  PostUndoKey();
  ASSERT_TRUE(AddKit(1));
  EXPECT_EQ(Receiver.Keys, 0);
  PostUndoKey();
  QCoreApplication::processEvents();
  EXPECT_EQ(Receiver.Keys, 1);
}

TEST_F(History, ARefusedClickTellsWhyAtTheMouse) {
  std::vector<std::string> Notes;
  TPixel NoteAt{-1, -1};
  ShellLink.ShowNote = [&](int X, int Y, const std::string &Text) {
    Notes.push_back(Text);
    NoteAt = {X, Y};
  };
  // The note a click at pixel Px gives; empty when there was none.
  auto NoteOf = [&](void (*Click)(int, int), TPixel Px) {
    Notes.clear();
    Click(Px.X, Px.Y);
    EXPECT_LE(Notes.size(), 1u);
    if (Notes.empty())
      return std::string();
    EXPECT_TRUE(NoteAt.X == Px.X && NoteAt.Y == Px.Y);
    return Notes.back();
  };
  auto Base = [](int X, int Y) { return PixelOf({X + 0.5, Y + 0.5, 0}); };
  Put(BlueTwo, 4, 4, 0, 1); // 2 x 2 cells
  Put(BlueOne, 4, 4, 1, 1); // on the first brick
  const TPixel Side = PixelOf({5, 6, 0.3}); // the first brick's side towards the eye
  ASSERT_EQ(PickAt(Side.X, Side.Y), 101);
  ASSERT_EQ(PickAt(0, 0), 0);
  ChoosePiece(1, BlueFour); // 2 x 4 cells

  EXPECT_EQ(NoteOf(InsertPieceAt, {0, 0}), "Click on the base or on top of a piece");
  EXPECT_EQ(NoteOf(InsertPieceAt, Side), "Click on the base or on top of a piece");
  EXPECT_EQ(NoteOf(InsertPieceAt, Base(15, 0)), "Does not fit on the base");
  EXPECT_EQ(NoteOf(InsertPieceAt, Base(3, 3)), "Does not fit here");
  EXPECT_EQ(NoteOf(ExtractPieceAt, {0, 0}), "No piece here");
  EXPECT_EQ(NoteOf(ExtractPieceAt, Base(10, 10)), "No piece here");
  EXPECT_EQ(NoteOf(ExtractPieceAt, Side), "Another piece stands on it");
  EXPECT_EQ(Construction.PieceCount, 2);
  EXPECT_EQ(NoteOf(InsertPieceAt, Base(10, 10)), "");
  EXPECT_EQ(NoteOf(ExtractPieceAt, Base(10, 10)), "");
  EXPECT_EQ(Construction.PieceCount, 2);

  Construction.PieceCount = MaxPieces;
  EXPECT_EQ(RefusalNote(PlaceChosenPiece({10, 10, 0})), "No room for more pieces");
  Construction.PieceCount = 2;
  Construction.KitCount = 0;
  EXPECT_EQ(NoteOf(InsertPieceAt, Base(10, 10)), "Add a kit first");
  EXPECT_EQ(NoteOf(ExtractPieceAt, Side), "No piece here");
  Construction.KitCount = 1;
}

} // namespace
