// The pop-up panels of the main window's left column: the list of saved
// views or kits that drops below a button (pViews), the transparent cover
// over the column above it that closes the pop-ups when clicked (pViewsUp),
// and the panel that names and adds a view (pAddView). The rules of the list
// live in TPopupList; this class only shows them.
#pragma once

#include "shell/PopupList.h"

#include <QObject>

#include <map>
#include <string>

class QLabel;
class QLineEdit;
class QWidget;
class TLabelButton;

class TListPanel : public QObject {
public:
  // Creates the three panels, hidden, as children of Parent (the main window).
  explicit TListPanel(QWidget *Parent);

  // Drops the list of Kind below button B, over the column from
  // ConstructionButton down to B. Views: ListApplyView or ListDeleteView;
  // kits: ListChooseKit, ListAddKit or ListRemoveKit.
  void OpenViews(QWidget *B, QWidget *ConstructionButton, uint8_t Kind);
  void OpenKits(QWidget *B, QWidget *ConstructionButton, uint8_t Kind);

  // Drops the add panel below B with a free name proposed for the view.
  void ProposeView(QWidget *B, QWidget *ConstructionButton);

  // Hides every pop-up.
  void HideAll();

  void pViewsClick();
  void pViewsUpClick();
  void pAddViewClick();
  void lblViewsUpMouseDown();
  void lblViewsDownMouseDown();
  void lblItemClick(int Tag);
  void lblAddViewClick();

  TPopupList List;
  // What a click on a row sets off. HidePanels is HideAll; the others are
  // the editor's renders and kit manager, replaceable by the main window.
  TListEffects Effects;

  QWidget *pViews, *pViewsUp, *pAddView;
  TLabelButton *lblViewsUp, *lblViewsDown, *lblAddView;
  TLabelButton *lblItems[ListRows + 1]; // [Tag], Tag 1..ListRows
  QLineEdit *edView;

protected:
  // Presses on the panels' own empty area close the pop-ups.
  bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
  QWidget *WhitePanel(QWidget *Parent, const char *Name);
  TLabelButton *AddButton(QWidget *Parent, const QString &Caption, const QRect &Rect,
                          const std::string &Pictures);
  void BuildViews();
  void BuildAddView();
  // Places Panel below B and the cover above it, as tall as the screen allows.
  void DropBelow(QWidget *Panel, QWidget *B, QWidget *ConstructionButton);
  void Open(uint8_t Kind, QWidget *B, QWidget *ConstructionButton);
  void Refill();

  QWidget *FParent;
  QWidget *pnlPictures; // hidden: the white and blue pictures of the buttons
  std::map<std::string, QLabel *> FPictures;
};
