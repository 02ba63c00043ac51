// The small trim pictures: the frame of a dimension field and the line
// between groups of menu items.
#pragma once

#include <QImage>

QImage EditFramePicture();
QImage MenuSeparatorPicture();
