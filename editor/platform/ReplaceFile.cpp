#include "ReplaceFile.h"

#include <atomic>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int Fd, const uint8_t *Data, size_t Size) {
  while (Size > 0) {
    const ssize_t N = write(Fd, Data, Size);
    if (N < 0 && errno == EINTR)
      continue;
    if (N < 0)
      return false;
    Data += N;
    Size -= size_t(N);
  }
  return true;
}

// Creates a new, empty file beside Path under a name of its own and opens it
// for writing; -1 with errno set when none can be made.
int CreateTemporary(const std::string &Path, std::string &Temp) {
  static std::atomic<unsigned> Serial{0};
  const std::filesystem::path Target(Path);
  for (int Attempt = 0; Attempt < 100; ++Attempt) {
    const std::string Name = "." + Target.filename().string() + ".saving-" +
                             std::to_string(getpid()) + "-" + std::to_string(Serial++);
    Temp = (Target.parent_path() / Name).string();
    const int Fd = open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (Fd >= 0 || errno != EEXIST)
      return Fd;
  }
  return -1;
}

// A file that replaces an existing one keeps its permissions.
void KeepModeOf(const std::string &Path, int Fd) {
  struct stat Old;
  if (stat(Path.c_str(), &Old) == 0 && S_ISREG(Old.st_mode))
    fchmod(Fd, Old.st_mode & 07777);
}

// Makes the rename itself durable; a failure here leaves a complete file.
void SyncFolderOf(const std::string &Path) {
  const std::filesystem::path Folder = std::filesystem::path(Path).parent_path();
  const int Fd = open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd >= 0) {
    fsync(Fd);
    close(Fd);
  }
}

} // namespace

bool ReplaceFile(const std::string &Path, const uint8_t *Data, size_t Size, int &Code) {
  std::string Temp;
  const int Fd = CreateTemporary(Path, Temp);
  if (Fd < 0) {
    Code = errno;
    return false;
  }
  KeepModeOf(Path, Fd);
  bool Ok = WriteAll(Fd, Data, Size) && fsync(Fd) == 0;
  Code = errno;
  if (close(Fd) != 0 && Ok) {
    Ok = false;
    Code = errno;
  }
  if (Ok && rename(Temp.c_str(), Path.c_str()) != 0) {
    Ok = false;
    Code = errno;
  }
  if (!Ok) {
    unlink(Temp.c_str());
    return false;
  }
  SyncFolderOf(Path);
  return true;
}
