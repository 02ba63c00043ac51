// The parts list of the open construction as a file: CSV, or an HTML page
// that holds every picture it shows, for the command line and the editor.
#pragma once

#include "model/PartsList.h"

#include <string>
#include <vector>

// Whether Path's extension names a parts list format (.csv, .html or .htm).
bool IsPartsFile(const std::string &Path);

// The page: a table of the rows, each with its piece's picture as the piece
// chooser shows it (a PNG inside the page), its kit, number, size and count,
// then the total. It asks for nothing outside itself.
std::string PartsHtml(const std::vector<TPartsRow> &Rows, const std::string &Title);

// Writes the parts list to Path, in the format its extension names, through
// the safe save. Empty when written, else why.
std::string WritePartsFile(const std::string &Path);

// The name a construction is known by in titles: its file's name without
// the folder and the extension, or "Untitled".
std::string ConstructionTitle();
