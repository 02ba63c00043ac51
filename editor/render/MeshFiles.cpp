#include "MeshFiles.h"

#include "platform/PngFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <tuple>

namespace {

// ---- STL -------------------------------------------------------------------

// Every triangle of a mesh's parts, 9 floats each, in cells.
std::vector<float> Triangles(const TExportMesh &Mesh) {
  std::vector<float> Out;
  for (const TExportPart &P : Mesh.Parts)
    for (size_t I = 0; I + 2 < P.Indices.size(); I += 3)
      for (int C = 0; C < 3; ++C)
        Out.insert(Out.end(), &P.Positions[P.Indices[I + size_t(C)] * 3],
                   &P.Positions[P.Indices[I + size_t(C)] * 3] + 3);
  return Out;
}

std::vector<float> CellShell(const std::vector<TCellFace> &Faces) {
  std::vector<float> Out;
  for (const TCellFace &Face : Faces) {
    float C[4][3];
    CellFaceCorners(Face, C);
    for (int Corner : {0, 1, 2, 0, 2, 3})
      Out.insert(Out.end(), C[Corner], C[Corner] + 3);
  }
  return Out;
}

void Put32(std::vector<uint8_t> &Out, uint32_t Value) {
  for (int B = 0; B < 4; ++B)
    Out.push_back(uint8_t(Value >> (8 * B)));
}

void PutFloat(std::vector<uint8_t> &Out, float Value) {
  uint32_t Bits = 0;
  std::memcpy(&Bits, &Value, 4);
  Put32(Out, Bits);
}

// One STL triangle: its normal from its corners, then the corners, in mm.
void PutTriangle(std::vector<uint8_t> &Out, const float *T, const float *At, float Mm) {
  float P[3][3];
  for (int C = 0; C < 3; ++C)
    for (int A = 0; A < 3; ++A)
      P[C][A] = (T[C * 3 + A] + At[A]) * Mm;
  const float U[3] = {P[1][0] - P[0][0], P[1][1] - P[0][1], P[1][2] - P[0][2]};
  const float V[3] = {P[2][0] - P[0][0], P[2][1] - P[0][1], P[2][2] - P[0][2]};
  float N[3] = {U[1] * V[2] - U[2] * V[1], U[2] * V[0] - U[0] * V[2], U[0] * V[1] - U[1] * V[0]};
  const float Length = std::sqrt(N[0] * N[0] + N[1] * N[1] + N[2] * N[2]);
  for (float &C : N)
    C = Length > 0 ? C / Length : 0;
  for (float C : N)
    PutFloat(Out, C);
  for (const auto &Corner : P)
    for (float C : Corner)
      PutFloat(Out, C);
  Out.push_back(0), Out.push_back(0); // no attributes
}

// ---- OBJ -------------------------------------------------------------------

std::string Number(double Value) {
  std::ostringstream Out;
  Out.imbue(std::locale::classic());
  Out.precision(7);
  Out << Value;
  return Out.str();
}

std::string MaterialName(const TExportPart &P) {
  std::ostringstream Out;
  Out << "m" << int(P.Colour[0]) << "_" << int(P.Colour[1]) << "_" << int(P.Colour[2]) << "_"
      << int(P.Colour[3]) << "_t" << P.Texture + 1;
  return Out.str();
}

// An object's name in an OBJ: common readers end it at the first blank
// (and so merged every piece into one object), so blanks and line ends
// become underscores.
std::string ObjName(std::string Name) {
  std::replace_if(Name.begin(), Name.end(), [](char C) { return std::isspace(static_cast<unsigned char>(C)); }, '_');
  return Name;
}

} // namespace

double SignedVolume(const std::vector<float> &T) {
  double Volume = 0;
  for (size_t I = 0; I + 8 < T.size(); I += 9)
    Volume += T[I] * (double(T[I + 4]) * T[I + 8] - double(T[I + 5]) * T[I + 7]) -
              T[I + 1] * (double(T[I + 3]) * T[I + 8] - double(T[I + 5]) * T[I + 6]) +
              T[I + 2] * (double(T[I + 3]) * T[I + 7] - double(T[I + 4]) * T[I + 6]);
  return Volume;
}

