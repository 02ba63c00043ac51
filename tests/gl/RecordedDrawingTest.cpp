// Drawing from recorded pieces against the kits' own drawing: the same look
// pictures for every Marbelo piece in every rotation, in dense blocks and
// standing free, from several cameras and through every kind of change;
// the fallback to the kits' drawing for a camera among the pieces and for
// kits whose drawing cannot be recorded (see DrawingKit.cpp).
#include "Editor.h"
#include "edits/History.h"
#include "edits/PieceEdits.h"
#include "kits/Kit.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "platform/Messages.h"
#include "render/Camera.h"
#include "render/KitDrawings.h"
#include "render/Scene.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <utility>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The look picture drawn both ways: the share of its pixels that differ.
double ShareDiffering() {
  SetDrawFromRecordings(false);
  const std::vector<uint8_t> Immediate = DrawLookPicture();
  SetDrawFromRecordings(true);
  const std::vector<uint8_t> Recorded = DrawLookPicture();
  EXPECT_EQ(Immediate.size(), Recorded.size());
  return double(DifferentPixels(Immediate, Recorded, 3)) / double(Immediate.size() / 4);
}

// Whether the picture shows anything but the scene colour and the base.
bool ShowsPieces(const std::vector<uint8_t> &Picture) {
  const uint8_t Base[3] = {Construction.BaseRed, Construction.BaseGreen, Construction.BaseBlue};
  int Others = 0;
  for (size_t P = 0; P + 3 < Picture.size(); P += 4)
    Others += std::abs(Picture[P] - Base[0]) + std::abs(Picture[P + 1] - Base[1]) +
                  std::abs(Picture[P + 2] - Base[2]) > 60 &&
              !(Picture[P] == Construction.SceneRed && Picture[P + 1] == Construction.SceneGreen &&
                Picture[P + 2] == Construction.SceneBlue);
  return Others > 1000;
}

void Place(uint8_t Piece, uint8_t Rotation, int X, int Y, int Z, uint8_t Kit = 1) {
  const uint16_t N = ++Construction.PieceCount;
  Construction.Pieces[N] = {Kit, Piece, uint8_t(X), uint8_t(Y), uint8_t(Z), Rotation};
  StampPiece(N);
}

KitApi::TBoxSize BoxOf(uint8_t Piece, uint8_t Rotation, uint8_t &Height) {
  uint8_t SX = 0, SY = 0;
  Construction.Kits[1].GetPiece(Piece, &SX, &SY, &Height);
  return KitApi::RotatedBox(Rotation, SX, SY);
}

// Each of the 44 pieces and rotations in a square of its own on a 150 x 150
// base: two layers of two by two copies touching, or (Free) one copy.
void EveryPieceInEveryRotation(bool Free) {
  int Square = 0;
  for (uint8_t Piece = 1; Piece <= 11; ++Piece)
    for (uint8_t Rotation = 1; Rotation <= 4; ++Rotation, ++Square) {
      uint8_t SZ = 0;
      const KitApi::TBoxSize Box = BoxOf(Piece, Rotation, SZ);
      const int X0 = Square % 7 * 21 + 2, Y0 = Square / 7 * 21 + 2;
      const int Copies = Free ? 1 : 2;
      for (int Z = 0; Z < Copies; ++Z)
        for (int X = 0; X < Copies; ++X)
          for (int Y = 0; Y < Copies; ++Y)
            Place(Piece, Rotation, X0 + X * Box.X, Y0 + Y * Box.Y, Z * SZ);
    }
}

struct TView {
  const char *Name;
  double Distance, Tilt, Turn, PanX, PanY;
};

// The whole base as a new construction shows it; closer, from other sides
// and lower, where the sides and the hollows of the pieces show; close.
const TView Views[] = {{"whole", 225, 55, 0, 0, 0},
                       {"near, turned", 70, 60, 140, 20, -15},
                       {"low, from behind", 90, 80, 200, -25, 30},
                       {"from above", 60, 5, 30, 40, 40},
                       {"straight down on the first free square", 30, 0, 0, 28, -53}};

