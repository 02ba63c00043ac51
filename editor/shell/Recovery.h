// Crash recovery: while the open construction has unsaved changes, it is
// written (after each edit, and at least every 30 s while anything changed
// since) to a recovery file of this program's own in the user's data folder,
// in the background and never half-written. A save that leaves nothing
// unsaved, or Close, removes it. At the next start, a recovery file left by
// a program that is no longer running is offered to the user.
#pragma once

#include <string>

// The folder of the recovery files, with a trailing '/'.
std::string RecoveryFolder();

// This program's recovery file.
std::string RecoveryFile();

// Starts keeping the recovery file of this program's construction.
void StartRecovery();

// The construction is closed: its recovery file goes.
void DiscardRecovery();

// Offers each recovery file left by a program that ended before its
// changes were saved, newest first: recovered (the construction opens, with
// its file name and unsaved changes), kept for later, or discarded. True
// when one was recovered.
bool OfferRecovery();
