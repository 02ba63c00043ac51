#include "ExportModel.h"

#include "KitDrawings.h"
#include "model/Global.h"
#include "model/Occupancy.h"

#include <GL/gl.h>

#include <array>
#include <cstring>
#include <map>
#include <tuple>

namespace {

using TColour = std::array<uint8_t, 4>;

class TModelBuilder {
public:
  TExportModel Model;

  int MeshOf(int Kit, int Piece, int Rotation) {
    const auto Key = std::make_tuple(Kit, Piece, Rotation);
    const auto It = FMeshes.find(Key);
    if (It != FMeshes.end())
      return It->second;
    const TKit &K = Construction.Kits[Kit];
    TExportMesh Mesh;
    Mesh.Name = Construction.KitNames[Kit] + " " + std::to_string(Piece) + " turn " + std::to_string(Rotation);
    const TRecording *Look = TrustedLook(K, uint8_t(Piece), uint8_t(Rotation));
    if (Look)
      AddRecording(Mesh, Kit, *Look);
    AddCells(Mesh, K, Piece, Rotation, !Look);
    Model.Meshes.push_back(std::move(Mesh));
    return FMeshes[Key] = int(Model.Meshes.size()) - 1;
  }

private:
  std::map<std::tuple<int, int, int>, int> FMeshes;
  std::map<std::pair<int, unsigned>, int> FTextures; // (kit, its texture name) -> index

  int TextureOf(int Kit, unsigned Name) {
    const auto Key = std::make_pair(Kit, Name);
    if (const auto It = FTextures.find(Key); It != FTextures.end())
      return It->second;
    int Index = -1;
    const auto &Textures = Construction.Kits[Kit].Drawings->Textures;
    if (const auto T = Textures.find(Name); T != Textures.end() && !T->second.Levels.empty()) {
      const TRecordedTexture::TLevel &L = T->second.Levels.front();
      TExportTexture Texture{L.Width, L.Height, std::vector<uint8_t>(L.Rgba.size())};
      // GL rows run from the bottom; image files from the top.
      const size_t Row = size_t(L.Width) * 4;
      for (int Y = 0; Y < L.Height; ++Y)
        std::memcpy(&Texture.Rgba[Row * Y], &L.Rgba[Row * (L.Height - 1 - Y)], Row);
      Model.Textures.push_back(std::move(Texture));
      Index = int(Model.Textures.size()) - 1;
    }
    return FTextures[Key] = Index;
  }

  static TExportPart &PartFor(TExportMesh &Mesh, const TColour &Colour, int Texture) {
    for (TExportPart &P : Mesh.Parts)
      if (P.Texture == Texture && std::equal(Colour.begin(), Colour.end(), P.Colour))
        return P;
    TExportPart &P = Mesh.Parts.emplace_back();
    std::copy(Colour.begin(), Colour.end(), P.Colour);
    P.Texture = Texture;
    return P;
  }

  static void AddVertex(TExportPart &P, const TRecordedVertex &V, bool Textured) {
    P.Positions.insert(P.Positions.end(), {V.X, V.Y, V.Z});
    P.Normals.insert(P.Normals.end(), {V.NX, V.NY, V.NZ});
    // Image files count t from the top; GL from the bottom.
    P.TexCoords.insert(P.TexCoords.end(), {Textured ? V.S : 0.0f, Textured ? 1 - V.T : 0.0f});
  }

  // A triangle of the recording, in the colour of its first corner. One
  // without area (a quad drawn with a corner twice) is left out: other
  // programs take it for a line.
  void AddTriangle(TExportMesh &Mesh, int Texture, const TRecordedVertex &A, const TRecordedVertex &B,
                   const TRecordedVertex &C) {
    const float U[3] = {B.X - A.X, B.Y - A.Y, B.Z - A.Z}, V[3] = {C.X - A.X, C.Y - A.Y, C.Z - A.Z};
    const float Cross[3] = {U[1] * V[2] - U[2] * V[1], U[2] * V[0] - U[0] * V[2], U[0] * V[1] - U[1] * V[0]};
    if (Cross[0] * Cross[0] + Cross[1] * Cross[1] + Cross[2] * Cross[2] < 1e-12f)
      return;
    TExportPart &P = PartFor(Mesh, {A.Red, A.Green, A.Blue, A.Alpha}, Texture);
    const uint32_t First = uint32_t(P.Positions.size() / 3);
    for (const TRecordedVertex *V : {&A, &B, &C})
      AddVertex(P, *V, Texture >= 0);
    P.Indices.insert(P.Indices.end(), {First, First + 1, First + 2});
  }

