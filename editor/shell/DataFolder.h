// Where the user's own files live: the construction files, captures,
// background pictures and the settings file. Beside the program when the
// user may write there (a program folder of one's own, as the build tree
// is); in the user's data folder when not (an installed program).
#pragma once

#include <string>

// ProgramDir when it can be written, else the user's data folder, made
// together with its Constructions, Captures and Backgrounds folders when
// they are missing. With a trailing '/'.
std::string DataDir();
