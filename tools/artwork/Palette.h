// The colours of the artwork: white and blue faces on a light blue backdrop.
#pragma once

#include <QColor>

namespace Palette {

inline const QColor White{255, 255, 255};
inline const QColor WhiteShade{236, 243, 252};  // the lower edge of white faces
inline const QColor WhiteBorder{176, 197, 228}; // thin border around white faces
inline const QColor BlueTop{150, 196, 253};     // light enough for black captions
inline const QColor BlueBottom{88, 152, 240};
inline const QColor BlueBorder{38, 106, 218};
inline const QColor Accent{30, 100, 220};   // glyphs on white faces, field borders
inline const QColor Ink{14, 44, 112};       // glyphs on blue faces, near the black captions
inline const QColor Backdrop{216, 230, 249}; // the brick face of the background tile
inline const QColor Groove{190, 210, 240};   // the gaps between the tile's bricks
inline const QColor PreviewGround{232, 238, 247}; // inside the white preview corners
inline const QColor SpinBlue{0, 0, 255};          // the frame around spin previews

} // namespace Palette
