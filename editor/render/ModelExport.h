// Writing the open construction as a 3-D model file, in the format its
// extension names (.glb, .obj or .stl), for the command line and the editor.
#pragma once

#include <string>

// Whether Path's extension names a format ExportConstruction writes.
bool IsModelFile(const std::string &Path);

// Writes the construction (its kits loaded and recorded) to Path, a cell
// CellMm millimetres wide, with whatever files go beside it, each through
// the safe save and the model last. Empty when written; else why, with
// Failed set to the file that could not be made.
std::string ExportConstruction(const std::string &Path, double CellMm, std::string &Failed);
