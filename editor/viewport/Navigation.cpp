#include "Navigation.h"

#include "platform/Cursor.h"


#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int MinSide = 100;
constexpr int Margin = 100;

int Trunc(double Value) { return int(std::trunc(Value)); }

} // namespace

TRegion RegionAt(int X, int Y, int Width, int Height) {
  const double S = double(Height) / Width;
  const double D1 = Y - S * X, D2 = Y + S * X - Height;
  if (D1 > 0 && D2 > 0)
    return TRegion::Bottom;
  if (D1 > 0 && D2 < 0)
    return TRegion::Left;
  if (D1 < 0 && D2 > 0)
    return TRegion::Right;
  if (D1 < 0 && D2 < 0)
    return TRegion::Top;
  return TRegion::None;
}

int16_t CursorAt(char Mode, int X, int Y, int Width, int Height) {
  // The cursors for the bottom, left, right and top regions.
  static constexpr int16_t Rotate[] = {crRotateDown, crRotateLeft, crRotateRight, crRotateUp};
  static constexpr int16_t Move[] = {crMoveDown, crMoveLeft, crMoveRight, crMoveUp};
  static constexpr int16_t Size[] = {crSizeShorter, crSizeNarrower, crSizeWider, crSizeTaller};
  const TRegion Region = RegionAt(X, Y, Width, Height);
  const int R = int(Region) - int(TRegion::Bottom);
  switch (Mode) {
  case ModeRotate: return Region == TRegion::None ? 0 : Rotate[R];
  case ModeMove: return Region == TRegion::None ? 0 : Move[R];
  case ModeSize: return Region == TRegion::None ? 0 : Size[R];
  case ModeZoom: return Y < Height / 2.0 ? crZoomOut : crZoomIn;
  case ModeInsert: return crInsert;
  case ModeExtract: return crExtract;
  default: return 0;
  }
}

bool RotateCamera(TPosition &Camera, TRegion Region, int X, int Y, int Width, int Height) {
  switch (Region) {
  case TRegion::Bottom:
    Camera.Tilt -= (Y - Height / 2.0) / 10;
    if (Camera.Tilt < 0)
      Camera.Tilt = 0;
    return false;
  case TRegion::Top:
    Camera.Tilt += (Height / 2.0 - Y) / 10;
    if (Camera.Tilt > 90)
      Camera.Tilt = 90;
    return false;
  case TRegion::Left:
  case TRegion::Right:
    Camera.Turn += (Width / 2.0 - X) / 10;
    if (Camera.Turn < 0)
      Camera.Turn += 360;
    if (Camera.Turn >= 360)
      Camera.Turn -= 360;
    return true;
  default:
    return false;
  }
}

void MoveCamera(TPosition &Camera, TRegion Region, int X, int Y, int Width, int Height) {
  if (Region == TRegion::Bottom || Region == TRegion::Top)
    Camera.PanY += (Y - Height / 2.0) / 10;
  else if (Region == TRegion::Left || Region == TRegion::Right)
    Camera.PanX += (X - Width / 2.0) / 10;
}

void ZoomCamera(TPosition &Camera, int Y, int Height) {
  if (Y < Height / 2.0)
    Camera.Distance += Y / 10.0;
  else
    Camera.Distance -= (Y - Height / 2.0) / 10;
}

void WheelZoomCamera(TPosition &Camera, bool Towards, int Height) {
  // A quarter of the step of a Zoom press a quarter of the height from the
  // middle; a camera already past a limit (by presses) is not pulled back.
  const double Step = (Height * 3 / 4 - Height / 2.0) / 10 / 4;
  if (Towards && Camera.Distance > NearestWheelDistance)
    Camera.Distance = std::max(NearestWheelDistance, Camera.Distance - Step);
  else if (!Towards && Camera.Distance < FarthestWheelDistance)
    Camera.Distance = std::min(FarthestWheelDistance, Camera.Distance + Step);
}

void DragCamera(TPosition &Camera, TDrag Drag, int Dx, int Dy, int Height) {
  switch (Drag) {
  case TDrag::Turn:
    Camera.Turn = std::fmod(Camera.Turn - Dx * DragDegreesPerPixel, 360.0);
    if (Camera.Turn < 0)
      Camera.Turn += 360;
    Camera.Tilt = std::clamp(Camera.Tilt - Dy * DragDegreesPerPixel, 0.0, 90.0);
    return;
  case TDrag::Move: {
    // The height of the view at the camera's distance, over the window's
    // height: the pan under the mouse keeps up with it.
    const double PerPixel = 2 * std::tan(22.5 * M_PI / 180) * Camera.Distance / std::max(Height, 1);
    Camera.PanX += Dx * PerPixel;
    Camera.PanY += Dy * PerPixel;
    return;
  }
  default:
    return;
  }
}

TResize SizeViewport(TRegion Region, int X, int Y, int Width, int Height, const TRoom &Room) {
  TResize R;
  int H = 0;
  switch (Region) {
  case TRegion::Bottom:
    H = Trunc((Y - Height / 2.0) / 2);
    if (Height - H < MinSide)
      H = Height - MinSide;
    R.Height = -H;
    R.Top = Trunc(H / 2.0);
    break;
  case TRegion::Left:
    H = Trunc((Width / 2.0 - X) / 2);
    if (Width - H < MinSide)
      H = Width - MinSide;
    R.Width = -H;
    R.Left = Trunc(H / 2.0);
    break;
  case TRegion::Right:
    H = Trunc((X - Width / 2.0) / 2);
    if (Width + H >= Room.MainWidth - (Room.LeftColumn + Margin))
      H = Room.MainWidth - Room.LeftColumn - Width - Margin;
    if (H < 0)
      H = 0;
    R.Width = H;
    R.Left = -Trunc(H / 2.0);
    break;
  case TRegion::Top:
    H = Trunc((Height / 2.0 - Y) / 2);
    if (Height + H >= Room.MainHeight - Margin)
      H = Room.MainHeight - Height - Margin;
    if (H < 0)
      H = 0;
    R.Height = H;
    R.Top = -Trunc(H / 2.0);
    break;
  default:
    break;
  }
  return R;
}

TViewportSize FitViewport(int Width, int Height, const TRoom &Room) {
  const int RoomWidth = std::max(1, Room.MainWidth - Room.LeftColumn);
  const int RoomHeight = std::max(1, Room.MainHeight);
  if (Width <= RoomWidth && Height <= RoomHeight)
    return {Width, Height};
  // Whole numbers throughout: the side that limits takes the room exactly.
  if (int64_t(Width) * RoomHeight > int64_t(Height) * RoomWidth)
    return {RoomWidth, std::max(1, int(int64_t(Height) * RoomWidth / Width))};
  return {std::max(1, int(int64_t(Width) * RoomHeight / Height)), RoomHeight};
}

TResize MaximizeViewport(int Width, int Height, const TRoom &Room) {
  TResize R;
  R.Height = Room.MainHeight - Height - Margin;
  if (R.Height < 0)
    R.Height = 0;
  R.Top = -Trunc(R.Height / 2.0);
  R.Width = Room.MainWidth - Room.LeftColumn - Width - Margin;
  R.Left = -Trunc(R.Width / 2.0);
  return R;
}

int ShapeRadius(int Width, int Height) {
  return int(std::nearbyint(std::sqrt(double(Width) * Width + 2.0 * Height) / 10));
}
