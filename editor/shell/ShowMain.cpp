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
  fBase->LoadBackground();
  fStart->hide();
  const QRect Screen = fBase->screen() ? fBase->screen()->geometry() : fBase->geometry();
  fBase->setGeometry(Screen);
  fBase->show();
  fBase->raise();
  fBase->activateWindow();
  fBase->setFocus();
  ProcessMessages();
  // The pick surface is offscreen and always as large as the viewport, so
  // there is no window to lay under the viewport.
  const int W = Construction.ViewportWidth, H = Construction.ViewportHeight;
  const int Left = CentredEdge(Screen.width(), W + TfBase::LeftColumnWidth) + TfBase::LeftColumnWidth;
  const int Top = CentredEdge(Screen.height(), H);
  fLook->setPosition(Screen.x() + Left, Screen.y() + Top);
  fLook->show();
  fLook->raise();
}
