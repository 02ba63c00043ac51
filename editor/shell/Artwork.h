// The editor's artwork: button faces, corners, the background tile, the
// splash banner and trim, drawn at build time (tools/artwork) and embedded
// as resources under ":/artwork/<Name>.png".
//
// Link the StavemontArtwork library with target_link_libraries; CMake then
// also links the resource's object file, and the first call below registers
// the resource, so no Q_INIT_RESOURCE is needed in the program.
#pragma once

#include <QImage>
#include <QPixmap>

#include <span>

// The named picture, or an empty pixmap (with a warning) if there is none.
// Needs a QGuiApplication, as every QPixmap does.
QPixmap ArtworkPicture(const char *Name);

// The same picture as an image, usable without an application object.
QImage ArtworkImage(const char *Name);

// The names of every picture of the artwork.
std::span<const char *const> ArtworkNames();
