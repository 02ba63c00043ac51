#include "Note.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>

TNote *fNote = nullptr;

namespace {

constexpr int Offset = 14; // from the mouse, clear of the cursor's picture

} // namespace

TNote::TNote(QWidget *Parent) : QLabel(Parent) {
  // Native, so that it can lie over the viewport's own window.
  setAttribute(Qt::WA_NativeWindow);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setStyleSheet("QLabel { background: rgb(255, 250, 220); color: black;"
                " border: 1px solid rgb(120, 110, 70); padding: 3px 6px; }");
  QFont Font("Arial");
  Font.setPixelSize(13);
  setFont(Font);
  hide();
  FTimer.setSingleShot(true);
  connect(&FTimer, &QTimer::timeout, this, &QWidget::hide);
}

void TNote::ShowAt(const QPoint &At, const QString &Text) {
  setText(Text);
  adjustSize();
  const QWidget *Area = parentWidget();
  const int X = std::clamp(At.x() + Offset, 0, std::max(0, Area->width() - width()));
  const int Y = std::clamp(At.y() + Offset, 0, std::max(0, Area->height() - height()));
  move(X, Y);
  show();
  raise();
  qApp->installEventFilter(this);
  FTimer.start(ShownMilliseconds);
}

bool TNote::eventFilter(QObject *, QEvent *Event) {
  if (Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonDblClick)
    hide();
  return false;
}

void TNote::hideEvent(QHideEvent *Event) {
  qApp->removeEventFilter(this);
  FTimer.stop();
  QLabel::hideEvent(Event);
}
