// Writing pictures as PNG files through libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a Width x Height picture to Path as an 8-bit RGB PNG, replacing any
// file there without ever leaving a half-written one. Bgra holds the rows
// top row first, four bytes a pixel: blue, green, red and an unused byte.
// On failure Error says why (without the path) and Path is left as it was.
bool WritePng(const std::string &Path, int Width, int Height, const uint8_t *Bgra,
              std::string &Error);

// A Width x Height picture as the bytes of an 8-bit RGB PNG file; Rgb holds
// the rows top row first, three bytes a pixel. Empty, with Error set, when
// it cannot be made.
std::vector<uint8_t> RgbPngBytes(int Width, int Height, const uint8_t *Rgb, std::string &Error);

// The same from BGRA rows as WritePng takes them.
std::vector<uint8_t> BgraPngBytes(int Width, int Height, const uint8_t *Bgra, std::string &Error);
