// The piece chooser: a borderless panel over the main window's left column
// listing the pieces of the current kit in slots, the selected one spinning.
// Arrows and clicks move the selection, OK (or a double click on a slot)
// makes the selected piece the one to insert, Cancel just closes. The
// selection and the scroll are kept for the next opening while the kit
// stays the same. The rules live in TChooserState; the window paints them.
#pragma once

#include "ChooserState.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <array>
#include <map>
#include <optional>
#include <string>

class TLabelButton;

class TfChoose : public QWidget {
public:
  // In the editor a native child of the main window (Parent), so that it
  // lies over the main window and over the viewport window, which is a
  // child window too; without a parent a frameless top-level window.
  explicit TfChoose(QWidget *Parent = nullptr);

  // Fills the chooser for the current kit (unless it already shows it) and
  // shows it over the left column.
  void ShowPieceChooser(int LeftColumnHeight, int LeftColumnWidth);

  // Places the window and starts it on the current kit's first piece,
  // building the slots on the first call; nothing when it already shows the
  // current kit.
  void FillPieceChooser(int LeftColumnHeight, int LeftColumnWidth);

  void SelectChooserSlot(int Slot);
  void StepSpin(); // SpinTimer's tick
  void lblModelLeftClick();
  void lblModelRightClick();
  void lblOKClick();
  void lblCancelClick();

  const TChooserState &State() const { return FState; }
  // The slot's picture and its background, or nullptr outside the slots.
  QLabel *SlotImage(int Slot) const;
  QLabel *SlotBackground(int Slot) const;
  bool SlotIsBlue(int Slot) const;

  QLabel *lblKitName, *lblModel;
  TLabelButton *lblModelLeft, *lblModelRight, *lblOK, *lblCancel;
  QTimer *SpinTimer;

protected:
  void showEvent(QShowEvent *Event) override;
  void hideEvent(QHideEvent *Event) override;
  void resizeEvent(QResizeEvent *Event) override;

private:
  struct TSlot {
    TLabelButton *Background = nullptr;
    QWidget *Panel = nullptr;
    TLabelButton *Image = nullptr;
    std::optional<TSlotPicture> Shown; // none: repaint whatever the state says
    bool Blue = false;
  };

  void BuildHeader();
  void BuildButtons();
  TLabelButton *AddButton(const QString &Caption, const QRect &Rect, const char *Pictures);
  QLabel *HoverPicture(const std::string &Name);
  void BuildSlots(int LeftColumnHeight);
  void BuildSlot(int S, int Top);
  void ShowSlot(int S);
  void ShowSlots();
  void ShowSelection();
  void RestartSpin();
  void ReturnToViewport();

  TChooserState FState;
  std::array<TSlot, MaxSlots + 1> FSlots; // [slot], 1-based
  QWidget *pnlImages; // hidden: the hover pictures of the buttons
  std::map<std::string, QLabel *> FPictures; // on pnlImages
  QLabel *imgModel, *imgOK, *imgCancel;
  QPixmap FWhiteSlot, FBlueSlot;
};

extern TfChoose *fChoose;
