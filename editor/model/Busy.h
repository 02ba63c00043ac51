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

// Within its scope brackets end without processing pending messages: input
// that arrives meanwhile waits for the event loop instead of being taken
// while busy (and so ignored). For the short renders that follow the mouse,
// which must not swallow the click that comes next.
class TInputKept {
public:
  TInputKept();
  ~TInputKept();
  TInputKept(const TInputKept &) = delete;
  TInputKept &operator=(const TInputKept &) = delete;
};
