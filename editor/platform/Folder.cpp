#include "Folder.h"

#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<std::string> ListFolder(const std::string &Folder, const std::string &Suffix) {
  std::vector<std::string> Names;
  std::error_code Error;
  for (const auto &Entry : std::filesystem::directory_iterator(Folder, Error)) {
    std::string Name = Entry.path().filename().string();
    if (Name.size() >= Suffix.size() &&
        Name.compare(Name.size() - Suffix.size(), Suffix.size(), Suffix) == 0)
      Names.push_back(std::move(Name));
  }
  std::sort(Names.begin(), Names.end());
  return Names;
}

std::string ProgramFolder() {
  std::error_code Error;
  const std::filesystem::path Exe = std::filesystem::read_symlink("/proc/self/exe", Error);
  return Error ? std::string("./") : Exe.parent_path().string() + "/";
}

bool IsRegularFile(const std::string &Path) {
  std::error_code Error;
  return std::filesystem::is_regular_file(Path, Error);
}

bool CanWriteFolder(const std::string &Folder) { return access(Folder.c_str(), W_OK | X_OK) == 0; }

std::string UserDataFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() +
         "/stavemont/";
}

TFileStamp FileStampOf(const std::string &Path) {
  struct stat Info;
  if (stat(Path.c_str(), &Info) != 0)
    return {};
  return {true, Info.st_dev, Info.st_ino, (unsigned long long)Info.st_size, Info.st_mtim.tv_sec,
          Info.st_mtim.tv_nsec};
}

bool PathExists(const std::string &Path) {
  std::error_code Error;
  return std::filesystem::exists(std::filesystem::status(Path, Error));
}
