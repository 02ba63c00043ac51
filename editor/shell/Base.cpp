#include "Base.h"

#include "Artwork.h"
#include "LabelButton.h"
#include "ListPanel.h"
#include "Settings.h"
#include "StateLine.h"
#include "edits/History.h"
#include "model/Global.h"
#include "platform/Folder.h"
#include "platform/Messages.h"
#include "platform/Picture.h"
#include "platform/Text.h"
#include "render/Corners.h"
#include "render/Previews.h"
#include "render/Scene.h"
#include "viewport/Hover.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QUndoStack>

#include <filesystem>

TfBase *fBase = nullptr;

QColor TfBase::ColorOf(uint32_t Stored) {
  return QColor(int(Stored & 0xFF), int((Stored >> 8) & 0xFF), int((Stored >> 16) & 0xFF));
}

namespace {



// Every white/blue pair of button pictures, held on the hidden panel.
const char *const PicturePairs[] = {"BaseButton", "MenuTop",      "MenuItem",     "MenuBottom",
                                    "ButtonLeft", "Plus",         "Minus",        "ArrowLeft",
                                    "ButtonMiddle", "ArrowRight", "ViewsUp",      "ViewsDown"};

void Fill(QWidget *Widget, const QColor &Color) {
  QPalette Palette = Widget->palette();
  Palette.setColor(QPalette::Window, Color);
  Widget->setPalette(Palette);
  Widget->setAutoFillBackground(true);
}

QLabel *Picture(QWidget *Parent, const char *Name, int X, int Y) {
  auto *Label = new QLabel(Parent);
  Label->setPixmap(ArtworkPicture(Name));
  Label->move(X, Y);
  Label->adjustSize();
  return Label;
}

// The 5 x 5 corners the small renders draw over their pictures.
void InstallCornerPictures() {
  const char *const Names[] = {"TopLeft", "TopRight", "BottomLeft", "BottomRight"};
  for (int C = 0; C < 4; ++C)
    for (bool Blue : {false, true}) {
      TBitmap Picture;
      Picture.Assign(ArtworkImage((std::string(Names[C]) + (Blue ? "Blue2" : "White2")).c_str()));
      SetCornerPicture(Blue, TCorner(C), Picture);
    }
}

} // namespace

TfBase::TfBase() {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle("Stavemont");
  Fill(this, Qt::white);
  pnlImages = new QWidget(this);
  pnlImages->hide();
  for (const char *Pair : PicturePairs)
    for (const char *Colour : {"White", "Blue"}) {
      const std::string Name = std::string(Pair) + Colour;
      FPictures[Name] = Picture(pnlImages, Name.c_str(), 0, 0);
    }
  FPictures["BaseButtonPressed"] = Picture(pnlImages, "BaseButtonPressed", 0, 0);
  imgDefault = ArtworkImage("Background");
  InstallCornerPictures();
  imgBackground = QImage(5, 45, QImage::Format_RGB32);
  imgBackground.fill(Qt::white);
  BuildLeftColumn();
  BuildMenu();
  ListPanel = new TListPanel(this);
  imgLeftUpWhite = Picture(this, "LeftUpWhite", LeftColumnWidth, 0);
  imgLeftBottomWhite = Picture(this, "LeftBottomWhite", LeftColumnWidth, 0);
  imgTopRight = Picture(this, "TopRight", 0, 0);
  imgBottomRight = Picture(this, "BottomRight", 0, 0);
  if (const QScreen *Screen = QGuiApplication::primaryScreen())
    setGeometry(Screen->geometry());
  QUndoStack &History = EditHistory();
  connect(&History, &QUndoStack::canUndoChanged, lblUndo, &QWidget::setEnabled);
  connect(&History, &QUndoStack::canRedoChanged, lblRedo, &QWidget::setEnabled);
  connect(&History, &QUndoStack::cleanChanged, this, [this] { ShowTitle(); });
  lblUndo->setEnabled(History.canUndo());
  lblRedo->setEnabled(History.canRedo());
  AddShortcuts();
  ShowTitle();
}

// The keys work wherever the keyboard is in the main window: the window
// itself, the viewport over it, the menu or a list; not while a dialog asks
// something, nor in the middle of a render.
void TfBase::AddShortcuts() {
  const std::pair<QKeySequence, void (TfBase::*)()> Keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Z), &TfBase::lblUndoClick},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &TfBase::lblRedoClick},
      {QKeySequence(Qt::CTRL | Qt::Key_Y), &TfBase::lblRedoClick},
      {QKeySequence(Qt::CTRL | Qt::Key_S), &TfBase::lblSaveClick},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TfBase::lblSaveAsClick},
      {QKeySequence(Qt::Key_Escape), &TfBase::EscapePressed}};
  for (const auto &[Key, Action] : Keys) {
    auto *Shortcut = new QShortcut(Key, this);
    Shortcut->setContext(Qt::ApplicationShortcut);
    connect(Shortcut, &QShortcut::activated, this, [this, Action = Action] {
      if (isVisible() && !QApplication::activeModalWidget() && Construction.Mode != ModeBusy)
        (this->*Action)();
    });
  }
}

