#include "Glyph.h"

#include "Palette.h"

#include <QPolygonF>

namespace {

QPen GlyphPen(TFace Face, qreal Width) {
  const QColor &Colour = Face == TFace::White ? Palette::Accent : Palette::Ink;
  return QPen(Colour, Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawBar(QPainter &Painter, QPointF Centre, bool Upright) {
  const qreal Half = 4.5;
  if (Upright)
    Painter.drawLine(Centre + QPointF(0, -Half), Centre + QPointF(0, Half));
  else
    Painter.drawLine(Centre + QPointF(-Half, 0), Centre + QPointF(Half, 0));
}

// A triangle pointing along (Dx, Dy) with its tip Reach away from the centre.
QPolygonF Triangle(QPointF Centre, qreal Dx, qreal Dy, qreal Reach, qreal HalfBase) {
  const QPointF Along(Dx, Dy), Across(-Dy, Dx);
  return QPolygonF({Centre + Along * Reach, Centre - Along * Reach * 0.6 + Across * HalfBase,
                    Centre - Along * Reach * 0.6 - Across * HalfBase});
}

void DrawArrow(QPainter &Painter, QPointF Centre, qreal Dx, qreal Dy, qreal Size) {
  Painter.setBrush(Painter.pen().color());
  Painter.drawPolygon(Triangle(Centre + QPointF(Dx, Dy) * Size * 0.2, Dx, Dy, Size, Size * 0.95));
}

} // namespace

void DrawGlyph(QImage &Picture, TGlyph Glyph, TFace Face) {
  QPainter Painter(&Picture);
  Smooth(Painter);
  const QPointF Centre(Picture.width() / 2.0, Picture.height() / 2.0);
  Painter.setPen(GlyphPen(Face, Glyph == TGlyph::Up || Glyph == TGlyph::Down ? 1.2 : 2.4));
  switch (Glyph) {
  case TGlyph::Plus: DrawBar(Painter, Centre, true); [[fallthrough]];
  case TGlyph::Minus: DrawBar(Painter, Centre, false); break;
  case TGlyph::Left: DrawArrow(Painter, Centre, -1, 0, 5); break;
  case TGlyph::Right: DrawArrow(Painter, Centre, 1, 0, 5); break;
  case TGlyph::Up: DrawArrow(Painter, Centre, 0, -1, 3.5); break;
  case TGlyph::Down: DrawArrow(Painter, Centre, 0, 1, 3.5); break;
  }
}