class RecordedDrawing : public testing::Test {
protected:
  // Marbelo in use, and a copy of it under another name as kit 2.
  void SetUp() override {
    StartEditor();
    OldSink = SetMessageSink([this](const std::string &Text, const std::string &) { Messages.push_back(Text); });
    char Template[] = "/tmp/stavemont-recorded-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    Folder = Template;
    Construction.ProgramDir = Folder.string() + "/";
    const fs::path Marbelo = BuildProgramDir() + "Kits/Marbelo.so";
    UseKits(150, 150, {{Marbelo, "Marbelo"}, {Marbelo, "Twin"}});
    ASSERT_EQ(Construction.KitCount, 2);
    ASSERT_EQ(Construction.KitNames[1], "Marbelo");
  }

  void TearDown() override {
    SetDrawFromRecordings(true);
    NewConstruction(20, 20, 20);
    Construction.ProgramDir = BuildProgramDir();
    SetMessageSink(OldSink);
    std::error_code Error;
    fs::remove_all(Folder, Error);
    EXPECT_TRUE(Messages.empty()) << Messages.front();
  }

  // A new construction on a base of Width x Length cells with only the given
  // kit libraries (under the given names) in the Kits folder, all in use.
  void UseKits(int Width, int Length, const std::vector<std::pair<fs::path, std::string>> &Kits) {
    NewConstruction(Width, Length, 40);
    std::error_code Error;
    fs::remove_all(Folder / "Kits", Error);
    fs::create_directory(Folder / "Kits");
    for (const auto &[Library, Name] : Kits)
      fs::copy_file(Library, Folder / "Kits" / (Name + ".so"));
    LoadAllKits();
  }

  void ExpectSamePictures(const std::string &What) {
    for (const TView &V : Views) {
      CurrentCamera() = {"", V.Distance, V.Tilt, V.Turn, V.PanX, V.PanY};
      const double Share = ShareDiffering();
      EXPECT_LE(Share, 0.001) << What << ", " << V.Name << " view: " << Share * 100 << " % differ";
    }
    ResetCamera(CurrentCamera());
  }

  fs::path Folder;
  TMessageSink OldSink;
  std::vector<std::string> Messages;
};

TEST_F(RecordedDrawing, EveryPieceInEveryRotationLooksAsItsKitDrawsIt) {
  for (uint8_t Piece = 1; Piece <= 11; ++Piece)
    for (uint8_t Rotation = 1; Rotation <= 4; ++Rotation)
      EXPECT_NE(TrustedLook(Construction.Kits[1], Piece, Rotation), nullptr)
          << "piece " << int(Piece) << " rotation " << int(Rotation) << ": "
          << Construction.Kits[1].Drawings->Look[Piece][Rotation].Untrusted;
  EveryPieceInEveryRotation(false);
  ExpectSamePictures("dense blocks");
  Construction.PieceCount = 0;
  ClearOccupancy();
  EveryPieceInEveryRotation(true);
  ExpectSamePictures("standing free");
}

// The buffers follow every change: faces left out between touching pieces
// show again when a neighbour goes, and go again when it comes back; the
// pieces of a kit move to another number when a kit before it goes.
TEST_F(RecordedDrawing, PicturesStayTheSameThroughEveryChange) {
  StartHistory();
  EveryPieceInEveryRotation(false);
  // A stack of kit 2's bricks in the first free square, a door against it.
  for (int Z = 0; Z < 3; ++Z)
    for (int X = 0; X < 6; X += 2)
      Place(1, 1, 44 + X, 128, Z, 2);
  Place(6, 1, 50, 128, 0, 2);
  ExpectSamePictures("built");
  // The bricks under it came earlier: the top they hid shows again.
  ExtractPiece(Construction.Occupancy[46][128][2]);
  ExpectSamePictures("a brick taken from the top of the stack");
  EditHistory().undo();
  // Piece 1 is the lower front left brick of the first block; 5 lies on it.
  ExtractPiece(1);
  ExpectSamePictures("a brick taken from under another");
  EditHistory().undo();
  ExpectSamePictures("the extraction taken back");
  EditHistory().redo();
  ExpectSamePictures("the extraction carried out again");
  const TPlacedPiece &Top = Construction.Pieces[Construction.PieceCount];
  uint8_t SZ = 0;
  BoxOf(uint8_t(Top.Piece), Top.Rotation, SZ);
  InsertPiece({1, 1, Top.X, Top.Y, uint8_t(Top.Z + SZ), 1});
  ExpectSamePictures("a brick put on top");
  EditHistory().undo();
  ExpectSamePictures("the insertion taken back");
  // Marbelo's pieces go, then Marbelo: the twin becomes kit 1.
  std::vector<TPlacedPiece> Twins;
  for (int N = 1; N <= Construction.PieceCount; ++N)
    if (Construction.Pieces[N].Kit == 2)
      Twins.push_back(Construction.Pieces[N]);
  Construction.PieceCount = 0;
  ClearOccupancy();
  for (const TPlacedPiece &P : Twins)
    Place(uint8_t(P.Piece), P.Rotation, P.X, P.Y, P.Z, 2);
  ExpectSamePictures("the other kit's pieces gone");
  ASSERT_TRUE(UnloadKit(1));
  ASSERT_EQ(Construction.Pieces[1].Kit, 1);
  ExpectSamePictures("the kit taken out");
}

