// The model files written by hand: which triangle sets count as closed
// shells, what a printer gets for a piece whose drawing is open, and the OBJ
// with its material and texture files.
#include "render/MeshFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A unit cube's faces, turned outwards, 9 floats a triangle.
std::vector<float> Cube() {
  std::vector<float> T;
  for (int Axis = 0; Axis < 3; ++Axis)
    for (int Side = -1; Side <= 1; Side += 2) {
      float C[4][3];
      CellFaceCorners({0, 0, 0, Axis, Side}, C);
      for (int Corner : {0, 1, 2, 0, 2, 3})
        T.insert(T.end(), C[Corner], C[Corner] + 3);
    }
  return T;
}

// Two cells side by side, drawn by a kit with the faces between them
// missing, and with its bottom missing.
TExportMesh OpenPiece() {
  TExportMesh Mesh;
  TExportPart &P = Mesh.Parts.emplace_back();
  P.Positions = {0, 0, 1, 2, 0, 1, 2, 1, 1, 0, 1, 1}; // the top only
  P.Normals = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
  P.TexCoords.assign(8, 0);
  P.Indices = {0, 1, 2, 0, 2, 3};
  for (int X = 0; X < 2; ++X)
    for (int Axis = 0; Axis < 3; ++Axis)
      for (int Side = -1; Side <= 1; Side += 2)
        if (!(Axis == 0 && ((X == 0 && Side > 0) || (X == 1 && Side < 0))))
          Mesh.CellFaces.push_back({X, 0, 0, Axis, Side});
  return Mesh;
}

TEST(MeshFiles, ClosedShellsAreThoseEveryEdgeOfWhichTwoTrianglesShareBothWays) {
  const std::vector<float> Closed = Cube();
  EXPECT_TRUE(ClosedShells(Closed));
  EXPECT_GT(SignedVolume(Closed), 0) << "faces outwards";
  std::vector<float> Open(Closed.begin(), Closed.end() - 18); // a face missing
  EXPECT_FALSE(ClosedShells(Open));
  std::vector<float> Flipped = Closed; // one triangle turned the wrong way
  std::swap_ranges(Flipped.begin() + 3, Flipped.begin() + 6, Flipped.begin() + 6);
  EXPECT_FALSE(ClosedShells(Flipped));
  std::vector<float> Twice = Closed; // a second cube on the same corners
  Twice.insert(Twice.end(), Closed.begin(), Closed.end());
  EXPECT_FALSE(ClosedShells(Twice));
  EXPECT_FALSE(ClosedShells({}));
}

TEST(MeshFiles, APrinterGetsAClosedShellForAnOpenDrawing) {
  const TExportMesh Mesh = OpenPiece();
  const std::vector<float> Shell = PrintShell(Mesh);
  EXPECT_TRUE(ClosedShells(Shell));
  EXPECT_NEAR(SignedVolume(Shell), 6 * 2, 1e-4) << "the two cells, facing out";

  // Two such pieces and the plate: the triangles' count, their normals
  // outwards, in millimetres.
  TExportModel Model;
  Model.BaseWidth = Model.BaseLength = 10;
  Model.Meshes.push_back(Mesh);
  Model.Nodes.push_back({"Kit 1 #1", 0, 0, 0, 0});
  Model.Nodes.push_back({"Kit 1 #2", 0, 3, 4, 1});
  const std::vector<uint8_t> Stl = StlBytes(Model, 8);
  uint32_t Count = 0;
  std::memcpy(&Count, &Stl[80], 4);
  EXPECT_EQ(Count, 12 + 2 * Shell.size() / 9);
  ASSERT_EQ(Stl.size(), 84 + 50 * size_t(Count));
  // The second piece's first corner: cell (3, 4, 1) plus its shell's, in mm.
  float Corner[3];
  std::memcpy(Corner, &Stl[84 + 50 * (12 + Shell.size() / 9) + 12], 12);
  EXPECT_FLOAT_EQ(Corner[0], (3 + Shell[0]) * 8);
  EXPECT_FLOAT_EQ(Corner[1], (4 + Shell[1]) * 8);
  EXPECT_FLOAT_EQ(Corner[2], (1 + Shell[2]) * 8);
  // The plate lies under z = 0, a quarter of a cell deep.
  float Lowest = 0;
  for (size_t T = 0; T < 12; ++T)
    for (int C = 0; C < 3; ++C) {
      float Z;
      std::memcpy(&Z, &Stl[84 + 50 * T + 12 + 12 * size_t(C) + 8], 4);
      Lowest = std::min(Lowest, Z);
    }
  EXPECT_FLOAT_EQ(Lowest, -2);
}

TEST(MeshFiles, TheObjNamesItsMaterialsAndTexturesBesideIt) {
  TExportModel Model;
  Model.BaseWidth = Model.BaseLength = 10;
  Model.Textures.push_back({2, 2, std::vector<uint8_t>(16, 200)});
  TExportMesh Mesh = OpenPiece();
  Mesh.Parts[0].Texture = 0;
  Model.Meshes.push_back(Mesh);
  Model.Nodes.push_back({"My kit 3 #1", 0, 1, 2, 0});
  std::string Error;
  const std::vector<TOutputFile> Files = ObjFiles(Model, "/x/house.obj", 10, Error);
  ASSERT_EQ(Files.size(), 3u) << Error;
  EXPECT_EQ(Files[0].Path, "/x/house-1.png");
  EXPECT_EQ(std::memcmp(Files[0].Bytes.data() + 1, "PNG", 3), 0);
  EXPECT_EQ(Files[1].Path, "/x/house.mtl");
  EXPECT_EQ(Files[2].Path, "/x/house.obj") << "the model last, once what it names is written";
  const std::string Mtl(Files[1].Bytes.begin(), Files[1].Bytes.end());
  const std::string Obj(Files[2].Bytes.begin(), Files[2].Bytes.end());
  EXPECT_NE(Mtl.find("map_Kd house-1.png\n"), std::string::npos) << Mtl;
  EXPECT_NE(Obj.find("mtllib house.mtl\n"), std::string::npos);
  EXPECT_NE(Obj.find("\no Base\n"), std::string::npos);
  EXPECT_NE(Obj.find("\no My_kit_3_#1\n"), std::string::npos) << "one name, blanks and all";
  // Millimetres, y up: the top's first corner (0, 0, 1) of the piece at
  // cell (1, 2, 0) is at x 10, y 10, z -20.
  EXPECT_NE(Obj.find("\nv 10 10 -20\n"), std::string::npos) << Obj;
}

} // namespace
