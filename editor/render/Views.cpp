#include "Views.h"

#include "model/Global.h"

#include <algorithm>
#include <utility>

namespace {

// Whether any entry, the live camera included, bears exactly this name.
bool ViewNamed(const std::string &Name) {
  for (int I = 1; I <= Construction.ViewCount; ++I)
    if (Construction.Views[I].Name == Name)
      return true;
  return false;
}

// Whether a name shows anything: the file keeps names without the blanks
// and control characters around them, so one of blanks only would come back
// empty, a row that can be neither applied nor deleted.
bool Shows(const std::string &Name) {
  return std::any_of(Name.begin(), Name.end(), [](char C) { return uint8_t(C) > 32; });
}

} // namespace

std::string ProposedViewName() {
  const int Last = std::max<int>(Construction.ViewCount, 1);
  std::string Candidate;
  for (int K = 1; K <= Last; ++K) {
    Candidate = "View " + std::to_string(K);
    if (!ViewNamed(Candidate))
      break;
  }
  return Candidate;
}

bool AddView(const std::string &Name) {
  if (!Shows(Name) || Construction.ViewCount >= MaxViews)
    return false;
  const int N = ++Construction.ViewCount;
  Construction.Views[N] = Construction.Views[N - 1];
  Construction.Views[N - 1].Name = Name;
  return true;
}

void ApplyView(int I) {
  if (I >= 1 && I < Construction.ViewCount)
    Construction.Views[Construction.ViewCount] = Construction.Views[I];
}

void DeleteView(int I) {
  const int N = Construction.ViewCount;
  if (I < 1 || I >= N)
    return;
  TPosition *Views = Construction.Views;
  std::move(Views + I + 1, Views + N + 1, Views + I);
  Views[N] = TPosition();
  Construction.ViewCount = uint16_t(N - 1);
}
