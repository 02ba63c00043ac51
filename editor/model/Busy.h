// The busy bracket around long operations: Mode is busy and the wait cursor
// shows. Brackets nest: the mode and cursor in force before the outermost
// bracket are back after it. While any bracket is open, reports of kits that
// failed are held back; the outermost end shows them.
#pragma once

void BeginBusy();

// Processes pending window messages first (while still busy), then restores.
// When an error is on its way out, the messages wait for the event loop.
void EndBusy(bool ProcessPending = true);

// A bracket that closes on every way out of its scope, errors included.
class TBusy {
public:
  TBusy() { BeginBusy(); }
  ~TBusy();
  TBusy(const TBusy &) = delete;
  TBusy &operator=(const TBusy &) = delete;
};
