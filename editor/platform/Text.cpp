#include "Text.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

size_t Utf8Sequence(const std::string &Text, size_t At, uint32_t &Point) {
  const uint8_t Lead = uint8_t(Text[At]);
  size_t Length;
  uint32_t Least;
  if (Lead < 0x80)
    return Point = Lead, 1;
  if ((Lead & 0xE0) == 0xC0)
    Length = 2, Least = 0x80, Point = Lead & 0x1F;
  else if ((Lead & 0xF0) == 0xE0)
    Length = 3, Least = 0x800, Point = Lead & 0x0F;
  else if ((Lead & 0xF8) == 0xF0)
    Length = 4, Least = 0x10000, Point = Lead & 0x07;
  else
    return 0;
  if (At + Length > Text.size())
    return 0;
  for (size_t I = 1; I < Length; ++I) {
    const uint8_t Next = uint8_t(Text[At + I]);
    if ((Next & 0xC0) != 0x80)
      return 0;
    Point = (Point << 6) | (Next & 0x3F);
  }
  const bool Surrogate = Point >= 0xD800 && Point <= 0xDFFF;
  return Point < Least || Point > 0x10FFFF || Surrogate ? 0 : Length;
}

namespace {

bool Harmful(uint32_t Point) {
  const bool Control = Point < 0x20 || (Point >= 0x7F && Point < 0xA0);
  const bool Direction = (Point >= 0x202A && Point <= 0x202E) || (Point >= 0x2066 && Point <= 0x2069);
  return Control || Direction;
}

void Escape(std::string &Out, uint8_t Byte) {
  char Code[5];
  std::snprintf(Code, sizeof Code, "\\x%02x", Byte);
  Out += Code;
}

} // namespace

std::string Printable(const std::string &Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (size_t At = 0; At < Text.size();) {
    uint32_t Point = 0;
    const size_t Length = Utf8Sequence(Text, At, Point);
    if (Length == 0) {
      Escape(Out, uint8_t(Text[At++]));
      continue;
    }
    if (Harmful(Point))
      for (size_t I = 0; I < Length; ++I)
        Escape(Out, uint8_t(Text[At + I]));
    else
      Out.append(Text, At, Length);
    At += Length;
  }
  return Out;
}

std::string LowerExtension(const std::string &Path) {
  std::string Extension = std::filesystem::path(Path).extension().string();
  for (char &C : Extension)
    C = char(std::tolower(static_cast<unsigned char>(C)));
  return Extension;
}
