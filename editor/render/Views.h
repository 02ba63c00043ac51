// The saved views of the construction: named copies of the live camera,
// held in Views[1..ViewCount-1] in the order they were added, with the live
// camera itself always the last entry, Views[ViewCount]. Adding and deleting
// a view are edits of the history (ViewEdits); applying one moves only the
// camera.
#pragma once

#include <string>

// The name offered for a new view: the first of "View 1", "View 2", ... up
// to "View <ViewCount>" that no entry bears (the live camera's name counts
// too; names compare exactly), or the last of them when all are taken.
std::string ProposedViewName();

// The live camera takes every field of saved view I, its name included.
void ApplyView(int I);
