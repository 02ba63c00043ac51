// The main window: full screen behind the viewport, papered with the
// background picture, with the left column of buttons and previews and the
// Construction menu.
#pragma once

#include "model/Global.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class TLabelButton;
class TListPanel;

class TfBase : public QWidget {
public:
  TfBase();

  // The hidden picture of the given artwork name, for hover swaps.
  QLabel *HoverPicture(const std::string &Name) const;

  // Loads the background named in the settings (falling back to the
  // built-in tile), paints it and places the corner pictures.
  void LoadBackground();

  // Takes the current preview pictures into iPiece and iBaseLook.
  void ShowPreviews();

  // The panels, swatches and windows that show the scene and base colours.
  void ApplySceneColor();
  void ApplyBaseColor();

  void lblConstructionButtonClick();
  void pConstructionClick();
  void lblPieceLeftClick();
  void lblPieceRightClick();
  void lblMaximizeClick();
  void lblRecenterClick();
  void lblGridClick();
  void ShowGridCaption();
  void lblBackClick();
  void lblSaveClick();
  void lblSaveAsClick();
  void lblExportClick();
  void lblCaptureClick();
  void lblHelpClick();
  void lblCloseClick();
  void lblUndoClick();
  void lblRedoClick();
  // Closes the open menu, list panel or piece chooser, as Cancel would.
  void EscapePressed();
  // Shows the chosen mode on the mode buttons.
  void ShowMode();
  // The file's name, or "Untitled", marked while there are unsaved changes.
  void ShowTitle();
  // The state lines at the foot of the left column (see StateLine.h).
  void ShowState();
  void lblPieceButtonCenterClick();
  void sColorMouseDown();
  void sBaseMouseDown();

  static constexpr int LeftColumnWidth = 129;
  static constexpr int ButtonHeight = 30, MenuItemHeight = 24;
  static constexpr int StateHeight = 64; // four lines of the state

  // A stored colour (red in the low byte) as the windows show it.
  static QColor ColorOf(uint32_t Stored);

  QWidget *pLeft, *pConstruction, *pPiece, *pBaseLook;
  QLabel *sColor = nullptr, *sBase = nullptr; // the colour swatches of the menu
  QLabel *iPiece, *iBaseLook;
  QLabel *lblState = nullptr;
  char FShownMode = ModeNone; // the mode the state lines show
  TLabelButton *lblConstructionButton, *lblKitButtonLeft, *lblViewButtonLeft;
  TLabelButton *lblUndo = nullptr, *lblRedo = nullptr, *lblGrid = nullptr;
  TListPanel *ListPanel; // the pop-up list of views and kits

protected:
  void paintEvent(QPaintEvent *Event) override;
  void resizeEvent(QResizeEvent *Event) override;
  void closeEvent(QCloseEvent *Event) override; // from the window manager: as Close
  // Presses on the base look preview and on the menu's empty area.
  bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
  TLabelButton *AddButton(QWidget *Parent, const QString &Caption, const QRect &Rect,
                          const std::string &Pictures);
  void BuildLeftColumn();
  void BuildMenu();
  // Puts the built-in tile in place of a picture too small to tile, paints
  // the background and places the corner pictures.
  void ShowBackground();
  void PlaceCorners();
  void AddShortcuts();
  void AfterHistoryStep();
  bool MayClose();
  static std::string ShownName();
  void AddSwatchRow(const QString &Caption, int Y, QLabel *&Swatch, std::function<void()> Action);

  std::map<std::string, QLabel *> FPictures; // on the hidden panel pnlImages
  std::vector<std::pair<TLabelButton *, char>> FModeButtons; // of the left column
  bool FClosing = false; // Close has let the program end
  QWidget *pnlImages;
  QImage imgBackground, imgDefault;
  QLabel *imgLeftUp, *imgLeftDown, *imgLeftUpWhite, *imgLeftBottomWhite, *imgTopRight,
      *imgBottomRight;
};

extern TfBase *fBase;
