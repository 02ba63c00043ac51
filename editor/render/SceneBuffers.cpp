#include "SceneBuffers.h"

#include "Construction.h"
#include "KitDrawings.h"
#include "Sight.h"
#include "model/Global.h"
#include "platform/GlSurface.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstddef>
#include <cmath>
#include <memory>

namespace {

constexpr GLsizei Stride = sizeof(TRecordedVertex);

// How much of a quadrilateral must be drawn: all of it, only where its
// front (the side its corners run anticlockwise round) or its back is seen,
// or nothing. A later kind needs no more drawing than an earlier one.
enum TQuadDrawing : uint8_t { Whole, FrontOnly, BackOnly, LeftOut };

// The vertices of one kit texture, kind of primitive and side seen, for
// every piece that draws with them, in piece order; and the GL's copy.
struct TGroup {
  std::shared_ptr<TKitDrawings> Drawings;
  unsigned Texture = 0, Mode = 0;
  TQuadDrawing Seen = Whole;
  std::vector<TRecordedVertex> Vertices;
  GLuint Buffer = 0;
  unsigned BufferGroup = 0;
  size_t Capacity = 0, Uploaded = 0; // in vertices, of the GL's copy
};

// A piece's vertices in one group.
struct TRun {
  size_t Group, Start, Count;
};

// A placed piece as the buffers hold it.
struct TBuilt {
  std::shared_ptr<TKitDrawings> Drawings; // held, so that no other kit's can take its place
  TPlacedPiece Piece;
  std::vector<TRun> Runs;
  std::vector<TQuadDrawing> Quads; // of its shape's quadrilaterals, how each is drawn
};

struct TScene {
  std::vector<TGroup> Groups;
  std::vector<TBuilt> Built;
  std::vector<int> Outside;
  bool SharesState = false;
  GLuint Plate = 0;
  unsigned PlateGroup = 0;
  GLuint Corners = 0; // the triangles' corners for quadrilaterals, in order
  unsigned CornersGroup = 0;
  size_t CornersFor = 0; // quadrilaterals
} Scene;

bool SameAs(const TBuilt &B, const TPlacedPiece &P) {
  return B.Drawings == Construction.Kits[P.Kit].Drawings && B.Piece.Piece == P.Piece &&
         B.Piece.X == P.X && B.Piece.Y == P.Y && B.Piece.Z == P.Z && B.Piece.Rotation == P.Rotation;
}

size_t GroupFor(const std::shared_ptr<TKitDrawings> &Drawings, unsigned Texture, unsigned Mode,
                TQuadDrawing Seen) {
  for (size_t G = 0; G < Scene.Groups.size(); ++G) {
    TGroup &Group = Scene.Groups[G];
    if (Group.Drawings == Drawings && Group.Texture == Texture && Group.Mode == Mode && Group.Seen == Seen)
      return G;
  }
  for (size_t G = 0; G < Scene.Groups.size(); ++G)
    if (!Scene.Groups[G].Drawings) { // an emptied group takes the new key
      TGroup &Group = Scene.Groups[G];
      Group.Drawings = Drawings, Group.Texture = Texture, Group.Mode = Mode, Group.Seen = Seen;
      return G;
    }
  Scene.Groups.push_back({Drawings, Texture, Mode, Seen, {}, 0, 0, 0, 0});
  return Scene.Groups.size() - 1;
}

// Forgets the pieces from From on: each group keeps only the vertices of
// the pieces before it, which come first in it.
void Truncate(size_t From) {
  std::vector<size_t> Keep(Scene.Groups.size(), 0);
  for (size_t I = 0; I < From; ++I)
    for (const TRun &Run : Scene.Built[I].Runs)
      Keep[Run.Group] = std::max(Keep[Run.Group], Run.Start + Run.Count);
  for (size_t G = 0; G < Scene.Groups.size(); ++G) {
    TGroup &Group = Scene.Groups[G];
    Group.Vertices.resize(Keep[G]);
    Group.Uploaded = std::min(Group.Uploaded, Keep[G]);
    if (Group.Vertices.empty())
      Group.Drawings.reset();
  }
  Scene.Built.resize(From);
}

// ---- What no one can see ------------------------------------------------
//
// A piece's box holds regions that its drawing closes off (see Sight.h).
// Its bottom is closed when it stands on the base plate, or when each cell
// under it is the top of a piece whose drawing covers that cell. A
// quadrilateral of a piece with a closed region on one side is seen from
// the other side only; one between two closed regions, its own or, on its
// box's side, its own and that of the touching piece, is not seen at all.
// Every line of sight that reaches a closed region crosses a quadrilateral
// on the way in that is drawn from that side, so leaving these out changes
// no picture, as long as no line of sight starts inside a closed region:
// the camera's near plane must not cut a piece (see NearPlaneMeetsAPiece).

const TBoxShape *ShapeOf(const TPlacedPiece &P) {
  const TKit &Kit = Construction.Kits[P.Kit];
  if (!TrustedLook(Kit, uint8_t(P.Piece), P.Rotation))
    return nullptr;
  return &Kit.Drawings->Shape[P.Piece][KitApi::EffectiveRotation(P.Rotation)];
}

int Occupant(int X, int Y, int Z) {
  if (X < 0 || Y < 0 || Z < 0 || X >= Construction.BaseWidth || Y >= Construction.BaseLength ||
      Z >= Construction.BaseHeight)
    return 0;
  return Construction.Occupancy[X][Y][Z];
}

int Origin(const TPlacedPiece &P, int Axis) { return Axis == 0 ? P.X : Axis == 1 ? P.Y : P.Z; }

std::vector<int8_t> Seating; // per piece: 0 not known yet, 1 closed below, -1 not

bool BottomClosed(int N) {
  int8_t &Known = Seating[size_t(N)];
  if (Known != 0)
    return Known > 0;
  const TPlacedPiece &P = Construction.Pieces[N];
  const TBoxShape *Shape = ShapeOf(P);
  bool Closed = Shape != nullptr;
  for (int X = 0; Closed && P.Z > 0 && X < Shape->Size[0]; ++X)
    for (int Y = 0; Closed && Y < Shape->Size[1]; ++Y) {
      const int Under = Occupant(P.X + X, P.Y + Y, P.Z - 1);
      const TPlacedPiece &U = Construction.Pieces[Under];
      const TBoxShape *Below = Under != 0 && Under != N ? ShapeOf(U) : nullptr;
      Closed = Below && U.Z + Below->Size[2] == P.Z &&
               Below->TopCovered[size_t(P.X + X - U.X) * Below->Size[1] + (P.Y + Y - U.Y)] != 0;
    }
  Known = Closed ? 1 : -1;
  return Closed;
}

// Whether the regions outside piece N's box beyond the quadrilateral Q, on
// a side of it, are closed regions of the pieces there, whose boxes touch.
bool ClosedBeyond(int N, const TSeenQuad &Q) {
  const TPlacedPiece &P = Construction.Pieces[N];
  const TBoxShape &Shape = *ShapeOf(P);
  const int Axis = Q.Face / 2, U = Axis == 0 ? 1 : 0, W = Axis == 2 ? 1 : 2;
  const bool High = Q.Face % 2 == 1;
  int Cell[3];
  Cell[Axis] = Origin(P, Axis) + (High ? Shape.Size[Axis] : -1);
  for (int A = Q.From[0]; A < Q.To[0]; ++A)
    for (int C = Q.From[1]; C < Q.To[1]; ++C) {
      Cell[U] = Origin(P, U) + A, Cell[W] = Origin(P, W) + C;
      const int Next = Occupant(Cell[0], Cell[1], Cell[2]);
      const TPlacedPiece &B = Construction.Pieces[Next];
      const TBoxShape *Beyond = Next != 0 && Next != N ? ShapeOf(B) : nullptr;
      if (!Beyond)
        return false;
      const int Touching = High ? Origin(B, Axis) : Origin(B, Axis) + Beyond->Size[Axis];
      const int BU = Cell[U] - Origin(B, U), BW = Cell[W] - Origin(B, W);
      if (Touching != Cell[Axis] + (High ? 0 : 1) || BU < 0 || BW < 0 || BU >= Beyond->Size[U] ||
          BW >= Beyond->Size[W])
        return false;
      const std::vector<uint8_t> &Inside = Beyond->InsideClosed[BottomClosed(Next)][Axis * 2 + (High ? 0 : 1)];
      if (!Inside[size_t(BU) * Beyond->Size[W] + BW])
        return false;
    }
  return true;
}

// How each of piece N's quadrilaterals must be drawn.
std::vector<TQuadDrawing> QuadDrawings(int N) {
  const TBoxShape *Shape = ShapeOf(Construction.Pieces[N]);
  if (!Shape)
    return {};
  const bool Bottom = BottomClosed(N);
  std::vector<TQuadDrawing> Out;
  Out.reserve(Shape->Quads.size());
  for (const TSeenQuad &Q : Shape->Quads) {
    bool Front = Q.FrontClosed[Bottom], Back = Q.BackClosed[Bottom];
    if (Q.Face >= 0)
      (Q.FrontOut ? Front : Back) = ClosedBeyond(N, Q);
    Out.push_back(Front && Back ? LeftOut : Back ? FrontOnly : Front ? BackOnly : Whole);
  }
  return Out;
}

// Appends placed piece N to the groups of its recorded batches, drawing its
// quadrilaterals as Quads says.
void Append(int N, std::vector<TQuadDrawing> Quads) {
  const TPlacedPiece &P = Construction.Pieces[N];
  const TKit &Kit = Construction.Kits[P.Kit];
  TBuilt Built{Kit.Drawings, P, {}, std::move(Quads)};
  if (const TRecording *Look = TrustedLook(Kit, uint8_t(P.Piece), P.Rotation)) {
    const TBoxShape &Shape = *ShapeOf(P);
    for (uint32_t B = 0; B < Look->Batches.size(); ++B) {
      const TRecordedBatch &Batch = Look->Batches[B];
      std::vector<TQuadDrawing> Drawing(Batch.Vertices.size(), Whole);
      for (size_t Q = 0; Q < Built.Quads.size(); ++Q)
        if (Shape.Quads[Q].Batch == B)
          std::fill_n(Drawing.begin() + Shape.Quads[Q].First, 4, Built.Quads[Q]);
      for (TQuadDrawing Seen : {Whole, FrontOnly, BackOnly}) {
        if (std::find(Drawing.begin(), Drawing.end(), Seen) == Drawing.end())
          continue;
        const size_t G = GroupFor(Kit.Drawings, Batch.Texture, Batch.Mode, Seen);
        std::vector<TRecordedVertex> &Into = Scene.Groups[G].Vertices;
        const size_t Start = Into.size();
        for (size_t I = 0; I < Batch.Vertices.size(); ++I) {
          if (Drawing[I] != Seen)
            continue;
          TRecordedVertex V = Batch.Vertices[I];
          V.X += P.X, V.Y += P.Y, V.Z += P.Z;
          Into.push_back(V);
        }
        Built.Runs.push_back({G, Start, Into.size() - Start});
      }
    }
  }
  Scene.Built.push_back(std::move(Built));
}

// Whether a piece built earlier draws less of a quadrilateral than must be
// drawn now.
bool ShowsLess(const TBuilt &Built, const std::vector<TQuadDrawing> &Now) {
  for (size_t Q = 0; Q < Built.Quads.size(); ++Q) {
    const TQuadDrawing Was = Built.Quads[Q], Is = Q < Now.size() ? Now[Q] : Whole;
    if (Was != Whole && Was != Is && Is != LeftOut)
      return true;
  }
  return false;
}

// Nothing is made anew before the first piece that changed, unless a piece
// before it draws less than its changed neighbours now let it. A piece that
// could draw less since keeps drawing more: that costs time, never a wrong
// picture.
void Sync() {
  const int Count = Construction.PieceCount;
  size_t Same = 0;
  while (Same < Scene.Built.size() && Same < size_t(Count) &&
         SameAs(Scene.Built[Same], Construction.Pieces[Same + 1]))
    ++Same;
  if (Same == Scene.Built.size() && Same == size_t(Count))
    return;
  Seating.assign(size_t(Count) + 1, 0);
  std::vector<std::vector<TQuadDrawing>> Now(size_t(Count) + 1);
  for (int N = 1; N <= Count; ++N)
    Now[size_t(N)] = QuadDrawings(N);
  for (size_t I = 0; I < Same; ++I)
    if (ShowsLess(Scene.Built[I], Now[I + 1])) {
      Same = I;
      break;
    }
  if (Same < Scene.Built.size())
    Truncate(Same);
  for (int N = int(Same) + 1; N <= Count; ++N)
    Append(N, std::move(Now[size_t(N)]));
  Scene.Outside.clear();
  Scene.SharesState = false;
  for (int N = 1; N <= Count; ++N) {
    const TPlacedPiece &P = Construction.Pieces[N];
    const TKit &Kit = Construction.Kits[P.Kit];
    if (TrustedLook(Kit, uint8_t(P.Piece), P.Rotation))
      continue;
    Scene.Outside.push_back(N);
    const TRecording *Look =
        Kit.Drawings ? &Kit.Drawings->Look[std::min<int>(P.Piece, MaxKitPieces)][KitApi::EffectiveRotation(P.Rotation)]
                     : nullptr;
    Scene.SharesState = Scene.SharesState || !Look || Look->LeavesState;
  }
}

// The 3 x 3 part of the model-view matrix, and where the eye is in the
// construction's cells.
struct TEye {
  double Turn[3][3];
  double At[3];
};

double Determinant(const double (&A)[3][3]) {
  return A[0][0] * (A[1][1] * A[2][2] - A[1][2] * A[2][1]) - A[0][1] * (A[1][0] * A[2][2] - A[1][2] * A[2][0]) +
         A[0][2] * (A[1][0] * A[2][1] - A[1][1] * A[2][0]);
}

TEye CurrentEye() {
  GLdouble M[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, M);
  TEye Eye{};
  for (int R = 0; R < 3; ++R)
    for (int C = 0; C < 3; ++C)
      Eye.Turn[R][C] = M[C * 4 + R];
  // The eye is where the matrix takes the origin: At = -Turn^-1 * move.
  const double Det = Determinant(Eye.Turn);
  for (int I = 0; I < 3; ++I) { // Cramer's rule: column I taken by the move
    double B[3][3];
    for (int R = 0; R < 3; ++R)
      for (int C = 0; C < 3; ++C)
        B[R][C] = C == I ? -M[12 + R] : Eye.Turn[R][C];
    Eye.At[I] = Determinant(B) / Det;
  }
  return Eye;
}

// Whether the near plane may cut a buffered piece's box: every point of the
// near rectangle lies within a ball round the eye, and a box that the ball
// misses is whole in the picture.
bool NearPlaneMeetsAPiece(const TEye &Eye) {
  const double Half = std::tan(45.0 / 2 * M_PI / 180);
  const double Reach =
      NearPlane * std::sqrt(1 + Half * Half * (1 + AspectRatio * AspectRatio)) * 1.001 + 1e-3;
  for (const TBuilt &Built : Scene.Built) {
    const TBoxShape *Shape = ShapeOf(Built.Piece);
    if (!Shape)
      continue;
    double Gap = 0;
    for (int A = 0; A < 3; ++A) {
      const double Low = Origin(Built.Piece, A), High = Low + Shape->Size[A];
      const double D = std::max({Low - Eye.At[A], 0.0, Eye.At[A] - High});
      Gap += D * D;
    }
    if (Gap <= Reach * Reach)
      return true;
  }
  return false;
}

// Hands the GL what it does not hold yet of a group's vertices.
void Upload(TGroup &Group) {
  if (Group.BufferGroup != GlShareGroup() || !Group.Buffer) {
    glGenBuffers(1, &Group.Buffer);
    Group.BufferGroup = GlShareGroup();
    Group.Capacity = Group.Uploaded = 0;
  }
  glBindBuffer(GL_ARRAY_BUFFER, Group.Buffer);
  const size_t Size = Group.Vertices.size();
  if (Size > Group.Capacity) {
    Group.Capacity = Size + Size / 2;
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(Group.Capacity * Stride), nullptr, GL_DYNAMIC_DRAW);
    Group.Uploaded = 0;
  }
  if (Group.Uploaded < Size)
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(Group.Uploaded * Stride),
                    GLsizeiptr((Size - Group.Uploaded) * Stride), Group.Vertices.data() + Group.Uploaded);
  Group.Uploaded = Size;
}

