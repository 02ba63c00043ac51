#include "ShowMain.h"

#include "Base.h"
#include "Settings.h"
#include "Start.h"
#include "model/Global.h"
#include "platform/Messages.h"
#include "viewport/Look.h"

#include <QScreen>

#include <cmath>

int CentredEdge(int Span, int Size) { return int(std::nearbyint((Span - Size) / 2.0)); }

void ShowMainWindow() {
  ReadSettings();
  fBase->ShowGridCaption();
  fBase->LoadBackground();
  fStart->hide();
  const QRect Screen = fBase->screen() ? fBase->screen()->geometry() : fBase->geometry();
  // Without a window manager the full-screen state is only a hint: the
  // geometry makes it so.
  fBase->setGeometry(Screen);
  fBase->showFullScreen();
  fBase->raise();
  fBase->activateWindow();
  fBase->setFocus();
  ProcessMessages();
  // The pick surface is offscreen and always as large as the viewport, so
  // there is no window to lay under the viewport. The viewport is a child of
  // the main window, which covers the screen: its place is in the main
  // window's coordinates.
  fLook->FitRoom();
  const int W = Construction.ViewportWidth, H = Construction.ViewportHeight;
  const int Left = CentredEdge(Screen.width(), W + TfBase::LeftColumnWidth) + TfBase::LeftColumnWidth;
  const int Top = CentredEdge(Screen.height(), H);
  fLook->setPosition(Left, Top);
  fLook->show();
  fLook->raise();
}
