// Building instructions as a PDF: a cover page with the whole construction
// and its parts, then a page for each building step with the construction
// as built so far, the step's new pieces standing out, and the step's parts.
#pragma once

#include <functional>
#include <string>

// Whether Path's extension is .pdf.
bool IsInstructionsFile(const std::string &Path);

// Told after each page is made, with the pages made and the pages in all;
// false stops the work.
using TPagesMade = std::function<bool(int Made, int Pages)>;

// Writes the instructions of the open construction (its kits loaded),
// pictures of ViewportWidth x ViewportHeight from the live camera, at most
// StepPieces new pieces a step, to Path through the safe save once every
// page is made. Empty when written; else why, and nothing is written (also
// when PagesMade stopped the work, which Stopped then tells).
std::string WriteInstructions(const std::string &Path, int StepPieces, const TPagesMade &PagesMade,
                              bool &Stopped);
