// Writing every byte to a file descriptor, however the system splits the
// write and whatever signals interrupt it.
#pragma once

#include <cstddef>

// False (errno set) when the system refuses a write or writes nothing.
bool WriteAll(int Fd, const void *Data, size_t Size);
