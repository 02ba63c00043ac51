#include "Trim.h"

#include "Palette.h"
#include "Shapes.h"

QImage EditFramePicture() {
  QImage Picture = NewCanvas(60, 28);
  QPainter Painter(&Picture);
  Smooth(Painter);
  const QPainterPath Outline = RoundedBox(QRectF(0.75, 0.75, 58.5, 26.5), TRadii::All(6));
  // A faint inner shadow along the top makes the field read as sunken.
  QLinearGradient Inner(0, 0, 0, 28);
  Inner.setColorAt(0, QColor(234, 241, 251));
  Inner.setColorAt(0.25, Palette::White);
  Painter.fillPath(Outline, Inner);
  Painter.setPen(QPen(Palette::Accent, 1.5));
  Painter.drawPath(Outline);
  return Picture;
}

// A groove with a light edge below it, inset from the sides; the outer columns
// carry the menu's border so that the menu's sides run on unbroken.
QImage MenuSeparatorPicture() {
  const int Width = 129;
  QImage Picture = NewCanvas(Width, 2, Palette::White);
  QPainter Painter(&Picture);
  Painter.fillRect(8, 0, Width - 16, 1, QColor(206, 218, 238));
  Painter.fillRect(0, 0, 1, 2, Palette::WhiteBorder);
  Painter.fillRect(Width - 1, 0, 1, 2, Palette::WhiteBorder);
  return Picture;
}
