// The construction as a 3-D model for other programs, in the editor's own
// axes and units (cells, z up): each distinct piece drawing (a kit's piece in
// one rotation) is one mesh, drawn as its kit's recording shows it, and each
// placed piece is a node that places a mesh. The writers of the file formats
// turn these into their own axes and units.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A texture as the kit made it, its first level, RGBA rows from the top.
struct TExportTexture {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Rgba;
};

// The triangles of a mesh that share one material: a colour (RGBA), with a
// texture it modulates or none (-1).
struct TExportPart {
  uint8_t Colour[4] = {255, 255, 255, 255};
  int Texture = -1;
  std::vector<float> Positions, Normals, TexCoords; // 3, 3 and 2 per vertex
  std::vector<uint32_t> Indices;                    // 3 per triangle
};

// One cell's outer faces: Side -1 or +1 along Axis 0 (x), 1 (y) or 2 (z).
struct TCellFace {
  int X, Y, Z, Axis, Side;
};

struct TExportMesh {
  std::string Name;
  std::vector<TExportPart> Parts;
  std::vector<TCellFace> CellFaces; // the outer faces of the cells the piece fills
  bool FromCells = false;           // the kit's drawing could not be recorded: Parts are those faces
};

// The four corners of a cell face, counter-clockwise seen from outside.
void CellFaceCorners(const TCellFace &Face, float Corners[4][3]);

struct TExportNode {
  std::string Name; // "<Kit> <Piece> #<Number>"
  int Mesh = 0;
  int X = 0, Y = 0, Z = 0; // origin cell
};

struct TExportModel {
  std::vector<TExportTexture> Textures;
  std::vector<TExportMesh> Meshes;
  std::vector<TExportNode> Nodes;
  int BaseWidth = 0, BaseLength = 0;
  uint8_t BaseColour[4] = {0, 0, 0, 255};
};

// The plate's top: one quad facing up over the whole base, in its colour.
TExportPart PlateTop(const TExportModel &Model);

// The open construction as a model (its kits loaded and recorded).
TExportModel ConstructionModel();
