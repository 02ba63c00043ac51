// Draws the editor's artwork and writes each picture as <Name>.png into the
// folder given on the command line. Runs at build time; QImage and QPainter
// draw raster pictures without a display or an application object.
#include "Pictures.h"

#include <QDir>

#include <cstdio>

int main(int Argc, char **Argv) {
  if (Argc != 2) {
    std::fprintf(stderr, "usage: MakeArtwork <output folder>\n");
    return 2;
  }
  const QDir Folder(QString::fromLocal8Bit(Argv[1]));
  if (!Folder.mkpath(".")) {
    std::fprintf(stderr, "MakeArtwork: cannot create %s\n", Argv[1]);
    return 1;
  }
  for (const TNamedPicture &Picture : AllPictures()) {
    const QString Path = Folder.filePath(Picture.Name + ".png");
    if (!Picture.Image.save(Path, "PNG")) {
      std::fprintf(stderr, "MakeArtwork: cannot write %s\n", qPrintable(Path));
      return 1;
    }
  }
  return 0;
}
