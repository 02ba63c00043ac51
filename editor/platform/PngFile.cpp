#include "PngFile.h"

#include "ReplaceFile.h"

#include <png.h>

#include <vector>

namespace {

// The pixels as red, green, blue: libpng writes an RGB file only from
// three bytes a pixel.
std::vector<uint8_t> RgbOf(int Width, int Height, const uint8_t *Bgra) {
  std::vector<uint8_t> Rgb(size_t(Width) * Height * 3);
  for (size_t P = 0; P < size_t(Width) * Height; ++P) {
    Rgb[P * 3] = Bgra[P * 4 + 2];
    Rgb[P * 3 + 1] = Bgra[P * 4 + 1];
    Rgb[P * 3 + 2] = Bgra[P * 4];
  }
  return Rgb;
}

// The whole PNG file in memory; empty with Error set when libpng refuses.
std::vector<uint8_t> EncodePng(int Width, int Height, const uint8_t *Rgb, std::string &Error) {
  png_image Image{};
  Image.version = PNG_IMAGE_VERSION;
  Image.width = png_uint_32(Width);
  Image.height = png_uint_32(Height);
  Image.format = PNG_FORMAT_RGB;
  const png_int_32 RowBytes = png_int_32(Width) * 3;
  png_alloc_size_t Size = 0;
  std::vector<uint8_t> Bytes;
  if (png_image_write_to_memory(&Image, nullptr, &Size, 0, Rgb, RowBytes, nullptr)) {
    Bytes.resize(Size);
    if (png_image_write_to_memory(&Image, Bytes.data(), &Size, 0, Rgb, RowBytes, nullptr))
      Bytes.resize(Size);
    else
      Bytes.clear();
  }
  if (Bytes.empty())
    Error = Image.message;
  png_image_free(&Image);
  return Bytes;
}

} // namespace

bool WritePng(const std::string &Path, int Width, int Height, const uint8_t *Bgra,
              std::string &Error) {
  if (Width <= 0 || Height <= 0) {
    Error = "the picture is empty";
    return false;
  }
  const std::vector<uint8_t> Rgb = RgbOf(Width, Height, Bgra);
  const std::vector<uint8_t> File = EncodePng(Width, Height, Rgb.data(), Error);
  if (File.empty())
    return false;
  return ReplaceFile(Path, File.data(), File.size(), Error);
}

std::vector<uint8_t> RgbPngBytes(int Width, int Height, const uint8_t *Rgb, std::string &Error) {
  if (Width <= 0 || Height <= 0) {
    Error = "the picture is empty";
    return {};
  }
  return EncodePng(Width, Height, Rgb, Error);
}

std::vector<uint8_t> BgraPngBytes(int Width, int Height, const uint8_t *Bgra, std::string &Error) {
  if (Width <= 0 || Height <= 0) {
    Error = "the picture is empty";
    return {};
  }
  const std::vector<uint8_t> Rgb = RgbOf(Width, Height, Bgra);
  return EncodePng(Width, Height, Rgb.data(), Error);
}
