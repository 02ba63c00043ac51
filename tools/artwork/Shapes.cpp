#include "Shapes.h"

QImage NewCanvas(int Width, int Height, const QColor &Fill) {
  QImage Picture(Width, Height, QImage::Format_ARGB32_Premultiplied);
  Picture.fill(Fill);
  return Picture;
}

void Smooth(QPainter &Painter) {
  Painter.setRenderHint(QPainter::Antialiasing);
  Painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPainterPath RoundedBox(const QRectF &Box, const TRadii &Radii) {
  const qreal L = Box.left(), T = Box.top(), R = Box.right(), B = Box.bottom();
  QPainterPath Path;
  Path.moveTo(L + Radii.TopLeft, T);
  Path.lineTo(R - Radii.TopRight, T);
  Path.arcTo(R - 2 * Radii.TopRight, T, 2 * Radii.TopRight, 2 * Radii.TopRight, 90, -90);
  Path.lineTo(R, B - Radii.BottomRight);
  Path.arcTo(R - 2 * Radii.BottomRight, B - 2 * Radii.BottomRight, 2 * Radii.BottomRight,
             2 * Radii.BottomRight, 0, -90);
  Path.lineTo(L + Radii.BottomLeft, B);
  Path.arcTo(L, B - 2 * Radii.BottomLeft, 2 * Radii.BottomLeft, 2 * Radii.BottomLeft, 270, -90);
  Path.lineTo(L, T + Radii.TopLeft);
  Path.arcTo(L, T, 2 * Radii.TopLeft, 2 * Radii.TopLeft, 180, -90);
  Path.closeSubpath();
  return Path;
}
