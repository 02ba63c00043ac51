// The edit history of the open construction: every change to what its file
// holds (pieces, saved views, colours, kits in use), in the order made, each
// of which can be taken back and carried out again, without limit since the
// construction was started or loaded. Camera moves are not edits and are
// never kept.
#pragma once

#include <QUndoCommand>
#include <QUndoStack>

#include <cstdint>
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
  explicit TEdit(const char *Text);

protected:
  virtual bool Do() = 0;
  virtual bool Undo() = 0;

private:
  friend void RecordEdit(std::unique_ptr<TEdit> Edit);
  void redo() final;
  void undo() final;
  bool FSkipRedo = false; // the edit was carried out before it was kept
  bool FDone = false;     // carried out at least once
};

// The history of the open construction, created empty on first use.
QUndoStack &EditHistory();

// A construction was started or loaded: the history is emptied and marked
// clean (nothing to save).
void StartHistory();

// Carries out Edit and keeps it as the newest edit; the edits that were
// taken back are dropped. False when Edit could not be carried out.
bool PerformEdit(std::unique_ptr<TEdit> Edit);

// Keeps Edit, already carried out by its caller, as the newest edit.
void RecordEdit(std::unique_ptr<TEdit> Edit);

// The scene or base colour was changed from Former to Chosen (the caller has
// set it). Choosing the colour already in use is no edit.
void RecordSceneColor(uint32_t Former, uint32_t Chosen);
void RecordBaseColor(uint32_t Former, uint32_t Chosen);
