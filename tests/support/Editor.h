// The editor's core as the program sets it up, for tests that render with
// the real kit: pixel formats, the viewport window, a construction.
#pragma once

#include "model/Global.h"

#include <string>

class TfLook;

// Chooses the pixel formats and creates and shows the viewport window, once
// per process. Needs a QApplication and a display.
TfLook &StartEditor();

// Sets up an empty construction of the given base: default colours and
// camera, no pieces, no kits in use, no kit chosen.
void NewConstruction(int Width, int Length, int Height);

// Scans ProgramDir's Kits folder and loads every kit found, as starting a
// construction does. ProgramDir defaults to the build's program folder.
void LoadAllKits();

// The build's program folder, with a trailing '/'.
std::string BuildProgramDir();
