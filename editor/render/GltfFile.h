// A model as a binary glTF 2.0 file (.glb): metres, y up (the editor's z
// becomes y, x stays x and y becomes -z). Each mesh is stored once and each
// node places one; the plate is the node "Base". Textures are embedded PNG
// images, each material their colour with the texture it modulates.
#pragma once

#include "ExportModel.h"

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes, for a cell CellMm millimetres wide; empty with Error
// set when it cannot be made.
std::vector<uint8_t> GlbBytes(const TExportModel &Model, double CellMm, std::string &Error);