// The offset of a vertex field in the bound buffer, as GL takes it.
const GLvoid *Field(size_t Offset) { return reinterpret_cast<const GLvoid *>(Offset); }

// Points the arrays at the vertices of the bound buffer.
void PointAtBuffer() {
  glVertexPointer(3, GL_FLOAT, Stride, Field(offsetof(TRecordedVertex, X)));
  glNormalPointer(GL_FLOAT, Stride, Field(offsetof(TRecordedVertex, NX)));
  glTexCoordPointer(2, GL_FLOAT, Stride, Field(offsetof(TRecordedVertex, S)));
  glColorPointer(4, GL_UNSIGNED_BYTE, Stride, Field(offsetof(TRecordedVertex, Red)));
}

// The base plate: one quadrilateral in the base colour, facing up.
void DrawPlate() {
  const float W = Construction.BaseWidth, L = Construction.BaseLength;
  const uint8_t R = Construction.BaseRed, G = Construction.BaseGreen, B = Construction.BaseBlue;
  const TRecordedVertex Plate[4] = {{W, 0, 0, 0, 0, 1, 0, 0, R, G, B, 255},
                                    {W, L, 0, 0, 0, 1, 0, 0, R, G, B, 255},
                                    {0, L, 0, 0, 0, 1, 0, 0, R, G, B, 255},
                                    {0, 0, 0, 0, 0, 1, 0, 0, R, G, B, 255}};
  if (Scene.PlateGroup != GlShareGroup() || !Scene.Plate) {
    glGenBuffers(1, &Scene.Plate);
    Scene.PlateGroup = GlShareGroup();
  }
  glBindBuffer(GL_ARRAY_BUFFER, Scene.Plate);
  glBufferData(GL_ARRAY_BUFFER, sizeof Plate, Plate, GL_STREAM_DRAW);
  PointAtBuffer();
  glDisable(GL_TEXTURE_2D);
  glDrawArrays(GL_QUADS, 0, 4);
}

