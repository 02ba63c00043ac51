// The command line's work without a window: checking construction files and
// writing a construction's picture. Both run on Mesa's surfaceless EGL
// platform, so they need no display.
#pragma once

#include "CommandLine.h"

// Checks each file as a load would, printing "<file>: ok" or "<file>: <the
// reason it is refused>" a line each; 0 when every file is ok, else 1.
int RunCheck(int Argc, char **Argv, const TCommandLine &Line);

// Writes the picture of Line's construction that the editor's Capture would
// write for a viewport of Line's size; 0 when written, else 1 with one line
// on standard error naming the file and the reason.
int RunRender(int Argc, char **Argv, const TCommandLine &Line);

// --export: the construction as a 3-D model file, written safely; 0, or 1
// with one line on standard error naming the file and the reason.
int RunExport(int Argc, char **Argv, const TCommandLine &Line);

// --parts: the parts list as CSV on standard output, or written safely to a
// CSV or HTML file; 0, or 1 with one line on standard error.
int RunParts(int Argc, char **Argv, const TCommandLine &Line);

// --instructions: the building instructions written safely as a PDF; 0, or
// 1 with one line on standard error.
int RunInstructions(int Argc, char **Argv, const TCommandLine &Line);
