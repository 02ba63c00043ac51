// An entry point of a loaded kit as the editor calls it. A call runs with the
// kit named as the caller of whatever GL it uses (see GlRecorder), and
// nothing the kit raises gets past it: a kit that throws has its fault kept
// to be reported, by the kit's name, once, and for a drawing export the GL is
// put back as it was before the call, so that the render goes on.
#pragma once

#include "platform/GlState.h"

#include <exception>

// What surrounds every call into a kit; the kit is known by its library.
class TKitCall {
public:
  TKitCall(void *Library, bool Draws);
  ~TKitCall();
  TKitCall(const TKitCall &) = delete;
  TKitCall &operator=(const TKitCall &) = delete;

  // The kit raised Fault out of the export of this name.
  void Failed(const char *Export, std::exception_ptr Fault);

private:
  void *FLibrary, *FFormerCaller;
  bool FDraws;
  TGlMark FMark; // the GL state before a drawing call
};

template <class TFunction, bool Draws = false> class TKitEntry;

template <class... TArgs, bool Draws> class TKitEntry<void (*)(TArgs...), Draws> {
public:
  using TFunction = void (*)(TArgs...);

  TKitEntry() = default;
  TKitEntry(TFunction Function) : FFunction(Function) {}
  TKitEntry &operator=(TFunction Function) {
    FFunction = Function;
    return *this;
  }
  operator TFunction() const { return FFunction; }

  // Bound when the kit is loaded: the function, its library and its name.
  void Bind(TFunction Function, void *Library, const char *Name) {
    FFunction = Function;
    FLibrary = Library;
    FName = Name;
  }

  void operator()(TArgs... Args) const {
    TKitCall Call(FLibrary, Draws);
    try {
      FFunction(Args...);
    } catch (...) {
      Call.Failed(FName, std::current_exception());
    }
  }

private:
  TFunction FFunction = nullptr;
  void *FLibrary = nullptr;
  const char *FName = "";
};

// Holds reports of kit faults back while a render is under way (no message
// may be shown with a drawing context current) or lets them go again.
void HoldKitFaultReports(bool Hold);

// Tells the user of every kit that raised a fault since the last report and
// was not reported before: once per kit.
void ReportKitFaults();