// Makes the corner list hold the triangles of at least Quads quadrilaterals.
void HaveCorners(size_t Quads) {
  if (Scene.CornersGroup != GlShareGroup() || !Scene.Corners) {
    glGenBuffers(1, &Scene.Corners);
    Scene.CornersGroup = GlShareGroup();
    Scene.CornersFor = 0;
  }
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, Scene.Corners);
  if (Quads <= Scene.CornersFor)
    return;
  Quads += Quads / 2;
  std::vector<GLuint> Corners;
  Corners.reserve(Quads * 6);
  for (GLuint Q = 0; Q < Quads; ++Q)
    for (GLuint Corner : {0u, 1u, 2u, 0u, 2u, 3u})
      Corners.push_back(4 * Q + Corner);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(Corners.size() * sizeof(GLuint)), Corners.data(), GL_STATIC_DRAW);
  Scene.CornersFor = Quads;
}

// Quadrilaterals are drawn as the two triangles a kit's own quadrilateral
// is split into, (0, 1, 2) and (0, 2, 3): left to the GL, the split of a
// long list of them may differ from that of a kit's short one (so it does
// in Mesa's software drawing, where clipping one of them changes it for
// all), and the lighting across a quadrilateral follows the split.
void DrawGroup(const TGroup &Group) {
  const GLsizei Count = GLsizei(Group.Vertices.size());
  if (Group.Mode != GL_QUADS) {
    glDrawArrays(Group.Mode, 0, Count);
    return;
  }
  HaveCorners(size_t(Count) / 4);
  glDrawElements(GL_TRIANGLES, Count / 4 * 6, GL_UNSIGNED_INT, nullptr);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

// Culls the side of a group's quadrilaterals that is never seen. Under a
// mirroring matrix, corners anticlockwise in the model run clockwise on the
// screen.
void CullFor(TQuadDrawing Seen, bool Mirrored) {
  if (Seen == Whole) {
    glDisable(GL_CULL_FACE);
    return;
  }
  glEnable(GL_CULL_FACE);
  const bool CullModelBack = Seen == FrontOnly;
  glCullFace(CullModelBack != Mirrored ? GL_BACK : GL_FRONT);
}

} // namespace

bool DrawSceneBuffers() {
  Sync();
  if (Scene.SharesState)
    return false;
  const TEye Eye = CurrentEye();
  if (NearPlaneMeetsAPiece(Eye))
    return false;
  const bool Mirrored = Determinant(Eye.Turn) < 0;
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  DrawPlate();
  for (TGroup &Group : Scene.Groups) {
    if (Group.Vertices.empty())
      continue;
    Upload(Group);
    PointAtBuffer();
    if (Group.Texture) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, TextureCopy(*Group.Drawings, Group.Texture));
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    CullFor(Group.Seen, Mirrored);
    DrawGroup(Group);
  }
  glDisable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glDisable(GL_TEXTURE_2D);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  return true;
}

const std::vector<int> &PiecesOutsideBuffers() { return Scene.Outside; }

size_t SceneBufferBytes() {
  size_t Bytes = 0;
  for (const TGroup &Group : Scene.Groups)
    Bytes += (Group.Vertices.capacity() + Group.Capacity) * sizeof(TRecordedVertex);
  return Bytes;
}