// A camera whose near plane cuts into a tower of bricks sees inside them,
// where the faces the buffers leave out would be missing: such a picture is
// drawn by the kits.
TEST_F(RecordedDrawing, ACameraAmongThePiecesSeesTheirInsides) {
  for (int Z = 0; Z < 12; ++Z)
    for (int X = 70; X < 78; X += 2)
      for (int Y = 70; Y < 74; ++Y)
        Place(1, 1, X, Y, Z);
  // Looking straight down from half a cell above the tower's middle: the
  // near plane lies in its eleventh layer.
  CurrentCamera() = {"", 12.5, 0, 0, 75 - 74, 75 - 72};
  SetDrawFromRecordings(false);
  const std::vector<uint8_t> Immediate = DrawLookPicture();
  EXPECT_TRUE(ShowsPieces(Immediate));
  SetDrawFromRecordings(true);
  EXPECT_LE(DifferentPixels(Immediate, DrawLookPicture(), 3), int(Immediate.size() / 4 / 1000));
  ResetCamera(CurrentCamera());
  EXPECT_LE(ShareDiffering(), 0.001);
}

// Kits whose pieces cannot be recorded: such a piece is drawn by its kit, in
// the picture the recorded ones are drawn in, and a piece that leaves state
// behind has the whole scene drawn by the kits in order, as always.
TEST_F(RecordedDrawing, KitsThatCannotBeRecordedDrawThemselves) {
  for (const char *Kit : {"VertexArrays", "DisplayList", "Rects", "Evaluator", "Nothing", "Changing", "LeavesState"}) {
    SCOPED_TRACE(Kit);
    UseKits(12, 12, {{std::string(DRAWING_KITS_DIR "/Draws") + Kit + ".so", Kit}});
    ASSERT_EQ(Construction.KitCount, 1);
    const bool DrawsNothing = std::string(Kit) == "Nothing";
    EXPECT_EQ(TrustedLook(Construction.Kits[1], 1, 1) != nullptr, DrawsNothing)
        << Construction.Kits[1].Drawings->Look[1][1].Untrusted;
    EXPECT_NE(TrustedLook(Construction.Kits[1], 2, 1), nullptr);
    // Four of piece 1, so that every picture starts the changing drawing at
    // the same call; piece 2 among them, one standing on piece 1.
    for (int X : {2, 4, 6, 8})
      Place(1, 1, X, 3, 0);
    for (int X : {3, 5, 7})
      Place(2, 1, X, 6, 0);
    Place(2, 1, 4, 3, 1);
    for (const TView &V : {TView{"whole", 18, 55, 0, 0, 0}, TView{"near", 8, 70, 30, 0, 2}}) {
      CurrentCamera() = {"", V.Distance, V.Tilt, V.Turn, V.PanX, V.PanY};
      SetDrawFromRecordings(false);
      const std::vector<uint8_t> Immediate = DrawLookPicture();
      EXPECT_TRUE(ShowsPieces(Immediate));
      SetDrawFromRecordings(true);
      EXPECT_LE(DifferentPixels(Immediate, DrawLookPicture(), 3), int(Immediate.size() / 4 / 1000)) << V.Name;
    }
  }
}

} // namespace
