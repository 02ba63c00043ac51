// The one place that draws again what a change touched: after an edit, an
// undo or a redo (the history tells it what the step changed), and after a
// move of the camera or a change of the viewport. Each picture is drawn when
// something it shows changed, and only then:
//
//   the look render   pieces, colours, camera, viewport
//   the piece preview the scene colour, the camera's tilt and turn, the piece
//   the base look     the base colour, the camera's turn, the piece
//   the base form     the camera's turn, the piece
//
// and the main window shows a changed colour (through the shell's link). The
// kits in use change no picture: loading a kit draws its own spin frames, and
// the previews when it chooses a piece.
#pragma once

#include "edits/Changes.h"

void Redraw(TChanges Changes);

// Makes Redraw the history's listener: every step ends with it.
void StartRedrawing();
