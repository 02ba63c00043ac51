// What a change of the construction or of its view touched, so that exactly
// the pictures that show it are drawn again.
#pragma once

#include <cstdint>

enum TChange : uint16_t {
  ChangedPieces = 1 << 0,      // placed pieces (and so the cell grid)
  ChangedViews = 1 << 1,       // the saved views
  ChangedSceneColor = 1 << 2,
  ChangedBaseColor = 1 << 3,
  ChangedKits = 1 << 4,        // the kits in use or available
  ChangedChosenPiece = 1 << 5, // the kit, piece or rotation to insert
  ChangedCameraPlace = 1 << 6, // distance or pan of the live camera
  ChangedCameraTilt = 1 << 7,
  ChangedCameraTurn = 1 << 8,
  ChangedViewport = 1 << 9,   // the viewport's size
};

using TChanges = uint16_t;

// Every number of a camera: applying a view or starting afresh.
inline constexpr TChanges ChangedCamera = ChangedCameraPlace | ChangedCameraTilt | ChangedCameraTurn;
