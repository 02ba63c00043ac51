// The viewport window: borderless, kept above the other windows, drawn
// straight into by the look render. Its client size is mirrored in
// ViewportWidth and ViewportHeight.
#pragma once

#include "platform/GlSurface.h"

#include <QWindow>

class TfLook : public QWindow {
public:
  // Needs the pixel formats chosen: the window takes the look render's format.
  TfLook();
  ~TfLook() override;

protected:
  void resizeEvent(QResizeEvent *Event) override;

private:
  TWindowGlSurface FSurface;
};
