#include "ReplaceFile.h"

#include "WriteAll.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The file a save of Path really writes: Path itself, or, when Path is a
// symbolic link, what the chain of links finally names (whether it exists
// yet or not). Replacing the link by a plain file would leave the file it
// points to with the old contents.
fs::path FinalTarget(const std::string &Path) {
  fs::path Target(Path);
  std::error_code Error;
  for (int Hop = 0; Hop < 40 && fs::is_symlink(fs::symlink_status(Target, Error)); ++Hop) {
    const fs::path Link = fs::read_symlink(Target, Error);
    if (Error)
      break;
    Target = Link.is_absolute() ? Link : Target.parent_path() / Link;
  }
  return Target;
}

// Temporary files are named "." + the start of the target's name + "~" + a
// hash of its whole name + "-" + the saving process + "-" + a serial number,
// well within any file system's name limit however long the target's name.
constexpr size_t KeptNameBytes = 40;

uint32_t NameHash(const std::string &Name) {
  uint32_t Hash = 2166136261u; // 32-bit FNV-1a: stable across builds
  for (const unsigned char C : Name)
    Hash = (Hash ^ C) * 16777619u;
  return Hash;
}

// The part of a temporary name that is the same for every save of Target.
std::string TemporaryPrefix(const fs::path &Target) {
  const std::string Name = Target.filename().string();
  size_t Keep = std::min(Name.size(), KeptNameBytes);
  while (Keep > 0 && Keep < Name.size() && (uint8_t(Name[Keep]) & 0xC0) == 0x80)
    --Keep; // never cut a UTF-8 character in two
  char Hash[9];
  std::snprintf(Hash, sizeof Hash, "%08x", NameHash(Name));
  return "." + Name.substr(0, Keep) + "~" + Hash + "-";
}

// Creates a new, empty file beside Target under a name of its own and opens it
// for writing; -1 with errno set when none can be made.
int CreateTemporary(const fs::path &Target, std::string &Temp) {
  static std::atomic<unsigned> Serial{0};
  const std::string Prefix = TemporaryPrefix(Target);
  for (int Attempt = 0; Attempt < 100; ++Attempt) {
    const std::string Name = Prefix + std::to_string(getpid()) + "-" + std::to_string(Serial++);
    Temp = (Target.parent_path() / Name).string();
    const int Fd = open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (Fd >= 0 || errno != EEXIST)
      return Fd;
  }
  return -1;
}

// The process that made a temporary file of Prefix, or 0 when Name is not one.
pid_t SaverOf(const std::string &Name, const std::string &Prefix) {
  if (Name.compare(0, Prefix.size(), Prefix) != 0)
    return 0;
  size_t At = Prefix.size(), Digits = 0;
  long long Pid = 0;
  for (; At < Name.size() && Name[At] >= '0' && Name[At] <= '9' && Digits < 10; ++At, ++Digits)
    Pid = Pid * 10 + (Name[At] - '0');
  if (Digits == 0 || At >= Name.size() || Name[At] != '-' || At + 1 == Name.size())
    return 0;
  for (++At; At < Name.size(); ++At)
    if (Name[At] < '0' || Name[At] > '9')
      return 0;
  return pid_t(Pid);
}

// Removes the temporary files of earlier saves of Target that were stopped
// part-way (their process is gone); saves still running elsewhere keep theirs.
void RemoveStaleTemporaries(const fs::path &Target) {
  const std::string Prefix = TemporaryPrefix(Target);
  const fs::path Folder = Target.parent_path().empty() ? fs::path(".") : Target.parent_path();
  DIR *List = opendir(Folder.c_str());
  if (!List)
    return;
  while (const dirent *Entry = readdir(List)) {
    const pid_t Saver = SaverOf(Entry->d_name, Prefix);
    if (Saver > 0 && Saver != getpid() && kill(Saver, 0) != 0 && errno == ESRCH)
      unlinkat(dirfd(List), Entry->d_name, 0);
  }
  closedir(List);
}

// A file that replaces an existing one keeps its owner and group where the
// user may give them (root may; others may keep a group they belong to), then
// its permissions, which a change of owner may have cleared.
void KeepOwnerAndModeOf(const struct stat &Old, int Fd) {
  if (fchown(Fd, Old.st_uid, Old.st_gid) != 0)
    (void)!fchown(Fd, uid_t(-1), Old.st_gid);
  fchmod(Fd, Old.st_mode & 07777);
}

// Makes the rename itself durable; a failure here leaves a complete file.
void SyncFolderOf(const fs::path &Target) {
  const fs::path Folder = Target.parent_path();
  const int Fd = open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd >= 0) {
    fsync(Fd);
    close(Fd);
  }
}

// Ends a write on Fd: the bytes reach the disk and the file is closed.
bool Finish(int Fd, bool Ok, int &Code) {
  if (Ok && fsync(Fd) != 0) {
    Ok = false;
    Code = errno;
  }
  if (close(Fd) != 0 && Ok) {
    Ok = false;
    Code = errno;
  }
  return Ok;
}

// How a write through a temporary file ended. A rename the system refuses
// (a file of someone else's in a sticky folder, say) leaves the target as it
// was and the temporary removed, so the bytes can still go in place.
enum class TTemporaryWrite { Done, Failed, RenameRefused };

