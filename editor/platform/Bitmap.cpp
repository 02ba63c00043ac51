#include "Bitmap.h"

void TBitmap::SetSize(int Width, int Height) {
  if (FImage.width() != Width || FImage.height() != Height)
    FImage = QImage(Width, Height, QImage::Format_RGB32);
}

void TBitmap::Assign(const QImage &Picture) { FImage = Picture.convertToFormat(QImage::Format_RGB32); }
