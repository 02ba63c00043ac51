#include "Splash.h"

#include "IsoBrick.h"
#include "Palette.h"
#include "Shapes.h"

namespace {

constexpr int SplashWidth = 637;
constexpr int SplashHeight = 120;

void DrawSky(QPainter &Painter) {
  QLinearGradient Sky(0, 0, SplashWidth, SplashHeight);
  Sky.setColorAt(0, QColor(250, 252, 255));
  Sky.setColorAt(0.55, QColor(222, 236, 253));
  Sky.setColorAt(1, QColor(170, 204, 248));
  Painter.fillRect(0, 0, SplashWidth, SplashHeight, Sky);
  QRadialGradient Glow(QPointF(520, 40), 220);
  Glow.setColorAt(0, QColor(255, 255, 255, 150));
  Glow.setColorAt(1, QColor(255, 255, 255, 0));
  Painter.fillRect(0, 0, SplashWidth, SplashHeight, Glow);
}

// Faint rings, like studs seen from above, fading in towards the bricks.
void DrawRings(QPainter &Painter) {
  Painter.setBrush(Qt::NoBrush);
  for (int Column = 0; Column < 16; ++Column)
    for (int Row = 0; Row < 4; ++Row) {
      const int Alpha = 4 + Column * 3;
      Painter.setPen(QPen(QColor(30, 100, 220, Alpha), 1.2));
      Painter.drawEllipse(QPointF(170 + Column * 30, 15 + Row * 30), 8, 8);
    }
}

// A thin blue band along the bottom edge ties the banner to the dialog.
void DrawBand(QPainter &Painter) {
  QLinearGradient Band(0, 0, SplashWidth, 0);
  Band.setColorAt(0, QColor(30, 100, 220, 40));
  Band.setColorAt(1, Palette::Accent);
  Painter.fillRect(0, SplashHeight - 4, SplashWidth, 4, Band);
}

// A soft shadow on which the bricks stand.
void DrawShadow(QPainter &Painter, QPointF Centre) {
  QRadialGradient Shadow(Centre, 1);
  Shadow.setColorAt(0, QColor(20, 60, 140, 70));
  Shadow.setColorAt(1, QColor(20, 60, 140, 0));
  Painter.save();
  Painter.translate(Centre);
  Painter.scale(150, 16);
  Painter.translate(-Centre);
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(Shadow);
  Painter.drawEllipse(Centre, 1, 1);
  Painter.restore();
}

// A small group, drawn from the back to the front: a light brick behind, a
// blue one carrying a white one, and a dark short brick at the front left.
void DrawBricks(QPainter &Painter) {
  const TIsoView View{QPointF(478, 58), 17};
  DrawShadow(Painter, View.Project(2, 1, 0) + QPointF(-10, 4));
  const QColor Blue(30, 100, 220), Light(120, 178, 248), Deep(20, 64, 168), Snow(246, 249, 253);
  DrawIsoBrick(Painter, View, {2, 4, 1.2, Light}, 2.3, -4.2, 0);
  DrawIsoBrick(Painter, View, {4, 2, 1.2, Blue}, 0, 0, 0);
  DrawIsoBrick(Painter, View, {2, 2, 1.2, Snow}, 2, 0, 1.2);
  DrawIsoBrick(Painter, View, {2, 1, 1.2, Deep}, -2.2, 2.6, 0);
}

} // namespace

QImage SplashPicture() {
  QImage Picture = NewCanvas(SplashWidth, SplashHeight);
  QPainter Painter(&Picture);
  Smooth(Painter);
  DrawSky(Painter);
  DrawRings(Painter);
  DrawBricks(Painter);
  DrawBand(Painter);
  return Picture;
}
