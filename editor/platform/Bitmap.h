// A 32-bit bitmap with scan-line access: each pixel is the bytes blue, green,
// red and an unused fourth; scan line 0 is the top row.
#pragma once

#include <QImage>

#include <cstdint>

class TBitmap {
public:
  void SetSize(int Width, int Height);
  // Takes the picture's pixels, converted to 32 bits per pixel.
  void Assign(const QImage &Picture);
  int Width() const { return FImage.width(); }
  int Height() const { return FImage.height(); }
  bool IsEmpty() const { return FImage.isNull(); }
  uint32_t *ScanLine(int Y) { return reinterpret_cast<uint32_t *>(FImage.scanLine(Y)); }
  const uint32_t *ScanLine(int Y) const {
    return reinterpret_cast<const uint32_t *>(FImage.constScanLine(Y));
  }
  const QImage &Image() const { return FImage; }

private:
  QImage FImage;
};
