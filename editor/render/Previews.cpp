#include "Previews.h"

#include "Camera.h"
#include "Construction.h"
#include "Corners.h"
#include "KitDrawings.h"
#include "Render.h"
#include "ShellLink.h"
#include "model/Busy.h"
#include "model/Global.h"

#include <GL/gl.h>

#include <cstring>
#include <vector>

TPreviewPictures Previews;

namespace {

constexpr int Far = RenderSize - CornerSize; // 108

void SetSmallProjection() {
  AspectRatio = 1.0;
  NearPlane = 3.0;
  FarPlane = 500.0;
}

// Moves the origin so that the rotated footprint of the chosen piece is
// centred on it.
void CentreFootprint() {
  const KitApi::TBoxSize Box =
      KitApi::RotatedBox(uint8_t(Construction.CurrentRotation), Construction.CurrentSizeX,
                         Construction.CurrentSizeY);
  glTranslated(-Box.X / 2.0, -Box.Y / 2.0, 0);
}

const TKit &CurrentKitRecord() { return Construction.Kits[Construction.CurrentKit]; }

bool HasKit() { return Construction.KitCount != 0; }

void CopyBitmap(TBitmap &Target, const TBitmap &Source) {
  Target.SetSize(Source.Width(), Source.Height());
  for (int Row = 0; Row < Source.Height(); ++Row)
    std::memcpy(Target.ScanLine(Row), Source.ScanLine(Row), size_t(Source.Width()) * 4);
}

void DrawCorners(const TBitmap &(*Corner)(TCorner), bool Top, bool Bottom) {
  if (Top) {
    DrawPicture(RenderBitmap, 0, 0, Corner(TopLeft));
    DrawPicture(RenderBitmap, Far, 0, Corner(TopRight));
  }
  if (Bottom) {
    DrawPicture(RenderBitmap, 0, Far, Corner(BottomLeft));
    DrawPicture(RenderBitmap, Far, Far, Corner(BottomRight));
  }
}

} // namespace

void PiecePreview() {
  const TBusy Busy;
  SetSmallProjection();
  std::unique_ptr<TGlContext> Context = beginDraw(
      fRender(), 3, true, Construction.SceneRed, Construction.SceneGreen, Construction.SceneBlue);
  if (!Context)
    return;
  const TPosition &Camera = CurrentCamera();
  glTranslated(0, 2, -17);
  glRotated(Camera.Tilt, 1, 0, 0);
  glRotated(Camera.Turn, 0, 0, 1);
  CentreFootprint();
  if (HasKit())
    DrawPieceLookOf(CurrentKitRecord(), uint8_t(Construction.CurrentPiece),
                    uint8_t(Construction.CurrentRotation), 0, 0, 0);
  ReadRenderBitmap(*Context);
  DrawCorners(WhiteCorner, false, true);
  CopyBitmap(Previews.iPiece, RenderBitmap);
  InvalidatePreviews();
  endDraw(true, true, std::move(Context));
}

void BaseLookPreview() {
  const TBusy Busy;
  SetSmallProjection();
  std::unique_ptr<TGlContext> Context = beginDraw(
      fRender(), 3, false, Construction.BaseRed, Construction.BaseGreen, Construction.BaseBlue);
  if (!Context)
    return;
  glTranslated(0, 0, -10);
  glRotated(CurrentCamera().Turn, 0, 0, 1);
  CentreFootprint();
  if (HasKit())
    CurrentKitRecord().DrawBaseLook(uint8_t(Construction.CurrentPiece),
                                    uint8_t(Construction.CurrentRotation),
                                    uint8_t(Construction.AnchorCell));
  ReadRenderBitmap(*Context);
  DrawCorners(WhiteCorner, true, true);
  CopyBitmap(Previews.iBaseLook, RenderBitmap);
  InvalidatePreviews();
  endDraw(false, true, std::move(Context));
}

void BaseFormPreview() {
  const TBusy Busy;
  SetSmallProjection();
  std::unique_ptr<TGlContext> Context = beginDraw(PlainRenderSurface(), 2, false, 0, 0, 0);
  if (!Context)
    return;
  glTranslated(0, 0, -10);
  glRotated(CurrentCamera().Turn, 0, 0, 1);
  CentreFootprint();
  if (HasKit())
    CurrentKitRecord().DrawBaseForm(uint8_t(Construction.CurrentPiece),
                                    uint8_t(Construction.CurrentRotation));
  // The bitmap's pixels, upright, become the picture.
  std::vector<uint8_t> Pixels(size_t(RenderSize) * RenderSize * 4, 0);
  Context->ReadPixels(0, 0, RenderSize, RenderSize, Pixels.data());
  endDraw(false, false, std::move(Context));
  Previews.iBaseForm.SetSize(RenderSize, RenderSize);
  for (int Row = 0; Row < RenderSize; ++Row)
    std::memcpy(Previews.iBaseForm.ScanLine(RenderSize - 1 - Row),
                &Pixels[size_t(Row) * RenderSize * 4], RenderSize * 4);
  InvalidatePreviews();
}

void RedrawPreviews() {
  PiecePreview();
  BaseLookPreview();
  BaseFormPreview();
}

void RenderSpinFrames(int Kit, int Piece, int Step) {
  TKit &K = Construction.Kits[Kit];
  SetSmallProjection();
  std::unique_ptr<TGlContext> Context = beginDraw(fRender(), 3, true, 255, 255, 255);
  if (!Context)
    return;
  glTranslated(0, 2, -17);
  glRotated(60, 1, 0, 0);
  glRotated(Step * 45, 0, 0, 1);
  uint8_t SX = 0, SY = 0, SZ = 0;
  K.GetPiece(uint8_t(Piece), &SX, &SY, &SZ);
  glTranslated(-SX / 2.0, -SY / 2.0, 0);
  DrawPieceLookOf(K, uint8_t(Piece), 1, 0, 0, 0);
  ReadRenderBitmap(*Context);
  if (Step == 7)
    CopyBitmap(K.Thumbnails[Piece], RenderBitmap);
  DrawCorners(BlueCorner, true, true);
  CopyBitmap(K.Frames[Piece][Step], RenderBitmap);
  endDraw(true, true, std::move(Context));
}

void iBaseLookMouseDown(int X, int Y) {
  const TBitmap &Form = Previews.iBaseForm;
  if (Form.IsEmpty() || X < 0 || Y < 0 || X >= Form.Width() || Y >= Form.Height())
    return;
  const uint32_t Pixel = Form.ScanLine(Y)[X]; // 0xXXRRGGBB
  const int32_t Code =
      int32_t(KitApi::PickCode(uint8_t(Pixel >> 16), uint8_t(Pixel >> 8), uint8_t(Pixel)));
  if (Code == 0)
    return;
  Construction.AnchorCell = Code;
  BaseLookPreview();
}
