#include "ReadFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads exactly Size bytes: Read, Shorter when the file ends early, or Failed.
TFileRead::TStatus ReadAll(int Fd, uint8_t *Data, size_t Size, int &Code) {
  while (Size > 0) {
    const ssize_t N = read(Fd, Data, Size);
    if (N < 0 && errno == EINTR)
      continue;
    if (N == 0)
      return TFileRead::Shorter;
    if (N < 0) {
      Code = errno;
      return TFileRead::Failed;
    }
    Data += N;
    Size -= size_t(N);
  }
  return TFileRead::Read;
}

TFileRead ReadOpenFile(int Fd, uintmax_t MinSize, uintmax_t MaxSize, std::vector<uint8_t> &Bytes) {
  TFileRead Result;
  struct stat Info;
  if (fstat(Fd, &Info) != 0) {
    Result.Code = errno;
    return Result;
  }
  if (!S_ISREG(Info.st_mode)) {
    Result.Status = TFileRead::NotRegular;
    return Result;
  }
  Result.Size = uintmax_t(Info.st_size);
  if (Result.Size < MinSize || Result.Size > MaxSize) {
    Result.Status = TFileRead::WrongSize;
    return Result;
  }
  std::vector<uint8_t> Read(static_cast<size_t>(Result.Size));
  Result.Status = ReadAll(Fd, Read.data(), Read.size(), Result.Code);
  if (Result.Status == TFileRead::Read)
    Bytes = std::move(Read);
  return Result;
}

} // namespace

TFileRead ReadRegularFile(const std::string &Path, uintmax_t MinSize, uintmax_t MaxSize,
                          std::vector<uint8_t> &Bytes) {
  const int Fd = open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (Fd < 0) {
    TFileRead Result;
    Result.Code = errno;
    if (errno == ENOENT)
      Result.Status = TFileRead::Missing;
    return Result;
  }
  const TFileRead Result = ReadOpenFile(Fd, MinSize, MaxSize, Bytes);
  close(Fd);
  return Result;
}

std::string FileReadProblem(const TFileRead &Result) {
  switch (Result.Status) {
  case TFileRead::Missing:
    return std::strerror(ENOENT);
  case TFileRead::NotRegular:
    return "it is not a regular file";
  case TFileRead::Shorter:
    return "it became shorter while it was read";
  case TFileRead::WrongSize:
    return "it holds " + std::to_string(Result.Size) + " bytes";
  case TFileRead::Failed:
  case TFileRead::Read:
    break;
  }
  return std::strerror(Result.Code);
}
