// The busy bracket around long operations: Mode is busy and the wait cursor
// shows. Brackets nest: the mode and cursor in force before the outermost
// bracket are back after it.
#pragma once

void BeginBusy();

// Processes pending window messages first (while still busy), then restores.
void EndBusy();
