// The viewport window: borderless, drawn straight into by the look render.
// In the editor it is a child window of the main window, so that it always
// lies over the main window (and never over other programs' windows) under
// any window manager or none; on its own it is a frameless top-level window. Its client size is mirrored in
// ViewportWidth and ViewportHeight. A press acts by the current mode: turn,
// move or zoom the camera, resize the window, insert or extract a piece.
#pragma once

#include "Navigation.h"
#include "platform/GlSurface.h"

#include <QWindow>

#include <functional>

class TfLook : public QWindow {
public:
  // Needs the pixel formats chosen: the window takes the look render's format.
  // With a Parent it is a child window placed in Parent's client coordinates.
  explicit TfLook(QWindow *Parent = nullptr);
  ~TfLook() override;

  // The room the main window leaves the viewport; the screen until set.
  std::function<TRoom()> Room;

  // As large as the room allows, keeping its centre.
  void Maximize();

  // Shrinks to the room right of the main window's left column when it is
  // larger, keeping its aspect.
  void FitRoom();

  void FormMouseDown(int X, int Y);
  void FormMouseMove(int X, int Y);

protected:
  void resizeEvent(QResizeEvent *Event) override;
  void mousePressEvent(QMouseEvent *Event) override;
  void mouseMoveEvent(QMouseEvent *Event) override;
  void mouseReleaseEvent(QMouseEvent *Event) override;
  bool event(QEvent *Event) override;
  void wheelEvent(QWheelEvent *Event) override;

private:
  int FWheelRest = 0; // eighths of a degree turned towards the next notch
  TDrag FDrag = TDrag::None;
  Qt::MouseButton FDragButton = Qt::NoButton; // the button whose release ends it
  QPoint FDragFrom;  // where the mouse was at the last step of the drag
  QPoint FDragStart; // where it was pressed
  bool FDragMoved = false;
  static TDrag DragOf(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers);
  void StartDrag(TDrag Drag, int X, int Y);
  void DragTo(int X, int Y);
  void Resize(const TResize &Change);
  void RebuildShape();
  TRoom CurrentRoom() const;
  TWindowGlSurface FSurface;
};

extern TfLook *fLook;
