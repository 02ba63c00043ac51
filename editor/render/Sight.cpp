#include "Sight.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

// Coordinates this close are one: a kit's turns are not exact (a cosine of
// 90 degrees is not quite 0).
constexpr float Tolerance = 1e-4f;

// Beyond this many regions a drawing is taken as wholly open to sight.
constexpr size_t MostCells = size_t(1) << 20;

float Coord(const TRecordedVertex &V, int Axis) { return Axis == 0 ? V.X : Axis == 1 ? V.Y : V.Z; }

// The other two axes of a plane across Axis, in the order x, y, z.
std::array<int, 2> OtherAxes(int Axis) { return {Axis == 0 ? 1 : 0, Axis == 2 ? 1 : 2}; }

struct TRect {
  uint32_t Batch, First;
  int Axis;
  float Plane, Low[2], High[2];
  bool FrontHigh;
};

// The quadrilateral at V as an axis-aligned rectangle inside the box, if it
// is one: flat across one axis, its four corners the rectangle's four.
std::optional<TRect> RectOf(const TRecordedVertex *V, const int Size[3]) {
  for (int Axis = 0; Axis < 3; ++Axis) {
    const float Plane = Coord(V[0], Axis);
    if (!std::all_of(V, V + 4, [&](const TRecordedVertex &C) { return std::fabs(Coord(C, Axis) - Plane) <= Tolerance; }))
      continue;
    const std::array<int, 2> UW = OtherAxes(Axis);
    TRect Rect{0, 0, Axis, Plane, {1e30f, 1e30f}, {-1e30f, -1e30f}, false};
    for (int C = 0; C < 4; ++C)
      for (int D = 0; D < 2; ++D)
        Rect.Low[D] = std::min(Rect.Low[D], Coord(V[C], UW[D])),
        Rect.High[D] = std::max(Rect.High[D], Coord(V[C], UW[D]));
    unsigned Corners = 0; // which of the four corners the vertices are
    for (int C = 0; C < 4; ++C) {
      unsigned Corner = 0;
      for (int D = 0; D < 2; ++D) {
        const float X = Coord(V[C], UW[D]);
        if (std::fabs(X - Rect.High[D]) <= Tolerance)
          Corner |= 1u << D;
        else if (std::fabs(X - Rect.Low[D]) > Tolerance)
          return std::nullopt;
      }
      Corners |= 1u << Corner;
    }
    if (Corners != 15 || Rect.High[0] - Rect.Low[0] <= Tolerance || Rect.High[1] - Rect.Low[1] <= Tolerance)
      return std::nullopt;
    if (Plane < -Tolerance || Plane > Size[Axis] + Tolerance)
      return std::nullopt;
    for (int D = 0; D < 2; ++D)
      if (Rect.Low[D] < -Tolerance || Rect.High[D] > Size[UW[D]] + Tolerance)
        return std::nullopt;
    // The turn of the corners seen from the axis' high side: the component
    // along it of the two triangles' cross products. Across y, the other
    // axes taken as (x, z) run the other way round, as (z, x) would not.
    const auto Turn = [&](const TRecordedVertex &A, const TRecordedVertex &B, const TRecordedVertex &C) {
      const float AU = Coord(B, UW[0]) - Coord(A, UW[0]), AW = Coord(B, UW[1]) - Coord(A, UW[1]);
      const float BU = Coord(C, UW[0]) - Coord(A, UW[0]), BW = Coord(C, UW[1]) - Coord(A, UW[1]);
      return AU * BW - AW * BU;
    };
    const float Area = (Turn(V[0], V[1], V[2]) + Turn(V[0], V[2], V[3])) * (Axis == 1 ? -1.0f : 1.0f);
    if (std::fabs(Area) <= Tolerance)
      return std::nullopt;
    Rect.FrontHigh = Area > 0;
    return Rect;
  }
  return std::nullopt;
}

