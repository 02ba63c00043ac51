// Pictures read from files: PNG through libpng, BMP natively. Other kinds
// raise an error naming the extension.
#pragma once

#include <QImage>

#include <string>

// Throws std::runtime_error when the file cannot be read as a picture.
QImage LoadPicture(const std::string &Path);
