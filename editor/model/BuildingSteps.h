// The order in which a construction can be built with real bricks: steps of
// placed pieces, layer by layer from the height of each piece's lowest
// solid cell, so that every piece rests on the base or on pieces of earlier
// steps; within a layer, pieces that touch go together.
#pragma once

#include <vector>

inline constexpr int DefaultStepPieces = 12;

// The steps of the open construction (its kits loaded): every placed piece
// number in exactly one step, at most StepPieces (1 or more) a step. A
// layer's pieces go a touching group at a time, front-left group first; a
// group larger than a step is cut into touching parts, each grown breadth
// first from the front-left piece left, of sizes as even as the group allows.
std::vector<std::vector<int>> BuildingSteps(int StepPieces = DefaultStepPieces);
