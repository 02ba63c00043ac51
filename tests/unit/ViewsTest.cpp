// Saved views and the pop-up list: the name proposed for a new view, adding,
// applying and deleting views, paging through a list one row at a time, and
// what a click on a row of each kind of list does to the construction and
// sets off. Drawing and the kit manager are replaced by a log of calls.
#include "edits/History.h"
#include "edits/ViewEdits.h"
#include "model/Global.h"
#include "render/Views.h"
#include "shell/PopupList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

void ExpectSame(const TPosition &A, const TPosition &B, bool Names = true) {
  if (Names) {
    EXPECT_EQ(A.Name, B.Name);
  }
  EXPECT_EQ(A.Distance, B.Distance);
  EXPECT_EQ(A.Tilt, B.Tilt);
  EXPECT_EQ(A.Turn, B.Turn);
  EXPECT_EQ(A.PanX, B.PanX);
  EXPECT_EQ(A.PanY, B.PanY);
}

// The piece sizes a kit's piece 1 reports.
void FakeGetPiece(uint8_t, uint8_t *SizeX, uint8_t *SizeY, uint8_t *SizeZ) {
  *SizeX = 2;
  *SizeY = 3;
  *SizeZ = 4;
}

class Views : public testing::Test {
protected:
  void SetUp() override {
    TConstruction &C = Construction;
    std::fill(C.Views, C.Views + MaxViews + 1, TPosition());
    C.ViewCount = 1;
    C.Views[1] = Camera;
    C.FirstShownView = C.FirstShownKit = C.FirstShownAvailableKit = 1;
    C.KitCount = C.AvailableKitCount = 0;
    C.CurrentKit = C.CurrentPiece = C.CurrentRotation = C.AnchorCell = 0;
    C.ChooserKit = 7;
    Effects.HidePanels = [this] { Log.push_back("hide"); };
    Effects.LookRender = [this] { Log.push_back("look"); };
    Effects.RedrawPreviews = [this] { Log.push_back("previews"); };
    Effects.LoadKit = [this](int K) {
      Log.push_back("load " + std::to_string(K));
      return true;
    };
    Effects.UnloadKit = [this](int K) { Log.push_back("unload " + std::to_string(K)); };
  }

  // Saves the camera under each name in turn, the camera moving on between.
  void Save(std::initializer_list<const char *> Names) {
    for (const char *Name : Names) {
      ASSERT_TRUE(AddView(Name));
      CurrentCamera().Distance += 10;
    }
  }

  static TPosition &CurrentCamera() { return Construction.Views[Construction.ViewCount]; }

  std::vector<std::string> Rows() const {
    std::vector<std::string> Texts;
    for (int Row = 1; Row <= ListRows; ++Row)
      Texts.push_back(List.RowText(Row));
    return Texts;
  }

  // Rows of a list whose entry I is named N<I>, from First, ten rows, the
  // rows past Count empty.
  static std::vector<std::string> Expected(const char *N, int First, int Count) {
    std::vector<std::string> Texts;
    for (int I = First; I < First + ListRows; ++I)
      Texts.push_back(I <= Count ? N + std::to_string(I) : "");
    return Texts;
  }

  void Click(uint8_t Kind, int Row) {
    List.Open(Kind);
    List.Click(Row, Effects);
  }

  const TPosition Camera{"", 80, 30, 45, 1.5, -2};
  TPopupList List;
  TListEffects Effects;
  std::vector<std::string> Log;
};

using Strings = std::vector<std::string>;

TEST_F(Views, ProposesTheFirstNumberedNameNoEntryBears) {
  EXPECT_EQ(ProposedViewName(), "View 1");
  Save({"View 1", "View 3"});
  EXPECT_EQ(ProposedViewName(), "View 2");
  Save({"View 2"});
  EXPECT_EQ(ProposedViewName(), "View 4");
  // Names compare exactly, and the live camera's name counts (as after
  // applying a view); when every name tried is taken, the last one is offered.
  SetUp();
  Save({"view 1", "View 2 "});
  EXPECT_EQ(ProposedViewName(), "View 1");
  SetUp();
  Save({"View 2"});
  CurrentCamera().Name = "View 1";
  EXPECT_EQ(ProposedViewName(), "View 2");
}

