#include "Volume.h"

#include "edits/PieceEdits.h"
#include "model/Global.h"
#include "model/Occupancy.h"
#include "platform/Messages.h"
#include "render/Scene.h"
#include "render/ShellLink.h"

#include <algorithm>
#include <memory>

namespace {

struct TExtents {
  uint8_t X = 0, Y = 0, Z = 0;
};

TExtents ExtentsOf(const TPlacedPiece &P) {
  TExtents E;
  Construction.Kits[P.Kit].GetPiece(uint8_t(P.Piece), &E.X, &E.Y, &E.Z);
  return E;
}

// Whether the chosen piece's rotated box at (X0, Y0, Z0) lies inside the base.
bool InsideBase(int X0, int Y0, int Z0) {
  const KitApi::TBoxSize Box = KitApi::RotatedBox(
      uint8_t(Construction.CurrentRotation), Construction.CurrentSizeX, Construction.CurrentSizeY);
  return X0 >= 0 && Y0 >= 0 && Z0 >= 0 && X0 + Box.X <= Construction.BaseWidth &&
         Y0 + Box.Y <= Construction.BaseLength &&
         Z0 + Construction.CurrentSizeZ <= Construction.BaseHeight;
}

// True when a solid cell of the chosen piece at (X0, Y0, Z0) is taken.
bool Collides(int X0, int Y0, int Z0) {
  const TKit &Kit = Construction.Kits[Construction.CurrentKit];
  const uint8_t Piece = uint8_t(Construction.CurrentPiece);
  return !WalkSolidCells(Kit, Piece, uint8_t(Construction.CurrentRotation),
                         Construction.CurrentSizeX, Construction.CurrentSizeY,
                         Construction.CurrentSizeZ, [=](int Dx, int Dy, int K) {
                           return Construction.Occupancy[X0 + Dx][Y0 + Dy][Z0 + K] == 0;
                         });
}

// True when anything stands on the layer just above piece P's box.
bool CarriesSomething(const TPlacedPiece &P, const TExtents &E) {
  if (P.Z + E.Z == Construction.BaseHeight)
    return false;
  for (int I = 0; I < E.X; ++I)
    for (int J = 0; J < E.Y; ++J) {
      const KitApi::TCellOffset D = RotateFootprint(P.Rotation, I, J, E.X, E.Y);
      if (Construction.Occupancy[P.X + D.Dx][P.Y + D.Dy][P.Z + E.Z] != 0)
        return true;
    }
  return false;
}

} // namespace

std::string RefusalNote(TRefusal Why) {
  switch (Why) {
  case TRefusal::NoKit:
    return "Add a kit first";
  case TRefusal::NoPlace:
    return "Click on the base or on top of a piece";
  case TRefusal::OffBase:
    return "Does not fit on the base";
  case TRefusal::Taken:
    return "Does not fit here";
  case TRefusal::Full:
    return "No room for more pieces";
  case TRefusal::NoPiece:
    return "No piece here";
  case TRefusal::Carries:
    return "Another piece stands on it";
  default:
    return {};
  }
}

THit DecodePick(int32_t Code) {
  if (Code <= 0)
    return {THit::Nothing, 0, 0, 0, 0};
  if (KitApi::IsBaseCode(uint32_t(Code))) {
    const KitApi::TBaseCell Cell = KitApi::BaseCellOf(uint32_t(Code), Construction.BaseWidth);
    return {THit::Base, Cell.X, Cell.Y, 0, 0};
  }
  const int Face = KitApi::FaceOfCode(uint32_t(Code));
  return {Face == 0 ? THit::PieceSide : THit::PieceTop, 0, 0, KitApi::PieceOfCode(uint32_t(Code)), Face};
}

