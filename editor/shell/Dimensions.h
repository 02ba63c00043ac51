// Reading the start dialog's three base dimensions.
#pragma once

#include <cstdint>
#include <string>

// Reads Text as a whole number (leading blanks and a sign allowed, nothing
// after the digits) and keeps its low 16 bits in Value. False when the text
// is no number or the kept value lies outside Min..Max.
bool ReadDimension(const std::string &Text, int Min, int Max, uint16_t &Value);

// The range a field accepts, as shown beside it: "10 to 150".
std::string DimensionRange(int Min, int Max);

// Why a field's text was refused: "Width must be a whole number from 10 to 150".
std::string DimensionNote(const std::string &Name, int Min, int Max);