TEST_F(Views, AnEmptyNameOrAFullTableAddsNothing) {
  EXPECT_FALSE(AddView(""));
  EXPECT_FALSE(AddView(" \t ")); // a saved file would give it back empty
  EXPECT_EQ(Construction.ViewCount, 1);
  // 98 saved views: the 99th, under a name of the full 8 characters, still
  // goes in, and the table of 100 (with the live camera) takes no more.
  Construction.ViewCount = 99;
  CurrentCamera() = Camera;
  EXPECT_TRUE(AddView("Last one"));
  EXPECT_EQ(Construction.ViewCount, 100);
  EXPECT_FALSE(AddView("More"));
  EXPECT_EQ(Construction.ViewCount, 100);
  ExpectSame(CurrentCamera(), Camera);
  EXPECT_EQ(Construction.Views[99].Name, "Last one");
}

TEST_F(Views, DeletingAViewKeepsTheOthersInOrderAndTheCamera) {
  Save({"A", "B", "C"});
  const TPosition A = Construction.Views[1], C = Construction.Views[3], Live = CurrentCamera();
  Click(ListDeleteView, 2);
  ASSERT_EQ(Construction.ViewCount, 3);
  ExpectSame(Construction.Views[1], A);
  ExpectSame(Construction.Views[2], C);
  ExpectSame(CurrentCamera(), Live);
  EXPECT_EQ(Log, Strings({"hide"})) << "deleting redraws nothing";
  EXPECT_EQ(Rows(), Strings({"A", "C", "", "", "", "", "", "", "", ""}));
}

TEST_F(Views, ApplyingAViewThenAddingStoresTheSameNumbers) {
  Save({"A", "B"});
  Click(ListApplyView, 1);
  ExpectSame(CurrentCamera(), Construction.Views[1]);
  EXPECT_EQ(Log, Strings({"hide", "look", "previews"}));
  ASSERT_TRUE(AddView("Again"));
  EXPECT_EQ(Construction.Views[3].Name, "Again");
  ExpectSame(Construction.Views[3], Construction.Views[1], false);
  ExpectSame(CurrentCamera(), Construction.Views[1]);
}

// Camera moves are no edits: taking back an added or a deleted view leaves
// the live camera where it has gone since, and adding it again stores the
// view as it was saved.
TEST_F(Views, UndoAndRedoLeaveTheCameraWhereItIs) {
  StartHistory();
  Save({"A", "B"});
  const TPosition A = Construction.Views[1], B = Construction.Views[2];
  CurrentCamera().Name = "A";
  CurrentCamera().Tilt = 12;
  const TPosition Live = CurrentCamera();
  EditHistory().undo();
  ASSERT_EQ(Construction.ViewCount, 2);
  ExpectSame(CurrentCamera(), Live);
  EditHistory().redo();
  ASSERT_EQ(Construction.ViewCount, 3);
  ExpectSame(Construction.Views[2], B);
  ExpectSame(CurrentCamera(), Live);
  Click(ListDeleteView, 1);
  EditHistory().undo();
  ASSERT_EQ(Construction.ViewCount, 3);
  ExpectSame(Construction.Views[1], A);
  ExpectSame(Construction.Views[2], B);
  ExpectSame(CurrentCamera(), Live);
}

TEST_F(Views, ClicksOnEmptyRowsOnlyRecordTheRow) {
  Save({"A"});
  const TPosition Live = CurrentCamera();
  for (uint8_t Kind : {ListApplyView, ListDeleteView, ListChooseKit, ListAddKit, ListRemoveKit}) {
    Click(Kind, 2);
    EXPECT_EQ(List.ClickedItem, 2);
    List.Open(Kind);
    EXPECT_EQ(List.ClickedItem, 0);
  }
  // Rows of entries whose names are empty (a view named in blanks, as a
  // file gives it back; a kit list filled by hand) do nothing either.
  Construction.Views[1].Name.clear();
  Construction.KitCount = Construction.AvailableKitCount = 1;
  Construction.KitNames[1].clear();
  Construction.AvailableKitNames[1].clear();
  for (uint8_t Kind : {ListApplyView, ListDeleteView, ListChooseKit, ListAddKit, ListRemoveKit})
    Click(Kind, 1);
  Construction.KitCount = Construction.AvailableKitCount = 0;
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Construction.ViewCount, 2);
  ExpectSame(CurrentCamera(), Live);
  EXPECT_EQ(Construction.ChooserKit, 7);
}