bool TargetCell(const THit &Hit, TCell &Target) {
  switch (Hit.Kind) {
  case THit::Base:
    if (Hit.Y >= Construction.BaseLength)
      return false;
    Target = {Hit.X, Hit.Y, 0};
    return true;
  case THit::PieceTop: {
    if (Hit.Number < 1 || Hit.Number > Construction.PieceCount)
      return false;
    const TPlacedPiece &P = Construction.Pieces[Hit.Number];
    const TExtents E = ExtentsOf(P);
    if (Hit.TopCell > E.X * E.Y)
      return false;
    const KitApi::TFootprintCell F = KitApi::FootprintCellOf(Hit.TopCell, E.Y);
    const KitApi::TCellOffset D = RotateFootprint(P.Rotation, F.I, F.J, E.X, E.Y);
    Target = {P.X + D.Dx, P.Y + D.Dy, P.Z + E.Z};
    return true;
  }
  default:
    return false;
  }
}

TPlacement PlanChosenPiece(const TCell &Target) {
  if (Construction.PieceCount >= MaxPieces)
    return {TRefusal::Full, {}, false};
  const KitApi::TFootprintCell A =
      KitApi::FootprintCellOf(Construction.AnchorCell, Construction.CurrentSizeY);
  const KitApi::TCellOffset D = RotateFootprint(uint8_t(Construction.CurrentRotation), A.I, A.J,
                                                Construction.CurrentSizeX,
                                                Construction.CurrentSizeY);
  const TOverlayPiece Piece{Construction.CurrentKit, Construction.CurrentPiece,
                            Construction.CurrentRotation, Target.X - D.Dx, Target.Y - D.Dy,
                            Target.Z};
  if (!InsideBase(Piece.X, Piece.Y, Piece.Z))
    return {TRefusal::OffBase, Piece, true};
  if (Collides(Piece.X, Piece.Y, Piece.Z))
    return {TRefusal::Taken, Piece, true};
  return {TRefusal::None, Piece, true};
}

TRefusal PlaceChosenPiece(const TCell &Target) {
  const TPlacement Plan = PlanChosenPiece(Target);
  if (Plan.Why != TRefusal::None)
    return Plan.Why;
  const TOverlayPiece &P = Plan.Piece;
  InsertPiece(TPlacedPiece{uint16_t(P.Kit), uint16_t(P.Piece), uint8_t(P.X), uint8_t(P.Y),
                           uint8_t(P.Z), uint8_t(P.Rotation)});
  return TRefusal::None;
}

bool SomethingStandsOn(int N) {
  const TPlacedPiece &P = Construction.Pieces[N];
  return CarriesSomething(P, ExtentsOf(P));
}

TRefusal RemovePiece(int N) {
  if (N < 1 || N > Construction.PieceCount)
    return TRefusal::NoPiece;
  if (SomethingStandsOn(N))
    return TRefusal::Carries;
  ExtractPiece(uint16_t(N));
  return TRefusal::None;
}

void InsertPieceAt(int X, int Y) {
  if (Construction.KitCount == 0) {
    ShowNote(X, Y, RefusalNote(TRefusal::NoKit));
    return;
  }
  const int32_t Code = PickAt(X, Y);
  FocusMainWindow();
  InvalidatePreviews();
  ProcessMessages();
  TCell Target;
  const TRefusal Why =
      TargetCell(DecodePick(Code), Target) ? PlaceChosenPiece(Target) : TRefusal::NoPlace;
  if (Why != TRefusal::None)
    ShowNote(X, Y, RefusalNote(Why));
}

void ExtractPieceAt(int X, int Y) {
  // Without kits in use there are no pieces either.
  if (Construction.KitCount == 0) {
    ShowNote(X, Y, RefusalNote(TRefusal::NoPiece));
    return;
  }
  const THit Hit = DecodePick(PickAt(X, Y));
  const bool OnPiece = Hit.Kind == THit::PieceSide || Hit.Kind == THit::PieceTop;
  const TRefusal Why = OnPiece ? RemovePiece(Hit.Number) : TRefusal::NoPiece;
  if (Why != TRefusal::None)
    ShowNote(X, Y, RefusalNote(Why));
}
