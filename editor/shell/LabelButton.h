// A button made of an image and, over it, a transparent caption label that
// takes the clicks. While the pointer is over the label the image shows the
// picture of ImageMouseEnter, otherwise the one of ImageMouseLeave. The two
// pictures live on hidden images elsewhere (possibly on another window), so
// one pair serves many buttons. Any mouse button presses it (OnMouseDown);
// only the left one clicks it, each press of a double click as well.
#pragma once

#include <QLabel>

#include <functional>

class TLabelButton : public QLabel {
public:
  TLabelButton(const QString &Caption, QWidget *Parent);

  QLabel *Image = nullptr;
  QLabel *ImageMouseEnter = nullptr;
  QLabel *ImageMouseLeave = nullptr;

  std::function<void()> OnClick;
  std::function<void()> OnDoubleClick;
  std::function<void(QMouseEvent *)> OnMouseDown;
  std::function<void()> OnMouseEnter, OnMouseLeave;

protected:
  void enterEvent(QEnterEvent *Event) override;
  void leaveEvent(QEvent *Event) override;
  void mousePressEvent(QMouseEvent *Event) override;
  void mouseReleaseEvent(QMouseEvent *Event) override;
  void mouseDoubleClickEvent(QMouseEvent *Event) override;

private:
  void ShowPictureOf(const QLabel *Source);
  bool FPressed = false;
};