TEST_F(Views, TwelveViewsPageOneRowAtATime) {
  for (int I = 1; I <= 12; ++I)
    Save({("V" + std::to_string(I)).c_str()});
  List.Open(ListApplyView);
  EXPECT_FALSE(List.ScrollUp());
  EXPECT_EQ(Rows(), Expected("V", 1, 12));
  EXPECT_TRUE(List.ScrollDown());
  EXPECT_EQ(Rows(), Expected("V", 2, 12));
  EXPECT_TRUE(List.ScrollDown());
  EXPECT_EQ(Rows(), Expected("V", 3, 12));
  EXPECT_FALSE(List.ScrollDown());
  EXPECT_EQ(Construction.FirstShownView, 3);
  // A row shows the entry first + row - 1.
  List.Click(1, Effects);
  EXPECT_EQ(CurrentCamera().Name, "V3");
  List.Open(ListDeleteView);
  EXPECT_EQ(Rows(), Expected("V", 3, 12)) << "the list stays where it was scrolled";
  EXPECT_TRUE(List.ScrollUp());
  EXPECT_TRUE(List.ScrollUp());
  EXPECT_FALSE(List.ScrollUp());
  EXPECT_EQ(Construction.FirstShownView, 1);
}

TEST_F(Views, KitListsPageOverTheirOwnCounts) {
  Construction.KitCount = 12;
  Construction.AvailableKitCount = 3;
  for (int I = 1; I <= 12; ++I)
    Construction.KitNames[I] = "K" + std::to_string(I);
  for (int I = 1; I <= 3; ++I)
    Construction.AvailableKitNames[I] = "A" + std::to_string(I);
  List.Open(ListRemoveKit);
  EXPECT_TRUE(List.ScrollDown());
  EXPECT_TRUE(List.ScrollDown());
  EXPECT_FALSE(List.ScrollDown());
  EXPECT_EQ(Rows(), Expected("K", 3, 12));
  List.Open(ListChooseKit);
  EXPECT_EQ(Rows(), Expected("K", 3, 12)) << "both lists of kits in use share one position";
  List.Open(ListAddKit);
  EXPECT_EQ(Rows(), Expected("A", 1, 3));
  EXPECT_FALSE(List.ScrollDown());
  EXPECT_FALSE(List.ScrollUp());
  // Exactly ten kits fill the list without scrolling; an eleventh scrolls.
  Construction.AvailableKitCount = 10;
  EXPECT_FALSE(List.ScrollDown());
  Construction.AvailableKitCount = 11;
  EXPECT_TRUE(List.ScrollDown());
  EXPECT_EQ(Construction.FirstShownKit, 3);
}

TEST_F(Views, ChoosingAKitTakesItsFirstPiece) {
  Construction.KitCount = 3;
  Construction.KitNames[2] = "K2";
  Construction.Kits[2].GetPiece = FakeGetPiece;
  Construction.CurrentRotation = 3;
  Construction.CurrentPiece = 5;
  Click(ListChooseKit, 2);
  EXPECT_EQ(Construction.CurrentKit, 2);
  EXPECT_EQ(Construction.CurrentPiece, 1);
  EXPECT_EQ(Construction.CurrentRotation, 1);
  EXPECT_EQ(Construction.CurrentSizeX, 2);
  EXPECT_EQ(Construction.CurrentSizeY, 3);
  EXPECT_EQ(Construction.CurrentSizeZ, 4);
  EXPECT_EQ(Construction.AnchorCell, 1);
  EXPECT_EQ(Construction.ChooserKit, 7) << "the chooser sees the new kit by itself";
  EXPECT_EQ(Log, Strings({"previews", "hide"}));
  Construction.Kits[2] = TKit();
}

TEST_F(Views, OnlyRemovingAKitRefreshesThePieceChooser) {
  Construction.KitCount = 12;
  Construction.AvailableKitCount = 2;
  Construction.FirstShownKit = 3;
  Construction.KitNames[6] = "K6";
  Construction.AvailableKitNames[2] = "A2";
  Click(ListAddKit, 2); // the new kit comes last: every number stays
  EXPECT_EQ(Construction.ChooserKit, 7);
  Click(ListRemoveKit, 4);
  EXPECT_EQ(Construction.ChooserKit, 0);
  EXPECT_EQ(Log, Strings({"load 2", "hide", "unload 6", "hide"}));
}

} // namespace
