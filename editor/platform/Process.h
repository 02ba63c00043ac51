// This program's process among others.
#pragma once

// The number of the running process.
int ProcessId();

// Whether no process of this number runs any more.
bool ProcessEnded(int Id);
