#include "Views.h"

#include "model/Global.h"

#include <algorithm>

namespace {

// Whether any entry, the live camera included, bears exactly this name.
bool ViewNamed(const std::string &Name) {
  for (int I = 1; I <= Construction.ViewCount; ++I)
    if (Construction.Views[I].Name == Name)
      return true;
  return false;
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

void ApplyView(int I) {
  if (I >= 1 && I < Construction.ViewCount)
    Construction.Views[Construction.ViewCount] = Construction.Views[I];
}

