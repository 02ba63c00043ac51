// The three pictures of the piece chosen for insertion, as the main window
// shows them, and the eight spin frames of every piece of a kit.
#pragma once

#include "platform/Bitmap.h"

#include <cstdint>

struct TPreviewPictures {
  TBitmap iPiece;    // the piece in three dimensions
  TBitmap iBaseLook; // its footprint from above, anchor cell marked
  TBitmap iBaseForm; // the footprint in cell codes, never shown
};

extern TPreviewPictures Previews;

// Each render below draws nothing, makes no GL call and leaves its pictures
// as they were when it gets no drawing context.
void PiecePreview();
void BaseLookPreview();
void BaseFormPreview();

// The three previews, in this order.
void RedrawPreviews();

// Frame Step (1..8) of piece Piece of kit Kit; step 7 also makes its thumbnail.
void RenderSpinFrames(int Kit, int Piece, int Step);

// A click on the base look preview picks the footprint cell under it as the
// anchor cell; a click beside the footprint changes nothing.
void iBaseLookMouseDown(int X, int Y);
