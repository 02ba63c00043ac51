#include "ViewEdits.h"

#include "History.h"
#include "model/Global.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// Whether a name shows anything: the file keeps names without the blanks
// and control characters around them, so one of blanks only would come back
// empty, a row that can be neither applied nor deleted.
bool Shows(const std::string &Name) {
  return std::any_of(Name.begin(), Name.end(), [](char C) { return uint8_t(C) > 32; });
}

// Adding a saved view: the live camera moves one entry up and Saved takes
// its former place. Taking it back moves the live camera down again, as it
// is then: camera moves are no edits and stay.
class TAddView : public TEdit {
public:
  explicit TAddView(TPosition Saved) : TEdit("Add view", ChangedViews), FSaved(std::move(Saved)) {}

protected:
  bool Do() override {
    const int N = ++Construction.ViewCount;
    Construction.Views[N] = std::move(Construction.Views[N - 1]);
    Construction.Views[N - 1] = FSaved;
    return true;
  }
  bool Undo() override {
    const int N = Construction.ViewCount--;
    Construction.Views[N - 1] = std::move(Construction.Views[N]);
    Construction.Views[N] = TPosition();
    return true;
  }

private:
  TPosition FSaved;
};

// Deleting saved view I, kept whole so that it goes back at its place.
class TDeleteView : public TEdit {
public:
  TDeleteView(int I, TPosition View) : TEdit("Delete view", ChangedViews), FIndex(I), FView(std::move(View)) {}

protected:
  bool Do() override {
    const int N = Construction.ViewCount--;
    TPosition *Views = Construction.Views;
    std::move(Views + FIndex + 1, Views + N + 1, Views + FIndex);
    Views[N] = TPosition();
    return true;
  }
  bool Undo() override {
    const int N = ++Construction.ViewCount;
    TPosition *Views = Construction.Views;
    std::move_backward(Views + FIndex, Views + N, Views + N + 1);
    Views[FIndex] = FView;
    return true;
  }

private:
  int FIndex;
  TPosition FView;
};

} // namespace

bool AddView(const std::string &Name) {
  if (!Shows(Name) || Construction.ViewCount >= MaxViews)
    return false;
  TPosition Saved = Construction.Views[Construction.ViewCount];
  Saved.Name = Name;
  PerformEdit(std::make_unique<TAddView>(std::move(Saved)));
  return true;
}

void DeleteView(int I) {
  if (I >= 1 && I < Construction.ViewCount)
    PerformEdit(std::make_unique<TDeleteView>(I, Construction.Views[I]));
}
