#include "LabelButton.h"

#include <QMouseEvent>

TLabelButton::TLabelButton(const QString &Caption, QWidget *Parent) : QLabel(Caption, Parent) {
  // A child label paints no background of its own unless asked to, so the
  // image under it shows through.
  setAlignment(Qt::AlignCenter);
  QFont Font("Arial");
  Font.setPixelSize(16);
  Font.setBold(true);
  Font.setStyleStrategy(QFont::PreferAntialias);
  setFont(Font);
}

void TLabelButton::ShowPictureOf(const QLabel *Source) {
  if (Image && Source)
    Image->setPixmap(Source->pixmap());
}

void TLabelButton::enterEvent(QEnterEvent *Event) {
  ShowPictureOf(ImageMouseEnter);
  if (OnMouseEnter)
    OnMouseEnter();
  QLabel::enterEvent(Event);
}

void TLabelButton::leaveEvent(QEvent *Event) {
  ShowPictureOf(ImageMouseLeave);
  if (OnMouseLeave)
    OnMouseLeave();
  QLabel::leaveEvent(Event);
}

// Any button presses; only the left one, released over the label, clicks.
void TLabelButton::mousePressEvent(QMouseEvent *Event) {
  if (Event->button() == Qt::LeftButton)
    FPressed = true;
  if (OnMouseDown)
    OnMouseDown(Event);
}

void TLabelButton::mouseReleaseEvent(QMouseEvent *Event) {
  if (Event->button() != Qt::LeftButton)
    return;
  const bool Click = FPressed && rect().contains(Event->position().toPoint());
  FPressed = false;
  if (Click && OnClick)
    OnClick();
}

// The second press of a double click arrives as this event instead of a
// press: it presses as any other does, so its release clicks again.
void TLabelButton::mouseDoubleClickEvent(QMouseEvent *Event) {
  mousePressEvent(Event);
  if (Event->button() == Qt::LeftButton && OnDoubleClick)
    OnDoubleClick();
}
