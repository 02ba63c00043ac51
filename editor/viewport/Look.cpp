#include "Look.h"

#include "Hover.h"

#include "Redraw.h"
#include "Volume.h"
#include "model/Busy.h"
#include "model/Global.h"
#include "platform/Cursor.h"
#include "render/Camera.h"
#include "render/Construction.h"
#include "render/Render.h"
#include "render/Scene.h"
#include "render/ShellLink.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>
#include <QWheelEvent>

#include <cstdlib>

TfLook *fLook = nullptr;

namespace {

constexpr int WheelNotch = 120;
constexpr int DragThreshold = 4; // pixels a press moves before it drags

// A rounded rectangle: the inner cross plus a quarter ellipse at each corner.
QRegion RoundedRegion(int Width, int Height, int Radius) {
  const int R = std::min({Radius, Width, Height});
  QRegion Region(R / 2, 0, Width - R, Height);
  Region += QRegion(0, R / 2, Width, Height - R);
  for (const QPoint &Corner : {QPoint(0, 0), QPoint(Width - R, 0), QPoint(0, Height - R),
                               QPoint(Width - R, Height - R)})
    Region += QRegion(Corner.x(), Corner.y(), R, R, QRegion::Ellipse);
  return Region;
}

} // namespace

TfLook::TfLook(QWindow *Parent) : QWindow(Parent), FSurface(*this) {
  setSurfaceType(QSurface::OpenGLSurface);
  setFormat(WindowFormat(PixelFormats[3].Samples));
  if (!Parent)
    setFlags(Qt::Window | Qt::FramelessWindowHint);
  setTitle("Stavemont");
  resize(800, 600);
  create();
  Construction.ViewportWidth = 800;
  Construction.ViewportHeight = 600;
  RebuildShape();
  SetLookSurface(&FSurface);
}

TfLook::~TfLook() { SetLookSurface(nullptr); }

TRoom TfLook::CurrentRoom() const {
  if (Room)
    return Room();
  const QScreen *S = screen();
  const QRect Area = S ? S->geometry() : QRect(0, 0, 1280, 1024);
  return {Area.width(), Area.height(), 129};
}

void TfLook::RebuildShape() {
  setMask(RoundedRegion(width(), height(), ShapeRadius(width(), height())));
}

void TfLook::resizeEvent(QResizeEvent *Event) {
  Construction.ViewportWidth = uint16_t(Event->size().width());
  Construction.ViewportHeight = uint16_t(Event->size().height());
  RebuildShape();
}

void TfLook::Resize(const TResize &Change) {
  const QRect Old = geometry();
  const QRect New(Old.x() + Change.Left, Old.y() + Change.Top, Old.width() + Change.Width,
                  Old.height() + Change.Height);
  Construction.ViewportWidth = uint16_t(New.width());
  Construction.ViewportHeight = uint16_t(New.height());
  setGeometry(New);
  RebuildShape();
}

void TfLook::Maximize() {
  const TResize Change = MaximizeViewport(width(), height(), CurrentRoom());
  hide();
  Resize(Change);
  show();
}

void TfLook::FitRoom() {
  const TViewportSize Size = FitViewport(width(), height(), CurrentRoom());
  if (Size.Width == width() && Size.Height == height())
    return;
  Construction.ViewportWidth = uint16_t(Size.Width);
  Construction.ViewportHeight = uint16_t(Size.Height);
  resize(Size.Width, Size.Height);
  RebuildShape();
}

void TfLook::FormMouseDown(int X, int Y) {
  const int W = Construction.ViewportWidth, H = Construction.ViewportHeight;
  const TRegion Region = RegionAt(X, Y, W, H);
  TPosition &Camera = CurrentCamera();
  switch (Construction.Mode) {
  case ModeRotate:
    if (Region == TRegion::None)
      return;
    BlankViewport();
    Redraw(RotateCamera(Camera, Region, X, Y, W, H) ? ChangedCameraTurn : ChangedCameraTilt);
    return;
  case ModeMove:
    if (Region == TRegion::None)
      return;
    BlankViewport();
    MoveCamera(Camera, Region, X, Y, W, H);
    Redraw(ChangedCameraPlace);
    return;
  case ModeZoom:
    BlankViewport();
    ZoomCamera(Camera, Y, H);
    Redraw(ChangedCameraPlace);
    return;
  case ModeSize:
    if (Region == TRegion::None)
      return;
    BlankViewport();
    Resize(SizeViewport(Region, X, Y, W, H, CurrentRoom()));
    Redraw(ChangedViewport);
    return;
  case ModeInsert:
    InsertPieceAt(X, Y);
    ShowHoverAt(X, Y); // what the next click here would do
    return;
  case ModeExtract:
    ExtractPieceAt(X, Y);
    ShowHoverAt(X, Y);
    return;
  case ModeNone:
    ShowNote(X, Y, "Choose Rotate, Move, Zoom, Insert or Extract on the left");
    return;
  default:
    return; // busy
  }
}

