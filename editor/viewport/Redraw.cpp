#include "Redraw.h"

#include "Hover.h"
#include "edits/History.h"
#include "render/Previews.h"
#include "render/Scene.h"
#include "render/ShellLink.h"

namespace {

bool Any(TChanges Changes, TChanges Of) { return (Changes & Of) != 0; }

} // namespace

void Redraw(TChanges Changes) {
  if (Any(Changes, ChangedSceneColor | ChangedBaseColor))
    ShowColors();
  // The mark under the mouse no longer says what a click there would do.
  const bool HoverGone =
      Any(Changes, ChangedPieces | ChangedKits | ChangedChosenPiece | ChangedCamera | ChangedViewport) &&
      DropHover();
  if (HoverGone || Any(Changes, ChangedPieces | ChangedSceneColor | ChangedBaseColor | ChangedCamera |
                                    ChangedViewport)) {
    // The scene colour fills the viewport at once, before the scene is drawn on it.
    if (Any(Changes, ChangedSceneColor))
      BlankViewport();
    LookRender();
  }
  if (Any(Changes, ChangedSceneColor | ChangedCameraTilt | ChangedCameraTurn | ChangedChosenPiece))
    PiecePreview();
  if (Any(Changes, ChangedBaseColor | ChangedCameraTurn | ChangedChosenPiece))
    BaseLookPreview();
  if (Any(Changes, ChangedCameraTurn | ChangedChosenPiece))
    BaseFormPreview();
}

void StartRedrawing() { SetChangeListener(Redraw); }
