#include "KitEntry.h"

#include "Global.h"
#include "platform/GlState.h"
#include "platform/GlRecorder.h"
#include "platform/Messages.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TFault {
  std::string Kit, Export, What;
};

std::vector<TFault> Pending;
std::set<std::string> Reported; // kits already reported
bool Held = false;

std::string KitNameOf(void *Library) {
  for (int K = 1; K <= Construction.KitCount; ++K)
    if (Library && Construction.Kits[K].Handle == Library)
      return Construction.KitNames[K];
  return {};
}

std::string WhatOf(std::exception_ptr Fault) {
  try {
    std::rethrow_exception(Fault);
  } catch (const std::exception &Error) {
    return Error.what();
  } catch (...) {
    return "an exception that is not a standard one";
  }
}

} // namespace

TKitCall::TKitCall(void *Library, bool Draws)
    : FLibrary(Library), FFormerCaller(SetGlCaller(Library)), FDraws(Draws) {
  if (Draws)
    FMark = MarkGlState();
}

TKitCall::~TKitCall() { SetGlCaller(FFormerCaller); }

void TKitCall::Failed(const char *Export, std::exception_ptr Fault) {
  if (FDraws)
    RestoreGlMark(FMark);
  const std::string Kit = KitNameOf(FLibrary);
  if (Reported.count(Kit))
    return;
  for (const TFault &Known : Pending)
    if (Known.Kit == Kit)
      return;
  Pending.push_back({Kit, Export, WhatOf(Fault)});
  if (!Held)
    ReportKitFaults();
}

void HoldKitFaultReports(bool Hold) { Held = Hold; }

void ReportKitFaults() {
  for (const TFault &Fault : std::exchange(Pending, {})) {
    Reported.insert(Fault.Kit);
    const std::string Named = Fault.Kit.empty() ? "A kit" : "The kit \"" + Fault.Kit + "\"";
    ShowMessage(Named + " failed in " + Fault.Export + ": " + Fault.What +
                    ". What it draws may be incomplete; save your work and check the kit.",
                "Error - kit: \"" + Fault.Kit + "\"");
  }
}
