#include "Busy.h"

#include "model/Global.h"
#include "platform/Cursor.h"
#include "platform/Messages.h"

#include <cstdint>
#include <exception>

namespace {

int Depth = 0;
char SavedMode = ModeNone;
int16_t SavedCursor = crArrow;
int InputKept = 0;

} // namespace

void BeginBusy() {
  if (Depth++ == 0) {
    SavedMode = Construction.Mode;
    SavedCursor = ScreenCursor();
    HoldKitFaultReports(true);
  }
  Construction.Mode = ModeBusy;
  SetScreenCursor(crWait);
}

void EndBusy(bool ProcessPending) {
  if (ProcessPending && InputKept == 0)
    ProcessMessages();
  if (--Depth > 0)
    return;
  Construction.Mode = SavedMode;
  SetScreenCursor(SavedCursor);
  HoldKitFaultReports(false);
  ReportKitFaults();
}

TBusy::~TBusy() { EndBusy(std::uncaught_exceptions() == 0); }

TInputKept::TInputKept() { ++InputKept; }
TInputKept::~TInputKept() { --InputKept; }
