// Loads the built Marbelo kit from the build's Kits folder and binds its
// eight exports by name, for tests that need a real kit.
#pragma once

#include "model/Global.h"

#include <string>

// Path of the kit library in the build's program folder.
std::string MarbeloPath();

// dlopens the kit and fills Kit's handle, entry points and piece count.
// Returns false (with Kit untouched) when the library or an export is missing.
bool BindMarbelo(TKit &Kit);
