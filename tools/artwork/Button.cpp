#include "Button.h"

#include "Palette.h"

namespace {

struct TFaceColours {
  QColor Top;
  QColor Bottom;
  QColor Border;
};

TFaceColours FaceColours(TFace Face, bool Flat) {
  if (Face == TFace::White)
    return {Palette::White, Flat ? Palette::White : Palette::WhiteShade, Palette::WhiteBorder};
  if (Face == TFace::Pressed)
    return {Palette::BlueBottom, Palette::BlueTop, Palette::Ink};
  return {Palette::BlueTop, Palette::BlueBottom, Palette::BlueBorder};
}

// A dark line just inside the top edge: the shadow of a face pressed in.
void DrawInset(QPainter &Painter, const QPainterPath &Outline, const TButtonShape &Shape) {
  Painter.save();
  Painter.setClipPath(Outline);
  Painter.setPen(QPen(QColor(14, 44, 112, 140), 2));
  Painter.drawLine(QPointF(0, 1.5), QPointF(Shape.Width, 1.5));
  Painter.restore();
}

// The outline of the face: half a pixel in so that the one-pixel border is
// crisp, and pushed past the picture on open edges.
QRectF FaceBox(const TButtonShape &Shape) {
  QRectF Box(0.5, 0.5, Shape.Width - 1, Shape.Height - 1);
  if (Shape.OpenTop)
    Box.setTop(-2);
  if (Shape.OpenBottom)
    Box.setBottom(Shape.Height + 2);
  return Box;
}

void FillFace(QPainter &Painter, const QPainterPath &Outline, const TButtonShape &Shape,
              const TFaceColours &Colours) {
  QLinearGradient Shade(0, 0, 0, Shape.Height);
  Shade.setColorAt(0, Colours.Top);
  Shade.setColorAt(1, Colours.Bottom);
  Painter.fillPath(Outline, Shade);
}

// A faint light line just inside the top edge gives the face some gloss.
void DrawGloss(QPainter &Painter, const QPainterPath &Outline, const TButtonShape &Shape) {
  if (Shape.OpenTop || Shape.Flat)
    return;
  Painter.save();
  Painter.setClipPath(Outline);
  Painter.setPen(QPen(QColor(255, 255, 255, 150), 1));
  Painter.drawLine(QPointF(0, 1.5), QPointF(Shape.Width, 1.5));
  Painter.restore();
}

} // namespace

QImage ButtonPicture(const TButtonShape &Shape, TFace Face) {
  QImage Picture = NewCanvas(Shape.Width, Shape.Height);
  QPainter Painter(&Picture);
  Smooth(Painter);
  const TFaceColours Colours = FaceColours(Face, Shape.Flat);
  const QPainterPath Outline = RoundedBox(FaceBox(Shape), Shape.Radii);
  FillFace(Painter, Outline, Shape, Colours);
  if (Face == TFace::Blue)
    DrawGloss(Painter, Outline, Shape);
  if (Face == TFace::Pressed)
    DrawInset(Painter, Outline, Shape);
  Painter.setPen(QPen(Colours.Border, 1));
  Painter.drawPath(Outline);
  return Picture;
}
