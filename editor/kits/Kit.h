// The kit manager: finds the kit libraries in the Kits folder, loads and
// binds a kit when the construction needs it, and takes a kit out of use.
#pragma once

#include <string>

// Lists the Kits folder (at most 100 kits, in name order) as available kits,
// keeping each kit's library file name beside its name; no kit is in use
// afterwards. Of libraries of the same kit name only the first is listed,
// libraries beyond the first 100 kits are left out, and the user is told
// which were left out and why.
void ScanKits();

// The index of the available kit of exactly this name (the later of two
// equal names, as a file's kits are looked up), or 0.
int AvailableKitNamed(const std::string &Name);

// Whether the last scan left out a library of the named kit.
bool KitLeftOut(const std::string &Name);

// Loads available kit K (1-based) and appends it to the kits in use, with the
// spin frames of its pieces. A library that cannot be loaded or lacks an
// export is reported to the user, leaves both lists and is never called;
// false then.
bool LoadKit(int K);

// Takes kit K (1-based) out of use unless a placed piece uses it; true when
// it was taken out.
bool UnloadKit(int K);

// The user's own changes to the kits in use, each one edit of the history:
// LoadKit and UnloadKit as above. Taking an added kit back takes it out of
// use and puts it back among the available kits where it was; taking a
// removal back loads the kit again under its former number, the later kits
// and the pieces' kit numbers moving up as they were.
bool AddKit(int K);
void RemoveKit(int K);
