#include "Picture.h"

#include "ReadFile.h"
#include "Text.h"

#include <QBuffer>
#include <QImageReader>

#include <png.h>

#include <algorithm>
#include <stdexcept>

namespace {

// Larger pictures are refused from their header, before any pixel is read:
// one of 16000 x 16000 would take a gigabyte.
constexpr int MaxPictureSide = 8192;
// No picture within that size needs a larger file, even stored uncompressed.
constexpr uintmax_t MaxPictureFileSize = uintmax_t(MaxPictureSide) * MaxPictureSide * 4 + (1 << 20);

void CheckSize(const std::string &Path, long long Width, long long Height) {
  if (Width <= MaxPictureSide && Height <= MaxPictureSide)
    return;
  throw std::runtime_error("The picture " + Path + " is " + std::to_string(Width) + " x " +
                           std::to_string(Height) + " pixels; at most " +
                           std::to_string(MaxPictureSide) + " x " + std::to_string(MaxPictureSide) +
                           " can be used.");
}

// The whole file, read without waiting on a pipe or device put in its place.
std::vector<uint8_t> ReadPictureFile(const std::string &Path) {
  std::vector<uint8_t> Bytes;
  const TFileRead Result = ReadRegularFile(Path, 0, MaxPictureFileSize, Bytes);
  if (Result.Status == TFileRead::WrongSize)
    throw std::runtime_error("The picture " + Path + " is too large a file (" +
                             std::to_string(Result.Size) + " bytes).");
  if (Result.Status != TFileRead::Read)
    throw std::runtime_error("Unable to read the picture " + Path + ": " + FileReadProblem(Result));
  return Bytes;
}

QImage ReadPng(const std::string &Path) {
  const std::vector<uint8_t> Bytes = ReadPictureFile(Path);
  png_image Image{};
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&Image, Bytes.data(), Bytes.size()))
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
  const std::vector<uint8_t> Bytes = ReadPictureFile(Path);
  QByteArray Data = QByteArray::fromRawData(reinterpret_cast<const char *>(Bytes.data()),
                                            qsizetype(Bytes.size()));
  QBuffer Buffer(&Data);
  QImageReader Reader(&Buffer, "BMP");
  const QSize Size = Reader.size();
  CheckSize(Path, Size.width(), Size.height());
  QImage Result;
  if (!Reader.read(&Result))
    throw std::runtime_error("Unable to read the picture " + Path);
  return Result;
}

} // namespace

QImage LoadPicture(const std::string &Path) {
  const std::string Extension = LowerExtension(Path);
  if (Extension == ".png")
    return ReadPng(Path);
  if (Extension == ".bmp")
    return ReadBmp(Path);
  const std::string Shown = Extension.empty() ? "" : Extension.substr(1);
  throw std::runtime_error("Unknown picture file extension (." + Shown + ")");
}
