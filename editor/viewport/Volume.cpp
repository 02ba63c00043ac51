#include "Volume.h"

#include "History.h"
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
  const int SX = Construction.CurrentSizeX, SY = Construction.CurrentSizeY;
  for (int I = 0; I < SX; ++I)
    for (int J = 0; J < SY; ++J)
      for (int K = 0; K < Construction.CurrentSizeZ; ++K) {
        uint8_t Filled = 0;
        Kit.GetPieceVolume(Piece, uint8_t(I + 1), uint8_t(J + 1), uint8_t(K + 1), &Filled);
        if (Filled != 1)
          continue;
        const KitApi::TCellOffset D =
            RotateFootprint(uint8_t(Construction.CurrentRotation), I, J, SX, SY);
        if (Construction.Occupancy[X0 + D.Dx][Y0 + D.Dy][Z0 + K] != 0)
          return true;
      }
  return false;
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

// The number of layers from the base up that hold any piece: above them the
// grid is empty.
int OccupiedLayers() {
  int Top = 0;
  for (int N = 1; N <= Construction.PieceCount; ++N) {
    const TPlacedPiece &P = Construction.Pieces[N];
    Top = std::max(Top, P.Z + ExtentsOf(P).Z);
  }
  return std::min<int>(Top, Construction.BaseHeight);
}

// Gives every taken cell of the base the number Renumber makes of its piece
// number.
template <typename TRenumber> void RenumberGrid(TRenumber Renumber) {
  const int Layers = OccupiedLayers();
  for (int X = 0; X < Construction.BaseWidth; ++X)
    for (int Y = 0; Y < Construction.BaseLength; ++Y) {
      uint16_t *Column = Construction.Occupancy[X][Y];
      for (int Z = 0; Z < Layers; ++Z)
        if (Column[Z] != 0)
          Column[Z] = Renumber(Column[Z]);
    }
}

void AppendPiece(const TPlacedPiece &Piece) {
  const uint16_t N = ++Construction.PieceCount;
  Construction.Pieces[N] = Piece;
  StampPiece(N);
}

// Empties piece N's cells and closes the gap it leaves in the numbering of
// the pieces and the grid.
void TakeOutPiece(uint16_t N) {
  RenumberGrid([N](uint16_t V) { return uint16_t(V == N ? 0 : V > N ? V - 1 : V); });
  TPlacedPiece *Pieces = Construction.Pieces;
  std::move(Pieces + N + 1, Pieces + Construction.PieceCount + 1, Pieces + N);
  --Construction.PieceCount;
}

// Puts Piece back as piece N: the pieces from N on move up one number, in
// the list and in the grid, as they were before it was taken out.
void PutBackPiece(uint16_t N, const TPlacedPiece &Piece) {
  RenumberGrid([N](uint16_t V) { return uint16_t(V >= N ? V + 1 : V); });
  TPlacedPiece *Pieces = Construction.Pieces;
  std::move_backward(Pieces + N, Pieces + Construction.PieceCount + 1,
                     Pieces + Construction.PieceCount + 2);
  ++Construction.PieceCount;
  Pieces[N] = Piece;
  StampPiece(N);
}

// An insertion: the piece becomes the newest, so taking it back takes the
// last piece away.
class TInsertPiece : public TEdit {
public:
  explicit TInsertPiece(const TPlacedPiece &Piece) : TEdit("Insert piece"), FPiece(Piece) {}

protected:
  bool Do() override {
    AppendPiece(FPiece);
    return true;
  }
  bool Undo() override {
    TakeOutPiece(Construction.PieceCount);
    return true;
  }

private:
  TPlacedPiece FPiece;
};

// An extraction of piece number N, kept whole so that it goes back under
// its own number.
class TExtractPiece : public TEdit {
public:
  TExtractPiece(uint16_t N, const TPlacedPiece &Piece)
      : TEdit("Extract piece"), FNumber(N), FPiece(Piece) {}

protected:
  bool Do() override {
    TakeOutPiece(FNumber);
    return true;
  }
  bool Undo() override {
    PutBackPiece(FNumber, FPiece);
    return true;
  }

private:
  uint16_t FNumber;
  TPlacedPiece FPiece;
};

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
  if (Code >= BaseCodeStart) {
    const int C = Code - BaseCodeStart;
    const int W = Construction.BaseWidth;
    return {THit::Base, C % W, C / W, 0, 0};
  }
  const int Face = Code % 101;
  return {Face == 0 ? THit::PieceSide : THit::PieceTop, 0, 0, Code / 101, Face};
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

TRefusal PlaceChosenPiece(const TCell &Target) {
  if (Construction.PieceCount >= MaxPieces)
    return TRefusal::Full;
  const KitApi::TFootprintCell A =
      KitApi::FootprintCellOf(Construction.AnchorCell, Construction.CurrentSizeY);
  const KitApi::TCellOffset D = RotateFootprint(uint8_t(Construction.CurrentRotation), A.I, A.J,
                                                Construction.CurrentSizeX,
                                                Construction.CurrentSizeY);
  const int X0 = Target.X - D.Dx, Y0 = Target.Y - D.Dy, Z0 = Target.Z;
  if (!InsideBase(X0, Y0, Z0))
    return TRefusal::OffBase;
  if (Collides(X0, Y0, Z0))
    return TRefusal::Taken;
  PerformEdit(std::make_unique<TInsertPiece>(
      TPlacedPiece{uint16_t(Construction.CurrentKit), uint16_t(Construction.CurrentPiece),
                   uint8_t(X0), uint8_t(Y0), uint8_t(Z0), uint8_t(Construction.CurrentRotation)}));
  return TRefusal::None;
}

TRefusal RemovePiece(int N) {
  if (N < 1 || N > Construction.PieceCount)
    return TRefusal::NoPiece;
  const TPlacedPiece &P = Construction.Pieces[N];
  if (CarriesSomething(P, ExtentsOf(P)))
    return TRefusal::Carries;
  PerformEdit(std::make_unique<TExtractPiece>(uint16_t(N), P));
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
  if (Why != TRefusal::None) {
    ShowNote(X, Y, RefusalNote(Why));
    return;
  }
  LookRender();
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
  if (Why != TRefusal::None) {
    ShowNote(X, Y, RefusalNote(Why));
    return;
  }
  LookRender();
}