// The one mode button whose mode is chosen shows the pressed picture, under
// the pointer's hover picture while the pointer is over it.
void TfBase::ShowMode() {
  // The mark under the mouse belonged to the mode before.
  if (DropHover())
    LookRender();
  ShowState();
  for (const auto &[Button, Mode] : FModeButtons) {
    QLabel *Normal = HoverPicture(Construction.Mode == Mode ? "BaseButtonPressed" : "BaseButtonWhite");
    Button->ImageMouseLeave = Normal;
    if (!Button->underMouse())
      Button->Image->setPixmap(Normal->pixmap());
  }
}

std::string TfBase::ShownName() {
  if (Construction.FileName.empty())
    return "Untitled";
  return std::filesystem::path(Construction.FileName).filename().string();
}

void TfBase::ShowTitle() {
  setWindowTitle(QString::fromStdString(Printable(ShownName())) + "[*] - Stavemont");
  setWindowModified(!EditHistory().isClean());
  ShowState();
}

void TfBase::ShowState() {
  // While busy the mode shown stays the one the user chose.
  if (Construction.Mode != ModeBusy)
    FShownMode = Construction.Mode;
  lblState->setText(QString::fromStdString(
      StateText(Printable(ShownName()), !EditHistory().isClean(), FShownMode, HoverNote())));
}

QLabel *TfBase::HoverPicture(const std::string &Name) const {
  const auto It = FPictures.find(Name);
  return It == FPictures.end() ? nullptr : It->second;
}

TLabelButton *TfBase::AddButton(QWidget *Parent, const QString &Caption, const QRect &Rect,
                                const std::string &Pictures) {
  auto *Image = new QLabel(Parent);
  Image->setGeometry(Rect);
  Image->setScaledContents(true);
  Image->setPixmap(HoverPicture(Pictures + "White")->pixmap());
  auto *Button = new TLabelButton(Caption, Parent);
  Button->setGeometry(Rect);
  Button->Image = Image;
  Button->ImageMouseEnter = HoverPicture(Pictures + "Blue");
  Button->ImageMouseLeave = HoverPicture(Pictures + "White");
  return Button;
}

void TfBase::BuildLeftColumn() {
  pLeft = new QWidget(this);
  Fill(pLeft, Qt::white);
  lblState = new QLabel(pLeft);
  lblState->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  lblState->setStyleSheet("color: #707070; font-size: 11px;");
  lblState->setAttribute(Qt::WA_TransparentForMouseEvents);
  const int W = LeftColumnWidth;
  lblConstructionButton = AddButton(pLeft, "Construction", {0, 15, W, ButtonHeight}, "BaseButton");
  lblConstructionButton->OnClick = [this] { lblConstructionButtonClick(); };
  lblKitButtonLeft = AddButton(pLeft, "Kit", {0, 55, 81, ButtonHeight}, "ButtonLeft");
  auto OpenKits = [this](uint8_t Kind) {
    return [this, Kind] { ListPanel->OpenKits(lblKitButtonLeft, lblConstructionButton, Kind); };
  };
  lblKitButtonLeft->OnClick = OpenKits(ListChooseKit);
  AddButton(pLeft, "", {81, 55, 24, ButtonHeight}, "Minus")->OnClick = OpenKits(ListRemoveKit);
  AddButton(pLeft, "", {105, 55, 24, ButtonHeight}, "Plus")->OnClick = OpenKits(ListAddKit);
  AddButton(pLeft, "", {0, 95, 24, ButtonHeight}, "ArrowLeft")->OnClick = [this] {
    lblPieceLeftClick();
  };
  AddButton(pLeft, "Piece", {24, 95, 81, ButtonHeight}, "ButtonMiddle")->OnClick = [this] {
    lblPieceButtonCenterClick();
  };
  AddButton(pLeft, "", {105, 95, 24, ButtonHeight}, "ArrowRight")->OnClick = [this] {
    lblPieceRightClick();
  };
  pPiece = new QWidget(pLeft);
  pPiece->setGeometry(0, 135, W, 123);
  iPiece = new QLabel(pPiece);
  iPiece->setGeometry(8, 5, 113, 113);
  pBaseLook = new QWidget(pLeft);
  pBaseLook->setGeometry(0, 263, W, 123);
  iBaseLook = new QLabel(pBaseLook);
  iBaseLook->setGeometry(8, 5, 113, 113);
  iBaseLook->installEventFilter(this);
  const std::pair<const char *, char> Modes[] = {{"Rotate", ModeRotate},
                                                 {"Move", ModeMove},
                                                 {"Zoom", ModeZoom},
                                                 {"Insert", ModeInsert},
                                                 {"Extract", ModeExtract}};
  int Y = 396;
  for (const auto &[Caption, Mode] : Modes) {
    TLabelButton *Button = AddButton(pLeft, Caption, {0, Y, W, ButtonHeight}, "BaseButton");
    Button->OnClick = [this, Mode = Mode] {
      Construction.Mode = Mode;
      ShowMode();
    };
    FModeButtons.push_back({Button, Mode});
    Y += ButtonHeight + 2;
  }
  lblViewButtonLeft = AddButton(pLeft, "Views", {0, Y + 10, 81, ButtonHeight}, "ButtonLeft");
  lblViewButtonLeft->OnClick = [this] {
    ListPanel->OpenViews(lblViewButtonLeft, lblConstructionButton, ListApplyView);
  };
  AddButton(pLeft, "", {81, Y + 10, 24, ButtonHeight}, "Minus")->OnClick = [this] {
    ListPanel->OpenViews(lblViewButtonLeft, lblConstructionButton, ListDeleteView);
  };
  AddButton(pLeft, "", {105, Y + 10, 24, ButtonHeight}, "Plus")->OnClick = [this] {
    ListPanel->ProposeView(lblViewButtonLeft, lblConstructionButton);
  };
  imgLeftUp = Picture(pLeft, "LeftUp", W - 15, 0);
  imgLeftDown = Picture(pLeft, "LeftDown", W - 15, 0);
}

