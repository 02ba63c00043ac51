#include "KitEdits.h"

#include "History.h"
#include "kits/Kit.h"
#include "model/Global.h"

#include <memory>
#include <string>

namespace {

// The user adds available kit Available; it comes into use as the last kit.
class TAddKit : public TEdit {
public:
  explicit TAddKit(int Available)
      : TEdit("Add kit", ChangedKits), FAvailable(Available), FName(Construction.AvailableKitNames[Available]),
        FFile(Construction.AvailableKitFiles[Available]) {}

protected:
  // The user's own adding goes as any loading does; a redo that fails
  // leaves the kit offered.
  bool Do() override {
    const int A = AvailableKit(FName, FFile);
    if (A == 0 || !(FAdded ? LoadKitStayingOffered(A) : LoadKit(A)))
      return false;
    FFile = Construction.KitFiles[Construction.KitCount]; // as the loader found it
    FAdded = true;
    return true;
  }
  bool Undo() override {
    if (!UnloadKit(Construction.KitCount))
      return false;
    ReturnLastAvailableTo(FAvailable);
    return true;
  }

private:
  int FAvailable;
  std::string FName, FFile;
  bool FAdded = false;
};

// The user took kit K out of use.
class TRemoveKit : public TEdit {
public:
  explicit TRemoveKit(int K)
      : TEdit("Remove kit", ChangedKits), FNumber(K), FName(Construction.KitNames[K]),
        FFile(Construction.KitFiles[K]) {}

protected:
  bool Do() override { return UnloadKit(FNumber); }
  bool Undo() override {
    const int A = AvailableKit(FName, FFile);
    return A != 0 && LoadKitAs(A, FNumber);
  }

private:
  int FNumber;
  std::string FName, FFile;
};

} // namespace

bool AddKit(int K) {
  return K >= 1 && K <= Construction.AvailableKitCount &&
         PerformEdit(std::make_unique<TAddKit>(K));
}

void RemoveKit(int K) {
  if (K >= 1 && K <= Construction.KitCount && !KitInUseByAPiece(K))
    PerformEdit(std::make_unique<TRemoveKit>(K));
}
