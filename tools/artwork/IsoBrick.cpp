#include "IsoBrick.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace {

constexpr qreal Cos30 = 0.8660254037844386;
constexpr qreal StudRadius = 0.3;
constexpr qreal StudHeight = 0.18;

struct TShades {
  QColor Top, Left, Right, Edge;
};

TShades Shades(const QColor &Colour) {
  return {Colour.lighter(112), Colour, Colour.darker(128), QColor(255, 255, 255, 90)};
}

void DrawFace(QPainter &Painter, const QPolygonF &Face, const QColor &Fill, const QColor &Edge) {
  Painter.setBrush(Fill);
  Painter.setPen(QPen(Edge, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  Painter.drawPolygon(Face);
}

// A stud is a short cylinder: its side first, then its top as an ellipse.
void DrawStud(QPainter &Painter, const TIsoView &View, QPointF Base, QPointF Top,
              const TShades &Shade) {
  const qreal Rx = StudRadius * std::sqrt(2.0) * Cos30 * View.Pitch;
  const qreal Ry = StudRadius * std::sqrt(2.0) * 0.5 * View.Pitch;
  QPainterPath Side;
  Side.addEllipse(Base, Rx, Ry);
  Side.addRect(QRectF(Base.x() - Rx, Top.y(), 2 * Rx, Base.y() - Top.y()));
  Side.setFillRule(Qt::WindingFill);
  QLinearGradient Across(Base.x() - Rx, 0, Base.x() + Rx, 0);
  Across.setColorAt(0, Shade.Left);
  Across.setColorAt(1, Shade.Right);
  Painter.setPen(Qt::NoPen);
  Painter.fillPath(Side.simplified(), Across);
  Painter.setBrush(Shade.Top.lighter(104));
  Painter.setPen(QPen(Shade.Edge, 0.7));
  Painter.drawEllipse(Top, Rx, Ry);
}

void DrawStuds(QPainter &Painter, const TIsoView &View, const TIsoBrick &Brick, qreal X, qreal Y,
               qreal Z, const TShades &Shade) {
  for (int Sum = 0; Sum <= Brick.Width + Brick.Depth - 2; ++Sum) // back rows first
    for (int I = 0; I < Brick.Width; ++I) {
      const int J = Sum - I;
      if (J < 0 || J >= Brick.Depth)
        continue;
      const qreal Cx = X + I + 0.5, Cy = Y + J + 0.5;
      DrawStud(Painter, View, View.Project(Cx, Cy, Z), View.Project(Cx, Cy, Z + StudHeight), Shade);
    }
}

} // namespace

QPointF TIsoView::Project(qreal X, qreal Y, qreal Z) const {
  return Origin + QPointF((X - Y) * Cos30, (X + Y) * 0.5 - Z) * Pitch;
}

void DrawIsoBrick(QPainter &Painter, const TIsoView &View, const TIsoBrick &Brick, qreal X, qreal Y,
                  qreal Z) {
  const TShades Shade = Shades(Brick.Colour);
  const qreal W = Brick.Width, D = Brick.Depth, H = Brick.Height;
  auto P = [&](qreal Dx, qreal Dy, qreal Dz) { return View.Project(X + Dx, Y + Dy, Z + Dz); };
  DrawFace(Painter, QPolygonF({P(0, D, H), P(W, D, H), P(W, D, 0), P(0, D, 0)}), Shade.Left,
           Shade.Edge);
  DrawFace(Painter, QPolygonF({P(W, 0, H), P(W, D, H), P(W, D, 0), P(W, 0, 0)}), Shade.Right,
           Shade.Edge);
  DrawFace(Painter, QPolygonF({P(0, 0, H), P(W, 0, H), P(W, D, H), P(0, D, H)}), Shade.Top,
           Shade.Edge);
  DrawStuds(Painter, View, Brick, X, Y, Z + H, Shade);
}