TTemporaryWrite WriteThroughTemporary(const fs::path &Target, const struct stat *Old,
                                      const uint8_t *Data, size_t Size, int Fd,
                                      const std::string &Temp, int &Code) {
  if (Old)
    KeepOwnerAndModeOf(*Old, Fd);
  bool Ok = WriteAll(Fd, Data, Size);
  Code = errno;
  Ok = Finish(Fd, Ok, Code);
  bool Renamed = false;
  if (Ok && !(Renamed = rename(Temp.c_str(), Target.c_str()) == 0))
    Code = errno;
  if (!Renamed) {
    unlink(Temp.c_str());
    return Ok ? TTemporaryWrite::RenameRefused : TTemporaryWrite::Failed;
  }
  SyncFolderOf(Target);
  RemoveStaleTemporaries(Target);
  return TTemporaryWrite::Done;
}

// Overwrites an existing file in place: where no file may be made beside it
// (a folder the user cannot write), where it may not be renamed over, and
// where it has other names (hard links) that must keep showing the same
// file. The space is reserved first, so a full disk is found before a byte
// of the old contents is lost; then the bytes are written over the old ones,
// the file is cut to their length and flushed to the disk.
bool WriteInPlace(const fs::path &Target, const uint8_t *Data, size_t Size, int &Code) {
  const int Fd = open(Target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (Fd < 0) {
    Code = errno;
    return false;
  }
  const int Reserved = posix_fallocate(Fd, 0, off_t(Size));
  if (Reserved != 0 && Reserved != EOPNOTSUPP && Reserved != EINVAL) {
    Code = Reserved;
    close(Fd);
    return false;
  }
  bool Ok = WriteAll(Fd, Data, Size) && ftruncate(Fd, off_t(Size)) == 0;
  Code = errno;
  return Finish(Fd, Ok, Code);
}

// Writes into a device or a named pipe, which are never replaced: /dev/null
// swallows the bytes, a pipe hands them to whoever reads it. A pipe nobody
// reads is refused at once rather than waited on, and a reader that goes
// away makes the write fail instead of ending the program.
bool WriteIntoStream(const std::string &Path, bool Pipe, const uint8_t *Data, size_t Size,
                     std::string &Reason) {
  const int Fd = open(Path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (Fd < 0) {
    Reason = Pipe && errno == ENXIO ? "nothing reads from the pipe" : std::strerror(errno);
    return false;
  }
  fcntl(Fd, F_SETFL, fcntl(Fd, F_GETFL) & ~O_NONBLOCK);
  sigset_t PipeSignal, Former;
  sigemptyset(&PipeSignal);
  sigaddset(&PipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &PipeSignal, &Former);
  bool Ok = WriteAll(Fd, Data, Size);
  const int Code = errno;
  if (!Ok && Code == EPIPE) { // take the signal the broken pipe raised
    const timespec Now{0, 0};
    sigtimedwait(&PipeSignal, nullptr, &Now);
  }
  pthread_sigmask(SIG_SETMASK, &Former, nullptr);
  if (!Ok)
    Reason = std::strerror(Code);
  if (close(Fd) != 0 && Ok) {
    Ok = false;
    Reason = std::strerror(errno);
  }
  return Ok;
}

// What is at Path when it is neither a regular file, a device of characters
// nor a pipe, in words; empty for those.
std::string Unwritable(const struct stat &Info) {
  if (S_ISDIR(Info.st_mode))
    return std::strerror(EISDIR);
  if (S_ISBLK(Info.st_mode))
    return "it is a block device, not a file";
  if (S_ISSOCK(Info.st_mode))
    return "it is a socket, not a file";
  return S_ISREG(Info.st_mode) || S_ISCHR(Info.st_mode) || S_ISFIFO(Info.st_mode)
             ? std::string()
             : "it is not a file";
}

bool ReplaceRegularFile(const fs::path &Target, const uint8_t *Data, size_t Size, int &Code) {
  struct stat Old;
  const bool Exists = stat(Target.c_str(), &Old) == 0;
  // rename() would replace a file the user made read-only without a word.
  if (Exists && access(Target.c_str(), W_OK) != 0) {
    Code = errno;
    return false;
  }
  if (Exists && Old.st_nlink > 1)
    return WriteInPlace(Target, Data, Size, Code);
  std::string Temp;
  const int Fd = CreateTemporary(Target, Temp);
  if (Fd < 0) {
    Code = errno;
    return Exists && (Code == EACCES || Code == EPERM) && WriteInPlace(Target, Data, Size, Code);
  }
  switch (WriteThroughTemporary(Target, Exists ? &Old : nullptr, Data, Size, Fd, Temp, Code)) {
  case TTemporaryWrite::Done:
    return true;
  case TTemporaryWrite::RenameRefused:
    return Exists && WriteInPlace(Target, Data, Size, Code);
  case TTemporaryWrite::Failed:
    break;
  }
  return false;
}

} // namespace

bool ReplaceFile(const std::string &Path, const uint8_t *Data, size_t Size, std::string &Reason) {
  // stat() follows every link, the system's own (/dev/stdout) included.
  struct stat Info;
  if (stat(Path.c_str(), &Info) == 0) {
    if (S_ISCHR(Info.st_mode) || S_ISFIFO(Info.st_mode))
      return WriteIntoStream(Path, S_ISFIFO(Info.st_mode), Data, Size, Reason);
    Reason = Unwritable(Info);
    if (!Reason.empty())
      return false;
  }
  int Code = 0;
  if (ReplaceRegularFile(FinalTarget(Path), Data, Size, Code))
    return true;
  Reason = std::strerror(Code);
  return false;
}

bool SameFile(const std::string &A, const std::string &B) {
  struct stat First, Second;
  return stat(A.c_str(), &First) == 0 && stat(B.c_str(), &Second) == 0 &&
         First.st_dev == Second.st_dev && First.st_ino == Second.st_ino;
}