std::vector<float> PrintShell(const TExportMesh &Mesh) {
  std::vector<float> T = Mesh.FromCells ? std::vector<float>() : Triangles(Mesh);
  if (T.empty() || !ClosedShells(T))
    return CellShell(Mesh.CellFaces);
  if (SignedVolume(T) < 0)
    for (size_t I = 0; I + 8 < T.size(); I += 9)
      for (int C = 0; C < 3; ++C)
        std::swap(T[I + 3 + size_t(C)], T[I + 6 + size_t(C)]);
  return T;
}

bool ClosedShells(const std::vector<float> &Triangles) {
  std::map<std::tuple<long, long, long>, int> Points;
  const auto PointOf = [&](const float *P) {
    const auto Key = std::make_tuple(std::lround(P[0] * 1e4), std::lround(P[1] * 1e4), std::lround(P[2] * 1e4));
    return Points.emplace(Key, int(Points.size())).first->second;
  };
  std::map<std::pair<int, int>, int> Directed;
  for (size_t I = 0; I + 8 < Triangles.size(); I += 9) {
    const int V[3] = {PointOf(&Triangles[I]), PointOf(&Triangles[I + 3]), PointOf(&Triangles[I + 6])};
    if (V[0] == V[1] || V[1] == V[2] || V[0] == V[2])
      return false;
    for (int E = 0; E < 3; ++E)
      ++Directed[{V[E], V[(E + 1) % 3]}];
  }
  for (const auto &[Edge, Count] : Directed) {
    const auto Back = Directed.find({Edge.second, Edge.first});
    if (Count != 1 || Back == Directed.end() || Back->second != 1)
      return false;
  }
  return !Directed.empty();
}

