// Writing a whole file so that it is never seen half-written: the bytes go to
// a fresh file beside the target, reach the disk, and only then take the
// target's place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes Size bytes to a fresh file beside Path, flushes it to the disk and
// renames it to Path; a file it replaces keeps its permissions. When Path is
// a symbolic link, the file the link leads to is the one written. A file the
// user may not write is refused and left as it is; an existing file in a
// folder the user may not write is overwritten in place instead (the only way
// to save it, though not atomic). After a successful save, temporary files
// that earlier saves of the same file left when they were killed are removed.
// On failure the fresh file is removed, whatever was at Path is left as it
// was, and Code holds the errno value that says why.
bool ReplaceFile(const std::string &Path, const uint8_t *Data, size_t Size, int &Code);
