// Reading the start dialog's three base dimensions.
#pragma once

#include <cstdint>
#include <string>

// Reads Text as a whole number (leading blanks and a sign allowed, nothing
// after the digits) and keeps its low 16 bits in Value. False when the text
// is no number or the kept value lies outside Min..Max.
bool ReadDimension(const std::string &Text, int Min, int Max, uint16_t &Value);
