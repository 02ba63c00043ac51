// Opening and saving construction files from the editor: the file's record
// (model/Disk) together with the kits it names, the windows and the renders.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Reads FileName and makes it the open construction. A file that is not a
// valid construction is refused with a message naming it and the reason, and
// nothing changes but the viewport's size (FileName is the caller's); a kit
// it names that cannot be found ends the program. True when it was loaded.
bool LoadConstruction();

// Makes Record, a construction that was never saved (recovered after the
// program ended unexpectedly), the open construction as loading a file does,
// with FileName (the file it belonged to, or none) and unsaved changes.
bool RecoverConstruction(const std::vector<uint8_t> &Record);

// Why a file naming the kit is refused when the scan left its library out.
std::string LeftOutReason(const std::string &Kit);

struct TConstructionFile;

// How loading the kits a file names ended: every one loaded; one that cannot
// be used (Reason says why: its library fails, or the scan left it out, in
// which case moving libraries away helps); one missing from the Kits folder
// (Reason is its name).
enum class TKitsLoaded { All, Unusable, Missing };

// Loads every kit File names, in file order, from the kits the last scan
// found, so that each piece's kit number names the right kit again; Loading
// (if any) is told each kit's name before it loads.
TKitsLoaded LoadFileKits(const TConstructionFile &File, std::string &Reason,
                         const std::function<void(const std::string &Kit)> &Loading);

// Writes the open construction to FileName; a failure raises an error (shown
// by the standard error box) and leaves any earlier file intact.
void SaveConstruction();

// Whether FileName was changed on disk (by another program, or another
// editor saving the same file) since this program loaded or last saved it.
// False when it is gone, or when this program never had it.
bool FileChangedOnDisk();
