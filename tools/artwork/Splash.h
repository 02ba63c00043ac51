// The banner across the top of the start dialog: a few toy bricks on a light
// blue gradient, with the left part kept calm for the title drawn over it.
#pragma once

#include <QImage>

QImage SplashPicture();
