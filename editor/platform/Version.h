// The version written into the program file at build time: an ELF note
// named "Stavemont" whose four 16-bit parts are major, minor, release, build.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char *VersionNoteSection = ".note.stavemont.version";

// The note as it lies in the file (name padded to four bytes).
struct TVersionNote {
  uint32_t NameSize; // 10: "Stavemont" and its terminator
  uint32_t DescSize; // 8
  uint32_t Type;     // 1
  char Name[12];
  uint16_t Parts[4];
};

// "major.minor.release.build", the build with at least four digits; empty
// when the file cannot be read or carries no version note.
std::string ReadFileVersion(const std::string &Path);

// The version of the running program, read from its own file whatever that
// file is called or wherever it was moved since it started.
std::string ReadProgramVersion();

// The text of a version: 1.1.1.29 gives "1.1.1.0029".
std::string VersionText(const uint16_t (&Parts)[4]);
