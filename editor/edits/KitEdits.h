// The user's own changes to the kits in use, each an edit of the history
// built on the kit manager's LoadKit and UnloadKit. Taking an added kit back
// takes it out of use and puts it back among the available kits where it
// was; taking a removal back loads the kit again under its former number,
// the later kits and the pieces' kit numbers moving up as they were.
#pragma once

// Adds available kit K (1-based) as the last kit in use; false when it could
// not be loaded.
bool AddKit(int K);

// Takes kit K out of use unless a placed piece uses it.
void RemoveKit(int K);
