#include "PopupList.h"

#include "edits/KitEdits.h"
#include "edits/ViewEdits.h"
#include "model/Global.h"
#include "render/Views.h"
#include "viewport/Redraw.h"

namespace {

bool ListsViews(uint8_t Kind) { return Kind == ListApplyView || Kind == ListDeleteView; }

void ActOnView(uint8_t Kind, int I, const TListEffects &Effects) {
  if (Kind == ListApplyView) {
    ApplyView(I);
    Effects.HidePanels();
    Effects.LookRender();
    Effects.RedrawPreviews();
  } else {
    DeleteView(I);
    Effects.HidePanels();
  }
}

// Removing a kit numbers the kits after it afresh, so it makes the piece
// chooser fill itself again when it next opens; adding one appends it and
// leaves the chooser's kit and piece as they were.
void ActOnKit(uint8_t Kind, int I, const TListEffects &Effects) {
  switch (Kind) {
  case ListChooseKit:
    ChoosePiece(I, 1);
    Effects.RedrawPreviews();
    break;
  case ListAddKit:
    Effects.LoadKit(I);
    break;
  case ListRemoveKit:
    Effects.UnloadKit(I);
    Construction.ChooserKit = 0;
    break;
  default:
    return;
  }
  Effects.HidePanels();
}

} // namespace

TListEffects TListEffects::Editor() {
  TListEffects Effects;
  Effects.LookRender = [] { Redraw(ChangedCameraPlace); };
  Effects.RedrawPreviews = [] { Redraw(ChangedChosenPiece); };
  // The user's own changes of the kits in use, kept in the edit history.
  Effects.LoadKit = ::AddKit;
  Effects.UnloadKit = ::RemoveKit;
  return Effects;
}

void TPopupList::Open(uint8_t Kind) {
  ListKind = Kind;
  ClickedItem = 0;
}

uint16_t &TPopupList::First() const {
  if (ListsViews(ListKind))
    return Construction.FirstShownView;
  return ListKind == ListAddKit ? Construction.FirstShownAvailableKit : Construction.FirstShownKit;
}

int TPopupList::Count() const {
  if (ListsViews(ListKind))
    return Construction.ViewCount - 1; // the live camera is never listed
  return ListKind == ListAddKit ? Construction.AvailableKitCount : Construction.KitCount;
}

const std::string &TPopupList::Name(int I) const {
  if (ListsViews(ListKind))
    return Construction.Views[I].Name;
  return ListKind == ListAddKit ? Construction.AvailableKitNames[I] : Construction.KitNames[I];
}

std::string TPopupList::RowText(int Row) const {
  const int I = First() + Row - 1;
  return I >= 1 && I <= Count() ? Name(I) : std::string();
}

bool TPopupList::ScrollUp() {
  if (First() <= 1)
    return false;
  --First();
  return true;
}

bool TPopupList::ScrollDown() {
  if (First() + ListRows > Count())
    return false;
  ++First();
  return true;
}

void TPopupList::Click(int Row, const TListEffects &Effects) {
  ClickedItem = uint8_t(Row);
  const int I = First() + Row - 1;
  if (I < 1 || I > Count() || Name(I).empty()) // an empty row does nothing
    return;
  if (ListsViews(ListKind))
    ActOnView(ListKind, I, Effects);
  else
    ActOnKit(ListKind, I, Effects);
}
