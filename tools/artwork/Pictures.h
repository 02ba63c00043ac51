// Every picture of the editor's artwork, drawn and named as the program
// loads it (":/artwork/<Name>.png").
#pragma once

#include <QImage>
#include <QString>

#include <vector>

struct TNamedPicture {
  QString Name;
  QImage Image;
};

std::vector<TNamedPicture> AllPictures();