// The box cut along every plane and edge of its rectangles and along its
// cells: regions, the walls between them, and which regions sight reaches.
class TGrid {
public:
  TGrid(const std::vector<TRect> &Rects, const int Size[3]) {
    for (int A = 0; A < 3; ++A) {
      std::vector<float> Values;
      for (int C = 0; C <= Size[A]; ++C)
        Values.push_back(float(C));
      for (const TRect &R : Rects) {
        if (R.Axis == A)
          Values.push_back(R.Plane);
        const std::array<int, 2> UW = OtherAxes(R.Axis);
        for (int D = 0; D < 2; ++D)
          if (UW[D] == A)
            Values.push_back(R.Low[D]), Values.push_back(R.High[D]);
      }
      std::sort(Values.begin(), Values.end());
      for (float X : Values)
        if (Lines[A].empty() || X - Lines[A].back() > Tolerance)
          Lines[A].push_back(X);
      N[A] = int(Lines[A].size()) - 1;
    }
    Fits = size_t(N[0]) * N[1] * N[2] <= MostCells;
    if (!Fits)
      return;
    for (int A = 0; A < 3; ++A) {
      const std::array<int, 2> UW = OtherAxes(A);
      Walls[A].assign(size_t(N[A] + 1) * N[UW[0]] * N[UW[1]], 0);
    }
    for (const TRect &R : Rects) {
      const std::array<int, 2> UW = OtherAxes(R.Axis);
      const int P = LineOf(R.Axis, R.Plane);
      for (int U = LineOf(UW[0], R.Low[0]); U < LineOf(UW[0], R.High[0]); ++U)
        for (int W = LineOf(UW[1], R.Low[1]); W < LineOf(UW[1], R.High[1]); ++W)
          Walls[R.Axis][WallIndex(R.Axis, P, U, W)] = 1;
    }
  }

  bool Fits = false;

  int LineOf(int Axis, float X) const {
    const std::vector<float> &L = Lines[Axis];
    const auto It = std::lower_bound(L.begin(), L.end(), X - Tolerance);
    return int(It - L.begin());
  }

  // Which regions sight from outside the box reaches, with the box's bottom
  // walled or not.
  void Flood(bool BottomWalled) {
    Reached.assign(size_t(N[0]) * N[1] * N[2], 0);
    std::vector<std::array<int, 3>> Todo;
    const auto Reach = [&](std::array<int, 3> C) {
      uint8_t &R = Reached[CellIndex(C)];
      if (!R)
        R = 1, Todo.push_back(C);
    };
    for (int A = 0; A < 3; ++A) {
      const std::array<int, 2> UW = OtherAxes(A);
      for (int P : {0, N[A]})
        for (int U = 0; U < N[UW[0]]; ++U)
          for (int W = 0; W < N[UW[1]]; ++W) {
            if (IsWall(A, P, U, W) || (BottomWalled && A == 2 && P == 0))
              continue;
            std::array<int, 3> C{};
            C[A] = P == 0 ? 0 : N[A] - 1, C[UW[0]] = U, C[UW[1]] = W;
            Reach(C);
          }
    }
    while (!Todo.empty()) {
      const std::array<int, 3> C = Todo.back();
      Todo.pop_back();
      for (int A = 0; A < 3; ++A) {
        const std::array<int, 2> UW = OtherAxes(A);
        for (int Step : {-1, 1}) {
          std::array<int, 3> Next = C;
          Next[A] += Step;
          if (Next[A] < 0 || Next[A] >= N[A])
            continue;
          if (!IsWall(A, Step > 0 ? Next[A] : C[A], C[UW[0]], C[UW[1]]))
            Reach(Next);
        }
      }
    }
  }

  // Whether the regions beside the plane Axis = Line on one side (High: the
  // side of greater Axis), across the line ranges U and W, are all closed.
  bool ClosedBeside(int Axis, int Line, bool High, int U0, int U1, int W0, int W1) const {
    const int Cell = High ? Line : Line - 1;
    if (Cell < 0 || Cell >= N[Axis])
      return false;
    const std::array<int, 2> UW = OtherAxes(Axis);
    for (int U = U0; U < U1; ++U)
      for (int W = W0; W < W1; ++W) {
        std::array<int, 3> C{};
        C[Axis] = Cell, C[UW[0]] = U, C[UW[1]] = W;
        if (Reached[CellIndex(C)])
          return false;
      }
    return true;
  }

