// Changing the scene or the base colour, each an edit of the history.
// Choosing the colour already in use is no edit.
#pragma once

#include <cstdint>

void ChangeSceneColor(uint32_t Color);
void ChangeBaseColor(uint32_t Color);
