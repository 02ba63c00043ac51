// Creating the program's windows once, in their order: the start dialog
// (whose start sequence runs at once), the main window, the viewport.
#pragma once

// False when the start sequence refused to go on (the program then ends).
bool CreateWindows();