  bool WalledAcross(int Axis, int Line, int U0, int U1, int W0, int W1) const {
    for (int U = U0; U < U1; ++U)
      for (int W = W0; W < W1; ++W)
        if (!IsWall(Axis, Line, U, W))
          return false;
    return true;
  }

  int Cells(int Axis) const { return N[Axis]; }

private:
  std::vector<float> Lines[3];
  int N[3] = {};
  std::vector<uint8_t> Walls[3];
  std::vector<uint8_t> Reached;

  size_t CellIndex(const std::array<int, 3> &C) const { return (size_t(C[0]) * N[1] + C[1]) * N[2] + C[2]; }
  size_t WallIndex(int Axis, int P, int U, int W) const {
    const std::array<int, 2> UW = OtherAxes(Axis);
    return (size_t(P) * N[UW[0]] + U) * N[UW[1]] + W;
  }
  bool IsWall(int Axis, int P, int U, int W) const { return Walls[Axis][WallIndex(Axis, P, U, W)] != 0; }
};

std::vector<TRect> RectsOf(const TRecording &Look, const int Size[3]) {
  std::vector<TRect> Rects;
  for (uint32_t B = 0; B < Look.Batches.size(); ++B) {
    const TRecordedBatch &Batch = Look.Batches[B];
    if (Batch.Mode != GL_QUADS)
      continue;
    for (uint32_t First = 0; First + 3 < Batch.Vertices.size(); First += 4)
      if (std::optional<TRect> Rect = RectOf(&Batch.Vertices[First], Size)) {
        Rect->Batch = B, Rect->First = First;
        Rects.push_back(*Rect);
      }
  }
  return Rects;
}

TSeenQuad SeenQuadOf(const TRect &R, const int Size[3]) {
  TSeenQuad Q{R.Batch, R.First};
  const bool Low = std::fabs(R.Plane) <= Tolerance, High = std::fabs(R.Plane - Size[R.Axis]) <= Tolerance;
  if (Low || High) {
    Q.Face = R.Axis * 2 + (High ? 1 : 0);
    Q.FrontOut = High == R.FrontHigh;
    for (int D = 0; D < 2; ++D)
      Q.From[D] = int(std::floor(R.Low[D] + Tolerance)), Q.To[D] = int(std::ceil(R.High[D] - Tolerance));
  }
  return Q;
}

// ---- Convex solids -------------------------------------------------------

using TPoint = std::array<double, 3>;

struct TPolygon {
  std::vector<TPoint> Corners;
  int Quad = -1; // its place among the recording's quadrilaterals, if one
};

bool SamePoint(const TPoint &A, const TPoint &B) {
  return std::fabs(A[0] - B[0]) <= Tolerance && std::fabs(A[1] - B[1]) <= Tolerance &&
         std::fabs(A[2] - B[2]) <= Tolerance;
}

// The polygons a recording draws, a corner repeated in a row taken once.
std::vector<TPolygon> PolygonsOf(const TRecording &Look) {
  std::vector<TPolygon> Polygons;
  int Quad = 0;
  for (const TRecordedBatch &Batch : Look.Batches) {
    const size_t Step = Batch.Mode == GL_QUADS ? 4 : 3;
    for (size_t First = 0; First + Step <= Batch.Vertices.size(); First += Step) {
      TPolygon P;
      P.Quad = Step == 4 ? Quad++ : -1;
      for (size_t C = 0; C < Step; ++C) {
        const TRecordedVertex &V = Batch.Vertices[First + C];
        const TPoint Point{V.X, V.Y, V.Z};
        if (P.Corners.empty() || !SamePoint(P.Corners.back(), Point))
          P.Corners.push_back(Point);
      }
      while (P.Corners.size() >= 2 && SamePoint(P.Corners.back(), P.Corners.front()))
        P.Corners.pop_back();
      Polygons.push_back(std::move(P));
    }
  }
  return Polygons;
}

// Where the recording's quadrilateral number Quad is: its batch and first vertex.
std::pair<uint32_t, uint32_t> QuadAt(const TRecording &Look, int Quad) {
  for (uint32_t B = 0; B < Look.Batches.size(); ++B) {
    const TRecordedBatch &Batch = Look.Batches[B];
    if (Batch.Mode != GL_QUADS)
      continue;
    const int Count = int(Batch.Vertices.size() / 4);
    if (Quad < Count)
      return {B, uint32_t(Quad) * 4};
    Quad -= Count;
  }
  return {0, 0};
}

