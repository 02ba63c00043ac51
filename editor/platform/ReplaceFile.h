// Writing a whole file so that it is never seen half-written: the bytes go to
// a fresh file beside the target, reach the disk, and only then take the
// target's place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes Size bytes to a fresh file beside Path, flushes it to the disk and
// renames it to Path; a file it replaces keeps its permissions and, where the
// user may give them, its owner and group. When Path is a symbolic link, the
// file the link leads to is the one written. A file the user may not write is
// refused and left as it is. An existing file is overwritten in place instead
// (the only way, though not atomic) where it has other hard links, which keep
// naming it, or where no file can be made beside it or renamed over it (a
// folder the user cannot write, someone else's file in a sticky folder).
// A device of characters or a named pipe at Path is written into and never
// replaced (a pipe nobody reads is refused); anything else that is not a
// regular file is refused. After a successful save, temporary files that
// earlier saves of the same file left when they were killed are removed.
// On failure the fresh file is removed, whatever was at Path is left as it
// was, and Reason says why, in words without the path.
bool ReplaceFile(const std::string &Path, const uint8_t *Data, size_t Size, std::string &Reason);

// Whether A and B name the same existing file (the same device and inode),
// through any links.
bool SameFile(const std::string &A, const std::string &B);
