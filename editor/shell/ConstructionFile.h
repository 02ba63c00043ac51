// Opening and saving construction files from the editor: the file's record
// (model/Disk) together with the kits it names, the windows and the renders.
#pragma once

#include <string>

// Reads FileName and makes it the open construction. A file that is not a
// valid construction is refused with a message naming it and the reason, and
// nothing changes but the viewport's size (FileName is the caller's); a kit
// it names that cannot be found ends the program. True when it was loaded.
bool LoadConstruction();

// Why a file naming the kit is refused when the scan left its library out.
std::string LeftOutReason(const std::string &Kit);

// Writes the open construction to FileName; a failure raises an error (shown
// by the standard error box) and leaves any earlier file intact.
void SaveConstruction();