// The normal of a polygon by Newell's method: it points to the polygon's
// front, and its length is twice the area.
TPoint NormalOf(const std::vector<TPoint> &C) {
  TPoint N{0, 0, 0};
  for (size_t I = 0; I < C.size(); ++I) {
    const TPoint &A = C[I], &B = C[(I + 1) % C.size()];
    N[0] += (A[1] - B[1]) * (A[2] + B[2]);
    N[1] += (A[2] - B[2]) * (A[0] + B[0]);
    N[2] += (A[0] - B[0]) * (A[1] + B[1]);
  }
  return N;
}

// A corner's place to within the tolerance, for matching edges.
std::array<long long, 3> KeyOf(const TPoint &P) {
  return {std::llround(P[0] / Tolerance), std::llround(P[1] / Tolerance), std::llround(P[2] / Tolerance)};
}

// Whether the polygons are all the faces of one convex solid: each edge is
// two faces' edge, and every corner lies on or behind each face's plane on
// the same side. Outward[I] tells whether polygon I's front looks out.
bool ConvexSolid(const std::vector<TPolygon> &Polygons, std::vector<bool> &Outward) {
  std::vector<std::pair<std::array<long long, 3>, std::array<long long, 3>>> Edges;
  for (const TPolygon &P : Polygons) {
    if (P.Corners.size() < 3)
      return false;
    for (size_t I = 0; I < P.Corners.size(); ++I) {
      auto A = KeyOf(P.Corners[I]), B = KeyOf(P.Corners[(I + 1) % P.Corners.size()]);
      Edges.push_back(A < B ? std::pair{A, B} : std::pair{B, A});
    }
  }
  std::sort(Edges.begin(), Edges.end());
  for (size_t I = 0; I < Edges.size(); I += 2)
    if (I + 1 >= Edges.size() || Edges[I] != Edges[I + 1] || (I + 2 < Edges.size() && Edges[I + 2] == Edges[I]))
      return false;
  Outward.assign(Polygons.size(), false);
  for (size_t I = 0; I < Polygons.size(); ++I) {
    const TPoint N = NormalOf(Polygons[I].Corners);
    const double Length = std::sqrt(N[0] * N[0] + N[1] * N[1] + N[2] * N[2]);
    if (Length <= Tolerance)
      return false;
    const TPoint &O = Polygons[I].Corners[0];
    bool Before = false, Behind = false;
    for (const TPolygon &Other : Polygons)
      for (const TPoint &C : Other.Corners) {
        const double D = (N[0] * (C[0] - O[0]) + N[1] * (C[1] - O[1]) + N[2] * (C[2] - O[2])) / Length;
        Before = Before || D > Tolerance, Behind = Behind || D < -Tolerance;
      }
    if (Before == Behind) // corners on both sides, or a flat solid
      return false;
    Outward[I] = Behind;
  }
  return true;
}

// Marks the quadrilaterals of a drawing that is a convex solid's surface,
// on their inner side, as closed: for both bottoms when the drawing is the
// whole surface, for a walled one when the bottom of the box completes it.
void AddConvexSolid(const TRecording &Look, const int Size[3], TBoxShape &Shape) {
  std::vector<TPolygon> Polygons = PolygonsOf(Look);
  std::vector<bool> Outward;
  bool Bottoms[2] = {true, true};
  if (!ConvexSolid(Polygons, Outward)) {
    const double X = Size[0], Y = Size[1];
    Polygons.push_back({{{0, 0, 0}, {0, Y, 0}, {X, Y, 0}, {X, 0, 0}}});
    if (!ConvexSolid(Polygons, Outward))
      return;
    Bottoms[0] = false;
  }
  std::vector<int> Seen(Polygons.size(), -1); // a polygon's place in Shape.Quads
  for (size_t I = 0; I < Shape.Quads.size(); ++I)
    for (size_t P = 0; P < Polygons.size(); ++P)
      if (Polygons[P].Quad >= 0 && QuadAt(Look, Polygons[P].Quad) == std::pair{Shape.Quads[I].Batch, Shape.Quads[I].First})
        Seen[P] = int(I);
  for (size_t P = 0; P < Polygons.size(); ++P) {
    if (Polygons[P].Quad < 0)
      continue;
    if (Seen[P] < 0) {
      const auto [Batch, First] = QuadAt(Look, Polygons[P].Quad);
      Seen[P] = int(Shape.Quads.size());
      Shape.Quads.push_back({Batch, First});
    }
    TSeenQuad &Q = Shape.Quads[size_t(Seen[P])];
    for (int B = 0; B < 2; ++B)
      if (Bottoms[B])
        (Outward[P] ? Q.BackClosed[B] : Q.FrontClosed[B]) = true;
  }
}

