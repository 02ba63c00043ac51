// Adding and deleting saved views, each an edit of the history.
#pragma once

#include <string>

// Saves the live camera under Name as the last saved view; the camera stays
// behind it, unchanged. A name of blanks only, an empty one or a full table
// adds nothing; true when the view was added.
bool AddView(const std::string &Name);

// Saved view I leaves the list: the views after it and the live camera move
// down one entry.
void DeleteView(int I);
