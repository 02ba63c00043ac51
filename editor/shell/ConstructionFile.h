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

// Writes the open construction to FileName; a failure raises an error (shown
// by the standard error box) and leaves any earlier file intact.
void SaveConstruction();

// Whether FileName was changed on disk (by another program, or another
// editor saving the same file) since this program loaded or last saved it.
// False when it is gone, or when this program never had it.
bool FileChangedOnDisk();
