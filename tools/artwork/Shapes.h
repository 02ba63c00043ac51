// Shared drawing helpers: blank canvases and boxes with rounded corners.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>

// The radius of each corner of a box; zero keeps the corner square.
struct TRadii {
  qreal TopLeft = 0;
  qreal TopRight = 0;
  qreal BottomRight = 0;
  qreal BottomLeft = 0;

  static TRadii All(qreal R) { return {R, R, R, R}; }
  static TRadii Left(qreal R) { return {R, 0, 0, R}; }
  static TRadii Right(qreal R) { return {0, R, R, 0}; }
  static TRadii Top(qreal R) { return {R, R, 0, 0}; }
  static TRadii Bottom(qreal R) { return {0, 0, R, R}; }
};

// A transparent (or filled) picture ready to be painted on.
QImage NewCanvas(int Width, int Height, const QColor &Fill = Qt::transparent);

// Switches on anti-aliasing for shapes and smooth scaling.
void Smooth(QPainter &Painter);

QPainterPath RoundedBox(const QRectF &Box, const TRadii &Radii);
