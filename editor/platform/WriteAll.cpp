#include "WriteAll.h"

#include <cerrno>
#include <unistd.h>

bool WriteAll(int Fd, const void *Data, size_t Size) {
  const char *At = static_cast<const char *>(Data);
  while (Size > 0) {
    const ssize_t N = write(Fd, At, Size);
    if (N < 0 && errno == EINTR)
      continue;
    if (N <= 0)
      return false;
    At += N;
    Size -= size_t(N);
  }
  return true;
}
