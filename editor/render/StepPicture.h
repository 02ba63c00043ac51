// The picture of one building step: the construction as built so far, the
// pieces of earlier steps drawn paler, those new in the step as they are.
#pragma once

#include <QImage>

#include <vector>

// Draws, from the live camera on the capture's surface (ViewportWidth x
// ViewportHeight, multisampled as a capture is), the base plate and the
// placed pieces Earlier under a white veil, then the pieces New over them
// with the depth of both, so that an earlier piece in front still hides a
// new one. With no earlier pieces there is no veil: the picture is the
// capture's. A null picture when no context could be had.
QImage DrawStepPicture(const std::vector<int> &Earlier, const std::vector<int> &New);
