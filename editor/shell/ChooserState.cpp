#include "ChooserState.h"

#include <algorithm>

TSlotLayout SlotLayout(int LeftColumnHeight) {
  const int Available = LeftColumnHeight - ChooserMargins;
  TSlotLayout Layout;
  Layout.Count = std::clamp(Available / SlotPitch, 0, MaxSlots);
  if (Layout.Count > 0)
    Layout.Gap = (Available - Layout.Count * SlotHeight) / Layout.Count;
  return Layout;
}

TChooserState::TChooserState(uint8_t &Kit, uint8_t &Piece) : FKit(Kit), FPiece(Piece) {}

void TChooserState::Fill(int Kit, int KitPieceCount, int Piece) {
  FKit = uint8_t(Kit);
  FPiece = uint8_t(Piece >= 1 && Piece <= KitPieceCount ? Piece : 1);
  // The slots scroll no further than needed to show it.
  Slot = std::clamp<int>(FPiece, 1, std::max(SlotCount, 1));
  SpinFrame = 1;
  ShownFrame = StillFrame;
  PieceCount = KitPieceCount;
}

bool TChooserState::Holds(int S) const {
  const int Piece = PieceIn(S);
  return S >= 1 && S <= SlotCount && Piece >= 1 && Piece <= PieceCount;
}

// The selected slot always opens on the frame its thumbnail was taken from,
// so the picture does not jump when the selection lands on it.
void TChooserState::SelectPiece(int Piece, int S) {
  FPiece = uint8_t(Piece);
  Slot = S;
  SpinFrame = ShownFrame = StillFrame;
}

bool TChooserState::Select(int S) {
  if (S == Slot || !Holds(S))
    return false;
  SelectPiece(PieceIn(S), S);
  return true;
}

bool TChooserState::StepLeft() {
  if (Slot > 1)
    return Select(Slot - 1);
  if (FPiece <= 1 || SlotCount < 1)
    return false;
  SelectPiece(FPiece - 1, 1);
  return true;
}

bool TChooserState::StepRight() {
  if (Slot < SlotCount)
    return Select(Slot + 1);
  if (FPiece >= PieceCount || SlotCount < 1)
    return false;
  SelectPiece(FPiece + 1, SlotCount);
  return true;
}

void TChooserState::StepSpin() {
  SpinFrame = SpinFrame % SpinFrameCount + 1;
  ShownFrame = SpinFrame;
}

TSlotPicture TChooserState::Picture(int S) const {
  if (!Holds(S))
    return {};
  if (S == Slot)
    return {TSlotPicture::Spinning, PieceIn(S), ShownFrame};
  return {TSlotPicture::Still, PieceIn(S), 0};
}

std::string TChooserState::Caption() const {
  return std::to_string(FPiece) + "/" + std::to_string(PieceCount);
}
