// The editor on a desktop with a real window manager (run by
// support/UnderOpenbox.sh): real pointer clicks and keys from xdotool, the
// window manager's own stacking list and focus, and the pixels on screen.
// The viewport must stay over the main window, at its place and in its
// shape, whatever is clicked; dialogs and message boxes must come up over
// both, centred on the main window and with the keyboard focus; another
// program must be able to come over the editor and go back under it.
#include "ShellFixture.h"
#include "model/Global.h"
#include "platform/Messages.h"
#include "render/Camera.h"
#include "render/Scene.h"
#include "shell/Base.h"
#include "shell/Choose.h"
#include "shell/LabelButton.h"
#include "shell/ListPanel.h"
#include "viewport/Look.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>

namespace {

// Runs a helper program to its end and returns what it printed.
QString RunTool(const QString &Program, const QStringList &Arguments) {
  QProcess P;
  P.start(Program, Arguments);
  EXPECT_TRUE(P.waitForFinished(10000)) << Program.toStdString();
  return QString::fromUtf8(P.readAllStandardOutput());
}

// The window manager's list of top-level windows, bottom to top.
std::vector<WId> Stacking() {
  const QString Out = RunTool("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
  std::vector<WId> Ids;
  for (const QString &Word : Out.section('#', 1).split(',', Qt::SkipEmptyParts))
    Ids.push_back(Word.trimmed().toULong(nullptr, 16));
  return Ids;
}

WId ActiveWindow() {
  return RunTool("xprop", {"-root", "_NET_ACTIVE_WINDOW"}).section('#', 1).trimmed().toULong(nullptr, 16);
}

// Lets the window manager restack and the program handle what followed.
void Settle() { QTest::qWait(400); }

// A real click of the pointer at a point of the screen.
void ClickAt(const QPoint &At) {
  RunTool("xdotool", {"mousemove", QString::number(At.x()), QString::number(At.y()), "click",
                  "1"});
  Settle();
}

void ClickOn(QWidget *Widget) {
  ASSERT_TRUE(Widget);
  ClickAt(Widget->mapToGlobal(Widget->rect().center()));
}

TLabelButton *MenuButton(const QString &Caption) {
  for (TLabelButton *Button : fBase->pConstruction->findChildren<TLabelButton *>())
    if (Button->text() == Caption)
      return Button;
  return nullptr;
}

void PressKey(const char *Key) { RunTool("xdotool", {"key", Key}); }

QColor ScreenPixel(const QPoint &At) {
  return QGuiApplication::primaryScreen()->grabWindow(0, At.x(), At.y(), 1, 1).toImage().pixelColor(0, 0);
}

const QColor Magenta(255, 0, 255);

// The viewport is on screen, uncovered, at its place and in its rounded
// shape: its scene colour shows near its top edge, and its cut-off corner
// shows the main window.
::testing::AssertionResult ViewportShows() {
  const QPoint Top = fLook->mapToGlobal(QPoint(fLook->width() / 2, 20));
  const QPoint Corner = fLook->mapToGlobal(QPoint(1, 1));
  if (ScreenPixel(Top) != Magenta)
    return ::testing::AssertionFailure() << "the viewport's scene does not show at " << Top.x()
                                         << "," << Top.y();
  if (ScreenPixel(Corner) == Magenta)
    return ::testing::AssertionFailure() << "the viewport's corner is not rounded";
  return ::testing::AssertionSuccess();
}

// What a modal window looks like to the window manager and on screen while
// it is open: on top of the stacking list, active, holding the focus,
// centred on the main window, and drawn over the viewport.
void ExpectOnTopAndFocused(QWidget *Dialog, const char *What) {
  ASSERT_TRUE(Dialog) << What << " did not open";
  const std::vector<WId> Stack = Stacking();
  ASSERT_FALSE(Stack.empty());
  EXPECT_EQ(Stack.back(), Dialog->winId()) << What << " is not on top";
  EXPECT_EQ(ActiveWindow(), Dialog->winId()) << What << " is not active";
  EXPECT_TRUE(Dialog->isAncestorOf(QApplication::focusWidget()) ||
              QApplication::focusWidget() == Dialog)
      << What << " has no keyboard focus";
  // Qt places a dialog by its own estimate of the window manager's frame,
  // so the frame's middle may lie up to a title bar or two above the main
  // window's middle.
  const QPoint Offset = Dialog->frameGeometry().center() - fBase->frameGeometry().center();
  EXPECT_LE(std::abs(Offset.x()), 20) << What << " is not centred on the main window";
  EXPECT_LE(std::abs(Offset.y()), 64) << What << " is not centred on the main window";
  const QPoint Inside = Dialog->mapToGlobal(QPoint(6, 6));
  EXPECT_EQ(ScreenPixel(Inside), Dialog->grab().toImage().pixelColor(6, 6))
      << What << " is not what the screen shows";
}

// Looks at the modal window that Action opens, then closes it with a key of
// the real keyboard, which only reaches it if it holds the focus. Should
// the key not close it, it is closed by the program after a while, and the
// test fails.
void InspectModal(const std::function<void()> &Action, const char *What, const char *CloseKey) {
  bool Inspected = false;
  QTimer::singleShot(800, [&] {
    QWidget *Dialog = QApplication::activeModalWidget();
    ExpectOnTopAndFocused(Dialog, What);
    Inspected = true;
    PressKey(CloseKey);
    QTimer::singleShot(5000, [What] {
      if (QWidget *Still = QApplication::activeModalWidget()) {
        ADD_FAILURE() << What << " did not take the key " << "from the keyboard";
        Still->close();
      }
    });
  });
  Action();
  EXPECT_TRUE(Inspected) << What;
  Settle();
}

class Desktop : public Shell {};

TEST_F(Desktop, EditorWindowsUnderAWindowManager) {
  ASSERT_TRUE(RunTool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"))
      << "no window manager runs on this display";
  StartNew("30", "30", "10");
  Settle();
  SetSceneColor(0x00FF00FF);
  fBase->ApplySceneColor();
  LookRender();
  Settle();

  // The main window covers the screen and the viewport sits centred right
  // of the left column.
  const QRect Screen = fBase->screen()->geometry();
  EXPECT_EQ(fBase->geometry(), Screen);
  EXPECT_EQ(fLook->mapToGlobal(QPoint(0, 0)), QPoint(305, 212));
  EXPECT_TRUE(ViewportShows()) << "after New construction";

  // Every button of the left column, clicked for real: the main window is
  // activated and raised by the window manager, the viewport stays over it.
  for (TLabelButton *Button : fBase->pLeft->findChildren<TLabelButton *>()) {
    if (!Button->isVisible())
      continue;
    const QPoint Where = Button->mapToGlobal(Button->rect().center());
    ClickOn(Button);
    EXPECT_TRUE(ViewportShows()) << "after a click at " << Where.x() << "," << Where.y() << " ("
                                 << Button->text().toStdString() << ")";
    if (fChoose->isVisible()) {
      ClickOn(fChoose->lblCancel);
      EXPECT_FALSE(fChoose->isVisible());
      EXPECT_TRUE(ViewportShows()) << "after the chooser's Cancel";
    }
    fBase->ListPanel->HideAll();
    fBase->pConstructionClick();
  }

  // A saved view applied from the Views list.
  Construction.ViewCount = 2;
  Construction.Views[2] = Construction.Views[1];
  Construction.Views[1] = {"Side", 60, 80, 90, 0, 0};
  ClickOn(fBase->lblViewButtonLeft);
  ClickOn(fBase->ListPanel->lblItems[1]);
  EXPECT_EQ(CurrentCamera().Tilt, 80);
  EXPECT_TRUE(ViewportShows()) << "after a saved view was applied";

  // The save dialog comes up over the viewport; Escape closes it.
  InspectModal(
      [] {
        ClickOn(fBase->lblConstructionButton);
        ClickOn(MenuButton("Save as..."));
      },
      "the save dialog", "Escape");
  EXPECT_TRUE(ViewportShows()) << "after the save dialog";

  // An error box shown for real (not captured) comes up the same way;
  // Return presses its OK.
  const TMessageSink Captured = SetMessageSink({});
  Construction.FileName = Dir + "Missing/x.cns";
  InspectModal(
      [] {
        ClickOn(fBase->lblConstructionButton);
        ClickOn(MenuButton("Save"));
      },
      "the error box", "Return");
  SetMessageSink(Captured);
  EXPECT_TRUE(ViewportShows()) << "after the error box";

  // Another program comes over the editor, viewport and all, and goes back
  // under it when the editor is clicked.
  QProcess Other;
  Other.start("xmessage", {"-geometry", "400x300+500+150", "another program"});
  ASSERT_TRUE(Other.waitForStarted());
  const WId Main = fBase->winId();
  for (int Tries = 0; Tries < 50 && Stacking().back() == Main; ++Tries)
    QTest::qWait(100);
  Settle();
  EXPECT_NE(Stacking().back(), Main);
  EXPECT_FALSE(ViewportShows()) << "the viewport floats over another program";
  ClickAt(QPoint(64, 900)); // the left column's empty part
  EXPECT_EQ(Stacking().back(), Main);
  EXPECT_TRUE(ViewportShows()) << "after the editor came back over another program";
  Other.kill();
  Other.waitForFinished();
}

} // namespace