void TfBase::BuildMenu() {
  pConstruction = new QWidget(this);
  Fill(pConstruction, Qt::white);
  pConstruction->hide();
  pConstruction->installEventFilter(this);
  struct TItem {
    const char *Caption;
    std::function<void()> Action;
    bool GroupEnds;
  };
  auto SetMode = [this](char Mode) {
    return [this, Mode] {
      Construction.Mode = Mode;
      ShowMode();
      pConstructionClick();
    };
  };
  const TItem Items[] = {
      {"Rotate", SetMode(ModeRotate), false},
      {"Move", SetMode(ModeMove), false},
      {"Zoom", SetMode(ModeZoom), false},
      {"Size", SetMode(ModeSize), false},
      {"Insert", SetMode(ModeInsert), false},
      {"Extract", SetMode(ModeExtract), true},
      {"Maximize", [this] { lblMaximizeClick(); }, false},
      {"Re-center", [this] { lblRecenterClick(); }, true},
      {nullptr, nullptr, false}, // the scene and base colour rows
      {"Background", [this] { lblBackClick(); }, true},
      {"Save", [this] { lblSaveClick(); }, false},
      {"Save as...", [this] { lblSaveAsClick(); }, false},
      {"Export...", [this] { lblExportClick(); }, true},
      {"Capture", [this] { lblCaptureClick(); }, false},
      {"Help", [this] { lblHelpClick(); }, true},
      {"Close", [this] { lblCloseClick(); }, false},
  };
  const int Count = int(std::size(Items));
  int Y = 0;
  for (int I = 0; I < Count; ++I) {
    if (!Items[I].Caption) {
      AddSwatchRow("Color", Y, sColor, [this] { sColorMouseDown(); });
      AddSwatchRow("Base", Y + MenuItemHeight, sBase, [this] { sBaseMouseDown(); });
      Y += 2 * MenuItemHeight;
      Picture(pConstruction, "MenuSeparator", 0, Y + 2);
      Y += 6;
      continue;
    }
    const char *Pictures = I == 0 ? "MenuTop" : I == Count - 1 ? "MenuBottom" : "MenuItem";
    AddButton(pConstruction, Items[I].Caption, {0, Y, LeftColumnWidth, MenuItemHeight}, Pictures)
        ->OnClick = Items[I].Action;
    Y += MenuItemHeight;
    if (Items[I].GroupEnds) {
      Picture(pConstruction, "MenuSeparator", 0, Y + 2);
      Y += 6;
    }
  }
  // Undo and Redo below the rest, in a group of their own, so that every
  // earlier item keeps its place.
  Y += 6;
  lblUndo = AddButton(pConstruction, "Undo", {0, Y, LeftColumnWidth, MenuItemHeight}, "MenuTop");
  lblUndo->OnClick = [this] {
    lblUndoClick();
    pConstructionClick();
  };
  lblRedo = AddButton(pConstruction, "Redo", {0, Y + MenuItemHeight, LeftColumnWidth, MenuItemHeight},
                      "MenuItem");
  lblRedo->OnClick = [this] {
    lblRedoClick();
    pConstructionClick();
  };
  // The grid's switch below them: it came last, and moves nothing.
  lblGrid = AddButton(pConstruction, "Hide grid",
                      {0, Y + 2 * MenuItemHeight, LeftColumnWidth, MenuItemHeight}, "MenuBottom");
  lblGrid->OnClick = [this] { lblGridClick(); };
}