void TfLook::FormMouseMove(int X, int Y) {
  if (const int16_t Cursor =
          CursorAt(Construction.Mode, X, Y, Construction.ViewportWidth, Construction.ViewportHeight))
    SetScreenCursor(Cursor);
  ShowHoverAt(X, Y);
}

void TfLook::mousePressEvent(QMouseEvent *Event) {
  const QPoint At = Event->position().toPoint();
  const TDrag Drag = DragOf(Event->button(), Event->modifiers());
  if (Drag != TDrag::None) {
    StartDrag(Drag, At.x(), At.y());
    FDragButton = Event->button();
    return;
  }
  if (Event->button() == Qt::LeftButton)
    FormMouseDown(At.x(), At.y());
}

void TfLook::mouseMoveEvent(QMouseEvent *Event) {
  const QPoint At = Event->position().toPoint();
  if (FDrag != TDrag::None)
    DragTo(At.x(), At.y());
  else
    FormMouseMove(At.x(), At.y());
}

void TfLook::mouseReleaseEvent(QMouseEvent *Event) {
  if (FDrag == TDrag::None || Event->button() != FDragButton)
    return;
  FDrag = TDrag::None;
  // A press and release in place is a click, as with any button before.
  if (!FDragMoved)
    FormMouseDown(FDragStart.x(), FDragStart.y());
}

TDrag TfLook::DragOf(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers) {
  if (Button == Qt::MiddleButton)
    return TDrag::Move;
  if (Button == Qt::RightButton)
    return Modifiers & Qt::ShiftModifier ? TDrag::Move : TDrag::Turn;
  return TDrag::None;
}

void TfLook::StartDrag(TDrag Drag, int X, int Y) {
  if (Construction.Mode == ModeBusy)
    return;
  FDrag = Drag;
  FDragFrom = FDragStart = {X, Y};
  FDragMoved = false;
  if (DropHover())
    LookRender();
}

// Each move of the mouse while dragging moves the camera and draws one frame.
void TfLook::DragTo(int X, int Y) {
  if (Construction.Mode == ModeBusy)
    return;
  // Until the mouse has gone a few pixels the press may still be a click.
  if (!FDragMoved && (QPoint(X, Y) - FDragStart).manhattanLength() < DragThreshold)
    return;
  FDragMoved = true;
  const int Dx = X - FDragFrom.x(), Dy = Y - FDragFrom.y();
  if (Dx == 0 && Dy == 0)
    return;
  FDragFrom = {X, Y};
  DragCamera(CurrentCamera(), FDrag, Dx, Dy, Construction.ViewportHeight);
  const TInputKept Kept; // the rest of the drag is not swallowed while drawing
  Redraw(FDrag == TDrag::Turn ? ChangedCameraTurn | ChangedCameraTilt : ChangedCameraPlace);
}

// The wheel zooms in any mode, a step per notch (120 eighths of a degree;
// finer wheels add up), each step drawn.
void TfLook::wheelEvent(QWheelEvent *Event) {
  Event->accept();
  if (Construction.Mode == ModeBusy)
    return;
  FWheelRest += Event->angleDelta().y();
  for (; std::abs(FWheelRest) >= WheelNotch; FWheelRest -= FWheelRest > 0 ? WheelNotch : -WheelNotch) {
    // A wheel turned towards the user reports a negative angle.
    WheelZoomCamera(CurrentCamera(), FWheelRest < 0, Construction.ViewportHeight);
    Redraw(ChangedCameraPlace);
  }
}

bool TfLook::event(QEvent *Event) {
  if (Event->type() == QEvent::Leave) {
    SetScreenCursor(crArrow);
    EndHover();
  }
  return QWindow::event(Event);
}
