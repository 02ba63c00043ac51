// The edit history of the open construction: every change to what its file
// holds (pieces, saved views, colours, kits in use), in the order made, each
// of which can be taken back and carried out again, without limit since the
// construction was started or loaded. Camera moves are not edits and are
// never kept.
#pragma once

#include "Changes.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <memory>

// One edit as the history keeps it. Do carries it out, Undo takes it back,
// each on the construction exactly as the edit left it or found it. Either
// returns false when it could not be done (a kit library that does not
// load) and then has changed nothing that a construction file holds. An
// edit that fails the first time is not kept; one that fails later leaves
// the construction whole where that step began, and the history, which
// cannot be followed past it any more, is dropped.
class TEdit : public QUndoCommand {
public:
  // Changes: what carrying the edit out or taking it back changes.
  TEdit(const char *Text, TChanges Changes);

protected:
  virtual bool Do() = 0;
  virtual bool Undo() = 0;

private:
  void redo() final;
  void undo() final;
  TChanges FChanges;
  bool FDone = false; // carried out at least once
};

// The history of the open construction, created empty on first use.
QUndoStack &EditHistory();

// A construction was started or loaded: the history is emptied and marked
// clean (nothing to save).
void StartHistory();

// Carries out Edit and keeps it as the newest edit; the edits that were
// taken back are dropped. False when Edit could not be carried out.
bool PerformEdit(std::unique_ptr<TEdit> Edit);

// Told, at the end of every step of the history (an edit carried out, taken
// back or carried out again), what the step changed; none by default. The
// program sets the routine that draws again what shows it.
void SetChangeListener(std::function<void(TChanges)> Listener);
