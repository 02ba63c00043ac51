// The piece chooser's rules without its window: how many slots a column
// holds and where they go, and how clicks, arrows and the spin timer move the
// selection and scroll the slots through a kit.
#include "shell/ChooserState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> Tops(const TSlotLayout &Layout) {
  std::vector<int> Result;
  for (int S = 1; S <= Layout.Count; ++S)
    Result.push_back(Layout.Top(S));
  return Result;
}

TEST(ChooserSlots, ColumnHeightSetsCountGapAndTops) {
  const TSlotLayout L1024 = SlotLayout(1024); // 880 free: 6 slots, 34 spare
  EXPECT_EQ(L1024.Count, 6);
  EXPECT_EQ(L1024.Gap, 5);
  EXPECT_EQ(Tops(L1024), (std::vector<int>{64, 210, 356, 502, 648, 794}));

  const TSlotLayout L768 = SlotLayout(768); // 624 free: 4 slots, 60 spare
  EXPECT_EQ(L768.Count, 4);
  EXPECT_EQ(L768.Gap, 15);
  EXPECT_EQ(Tops(L768), (std::vector<int>{64, 220, 376, 532}));

  const TSlotLayout L2000 = SlotLayout(2000); // room for 12, capped
  EXPECT_EQ(L2000.Count, 10);
  EXPECT_EQ(L2000.Gap, 44);
  EXPECT_EQ(L2000.Top(10), 64 + 9 * 185);

  EXPECT_EQ(SlotLayout(288).Count, 0); // one pixel short of a slot
  EXPECT_EQ(SlotLayout(289).Count, 1);
  EXPECT_EQ(SlotLayout(100).Count, 0);
}

class Chooser : public testing::Test {
protected:
  void Start(int Pieces, int Slots, int KitIndex = 1) {
    State.BuildSlots({Slots, 0});
    State.Fill(KitIndex, Pieces);
  }

  // Every slot's piece, the selected one starred, "-" for an empty slot.
  std::string Slots() const {
    std::string Text;
    for (int S = 1; S <= State.SlotCount; ++S) {
      const TSlotPicture P = State.Picture(S);
      Text += S > 1 ? " " : "";
      if (P.Kind == TSlotPicture::Empty)
        Text += "-";
      else
        Text += (P.Kind == TSlotPicture::Spinning ? "*" : "") + std::to_string(P.Piece);
    }
    return Text;
  }

  void Press(bool (TChooserState::*Arrow)(), int Times) {
    for (int I = 0; I < Times; ++I)
      (State.*Arrow)();
  }

  uint8_t Kit = 0, Piece = 0; // as the construction record keeps them
  TChooserState State{Kit, Piece};
};

TEST_F(Chooser, StartsOnTheFirstPieceAndKeepsTheRecord) {
  EXPECT_FALSE(State.SlotsBuilt());
  Start(11, 6, 2);
  EXPECT_TRUE(State.SlotsBuilt());
  EXPECT_EQ(Slots(), "*1 2 3 4 5 6");
  EXPECT_EQ(State.Caption(), "1/11");
  EXPECT_EQ(Kit, 2);
  EXPECT_EQ(Piece, 1);
  EXPECT_TRUE(State.Shows(2));
  EXPECT_FALSE(State.Shows(1));

  Press(&TChooserState::StepRight, 3);
  EXPECT_EQ(Piece, 4);
  State.Fill(1, 5); // another kit starts over
  EXPECT_EQ(Slots(), "*1 2 3 4 5 -");
  EXPECT_EQ(State.Caption(), "1/5");
  EXPECT_EQ(Kit, 1);
}

// Filled again on the chosen piece (as after an undo), the chooser selects
// that piece, scrolled only as far as it must be; a piece the kit does not
// have gives its first.
TEST_F(Chooser, FillsOnTheChosenPiece) {
  Start(11, 6);
  State.Fill(1, 11, 4);
  EXPECT_EQ(Slots(), "1 2 3 *4 5 6");
  State.Fill(1, 11, 9);
  EXPECT_EQ(Slots(), "4 5 6 7 8 *9");
  EXPECT_EQ(Piece, 9);
  State.Fill(1, 11, 12);
  EXPECT_EQ(Slots(), "*1 2 3 4 5 6");
}

