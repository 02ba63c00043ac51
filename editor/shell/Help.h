// The Help command of the main window's Construction menu.
#pragma once

#include <string>

// The help page beside the program: ProgramDir + "Help/StavemontHelp.html".
std::string HelpPagePath();

// Opens the help page in the desktop's browser. When no program can open
// it, a message says so and gives the page's path, so that the user can
// open it by hand.
void OpenHelp();
