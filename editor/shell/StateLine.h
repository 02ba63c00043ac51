// The quiet lines at the foot of the left column that tell what the window
// title would: the construction's name, whether it has unsaved changes, the
// mode, and why a click at the mouse would be refused. The main window is
// full screen without a title bar, so these are the only place they show.
#pragma once

#include <string>

// One item a line: the name, "Unsaved changes" when there are, the mode
// ("Mode: Insert"; "No mode" when none is chosen) and Note when not empty.
std::string StateText(const std::string &Name, bool Unsaved, char Mode, const std::string &Note);
