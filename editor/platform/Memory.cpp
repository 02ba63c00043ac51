#include "Memory.h"

#include <malloc.h>

void KeepFreedBuffers() {
  constexpr int Large = 512 * 1024 * 1024;
  mallopt(M_TRIM_THRESHOLD, Large);
  mallopt(M_TOP_PAD, 64 * 1024 * 1024);
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024); // the largest value glibc accepts
}
