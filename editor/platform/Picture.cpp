#include "Picture.h"

#include <QImageReader>

#include <png.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

namespace {

// Larger pictures are refused from their header, before any pixel is read:
// one of 16000 x 16000 would take a gigabyte.
constexpr int MaxPictureSide = 8192;

void CheckSize(const std::string &Path, long long Width, long long Height) {
  if (Width <= MaxPictureSide && Height <= MaxPictureSide)
    return;
  throw std::runtime_error("The picture " + Path + " is " + std::to_string(Width) + " x " +
                           std::to_string(Height) + " pixels; at most " +
                           std::to_string(MaxPictureSide) + " x " + std::to_string(MaxPictureSide) +
                           " can be used.");
}

QImage ReadPng(const std::string &Path) {
  png_image Image{};
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&Image, Path.c_str()))
    throw std::runtime_error("Unable to read the picture " + Path + ": " + Image.message);
  try {
    CheckSize(Path, Image.width, Image.height);
  } catch (...) {
    png_image_free(&Image);
    throw;
  }
  Image.format = PNG_FORMAT_BGRA; // the byte order of a 32-bit QImage here
  QImage Result(int(Image.width), int(Image.height), QImage::Format_ARGB32);
  if (Result.isNull() ||
      !png_image_finish_read(&Image, nullptr, Result.bits(), Result.bytesPerLine(), nullptr)) {
    const std::string Message = Image.message;
    png_image_free(&Image);
    throw std::runtime_error("Unable to read the picture " + Path + ": " + Message);
  }
  return Result;
}

QImage ReadBmp(const std::string &Path) {
  QImageReader Reader(QString::fromStdString(Path), "BMP");
  const QSize Size = Reader.size();
  CheckSize(Path, Size.width(), Size.height());
  QImage Result;
  if (!Reader.read(&Result))
    throw std::runtime_error("Unable to read the picture " + Path);
  return Result;
}

} // namespace

QImage LoadPicture(const std::string &Path) {
  std::string Extension = std::filesystem::path(Path).extension().string();
  std::transform(Extension.begin(), Extension.end(), Extension.begin(),
                 [](unsigned char C) { return char(std::tolower(C)); });
  if (Extension == ".png")
    return ReadPng(Path);
  if (Extension == ".bmp")
    return ReadBmp(Path);
  const std::string Shown = Extension.empty() ? "" : Extension.substr(1);
  throw std::runtime_error("Unknown picture file extension (." + Shown + ")");
}
