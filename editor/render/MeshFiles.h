// A model as Wavefront OBJ (with its material file and textures beside it)
// and as binary STL, the two formats simple enough to write directly.
#pragma once

#include "ExportModel.h"

#include <cstdint>
#include <string>
#include <vector>

// A file to write: its path and bytes.
struct TOutputFile {
  std::string Path;
  std::vector<uint8_t> Bytes;
};

// OBJ in millimetres with y up (the editor's z becomes y, y becomes -z): one
// "o" group per placed piece, named as the glTF nodes with blanks as
// underscores ("Marbelo_6_#12"), and the plate "Base".
// Beside Path go "<stem>.mtl" and the textures "<stem>-<n>.png". Returned in
// the order to write them, the OBJ last; empty with Error set on failure.
std::vector<TOutputFile> ObjFiles(const TExportModel &Model, const std::string &Path, double CellMm,
                                  std::string &Error);

// Binary STL in millimetres with z up, for printing: every placed piece a
// closed shell with its normals outwards (its kit's drawing where that is
// closed, else the outer faces of the cells it fills), and the plate a slab
// a quarter of a cell thick under z = 0.
std::vector<uint8_t> StlBytes(const TExportModel &Model, double CellMm);

// The shell StlBytes prints for a mesh, in cells from its origin: its kit's
// drawing where that is closed (turned outwards), else its cells' outer faces.
std::vector<float> PrintShell(const TExportMesh &Mesh);

// Six times the volume that triangles enclose: negative when they face in.
double SignedVolume(const std::vector<float> &Triangles);

// Whether the triangles (3 floats a corner, 9 a triangle) form closed
// shells: once corners that lie together are one, every edge is used by
// exactly two triangles, once in each direction.
bool ClosedShells(const std::vector<float> &Triangles);
