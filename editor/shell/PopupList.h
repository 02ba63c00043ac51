// The pop-up list of the main window's left column: ten rows over one of
// the saved views, the kits in use or the available kits, scrolled one row
// at a time, and what a click on a row does. Only the model is touched here;
// hiding the panels, drawing again and the edits of the kits in use go
// through TListEffects, so that the rules can be checked without a display.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

inline constexpr int ListRows = 10;

// Values of ListKind: what the list shows and what a click on a row does.
inline constexpr uint8_t ListApplyView = 1;  // saved views, to apply
inline constexpr uint8_t ListDeleteView = 2; // saved views, to delete
inline constexpr uint8_t ListChooseKit = 4;  // kits in use, to choose from
inline constexpr uint8_t ListAddKit = 5;     // available kits, to add
inline constexpr uint8_t ListRemoveKit = 6;  // kits in use, to remove

// What a click sets off beyond the model. Everything but HidePanels does
// the real work unless replaced.
struct TListEffects {
  std::function<void()> HidePanels;
  std::function<void()> LookRender;
  std::function<void()> RedrawPreviews;
  std::function<bool(int)> LoadKit;
  std::function<void(int)> UnloadKit;

  // The editor's own: drawing again through Redraw, the kits added and
  // removed as edits of the history; no panels to hide yet.
  static TListEffects Editor();
};

class TPopupList {
public:
  uint8_t ListKind = 0;
  uint8_t ClickedItem = 0; // the row clicked last, 0 while none since opening

  // Makes the list show Kind; no row is clicked yet.
  void Open(uint8_t Kind);

  // The text of row Row (1..ListRows): the name of the entry it shows, or
  // empty below the end of the list.
  std::string RowText(int Row) const;

  // One row up or down, within the list; true when the list moved.
  bool ScrollUp();
  bool ScrollDown();

  // A click on row Row: applies, deletes, chooses, adds or removes the
  // entry it shows, as ListKind says. A row below the end does nothing.
  void Click(int Row, const TListEffects &Effects);

private:
  uint16_t &First() const; // the first entry shown, in the construction
  int Count() const;       // how many entries the list has
  const std::string &Name(int I) const;
};
