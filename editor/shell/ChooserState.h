// The piece chooser without its window: where the slots go in a left column
// of a given height, which piece each slot shows, and how clicks, the arrows
// and the spin timer move the selection through a kit. The chooser window
// builds its slots from TSlotLayout and paints every slot from Picture().
//
// The slots are a window onto the kit's pieces: slot Slot shows the chosen
// piece, slot S shows piece Piece - Slot + S. Stepping past either end of the
// slots scrolls that window by one piece.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int SlotsNotBuilt = 100; // the slot count until the slots exist
inline constexpr int MaxSlots = 10;
inline constexpr int SlotWidth = 121, SlotHeight = 141;
inline constexpr int SlotPitch = SlotHeight + 4; // a slot and the least gap worth having
inline constexpr int FirstSlotTop = 64;          // below the kit name and the selection row
inline constexpr int ChooserMargins = 144;       // the room above and below the slots
inline constexpr int SpinFrameCount = 8;         // frames of one turn of a piece
inline constexpr int StillFrame = 7;             // the spin frame the thumbnails are taken from

struct TSlotLayout {
  int Count = 0;
  int Gap = 0; // between two slots
  int Top(int Slot) const { return (Slot - 1) * (Gap + SlotHeight) + FirstSlotTop; }
};

// As many slots as the column holds (at most MaxSlots), the spare room
// shared out evenly between them.
TSlotLayout SlotLayout(int LeftColumnHeight);

// What one slot shows: nothing, a piece's thumbnail, or one of the spin
// frames of the chosen piece on the selected slot.
struct TSlotPicture {
  enum TKind : uint8_t { Empty, Still, Spinning };
  TKind Kind = Empty;
  int Piece = 0;
  int Frame = 0; // 1..8, for Kind Spinning only
  bool operator==(const TSlotPicture &) const = default;
};

class TChooserState {
public:
  // Kit and Piece are where the chosen kit and piece are kept (the
  // construction record's ChooserKit and ChooserPiece); 0 means none yet.
  TChooserState(uint8_t &Kit, uint8_t &Piece);

  bool SlotsBuilt() const { return SlotCount != SlotsNotBuilt; }
  void BuildSlots(const TSlotLayout &Layout) { SlotCount = Layout.Count; }

  // Whether the chooser already shows the given kit (and so keeps its
  // selection and scroll when opened again).
  bool Shows(int Kit) const { return Kit == FKit; }

  // Starts on a kit with Piece (the first when out of range) selected, in
  // its own slot when the slots reach it, else in the last.
  void Fill(int Kit, int KitPieceCount, int Piece = 1);

  // Each returns whether the selection moved. A slot without a piece, or the
  // selected one, is refused.
  bool Select(int S);
  bool StepLeft();
  bool StepRight();

  // The timer's tick: the next spin frame, after the last comes the first.
  void StepSpin();

  int Kit() const { return FKit; }
  int Piece() const { return FPiece; }
  int PieceIn(int S) const { return FPiece - Slot + S; }
  bool Holds(int S) const;
  TSlotPicture Picture(int S) const;
  bool IsSelected(int S) const { return S == Slot && Holds(S); }
  // "piece/count", as the selection row shows it.
  std::string Caption() const;

  int SlotCount = SlotsNotBuilt;
  int Slot = 1;
  int SpinFrame = 1;
  int ShownFrame = StillFrame; // the frame on the selected slot
  int PieceCount = 0;

private:
  void SelectPiece(int Piece, int S);

  uint8_t &FKit, &FPiece;
};
