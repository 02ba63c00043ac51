// The texture cache: one texture name per image, made lazily in the current
// rendering context and forgotten when a new context begins.
#pragma once

#include "TexturesImg.h"

#include <GL/gl.h>

#include <cstdint>

namespace Marbelo {

// Makes the image's texture if its slot is 0, then binds it.
void UseTexture(int Width, int Height, const uint32_t *Table, GLuint &Slot);

// UseTexture with the image's own size, table and slot.
void UseImage(TImageId Id);

// Sets every slot to 0: the textures died with the previous context.
void ForgetTextures();

} // namespace Marbelo
