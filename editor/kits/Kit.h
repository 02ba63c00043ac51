// The kit manager: finds the kit libraries in the Kits folder, loads and
// binds a kit when the construction needs it, and takes a kit out of use.
#pragma once

#include <string>

// The library file of the named kit.
std::string KitPath(const std::string &Name);

// Lists the Kits folder (at most 100 kits, in name order) as available kits;
// no kit is in use afterwards.
void ScanKits();

// Loads available kit K (1-based) and appends it to the kits in use, with the
// spin frames of its pieces. A library that cannot be loaded or lacks an
// export is reported to the user, leaves both lists and is never called;
// false then.
bool LoadKit(int K);

// Takes kit K (1-based) out of use unless a placed piece uses it.
void UnloadKit(int K);
