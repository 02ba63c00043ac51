#include "ListPanel.h"

#include "Artwork.h"
#include "LabelButton.h"
#include "edits/ViewEdits.h"
#include "platform/Text.h"
#include "render/Views.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

namespace {

constexpr int ItemWidth = 121, ItemHeight = 21;
constexpr int PanelWidth = 129, ScrollHeight = 16, ButtonHeight = 30;
constexpr int ItemsTop = 4 + ScrollHeight + 4;
constexpr int ScreenMargin = 42; // kept free below a dropped panel

const char *const PicturePairs[] = {"ViewsUp", "ViewsDown", "BaseButton"};

// Widget's rectangle in the coordinates of its ancestor Parent.
QRect RectIn(QWidget *Parent, QWidget *Widget) {
  return {Widget->mapTo(Parent, QPoint(0, 0)), Widget->size()};
}

void SetItemColor(QLabel *Item, bool Lit) {
  Item->setStyleSheet(Lit ? "color: rgb(30, 16, 190)" : "color: black");
}

} // namespace

TListPanel::TListPanel(QWidget *Parent) : QObject(Parent), FParent(Parent) {
  Effects = TListEffects::Editor();
  Effects.HidePanels = [this] { HideAll(); };
  pnlPictures = new QWidget(Parent);
  pnlPictures->hide();
  for (const char *Pair : PicturePairs)
    for (const char *Colour : {"White", "Blue"}) {
      const std::string Name = std::string(Pair) + Colour;
      auto *Picture = new QLabel(pnlPictures);
      Picture->setPixmap(ArtworkPicture(Name.c_str()));
      FPictures[Name] = Picture;
    }
  pViewsUp = new QWidget(Parent);
  pViewsUp->hide();
  pViewsUp->installEventFilter(this);
  BuildViews();
  BuildAddView();
}

QWidget *TListPanel::WhitePanel(QWidget *Parent, const char *Name) {
  auto *Panel = new QWidget(Parent);
  Panel->setObjectName(Name);
  Panel->setAttribute(Qt::WA_StyledBackground);
  Panel->setStyleSheet(QString("#%1 { background: white; border-radius: 6px; }").arg(Name));
  Panel->hide();
  Panel->installEventFilter(this);
  return Panel;
}

TLabelButton *TListPanel::AddButton(QWidget *Parent, const QString &Caption, const QRect &Rect,
                                    const std::string &Pictures) {
  auto *Image = new QLabel(Parent);
  Image->setGeometry(Rect);
  Image->setScaledContents(true);
  Image->setPixmap(FPictures.at(Pictures + "White")->pixmap());
  auto *Button = new TLabelButton(Caption, Parent);
  Button->setGeometry(Rect);
  Button->Image = Image;
  Button->ImageMouseEnter = FPictures.at(Pictures + "Blue");
  Button->ImageMouseLeave = FPictures.at(Pictures + "White");
  return Button;
}

void TListPanel::BuildViews() {
  pViews = WhitePanel(FParent, "pViews");
  lblViewsUp = AddButton(pViews, "", {0, 4, PanelWidth, ScrollHeight}, "ViewsUp");
  lblViewsUp->OnMouseDown = [this](QMouseEvent *) { lblViewsUpMouseDown(); };
  lblItems[0] = nullptr;
  for (int Tag = 1; Tag <= ListRows; ++Tag) {
    auto *Item = new TLabelButton("", pViews);
    Item->setGeometry((PanelWidth - ItemWidth) / 2, ItemsTop + (Tag - 1) * ItemHeight, ItemWidth,
                      ItemHeight);
    Item->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Item->setIndent(6);
    QFont Font = Item->font();
    Font.setPixelSize(14);
    Item->setFont(Font);
    Item->OnClick = [this, Tag] { lblItemClick(Tag); };
    Item->OnMouseEnter = [Item] { SetItemColor(Item, true); };
    Item->OnMouseLeave = [Item] { SetItemColor(Item, false); };
    lblItems[Tag] = Item;
  }
  const int DownTop = ItemsTop + ListRows * ItemHeight + 4;
  lblViewsDown = AddButton(pViews, "", {0, DownTop, PanelWidth, ScrollHeight}, "ViewsDown");
  lblViewsDown->OnMouseDown = [this](QMouseEvent *) { lblViewsDownMouseDown(); };
}

