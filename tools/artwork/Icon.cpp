#include "Icon.h"

#include "IsoBrick.h"
#include "Palette.h"
#include "Shapes.h"

namespace {

constexpr int IconSide = 128;

} // namespace

// A blue 4 x 2 brick carrying a light blue 2 x 2 one. With a pitch of 21
// pixels the pair spans about 109 x 103 pixels; the origin centres it.
QImage IconPicture() {
  QImage Picture = NewCanvas(IconSide, IconSide);
  QPainter Painter(&Picture);
  Smooth(Painter);
  const TIsoView View{QPointF(46, 52.5), 21};
  DrawIsoBrick(Painter, View, {4, 2, 1.2, Palette::Accent}, 0, 0, 0);
  DrawIsoBrick(Painter, View, {2, 2, 1.2, Palette::BlueTop}, 1, 0, 1.2);
  return Picture;
}
