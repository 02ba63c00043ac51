// Writing a whole file so that it is never seen half-written: the bytes go to
// a fresh file beside the target, reach the disk, and only then take the
// target's place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes Size bytes to a fresh file beside Path, flushes it to the disk and
// renames it to Path; a file it replaces keeps its permissions. On failure
// the fresh file is removed, whatever was at Path is left as it was, and
// Code holds the errno value that says why.
bool ReplaceFile(const std::string &Path, const uint8_t *Data, size_t Size, int &Code);
