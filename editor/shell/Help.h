// The Help command of the main window's Construction menu.
#pragma once

#include <string>

// The help page beside the program: ProgramDir + "Help/StavemontHelp.html".
std::string HelpPagePath();

// Opens the help page in the desktop's browser. Whether it could be opened
// is not reported: the program goes on either way.
void OpenHelp();
