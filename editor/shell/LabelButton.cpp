#include "LabelButton.h"

#include <QMouseEvent>

TLabelButton::TLabelButton(const QString &Caption, QWidget *Parent) : QLabel(Caption, Parent) {
  setAlignment(Qt::AlignCenter);
  setAttribute(Qt::WA_TranslucentBackground);
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

void TLabelButton::mousePressEvent(QMouseEvent *Event) {
  FPressed = true;
  if (OnMouseDown)
    OnMouseDown(Event);
}

void TLabelButton::mouseReleaseEvent(QMouseEvent *Event) {
  const bool Click = FPressed && rect().contains(Event->position().toPoint());
  FPressed = false;
  if (Click && OnClick)
    OnClick();
}

void TLabelButton::mouseDoubleClickEvent(QMouseEvent *) {
  if (OnDoubleClick)
    OnDoubleClick();
}