  void AddRecording(TExportMesh &Mesh, int Kit, const TRecording &Look) {
    for (const TRecordedBatch &Batch : Look.Batches) {
      const int Texture = Batch.Texture ? TextureOf(Kit, Batch.Texture) : -1;
      const std::vector<TRecordedVertex> &V = Batch.Vertices;
      if (Batch.Mode == GL_QUADS)
        for (size_t I = 0; I + 3 < V.size(); I += 4) {
          AddTriangle(Mesh, Texture, V[I], V[I + 1], V[I + 2]);
          AddTriangle(Mesh, Texture, V[I], V[I + 2], V[I + 3]);
        }
      else
        for (size_t I = 0; I + 2 < V.size(); I += 3)
          AddTriangle(Mesh, Texture, V[I], V[I + 1], V[I + 2]);
    }
  }

  // The outer faces of the cells the piece fills; where the kit's drawing
  // could not be recorded they are its look, in grey, so that it still
  // shows its shape.
  static void AddCells(TExportMesh &Mesh, const TKit &Kit, int Piece, int Rotation, bool AsLook) {
    uint8_t SX = 0, SY = 0, SZ = 0;
    Kit.GetPiece(uint8_t(Piece), &SX, &SY, &SZ);
    std::vector<std::array<int, 3>> Cells;
    WalkSolidCells(Kit, uint8_t(Piece), uint8_t(Rotation), SX, SY, SZ, [&](int X, int Y, int Z) {
      Cells.push_back({X, Y, Z});
      return true;
    });
    const auto Filled = [&](const std::array<int, 3> &C) {
      return std::find(Cells.begin(), Cells.end(), C) != Cells.end();
    };
    for (const auto &C : Cells)
      for (int Axis = 0; Axis < 3; ++Axis)
        for (int Side = -1; Side <= 1; Side += 2) {
          std::array<int, 3> N = C;
          N[size_t(Axis)] += Side;
          if (!Filled(N))
            Mesh.CellFaces.push_back({C[0], C[1], C[2], Axis, Side});
        }
    if (!AsLook)
      return;
    Mesh.FromCells = true;
    TExportPart &P = PartFor(Mesh, {160, 160, 160, 255}, -1);
    for (const TCellFace &Face : Mesh.CellFaces) {
      float Corners[4][3];
      CellFaceCorners(Face, Corners);
      float Normal[3] = {0, 0, 0};
      Normal[Face.Axis] = float(Face.Side);
      const uint32_t First = uint32_t(P.Positions.size() / 3);
      for (const auto &Corner : Corners) {
        P.Positions.insert(P.Positions.end(), Corner, Corner + 3);
        P.Normals.insert(P.Normals.end(), Normal, Normal + 3);
        P.TexCoords.insert(P.TexCoords.end(), {0, 0});
      }
      P.Indices.insert(P.Indices.end(), {First, First + 1, First + 2, First, First + 2, First + 3});
    }
  }
};

} // namespace

void CellFaceCorners(const TCellFace &Face, float Corners[4][3]) {
  // (U, W) follow the axis round, so that U x W points along it.
  const int U = (Face.Axis + 1) % 3, W = (Face.Axis + 2) % 3;
  const int Steps[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (int C = 0; C < 4; ++C) {
    // Seen from the -Axis side the turn is the other way round.
    const int I = Face.Side > 0 ? C : (4 - C) % 4;
    float *Point = Corners[C];
    Point[0] = float(Face.X), Point[1] = float(Face.Y), Point[2] = float(Face.Z);
    Point[Face.Axis] += Face.Side > 0 ? 1 : 0;
    Point[U] += float(Steps[I][0]);
    Point[W] += float(Steps[I][1]);
  }
}

TExportPart PlateTop(const TExportModel &Model) {
  TExportPart P;
  std::copy(Model.BaseColour, Model.BaseColour + 4, P.Colour);
  const float W = float(Model.BaseWidth), L = float(Model.BaseLength);
  P.Positions = {0, 0, 0, W, 0, 0, W, L, 0, 0, L, 0};
  P.Normals = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
  P.TexCoords.assign(8, 0);
  P.Indices = {0, 1, 2, 0, 2, 3};
  return P;
}

TExportModel ConstructionModel() {
  TModelBuilder Builder;
  TExportModel &Model = Builder.Model;
  Model.BaseWidth = Construction.BaseWidth;
  Model.BaseLength = Construction.BaseLength;
  const uint8_t Base[4] = {Construction.BaseRed, Construction.BaseGreen, Construction.BaseBlue, 255};
  std::copy(Base, Base + 4, Model.BaseColour);
  for (int N = 1; N <= Construction.PieceCount; ++N) {
    const TPlacedPiece &P = Construction.Pieces[N];
    TExportNode Node;
    Node.Name = Construction.KitNames[P.Kit] + " " + std::to_string(P.Piece) + " #" + std::to_string(N);
    Node.Mesh = Builder.MeshOf(P.Kit, P.Piece, P.Rotation);
    Node.X = P.X, Node.Y = P.Y, Node.Z = P.Z;
    Model.Nodes.push_back(std::move(Node));
  }
  return Model;
}
