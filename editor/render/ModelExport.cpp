#include "ModelExport.h"

#include "ExportModel.h"
#include "GltfFile.h"
#include "MeshFiles.h"
#include "model/Global.h"
#include "platform/ReplaceFile.h"

#include <filesystem>

namespace {

std::string Format(const std::string &Path) { return std::filesystem::path(Path).extension().string(); }

// The files for Path, in the order to write them; empty with Error set.
std::vector<TOutputFile> ModelFiles(const std::string &Path, double CellMm, std::string &Error) {
  const TExportModel Model = ConstructionModel();
  if (Format(Path) == ".obj")
    return ObjFiles(Model, Path, CellMm, Error);
  std::vector<uint8_t> Bytes = Format(Path) == ".stl" ? StlBytes(Model, CellMm) : GlbBytes(Model, CellMm, Error);
  if (Bytes.empty())
    return {};
  return {{Path, std::move(Bytes)}};
}

} // namespace

bool IsModelFile(const std::string &Path) {
  const std::string F = Format(Path);
  return F == ".glb" || F == ".obj" || F == ".stl";
}

std::string ExportConstruction(const std::string &Path, double CellMm, std::string &Failed) {
  Failed = Path;
  std::string Error;
  const std::vector<TOutputFile> Files = ModelFiles(Path, CellMm, Error);
  if (Files.empty())
    return Error;
  for (const TOutputFile &F : Files) {
    Failed = F.Path;
    // A file beside the model may bear the construction's own name.
    if (!Construction.FileName.empty() && SameFile(Construction.FileName, F.Path))
      return "it is the construction file itself, which the export would replace.";
    if (!ReplaceFile(F.Path, F.Bytes.data(), F.Bytes.size(), Error))
      return Error;
  }
  return {};
}
