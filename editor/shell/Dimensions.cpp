#include "Dimensions.h"

#include <cctype>
#include <cstdint>

namespace {

// Parses an optionally signed decimal number that fits 32 bits.
bool ParseWhole(const std::string &Text, int32_t &Number) {
  size_t I = 0;
  while (I < Text.size() && Text[I] == ' ')
    ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '+' || Text[I] == '-'))
    Negative = Text[I++] == '-';
  if (I == Text.size())
    return false;
  int64_t Value = 0;
  for (; I < Text.size(); ++I) {
    if (!std::isdigit(static_cast<unsigned char>(Text[I])))
      return false;
    Value = Value * 10 + (Text[I] - '0');
    if (Value > int64_t(INT32_MAX) + 1)
      return false;
  }
  Value = Negative ? -Value : Value;
  if (Value > INT32_MAX)
    return false;
  Number = int32_t(Value);
  return true;
}

} // namespace

bool ReadDimension(const std::string &Text, int Min, int Max, uint16_t &Value) {
  int32_t Number = 0;
  if (!ParseWhole(Text, Number))
    return false;
  Value = uint16_t(uint32_t(Number) & 0xFFFF);
  return Value >= Min && Value <= Max;
}

std::string DimensionRange(int Min, int Max) { return std::to_string(Min) + " to " + std::to_string(Max); }

std::string DimensionNote(const std::string &Name, int Min, int Max) {
  return Name + " must be a whole number from " + DimensionRange(Min, Max);
}
