// The pop-up list panel in a window of its own: where the panels drop, the
// scroll buttons and their hover pictures, a click on a row, on the empty
// panel and on the cover, and naming and adding a view.
#include "edits/ViewEdits.h"
#include "model/Global.h"
#include "shell/Artwork.h"
#include "shell/LabelButton.h"
#include "shell/ListPanel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

class ListPanel : public testing::Test {
protected:
  void SetUp() override {
    Window.setGeometry(0, 0, 1000, 800);
    Column = new QWidget(&Window);
    Column->setGeometry(0, 0, 129, 800);
    ConstructionButton = new QWidget(Column);
    ConstructionButton->setGeometry(0, 15, 129, 30);
    ViewsButton = new QWidget(Column);
    ViewsButton->setGeometry(0, 100, 81, 30);
    Panel = new TListPanel(&Window);
    Panel->Effects.LookRender = Panel->Effects.RedrawPreviews = [] {};
    Window.show();
    std::fill(Construction.Views, Construction.Views + MaxViews + 1, TPosition());
    Construction.ViewCount = 13; // V1..V12 and the camera
    for (int I = 1; I <= 12; ++I)
      Construction.Views[I] = {"V" + std::to_string(I), double(I), 0, 0, 0, 0};
    Construction.FirstShownView = 1;
  }

  QString FirstRow() const { return Panel->lblItems[1]->text(); }

  bool AnyShown() const {
    return Panel->pViews->isVisible() || Panel->pViewsUp->isVisible() || Panel->pAddView->isVisible();
  }

  int ScreenHeight() const { return Window.screen()->geometry().height(); }

  QWidget Window;
  QWidget *Column, *ConstructionButton, *ViewsButton;
  TListPanel *Panel;
};

TEST_F(ListPanel, DropsBelowTheButtonAndCoversTheColumnAbove) {
  Panel->OpenViews(ViewsButton, ConstructionButton, ListApplyView);
  EXPECT_TRUE(Panel->pViews->isVisible());
  EXPECT_FALSE(Panel->pAddView->isVisible());
  EXPECT_EQ(Panel->pViews->geometry(), QRect(0, 130, 129, ScreenHeight() - 100 - 42));
  EXPECT_EQ(Panel->pViewsUp->geometry(), QRect(0, 15, 129, 85));
  EXPECT_EQ(Panel->lblItems[10]->text(), "V10");

  QTest::mouseClick(Panel->pViewsUp, Qt::LeftButton);
  EXPECT_FALSE(AnyShown());
  Panel->OpenViews(ViewsButton, ConstructionButton, ListDeleteView);
  QTest::mouseClick(Panel->pViews, Qt::LeftButton, {}, QPoint(60, 300));
  EXPECT_FALSE(AnyShown());
}

TEST_F(ListPanel, ScrollButtonsMoveOnPressAndLightUp) {
  Panel->OpenViews(ViewsButton, ConstructionButton, ListApplyView);
  // A fast double press, as the window system delivers it, moves two rows.
  auto DoublePress = [this](QWidget *Button) {
    QTest::mouseDClick(Window.windowHandle(), Qt::LeftButton, {},
                       Button->mapTo(&Window, Button->rect().center()));
  };
  DoublePress(Panel->lblViewsDown);
  EXPECT_EQ(FirstRow(), "V3");
  DoublePress(Panel->lblViewsUp);
  EXPECT_EQ(FirstRow(), "V1");
  for (int Press = 0; Press < 3; ++Press)
    QTest::mousePress(Panel->lblViewsDown, Qt::LeftButton);
  EXPECT_EQ(FirstRow(), "V3");
  QTest::mousePress(Panel->lblViewsUp, Qt::LeftButton);
  EXPECT_EQ(FirstRow(), "V2");

  QEnterEvent Enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(Panel->lblViewsDown, &Enter);
  EXPECT_EQ(Panel->lblViewsDown->Image->pixmap().toImage(),
            ArtworkPicture("ViewsDownBlue").toImage());

  QTest::mouseClick(Panel->lblItems[1], Qt::LeftButton);
  EXPECT_EQ(Construction.Views[13].Name, "V2");
  EXPECT_EQ(Panel->List.ClickedItem, 1);
  EXPECT_FALSE(AnyShown());
}

TEST_F(ListPanel, AddsTheNamedViewAndClosesEitherWay) {
  Panel->ProposeView(ViewsButton, ConstructionButton);
  EXPECT_TRUE(Panel->pAddView->isVisible());
  EXPECT_TRUE(Panel->pViewsUp->isVisible());
  EXPECT_FALSE(Panel->pViews->isVisible());
  EXPECT_EQ(Panel->edView->text(), "View 1");
  QTest::keyClicks(Panel->edView, "Garden view");
  EXPECT_EQ(Panel->edView->text(), "Garden v");
  QTest::mouseClick(Panel->lblAddView, Qt::LeftButton);
  EXPECT_FALSE(AnyShown());
  ASSERT_EQ(Construction.ViewCount, 14);
  EXPECT_EQ(Construction.Views[13].Name, "Garden v");

  Panel->ProposeView(ViewsButton, ConstructionButton);
  Panel->edView->clear();
  QTest::mouseClick(Panel->lblAddView, Qt::LeftButton);
  EXPECT_FALSE(AnyShown());
  EXPECT_EQ(Construction.ViewCount, 14);
}

} // namespace

// A widget application, except for listing the tests.
int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<QApplication> App;
  if (!GTEST_FLAG_GET(list_tests))
    App = std::make_unique<QApplication>(argc, argv);
  return RUN_ALL_TESTS();
}