// The regions the recording's axis-aligned rectangles close off.
void AddWalledRegions(const TRecording &Look, TBoxShape &Shape) {
  const int *Size = Shape.Size;
  const int SizeX = Size[0], SizeY = Size[1];
  const std::vector<TRect> Rects = RectsOf(Look, Size);
  for (const TRect &R : Rects)
    Shape.Quads.push_back(SeenQuadOf(R, Size));
  for (int B = 0; B < 2; ++B)
    for (int F = 0; F < 6; ++F) {
      const std::array<int, 2> UW = OtherAxes(F / 2);
      Shape.InsideClosed[B][F].assign(size_t(Size[UW[0]]) * Size[UW[1]], 0);
    }
  Shape.TopCovered.assign(size_t(SizeX) * SizeY, 0);
  TGrid Grid(Rects, Size);
  if (!Grid.Fits)
    return;
  for (int X = 0; X < SizeX; ++X)
    for (int Y = 0; Y < SizeY; ++Y)
      Shape.TopCovered[size_t(X) * SizeY + Y] =
          Grid.WalledAcross(2, Grid.Cells(2), Grid.LineOf(0, float(X)), Grid.LineOf(0, float(X + 1)),
                            Grid.LineOf(1, float(Y)), Grid.LineOf(1, float(Y + 1)));
  for (int B = 0; B < 2; ++B) {
    Grid.Flood(B == 1);
    for (size_t I = 0; I < Rects.size(); ++I) {
      const TRect &R = Rects[I];
      const std::array<int, 2> UW = OtherAxes(R.Axis);
      const int U0 = Grid.LineOf(UW[0], R.Low[0]), U1 = Grid.LineOf(UW[0], R.High[0]);
      const int W0 = Grid.LineOf(UW[1], R.Low[1]), W1 = Grid.LineOf(UW[1], R.High[1]);
      const int Line = Grid.LineOf(R.Axis, R.Plane);
      const bool Low = Grid.ClosedBeside(R.Axis, Line, false, U0, U1, W0, W1),
                 High = Grid.ClosedBeside(R.Axis, Line, true, U0, U1, W0, W1);
      Shape.Quads[I].FrontClosed[B] = R.FrontHigh ? High : Low;
      Shape.Quads[I].BackClosed[B] = R.FrontHigh ? Low : High;
    }
    for (int F = 0; F < 6; ++F) {
      const int Axis = F / 2;
      const bool High = F % 2 == 1;
      const std::array<int, 2> UW = OtherAxes(Axis);
      for (int U = 0; U < Size[UW[0]]; ++U)
        for (int W = 0; W < Size[UW[1]]; ++W)
          Shape.InsideClosed[B][F][size_t(U) * Size[UW[1]] + W] = Grid.ClosedBeside(
              Axis, High ? Grid.Cells(Axis) : 0, !High, Grid.LineOf(UW[0], float(U)), Grid.LineOf(UW[0], float(U + 1)),
              Grid.LineOf(UW[1], float(W)), Grid.LineOf(UW[1], float(W + 1)));
    }
  }
}

} // namespace

TBoxShape SightOf(const TRecording &Look, int SizeX, int SizeY, int SizeZ) {
  TBoxShape Shape;
  Shape.Size[0] = SizeX, Shape.Size[1] = SizeY, Shape.Size[2] = SizeZ;
  AddWalledRegions(Look, Shape);
  AddConvexSolid(Look, Shape.Size, Shape);
  return Shape;
}
