#include "Artwork.h"

#include <QDebug>
#include <QString>

namespace {

constexpr const char *Names[] = {
    "BaseButtonWhite",  "BaseButtonBlue",  "ButtonLeftWhite",   "ButtonLeftBlue",
    "ButtonMiddleWhite", "ButtonMiddleBlue", "MinusWhite",       "MinusBlue",
    "PlusWhite",        "PlusBlue",        "ArrowLeftWhite",    "ArrowLeftBlue",
    "ArrowRightWhite",  "ArrowRightBlue",  "ViewsUpWhite",      "ViewsUpBlue",
    "ViewsDownWhite",   "ViewsDownBlue",   "MenuTopWhite",      "MenuTopBlue",
    "MenuItemWhite",    "MenuItemBlue",    "MenuBottomWhite",   "MenuBottomBlue",
    "MenuSeparator",    "LeftUp",          "LeftDown",          "TopRight",
    "BottomRight",      "LeftUpWhite",     "LeftBottomWhite",   "TopLeftWhite2",
    "TopRightWhite2",   "BottomLeftWhite2", "BottomRightWhite2", "TopLeftBlue2",
    "TopRightBlue2",    "BottomLeftBlue2", "BottomRightBlue2",  "Background",
    "Splash",           "EditFrame",        "Icon",             "BaseButtonPressed"};

QString ResourcePath(const char *Name) {
  return QStringLiteral(":/artwork/%1.png").arg(QLatin1String(Name));
}

} // namespace

// Registers the embedded pictures once. Referring to the resource's
// initialiser here also makes a program that forgot to link the resource
// object fail at link time rather than show empty buttons.
static void RegisterArtwork() {
  static const bool Registered = [] {
    Q_INIT_RESOURCE(StavemontArtwork);
    return true;
  }();
  (void)Registered;
}

QImage ArtworkImage(const char *Name) {
  RegisterArtwork();
  QImage Picture(ResourcePath(Name));
  if (Picture.isNull())
    qWarning("Artwork: no picture named %s", Name);
  return Picture;
}

QPixmap ArtworkPicture(const char *Name) {
  const QImage Picture = ArtworkImage(Name);
  return Picture.isNull() ? QPixmap() : QPixmap::fromImage(Picture);
}

std::span<const char *const> ArtworkNames() { return Names; }
