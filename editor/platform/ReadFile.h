// Reading whole files without ever waiting: a named pipe or a device put where
// a file is expected would block a plain open or read for as long as nobody
// writes to it, so the file is opened non-blocking and read only when it is a
// regular file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TFileRead {
  enum TStatus {
    Read,       // Bytes holds the whole file
    Missing,    // no file of that name
    NotRegular, // a folder, pipe, device or socket
    WrongSize,  // its size (in Size) is outside the range asked for
    Shorter,    // it became shorter while it was read
    Failed      // the system refused to open or read it; Code says why
  };
  TStatus Status = Failed;
  int Code = 0;       // the errno value when Failed
  uintmax_t Size = 0; // the file's size, once known
};

// Reads the whole file at Path into Bytes when its size lies within
// MinSize..MaxSize; Bytes is left as it was otherwise.
TFileRead ReadRegularFile(const std::string &Path, uintmax_t MinSize, uintmax_t MaxSize,
                          std::vector<uint8_t> &Bytes);

// The runtime's own wording of a failed read of Path (for Failed, Missing,
// NotRegular and Shorter; a WrongSize needs the caller's words).
std::string FileReadProblem(const TFileRead &Result);