std::vector<uint8_t> StlBytes(const TExportModel &Model, double CellMm) {
  const float Mm = float(CellMm);
  std::vector<std::vector<float>> Shells;
  for (const TExportMesh &Mesh : Model.Meshes)
    Shells.push_back(PrintShell(Mesh));
  // The plate: a slab from z = -1/4 to 0 under the whole base.
  std::vector<float> Plate;
  {
    const float W = float(Model.BaseWidth), L = float(Model.BaseLength), D = -0.25f;
    const float C[8][3] = {{0, 0, D}, {W, 0, D}, {W, L, D}, {0, L, D}, {0, 0, 0}, {W, 0, 0}, {W, L, 0}, {0, L, 0}};
    const int Quads[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
    for (const auto &Q : Quads)
      for (int Corner : {0, 1, 2, 0, 2, 3})
        Plate.insert(Plate.end(), C[Q[Corner]], C[Q[Corner]] + 3);
  }
  size_t Count = Plate.size() / 9;
  for (const TExportNode &Node : Model.Nodes)
    Count += Shells[size_t(Node.Mesh)].size() / 9;
  std::vector<uint8_t> Out(80, 0);
  const char Header[] = "Stavemont construction, millimetres";
  std::memcpy(Out.data(), Header, sizeof Header - 1);
  Put32(Out, uint32_t(Count));
  Out.reserve(Out.size() + Count * 50);
  const float Origin[3] = {0, 0, 0};
  for (size_t I = 0; I + 8 < Plate.size(); I += 9)
    PutTriangle(Out, &Plate[I], Origin, Mm);
  for (const TExportNode &Node : Model.Nodes) {
    const float At[3] = {float(Node.X), float(Node.Y), float(Node.Z)};
    const std::vector<float> &Shell = Shells[size_t(Node.Mesh)];
    for (size_t I = 0; I + 8 < Shell.size(); I += 9)
      PutTriangle(Out, &Shell[I], At, Mm);
  }
  return Out;
}

std::vector<TOutputFile> ObjFiles(const TExportModel &Model, const std::string &Path, double CellMm,
                                  std::string &Error) {
  const std::filesystem::path Obj(Path);
  const std::string Stem = Obj.stem().string();
  const auto Beside = [&](const std::string &Name) { return (Obj.parent_path() / Name).string(); };
  std::vector<TOutputFile> Files;
  std::ostringstream Mtl;
  Mtl << "# Stavemont construction materials\n";
  // Textures first, then the materials that name them, then the model.
  std::vector<std::string> TextureNames;
  for (size_t T = 0; T < Model.Textures.size(); ++T) {
    const TExportTexture &Texture = Model.Textures[T];
    std::vector<uint8_t> Rgb(size_t(Texture.Width) * Texture.Height * 3);
    for (size_t P = 0; P < size_t(Texture.Width) * Texture.Height; ++P)
      std::copy_n(&Texture.Rgba[P * 4], 3, &Rgb[P * 3]);
    TextureNames.push_back(Stem + "-" + std::to_string(T + 1) + ".png");
    Files.push_back({Beside(TextureNames.back()), RgbPngBytes(Texture.Width, Texture.Height, Rgb.data(), Error)});
    if (Files.back().Bytes.empty())
      return {};
  }
  std::map<std::string, bool> Written;
  const auto Material = [&](const TExportPart &P) {
    const std::string Name = MaterialName(P);
    if (!Written[Name]) {
      Written[Name] = true;
      Mtl << "newmtl " << Name << "\nKd " << Number(P.Colour[0] / 255.0) << " " << Number(P.Colour[1] / 255.0)
          << " " << Number(P.Colour[2] / 255.0) << "\nd " << Number(P.Colour[3] / 255.0) << "\n";
      if (P.Texture >= 0)
        Mtl << "map_Kd " << TextureNames[size_t(P.Texture)] << "\n";
    }
    return Name;
  };
  std::ostringstream Out;
  Out << "# Stavemont construction, millimetres, y up\nmtllib " << Stem << ".mtl\n";
  size_t Vertices = 0; // OBJ counts positions, texture coordinates and normals from 1, together here
  const auto PutPart = [&](const TExportPart &P, const float *At) {
    for (size_t V = 0; V + 2 < P.Positions.size(); V += 3) {
      const float X = (P.Positions[V] + At[0]) * float(CellMm), Y = (P.Positions[V + 1] + At[1]) * float(CellMm),
                  Z = (P.Positions[V + 2] + At[2]) * float(CellMm);
      Out << "v " << Number(X) << " " << Number(Z) << " " << Number(-Y) << "\n";
      Out << "vt " << Number(P.TexCoords[V / 3 * 2]) << " " << Number(1 - P.TexCoords[V / 3 * 2 + 1]) << "\n";
      Out << "vn " << Number(P.Normals[V]) << " " << Number(P.Normals[V + 2]) << " " << Number(-P.Normals[V + 1])
          << "\n";
    }
    Out << "usemtl " << Material(P) << "\n";
    for (size_t I = 0; I + 2 < P.Indices.size(); I += 3) {
      Out << "f";
      for (int C = 0; C < 3; ++C) {
        const size_t N = Vertices + P.Indices[I + size_t(C)] + 1;
        Out << " " << N << "/" << N << "/" << N;
      }
      Out << "\n";
    }
    Vertices += P.Positions.size() / 3;
  };
  const float Origin[3] = {0, 0, 0};
  Out << "o Base\n";
  PutPart(PlateTop(Model), Origin);
  for (const TExportNode &Node : Model.Nodes) {
    Out << "o " << ObjName(Node.Name) << "\n";
    const float At[3] = {float(Node.X), float(Node.Y), float(Node.Z)};
    for (const TExportPart &P : Model.Meshes[size_t(Node.Mesh)].Parts)
      PutPart(P, At);
  }
  const std::string MtlText = Mtl.str(), ObjText = Out.str();
  Files.push_back({Beside(Stem + ".mtl"), {MtlText.begin(), MtlText.end()}});
  Files.push_back({Path, {ObjText.begin(), ObjText.end()}});
  return Files;
}
