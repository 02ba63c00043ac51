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

// Whether a placed piece uses kit K.
bool KitInUseByAPiece(int K);

// The available kit of this name and library file; 0 when there is none.
int AvailableKit(const std::string &Name, const std::string &File);

// Moves the last available kit to place A of the list.
void ReturnLastAvailableTo(int A);

// Loads available kit A; when it cannot be loaded (its library went away
// since it was found), it stays offered where it was, so that it can be
// added again once the library is back.
bool LoadKitStayingOffered(int A);

// Loads available kit A, as LoadKitStayingOffered does, and puts it in use as
// kit K: the kits from K on and the pieces' kit numbers move up one, and the
// chosen piece stays the same piece of the same kit.
bool LoadKitAs(int A, int K);

// The program closes: every kit library is freed, whatever uses it.
void CloseKits();
