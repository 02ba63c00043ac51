#include "Corner.h"

namespace {

// The circle's centre is the picture's corner facing the inside of the shape.
QPointF ArcCentre(int Size, TCorner Corner) {
  const bool Left = Corner == TCorner::TopLeft || Corner == TCorner::BottomLeft;
  const bool Top = Corner == TCorner::TopLeft || Corner == TCorner::TopRight;
  return QPointF(Left ? Size : 0, Top ? Size : 0);
}

} // namespace

QImage CornerPicture(int Size, TCorner Corner, const QColor &Outside, const QColor &Inside) {
  QImage Picture = NewCanvas(Size, Size, Outside);
  QPainter Painter(&Picture);
  Smooth(Painter);
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(Inside);
  Painter.drawEllipse(ArcCentre(Size, Corner), Size, Size);
  return Picture;
}
