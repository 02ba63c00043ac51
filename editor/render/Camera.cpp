#include "Camera.h"

#include <GL/gl.h>

#include <algorithm>

void ApplyCamera(const TPosition &Camera) {
  glTranslated(0, 0, -Camera.Distance);
  glRotated(Camera.Tilt, 1, 0, 0);
  glTranslated(Camera.PanX, Camera.PanY, 0);
  glRotated(Camera.Turn, 0, 0, 1);
  glTranslated(-Construction.BaseWidth / 2.0, -Construction.BaseLength / 2.0, 0);
}

void ResetCamera(TPosition &Camera) {
  Camera.Distance = 1.5 * std::max(Construction.BaseWidth, Construction.BaseLength);
  Camera.Tilt = 55;
  Camera.Turn = 0;
  Camera.PanX = 0;
  Camera.PanY = 0;
}

TPosition &CurrentCamera() { return Construction.Views[Construction.ViewCount]; }

void RecenterCamera() { ResetCamera(CurrentCamera()); }
