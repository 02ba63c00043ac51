#include "Version.h"

#include "ReadFile.h"

#include <cstdio>
#include <cstring>
#include <elf.h>
#include <vector>

namespace {

// Reads a T at Offset of Bytes; false when it does not fit.
template <class T> bool ReadAt(const std::vector<uint8_t> &Bytes, uint64_t Offset, T &Value) {
  if (Offset > Bytes.size() || Bytes.size() - Offset < sizeof(T))
    return false;
  std::memcpy(&Value, Bytes.data() + Offset, sizeof(T));
  return true;
}

// The section of the given name in a 64-bit ELF image, as offset and size.
bool FindSection(const std::vector<uint8_t> &Bytes, const char *Wanted, uint64_t &Offset,
                 uint64_t &Size) {
  Elf64_Ehdr Header;
  if (!ReadAt(Bytes, 0, Header) || std::memcmp(Header.e_ident, ELFMAG, SELFMAG) != 0 ||
      Header.e_ident[EI_CLASS] != ELFCLASS64 || Header.e_shentsize != sizeof(Elf64_Shdr))
    return false;
  Elf64_Shdr Names;
  if (!ReadAt(Bytes, Header.e_shoff + uint64_t(Header.e_shstrndx) * sizeof(Elf64_Shdr), Names))
    return false;
  for (uint64_t I = 0; I < Header.e_shnum; ++I) {
    Elf64_Shdr Section;
    if (!ReadAt(Bytes, Header.e_shoff + I * sizeof(Elf64_Shdr), Section))
      return false;
    const uint64_t NameAt = Names.sh_offset + Section.sh_name;
    const size_t Length = std::strlen(Wanted) + 1;
    if (NameAt >= Bytes.size() || Bytes.size() - NameAt < Length ||
        std::memcmp(Bytes.data() + NameAt, Wanted, Length) != 0)
      continue;
    Offset = Section.sh_offset;
    Size = Section.sh_size;
    return Offset <= Bytes.size() && Bytes.size() - Offset >= Size;
  }
  return false;
}

} // namespace

std::string VersionText(const uint16_t (&Parts)[4]) {
  char Text[40];
  std::snprintf(Text, sizeof Text, "%u.%u.%u.%.4u", Parts[0], Parts[1], Parts[2], Parts[3]);
  return Text;
}

std::string ReadFileVersion(const std::string &Path) {
  // A program file is far smaller; a larger one is no program of ours.
  constexpr uintmax_t MaxProgramSize = uintmax_t(1) << 30;
  std::vector<uint8_t> Bytes;
  if (ReadRegularFile(Path, 0, MaxProgramSize, Bytes).Status != TFileRead::Read)
    return "";
  uint64_t Offset = 0, Size = 0;
  TVersionNote Note;
  if (!FindSection(Bytes, VersionNoteSection, Offset, Size) || Size < sizeof Note ||
      !ReadAt(Bytes, Offset, Note) || Note.NameSize != 10 || Note.DescSize != 8 ||
      std::memcmp(Note.Name, "Stavemont", 10) != 0)
    return "";
  return VersionText(Note.Parts);
}

std::string ReadProgramVersion() { return ReadFileVersion("/proc/self/exe"); }
