#include "BuildingSteps.h"

#include "Global.h"
#include "Occupancy.h"

#include <algorithm>
#include <climits>
#include <map>
#include <tuple>

namespace {

struct TCell {
  int X, Y, Z;
};

// The solid cells of placed piece N, as the grid holds them.
std::vector<TCell> CellsOf(int N) {
  const TPlacedPiece &P = Construction.Pieces[N];
  const TKit &Kit = Construction.Kits[P.Kit];
  uint8_t SX = 0, SY = 0, SZ = 0;
  Kit.GetPiece(uint8_t(P.Piece), &SX, &SY, &SZ);
  std::vector<TCell> Cells;
  WalkSolidCells(Kit, uint8_t(P.Piece), P.Rotation, SX, SY, SZ, [&](int Dx, int Dy, int K) {
    Cells.push_back({P.X + Dx, P.Y + Dy, P.Z + K});
    return true;
  });
  return Cells;
}

// The piece in a cell of the grid, 0 for none or for a cell beyond it.
int PieceIn(int X, int Y, int Z) {
  if (X < 0 || Y < 0 || Z < 0 || X >= GridX || Y >= GridY || Z >= GridZ)
    return 0;
  return Construction.Occupancy[X][Y][Z];
}

// Front-left first: by row, then column, then height, then placing order.
bool FrontLeftFirst(int A, int B) {
  const TPlacedPiece &P = Construction.Pieces[A], &Q = Construction.Pieces[B];
  return std::tie(P.Y, P.X, P.Z, A) < std::tie(Q.Y, Q.X, Q.Z, B);
}

// The pieces of the same layer that touch piece N face to face.
std::vector<int> Touching(int N, const std::vector<TCell> &Cells, const std::vector<int> &Layer) {
  static const int Steps[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  std::vector<int> Near;
  for (const TCell &C : Cells)
    for (const auto &S : Steps) {
      const int M = PieceIn(C.X + S[0], C.Y + S[1], C.Z + S[2]);
      if (M != 0 && M != N && Layer[M] == Layer[N])
        Near.push_back(M);
    }
  std::sort(Near.begin(), Near.end(), FrontLeftFirst);
  Near.erase(std::unique(Near.begin(), Near.end()), Near.end());
  return Near;
}

// The pieces reached breadth first from First through touching pieces for
// which Open holds, at most Most of them (0: no limit), each taken out of Open.
std::vector<int> Reach(int First, size_t Most, std::vector<bool> &Open,
                       const std::vector<std::vector<int>> &Near) {
  std::vector<int> Reached{First};
  Open[First] = false;
  for (size_t At = 0; At < Reached.size(); ++At)
    for (int M : Near[Reached[At]])
      if (Open[M] && (Most == 0 || Reached.size() < Most)) {
        Open[M] = false;
        Reached.push_back(M);
      }
  return Reached;
}

// A group of touching pieces cut into steps of at most StepPieces, each a
// touching part grown from the front-left piece left, as even in size as
// the group allows.
void AddSteps(std::vector<int> Group, int StepPieces, std::vector<bool> &Open,
              const std::vector<std::vector<int>> &Near, std::vector<std::vector<int>> &Steps) {
  std::sort(Group.begin(), Group.end(), FrontLeftFirst);
  for (int N : Group)
    Open[N] = true;
  size_t Left = Group.size();
  for (int First : Group) {
    if (!Open[First])
      continue;
    const size_t Count = (Left + StepPieces - 1) / StepPieces;
    Steps.push_back(Reach(First, (Left + Count - 1) / Count, Open, Near));
    Left -= Steps.back().size();
  }
}

} // namespace

std::vector<std::vector<int>> BuildingSteps(int StepPieces) {
  StepPieces = std::max(StepPieces, 1);
  const int Count = Construction.PieceCount;
  std::vector<std::vector<TCell>> Cells(size_t(Count) + 1);
  std::vector<int> Layer(size_t(Count) + 1, 0);
  std::map<int, std::vector<int>> Layers; // lowest height -> its pieces
  for (int N = 1; N <= Count; ++N) {
    Cells[N] = CellsOf(N);
    int Lowest = Cells[N].empty() ? Construction.Pieces[N].Z : INT_MAX;
    for (const TCell &C : Cells[N])
      Lowest = std::min(Lowest, C.Z);
    Layer[N] = Lowest;
    Layers[Lowest].push_back(N);
  }
  std::vector<std::vector<int>> Near(size_t(Count) + 1);
  for (int N = 1; N <= Count; ++N)
    Near[N] = Touching(N, Cells[N], Layer);
  std::vector<std::vector<int>> Steps;
  std::vector<bool> Ungrouped(size_t(Count) + 1, true), Open(size_t(Count) + 1, false);
  for (auto &[Height, Pieces] : Layers) {
    std::sort(Pieces.begin(), Pieces.end(), FrontLeftFirst);
    for (int First : Pieces)
      if (Ungrouped[First])
        AddSteps(Reach(First, 0, Ungrouped, Near), StepPieces, Open, Near, Steps);
  }
  return Steps;
}
