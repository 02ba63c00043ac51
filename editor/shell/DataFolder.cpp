#include "DataFolder.h"

#include "model/Global.h"
#include "platform/Folder.h"

#include <filesystem>
#include <system_error>

std::string DataDir() {
  if (CanWriteFolder(Construction.ProgramDir))
    return Construction.ProgramDir;
  const std::string Folder = UserDataFolder();
  // A folder that cannot be made shows up later: the dialogs open elsewhere
  // and writing the settings reports its path.
  std::error_code Ignored;
  for (const char *Sub : {"Constructions", "Captures", "Exports", "Backgrounds"})
    std::filesystem::create_directories(Folder + Sub, Ignored);
  return Folder;
}