// A menu row of a plain caption and a colour swatch; a press on the swatch acts.
void TfBase::AddSwatchRow(const QString &Caption, int Y, QLabel *&Swatch,
                          std::function<void()> Action) {
  auto *Image = new QLabel(pConstruction);
  Image->setGeometry(0, Y, LeftColumnWidth, MenuItemHeight);
  Image->setScaledContents(true);
  Image->setPixmap(HoverPicture("MenuItemWhite")->pixmap());
  auto *Label = new TLabelButton(Caption, pConstruction);
  Label->setGeometry(8, Y, 70, MenuItemHeight);
  Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  auto *Button = new TLabelButton("", pConstruction);
  Button->setGeometry(84, Y + 4, 36, MenuItemHeight - 8);
  Button->setFrameShape(QFrame::Box);
  Button->setAutoFillBackground(true);
  Button->OnMouseDown = [Action](QMouseEvent *) { Action(); };
  Swatch = Button;
}

void TfBase::ShowPreviews() {
  iPiece->setPixmap(QPixmap::fromImage(Previews.iPiece.Image()));
  iBaseLook->setPixmap(QPixmap::fromImage(Previews.iBaseLook.Image()));
}

void TfBase::ApplySceneColor() {
  const QColor Color = ColorOf(Construction.SceneColor);
  Fill(sColor, Color);
  Fill(pPiece, Color);
  Fill(this, Color);
}

void TfBase::ApplyBaseColor() {
  const QColor Color = ColorOf(Construction.BaseColor);
  Fill(sBase, Color);
  Fill(pBaseLook, Color);
}

void TfBase::LoadBackground() {
  const std::string Path = BackgroundPath(BackgroundName);
  if (IsRegularFile(Path)) {
    // An unreadable picture is reported; the window still comes up with the
    // picture it had (the built-in tile at a fresh start).
    try {
      imgBackground = LoadPicture(Path);
    } catch (const std::exception &Error) {
      ShowErrorBox(Error.what());
    }
  }
  ShowBackground();
}

void TfBase::ShowBackground() {
  if (imgBackground.width() < 10 || imgBackground.height() < 10)
    imgBackground = imgDefault;
  update();
  PlaceCorners();
}

void TfBase::PlaceCorners() {
  const int ColumnHeight = pLeft->height();
  imgLeftUp->raise();
  imgLeftUpWhite->raise();
  imgLeftBottomWhite->move(LeftColumnWidth, ColumnHeight - imgLeftBottomWhite->height());
  imgLeftBottomWhite->raise();
  imgLeftDown->move(imgLeftDown->x(), ColumnHeight - imgLeftDown->height());
  imgLeftDown->raise();
  imgTopRight->move(width() - imgTopRight->width(), 0);
  imgTopRight->raise();
  imgBottomRight->move(width() - imgBottomRight->width(), height() - imgBottomRight->height());
  imgBottomRight->raise();
}

// The left column runs the window's full height; the corner pictures at its
// foot and at the window's right corners follow each change of size.
void TfBase::resizeEvent(QResizeEvent *Event) {
  pLeft->setGeometry(0, 0, LeftColumnWidth, height());
  lblState->setGeometry(6, height() - StateHeight - 6, LeftColumnWidth - 12, StateHeight);
  PlaceCorners();
  QWidget::resizeEvent(Event);
}

void TfBase::paintEvent(QPaintEvent *) {
  const int PW = imgBackground.width(), PH = imgBackground.height();
  if (PW == 0 || PH == 0)
    return;
  QPainter Painter(this);
  const int Columns = TileCount(width(), PW), Rows = TileCount(height(), PH);
  for (int C = 0; C <= Columns; ++C)
    for (int R = 0; R <= Rows; ++R)
      Painter.drawImage(C * PW, R * PH, imgBackground);
}

bool TfBase::eventFilter(QObject *Watched, QEvent *Event) {
  if (Event->type() != QEvent::MouseButtonPress)
    return QWidget::eventFilter(Watched, Event);
  if (Watched == iBaseLook) {
    const QPoint At = static_cast<QMouseEvent *>(Event)->position().toPoint();
    iBaseLookMouseDown(At.x(), At.y());
    return true;
  }
  if (Watched == pConstruction) {
    pConstructionClick();
    return true;
  }
  return QWidget::eventFilter(Watched, Event);
}

