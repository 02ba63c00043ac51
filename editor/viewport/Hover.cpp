#include "Hover.h"

#include "model/Busy.h"
#include "model/Global.h"
#include "render/Scene.h"
#include "render/ShellLink.h"

namespace {

THover Hovered;

THover InsertionAt(int X, int Y) {
  if (Construction.KitCount == 0)
    return {};
  TCell Target;
  if (!TargetCell(DecodePick(PickAt(X, Y)), Target))
    return {};
  const TPlacement Plan = PlanChosenPiece(Target);
  if (!Plan.Where)
    return {};
  return {Plan.Why == TRefusal::None ? TOverlay::Fits : TOverlay::DoesNotFit, Plan.Piece, Plan.Why};
}

THover ExtractionAt(int X, int Y) {
  if (Construction.KitCount == 0)
    return {};
  const THit Hit = DecodePick(PickAt(X, Y));
  if ((Hit.Kind != THit::PieceSide && Hit.Kind != THit::PieceTop) || Hit.Number < 1 ||
      Hit.Number > Construction.PieceCount)
    return {};
  const TPlacedPiece &P = Construction.Pieces[Hit.Number];
  const TOverlayPiece Piece{P.Kit, P.Piece, P.Rotation, P.X, P.Y, P.Z};
  if (SomethingStandsOn(Hit.Number))
    return {TOverlay::Carrying, Piece, TRefusal::Carries};
  return {TOverlay::Removable, Piece, TRefusal::None};
}

void Show(const THover &Hover) {
  const bool NoteChanged = Hover.Why != Hovered.Why;
  Hovered = Hover;
  if (NoteChanged)
    ShowState();
  if (ViewportOverlay.Mark == Hover.Mark && ViewportOverlay.Piece == Hover.Piece)
    return;
  ViewportOverlay.Mark = Hover.Mark;
  ViewportOverlay.Piece = Hover.Piece;
  LookRender();
}

} // namespace

THover HoverAt(int X, int Y) {
  switch (Construction.Mode) {
  case ModeInsert:
    return InsertionAt(X, Y);
  case ModeExtract:
    return ExtractionAt(X, Y);
  default:
    return {};
  }
}

void ShowHoverAt(int X, int Y) {
  if (Construction.Mode == ModeBusy) // no render runs inside another
    return;
  const TInputKept Kept;
  Show(HoverAt(X, Y));
}

void EndHover() {
  const TInputKept Kept;
  Show({});
}

bool DropHover() {
  const bool Shown = ViewportOverlay.Mark != TOverlay::None;
  const bool NoteChanged = Hovered.Why != TRefusal::None;
  Hovered = {};
  if (NoteChanged)
    ShowState();
  ViewportOverlay.Mark = TOverlay::None;
  ViewportOverlay.Piece = {};
  return Shown;
}

std::string HoverNote() { return RefusalNote(Hovered.Why); }