TEST_F(Chooser, RightArrowWalksTheSlotsThenScrolls) {
  Start(11, 6);
  Press(&TChooserState::StepRight, 5);
  EXPECT_EQ(Slots(), "1 2 3 4 5 *6");
  EXPECT_EQ(State.Slot, 6);
  EXPECT_EQ(Piece, 6);

  EXPECT_TRUE(State.StepRight());
  EXPECT_EQ(Slots(), "2 3 4 5 6 *7");
  EXPECT_EQ(State.Caption(), "7/11");
  EXPECT_EQ(Piece, 7);

  Press(&TChooserState::StepRight, 4);
  EXPECT_EQ(Slots(), "6 7 8 9 10 *11");
  EXPECT_FALSE(State.StepRight()); // the last piece
  EXPECT_EQ(Slots(), "6 7 8 9 10 *11");
  EXPECT_EQ(State.Caption(), "11/11");
}

TEST_F(Chooser, LeftArrowWalksBackThenScrollsToTheFirstPiece) {
  Start(11, 6);
  EXPECT_FALSE(State.StepLeft()); // the first piece
  EXPECT_EQ(Slots(), "*1 2 3 4 5 6");

  Press(&TChooserState::StepRight, 10);
  Press(&TChooserState::StepLeft, 5);
  EXPECT_EQ(Slots(), "*6 7 8 9 10 11");
  EXPECT_TRUE(State.StepLeft());
  EXPECT_EQ(Slots(), "*5 6 7 8 9 10");
  EXPECT_EQ(State.Caption(), "5/11");
  Press(&TChooserState::StepLeft, 4);
  EXPECT_EQ(Slots(), "*1 2 3 4 5 6");
  EXPECT_FALSE(State.StepLeft());
  EXPECT_EQ(Piece, 1);
}

TEST_F(Chooser, ClickSelectsThePieceTheSlotShows) {
  Start(11, 6);
  Press(&TChooserState::StepRight, 8); // slots show 4..9
  ASSERT_TRUE(State.Select(2));
  EXPECT_EQ(Piece, 5);
  EXPECT_TRUE(State.Select(4));
  EXPECT_EQ(Slots(), "4 5 6 *7 8 9");
  EXPECT_EQ(State.Caption(), "7/11");
  EXPECT_EQ(Piece, 7);

  EXPECT_FALSE(State.Select(4)); // already selected
  EXPECT_FALSE(State.Select(0));
  EXPECT_FALSE(State.Select(7));
  EXPECT_EQ(Slots(), "4 5 6 *7 8 9");
}

TEST_F(Chooser, SpinRunsThroughTheEightFramesFromTheStill) {
  Start(11, 6);
  EXPECT_EQ(State.Picture(1), (TSlotPicture{TSlotPicture::Spinning, 1, 7}));
  State.StepSpin(); // a fresh fill counts from frame 1
  EXPECT_EQ(State.Picture(1).Frame, 2);

  State.Select(3);
  std::vector<int> Frames{State.Picture(3).Frame};
  for (int Tick = 0; Tick < 9; ++Tick) {
    State.StepSpin();
    Frames.push_back(State.Picture(3).Frame);
  }
  EXPECT_EQ(Frames, (std::vector<int>{7, 8, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(State.Picture(1), (TSlotPicture{TSlotPicture::Still, 1, 0}));

  State.StepRight(); // any new selection starts again on the still
  EXPECT_EQ(State.Picture(4).Frame, 7);
}

TEST_F(Chooser, SlotsBeyondASmallKitStayEmptyAndInert) {
  Start(3, 6);
  EXPECT_EQ(Slots(), "*1 2 3 - - -");
  for (int S = 4; S <= 6; ++S) {
    EXPECT_FALSE(State.Select(S)) << S;
    EXPECT_FALSE(State.IsSelected(S));
  }
  Press(&TChooserState::StepRight, 2);
  EXPECT_EQ(Slots(), "1 2 *3 - - -");
  EXPECT_FALSE(State.StepRight());
  EXPECT_EQ(Piece, 3);
  EXPECT_EQ(State.Caption(), "3/3");
}

TEST_F(Chooser, OneSlotScrollsEveryStep) {
  Start(3, 1);
  EXPECT_TRUE(State.StepRight());
  EXPECT_EQ(Slots(), "*2");
  EXPECT_TRUE(State.StepRight());
  EXPECT_FALSE(State.StepRight());
  EXPECT_TRUE(State.StepLeft());
  EXPECT_EQ(Slots(), "*2");
}

} // namespace
