#include "Backdrop.h"

#include "Palette.h"
#include "Shapes.h"

#include <cmath>
#include <vector>

namespace {

// Each row is 14 studs wide and two deep. The joints of neighbouring rows
// (the tile wraps, so the last row neighbours the first) never line up.
constexpr int StudsAcross = 14;
constexpr int RowCount = 4;
constexpr qreal RowHeight = qreal(BackdropHeight) / RowCount;
constexpr qreal StudPitchX = qreal(BackdropWidth) / StudsAcross;
constexpr qreal StudPitchY = RowHeight / 2;

struct TRow {
  int Offset; // in studs, where the first brick starts
  std::vector<int> Lengths;
};

const TRow Rows[RowCount] = {
    {0, {4, 4, 4, 2}}, {2, {4, 4, 3, 3}}, {1, {4, 3, 4, 3}}, {2, {4, 3, 4, 3}}};

// Joints fall on whole pixels so the grooves stay crisp.
qreal StudEdge(int Stud) { return std::round(Stud * StudPitchX); }

void DrawStud(QPainter &Painter, QPointF Centre) {
  const qreal Radius = 3.6;
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(QColor(150, 180, 225, 70)); // soft shadow to the lower right
  Painter.drawEllipse(Centre + QPointF(0.7, 0.9), Radius + 0.4, Radius + 0.4);
  QRadialGradient Dome(Centre - QPointF(1.2, 1.2), Radius * 1.6);
  Dome.setColorAt(0, QColor(246, 250, 255));
  Dome.setColorAt(1, Palette::Backdrop);
  Painter.setBrush(Dome);
  Painter.setPen(QPen(QColor(196, 214, 241), 0.8));
  Painter.drawEllipse(Centre, Radius, Radius);
}

// A brick from stud First, Length studs long, in the row whose top is Top;
// X shifts the whole brick by a tile width for the wrap-around copies.
void DrawBrick(QPainter &Painter, int First, int Length, qreal Top, qreal X) {
  const qreal Left = StudEdge(First) + X, Right = StudEdge(First + Length) + X;
  const QRectF Box(Left + 1, Top + 1, Right - Left - 2, RowHeight - 2);
  QLinearGradient Face(Box.topLeft(), Box.bottomRight());
  Face.setColorAt(0, Palette::Backdrop.lighter(103));
  Face.setColorAt(1, Palette::Backdrop);
  Painter.setPen(QPen(QColor(202, 219, 244), 1));
  Painter.setBrush(Face);
  Painter.drawPath(RoundedBox(Box.adjusted(0.5, 0.5, -0.5, -0.5), TRadii::All(1.5)));
  for (int Stud = 0; Stud < Length; ++Stud)
    for (int Line = 0; Line < 2; ++Line)
      DrawStud(Painter, QPointF((StudEdge(First + Stud) + StudEdge(First + Stud + 1)) / 2 + X,
                                Top + StudPitchY * (Line + 0.5)));
}

void DrawRow(QPainter &Painter, const TRow &Row, qreal Top) {
  int First = Row.Offset;
  for (int Length : Row.Lengths) {
    DrawBrick(Painter, First, Length, Top, 0);
    DrawBrick(Painter, First, Length, Top, -BackdropWidth); // the part that wraps to the left
    First += Length;
  }
}

} // namespace

QImage BackdropTile() {
  QImage Picture = NewCanvas(BackdropWidth, BackdropHeight, Palette::Groove);
  QPainter Painter(&Picture);
  Smooth(Painter);
  for (int Index = 0; Index < RowCount; ++Index)
    DrawRow(Painter, Rows[Index], Index * RowHeight);
  return Picture;
}