void TListPanel::BuildAddView() {
  pAddView = WhitePanel(FParent, "pAddView");
  edView = new QLineEdit("View1", pAddView);
  edView->setMaxLength(8);
  QFont Font("Arial");
  Font.setPixelSize(16);
  Font.setBold(true);
  edView->setFont(Font);
  edView->setGeometry((PanelWidth - ItemWidth) / 2, 6, ItemWidth, 26);
  QObject::connect(edView, &QLineEdit::returnPressed, this, [this] { lblAddViewClick(); });
  lblAddView = AddButton(pAddView, "Add view", {0, 40, PanelWidth, ButtonHeight}, "BaseButton");
  lblAddView->OnClick = [this] { lblAddViewClick(); };
}

void TListPanel::DropBelow(QWidget *Panel, QWidget *B, QWidget *ConstructionButton) {
  const QRect Below = RectIn(FParent, B), Column = RectIn(FParent, ConstructionButton);
  const QScreen *Screen = FParent->screen();
  const int ScreenHeight = Screen ? Screen->geometry().height() : FParent->height();
  Panel->setGeometry(Below.left(), Below.top() + Below.height(), Column.width(),
                     ScreenHeight - Below.top() - ScreenMargin);
  Panel->show();
  Panel->raise();
  pViewsUp->setGeometry(Column.left(), Column.top(), Column.width(), Below.top() - Column.top());
  pViewsUp->show();
  pViewsUp->raise();
}

void TListPanel::Open(uint8_t Kind, QWidget *B, QWidget *ConstructionButton) {
  pAddView->hide();
  List.Open(Kind);
  Refill();
  DropBelow(pViews, B, ConstructionButton);
}

void TListPanel::OpenViews(QWidget *B, QWidget *ConstructionButton, uint8_t Kind) {
  Open(Kind, B, ConstructionButton);
}

void TListPanel::OpenKits(QWidget *B, QWidget *ConstructionButton, uint8_t Kind) {
  Open(Kind, B, ConstructionButton);
}

void TListPanel::ProposeView(QWidget *B, QWidget *ConstructionButton) {
  pViews->hide();
  edView->setText(QString::fromStdString(ProposedViewName()));
  DropBelow(pAddView, B, ConstructionButton);
  edView->setFocus();
  edView->selectAll();
}

void TListPanel::Refill() {
  for (int Tag = 1; Tag <= ListRows; ++Tag) {
    lblItems[Tag]->setText(QString::fromStdString(Printable(List.RowText(Tag))));
    SetItemColor(lblItems[Tag], lblItems[Tag]->underMouse());
  }
}

void TListPanel::HideAll() {
  pViews->hide();
  pViewsUp->hide();
  pAddView->hide();
}

void TListPanel::pViewsClick() { HideAll(); }
void TListPanel::pViewsUpClick() { HideAll(); }
void TListPanel::pAddViewClick() { HideAll(); }

void TListPanel::lblViewsUpMouseDown() {
  if (List.ScrollUp())
    Refill();
}

void TListPanel::lblViewsDownMouseDown() {
  if (List.ScrollDown())
    Refill();
}

void TListPanel::lblItemClick(int Tag) { List.Click(Tag, Effects); }

void TListPanel::lblAddViewClick() {
  AddView(edView->text().toStdString());
  pAddView->hide();
  pViewsUp->hide();
}

bool TListPanel::eventFilter(QObject *Watched, QEvent *Event) {
  if (Event->type() != QEvent::MouseButtonPress)
    return QObject::eventFilter(Watched, Event);
  if (Watched == pViews)
    pViewsClick();
  else if (Watched == pViewsUp)
    pViewsUpClick();
  else if (Watched == pAddView)
    pAddViewClick();
  else
    return QObject::eventFilter(Watched, Event);
  return true;
}
