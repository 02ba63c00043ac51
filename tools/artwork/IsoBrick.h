// A toy brick in isometric view: a box with a stud on each top cell, shaded
// from its base colour (top lightest, right side darkest).
#pragma once

#include <QColor>
#include <QPainter>

struct TIsoBrick {
  int Width = 2;    // studs along the x axis (running down to the right)
  int Depth = 2;    // studs along the y axis (running down to the left)
  qreal Height = 1.2; // in stud pitches; a plate is a third of a brick
  QColor Colour;
};

// The projection: where the origin lies on the picture and the stud pitch in pixels.
struct TIsoView {
  QPointF Origin;
  qreal Pitch = 14;

  QPointF Project(qreal X, qreal Y, qreal Z) const;
};

// Draws the brick with its corner of least x, y and z at (X, Y, Z), in stud pitches.
// Bricks must be drawn from the back to the front.
void DrawIsoBrick(QPainter &Painter, const TIsoView &View, const TIsoBrick &Brick, qreal X, qreal Y,
                  qreal Z);
