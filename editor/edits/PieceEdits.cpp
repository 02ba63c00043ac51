#include "PieceEdits.h"

#include "History.h"
#include "model/Occupancy.h"

#include <algorithm>
#include <memory>

namespace {

// The number of layers from the base up that hold any piece: above them the
// grid is empty.
int OccupiedLayers() {
  int Top = 0;
  for (int N = 1; N <= Construction.PieceCount; ++N) {
    const TPlacedPiece &P = Construction.Pieces[N];
    uint8_t SX = 0, SY = 0, SZ = 0;
    Construction.Kits[P.Kit].GetPiece(uint8_t(P.Piece), &SX, &SY, &SZ);
    Top = std::max(Top, P.Z + SZ);
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

class TInsertPiece : public TEdit {
public:
  explicit TInsertPiece(const TPlacedPiece &Piece)
      : TEdit("Insert piece", ChangedPieces), FPiece(Piece) {}

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

// Kept whole, so that it goes back under its own number.
class TExtractPiece : public TEdit {
public:
  TExtractPiece(uint16_t N, const TPlacedPiece &Piece)
      : TEdit("Extract piece", ChangedPieces), FNumber(N), FPiece(Piece) {}

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

void InsertPiece(const TPlacedPiece &Piece) { PerformEdit(std::make_unique<TInsertPiece>(Piece)); }

void ExtractPiece(uint16_t N) {
  PerformEdit(std::make_unique<TExtractPiece>(N, Construction.Pieces[N]));
}
