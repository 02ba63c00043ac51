// The piece chooser window with the real kit: the kit's pictures in its
// slots as the selection moves and scrolls, the selection kept over Cancel
// and re-opening, and what OK and a double click make the piece to insert.
#include "Editor.h"
#include "model/Global.h"
#include "render/Previews.h"
#include "shell/Choose.h"
#include "shell/LabelButton.h"
#include "viewport/Look.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

constexpr int ColumnHeight = 1024, ColumnWidth = 129; // six slots

QImage Rgb(const QImage &Image) { return Image.convertToFormat(QImage::Format_RGB32); }

class ChooserWindow : public testing::Test {
protected:
  void SetUp() override {
    fLook = &StartEditor();
    NewConstruction(40, 40, 20);
    LoadAllKits();
    ASSERT_EQ(Construction.KitCount, 1);
    ASSERT_EQ(Kit().KitPieceCount, 11);
    ASSERT_EQ(Construction.CurrentKit, 1);
    Chooser = std::make_unique<TfChoose>();
  }

  void TearDown() override {
    Chooser.reset();
    Construction.ChooserKit = Construction.ChooserPiece = 0;
  }

  static const TKit &Kit() { return Construction.Kits[1]; }

  void Open() { Chooser->ShowPieceChooser(ColumnHeight, ColumnWidth); }

  bool SlotShows(int Slot, const TBitmap &Picture) const {
    const QLabel *Image = Chooser->SlotImage(Slot);
    return Image && Rgb(Image->pixmap().toImage()) == Rgb(Picture.Image());
  }

  // Slots 1..6 show pieces First.. as stills, except the selected slot,
  // which shows spin frame Frame of its piece on blue.
  void ExpectSlots(int First, int Selected, int Frame) const {
    for (int S = 1; S <= 6; ++S) {
      const int Piece = First + S - 1;
      const TBitmap &Expected =
          S == Selected ? Kit().Frames[Piece][Frame] : Kit().Thumbnails[Piece];
      EXPECT_TRUE(SlotShows(S, Expected)) << "slot " << S << ", piece " << Piece;
      EXPECT_EQ(Chooser->SlotIsBlue(S), S == Selected) << "slot " << S;
    }
    const int Piece = First + Selected - 1;
    EXPECT_EQ(Chooser->lblModel->text(), QString("%1/11").arg(Piece));
    EXPECT_EQ(Construction.ChooserPiece, Piece);
  }

  static void Click(QWidget *Widget) { QTest::mouseClick(Widget, Qt::LeftButton); }

  std::unique_ptr<TfChoose> Chooser;
};

TEST_F(ChooserWindow, OpensOverTheLeftColumnWithTheKitsPictures) {
  EXPECT_FALSE(Chooser->isVisible());
  Open();
  ASSERT_TRUE(Chooser->isVisible());
  EXPECT_TRUE(Chooser->SpinTimer->isActive());
  const QPoint Origin = QGuiApplication::primaryScreen()->geometry().topLeft();
  EXPECT_EQ(Chooser->geometry(), QRect(Origin + QPoint(0, 16), QSize(ColumnWidth, ColumnHeight - 32)));
  EXPECT_EQ(Chooser->lblKitName->text(), "Marbelo");
  EXPECT_EQ(Chooser->SlotBackground(2)->geometry(), QRect(4, 210, 121, 141));
  EXPECT_EQ(Chooser->SlotImage(6)->mapTo(Chooser.get(), QPoint()), QPoint(8, 798));
  EXPECT_EQ(Chooser->SlotImage(7), nullptr);
  EXPECT_EQ(Chooser->lblOK->geometry().bottom(), Chooser->height() - 9);
  ExpectSlots(1, 1, 7);

  Chooser->StepSpin();
  ExpectSlots(1, 1, 2);
}

TEST_F(ChooserWindow, ClicksAndArrowsMoveTheSelectionAndScroll) {
  Open();
  Click(Chooser->SlotImage(3));
  ExpectSlots(1, 3, 7);
  Chooser->StepSpin();
  Chooser->StepSpin();
  ExpectSlots(1, 3, 1);
  QTest::mouseClick(Chooser->SlotBackground(5), Qt::LeftButton, {}, QPoint(60, 130));
  ExpectSlots(1, 5, 7);

  Click(Chooser->lblModelRight);
  ExpectSlots(1, 6, 7);
  Click(Chooser->lblModelRight);
  ExpectSlots(2, 6, 7);

  for (int Press = 0; Press < 5; ++Press)
    Click(Chooser->lblModelLeft);
  ExpectSlots(2, 1, 7);
  Click(Chooser->lblModelLeft);
  ExpectSlots(1, 1, 7);
  Click(Chooser->lblModelLeft);
  ExpectSlots(1, 1, 7);
}

TEST_F(ChooserWindow, CancelKeepsTheSelectionForTheNextOpening) {
  Open();
  for (int Press = 0; Press < 6; ++Press)
    Click(Chooser->lblModelRight);
  ExpectSlots(2, 6, 7);

  Click(Chooser->lblCancel);
  EXPECT_FALSE(Chooser->isVisible());
  EXPECT_FALSE(Chooser->SpinTimer->isActive());
  EXPECT_EQ(Construction.CurrentPiece, 1);

  Open();
  EXPECT_TRUE(Chooser->SpinTimer->isActive());
  ExpectSlots(2, 6, 7);
}

TEST_F(ChooserWindow, OkAndDoubleClickChooseThePieceToInsert) {
  Construction.CurrentRotation = 3;
  Construction.AnchorCell = 2;
  const QImage Before = Previews.iPiece.Image().copy();
  Open();
  Click(Chooser->SlotImage(4));
  Click(Chooser->lblOK);
  EXPECT_FALSE(Chooser->isVisible());
  EXPECT_TRUE(fLook->isVisible());
  EXPECT_EQ(Construction.CurrentKit, 1);
  EXPECT_EQ(Construction.CurrentPiece, 4);
  EXPECT_EQ(Construction.CurrentRotation, 1);
  EXPECT_EQ(Construction.AnchorCell, 1);
  uint8_t X = 0, Y = 0, Z = 0;
  Kit().GetPiece(4, &X, &Y, &Z);
  EXPECT_EQ(std::tie(Construction.CurrentSizeX, Construction.CurrentSizeY, Construction.CurrentSizeZ),
            std::tie(X, Y, Z));
  EXPECT_TRUE(Previews.iPiece.Image() != Before) << "the preview still shows the old piece";

  Open();
  ExpectSlots(1, 4, 7);
  QLabel *Slot2 = Chooser->SlotImage(2);
  QTest::mouseClick(Slot2, Qt::LeftButton); // a double click begins with a click
  QTest::mouseDClick(Slot2, Qt::LeftButton);
  EXPECT_FALSE(Chooser->isVisible());
  EXPECT_EQ(Construction.CurrentPiece, 2);
}

} // namespace
