#include "Choose.h"

#include "Artwork.h"
#include "LabelButton.h"
#include "model/Global.h"
#include "viewport/Look.h"
#include "viewport/Redraw.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TfChoose *fChoose = nullptr;

namespace {

constexpr int ClientWidth = 129;
constexpr int ButtonHeight = 30, ArrowWidth = 24;
constexpr int RowTop = 30;           // the selection row
constexpr int BottomButtonsRise = 38; // from the bottom edge to the top of OK and Cancel
constexpr int SpinInterval = 1000;   // ms
constexpr int ImageInset = 4;        // the picture inside its slot background

const QColor SlotBorder{176, 197, 228};
// The colour outside the rounded corners of the spin frames, so that the
// selected piece's frame merges with its slot.
const QColor SelectedSlot{0, 0, 255};

QFont CaptionFont() {
  QFont Font("Arial");
  Font.setPixelSize(16);
  Font.setBold(true);
  Font.setStyleStrategy(QFont::PreferAntialias);
  return Font;
}

void Fill(QWidget *Widget, const QColor &Color) {
  QPalette Palette = Widget->palette();
  Palette.setColor(QPalette::Window, Color);
  Widget->setPalette(Palette);
  Widget->setAutoFillBackground(true);
}

// A slot's background: a rounded rectangle on the window's white.
QPixmap SlotPicture(const QColor &Face, const QColor &Border) {
  QPixmap Picture(SlotWidth, SlotHeight);
  Picture.fill(Qt::white);
  QPainter Painter(&Picture);
  Painter.setRenderHint(QPainter::Antialiasing);
  Painter.setPen(Border);
  Painter.setBrush(Face);
  Painter.drawRoundedRect(QRectF(0.5, 0.5, SlotWidth - 1, SlotHeight - 1), 8, 8);
  return Picture;
}

const TBitmap *BitmapOf(const TKit &Kit, const TSlotPicture &Picture) {
  switch (Picture.Kind) {
  case TSlotPicture::Still:
    return &Kit.Thumbnails[Picture.Piece];
  case TSlotPicture::Spinning:
    return &Kit.Frames[Picture.Piece][Picture.Frame];
  default:
    return nullptr;
  }
}

} // namespace

TfChoose::TfChoose(QWidget *Parent)
    : QWidget(Parent), FState(Construction.ChooserKit, Construction.ChooserPiece) {
  if (Parent) {
    setAttribute(Qt::WA_NativeWindow);
    hide();
  } else {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  }
  setWindowTitle("Stavemont");
  Fill(this, Qt::white);
  resize(ClientWidth, 600);
  pnlImages = new QWidget(this);
  pnlImages->hide();
  FWhiteSlot = SlotPicture(Qt::white, SlotBorder);
  FBlueSlot = SlotPicture(SelectedSlot, SelectedSlot);
  BuildHeader();
  BuildButtons();
  SpinTimer = new QTimer(this);
  SpinTimer->setInterval(SpinInterval);
  connect(SpinTimer, &QTimer::timeout, this, [this] { StepSpin(); });
}

// The kit name over a black bar, and the selection row under it.
void TfChoose::BuildHeader() {
  lblKitName = new QLabel(this);
  lblKitName->setFont(CaptionFont());
  lblKitName->setAlignment(Qt::AlignCenter);
  lblKitName->setGeometry(0, 2, ClientWidth, 22);
  auto *Separator = new QWidget(this);
  Fill(Separator, Qt::black);
  Separator->setGeometry(ImageInset, 25, ClientWidth - 2 * ImageInset, 2);

  const int MiddleWidth = ClientWidth - 2 * ArrowWidth;
  lblModelLeft = AddButton("", {0, RowTop, ArrowWidth, ButtonHeight}, "ArrowLeft");
  imgModel = new QLabel(this);
  imgModel->setPixmap(ArtworkPicture("ButtonMiddleWhite"));
  imgModel->setScaledContents(true);
  imgModel->setGeometry(ArrowWidth, RowTop, MiddleWidth, ButtonHeight);
  lblModel = new QLabel(this);
  lblModel->setFont(CaptionFont());
  lblModel->setAlignment(Qt::AlignCenter);
  lblModel->setGeometry(ArrowWidth, RowTop, MiddleWidth, ButtonHeight);
  lblModelRight =
      AddButton("", {ArrowWidth + MiddleWidth, RowTop, ArrowWidth, ButtonHeight}, "ArrowRight");
  lblModelLeft->OnClick = [this] { lblModelLeftClick(); };
  lblModelRight->OnClick = [this] { lblModelRightClick(); };
}

// OK and Cancel; resizeEvent keeps them on the bottom edge.
void TfChoose::BuildButtons() {
  lblOK = AddButton("OK", {}, "BaseButton");
  imgOK = lblOK->Image;
  lblCancel = AddButton("Cancel", {}, "BaseButton");
  imgCancel = lblCancel->Image;
  lblOK->OnClick = [this] { lblOKClick(); };
  lblCancel->OnClick = [this] { lblCancelClick(); };
}

// The hidden picture of the given artwork name, made on first use.
QLabel *TfChoose::HoverPicture(const std::string &Name) {
  QLabel *&Picture = FPictures[Name];
  if (!Picture) {
    Picture = new QLabel(pnlImages);
    Picture->setPixmap(ArtworkPicture(Name.c_str()));
  }
  return Picture;
}

// A caption button over its picture, swapping white and blue under the pointer.
TLabelButton *TfChoose::AddButton(const QString &Caption, const QRect &Rect, const char *Pictures) {
  QLabel *White = HoverPicture(std::string(Pictures) + "White");
  QLabel *Blue = HoverPicture(std::string(Pictures) + "Blue");
  auto *Image = new QLabel(this);
  Image->setScaledContents(true);
  Image->setPixmap(White->pixmap());
  Image->setGeometry(Rect);
  auto *Button = new TLabelButton(Caption, this);
  Button->setGeometry(Rect);
  Button->Image = Image;
  Button->ImageMouseEnter = Blue;
  Button->ImageMouseLeave = White;
  return Button;
}

// OK and Cancel share the bottom edge, side by side.
void TfChoose::resizeEvent(QResizeEvent *Event) {
  QWidget::resizeEvent(Event);
  const int Top = height() - BottomButtonsRise;
  const int Half = (width() - ImageInset) / 2;
  for (QWidget *W : {static_cast<QWidget *>(imgOK), static_cast<QWidget *>(lblOK)})
    W->setGeometry(0, Top, Half, ButtonHeight);
  for (QWidget *W : {static_cast<QWidget *>(imgCancel), static_cast<QWidget *>(lblCancel)})
    W->setGeometry(width() - Half, Top, Half, ButtonHeight);
}

void TfChoose::showEvent(QShowEvent *Event) {
  QWidget::showEvent(Event);
  SpinTimer->start();
}

void TfChoose::hideEvent(QHideEvent *Event) {
  SpinTimer->stop();
  QWidget::hideEvent(Event);
}

void TfChoose::ShowPieceChooser(int LeftColumnHeight, int LeftColumnWidth) {
  FillPieceChooser(LeftColumnHeight, LeftColumnWidth);
  show();
  raise();
}

void TfChoose::FillPieceChooser(int LeftColumnHeight, int LeftColumnWidth) {
  if (FState.Shows(Construction.CurrentKit))
    return;
  // Over the left column: the main window's corner, or the screen's.
  const QScreen *Screen = QGuiApplication::primaryScreen();
  const QPoint Origin = parentWidget() || !Screen ? QPoint() : Screen->geometry().topLeft();
  setGeometry(Origin.x(), Origin.y() + 16, LeftColumnWidth, LeftColumnHeight - 32);
  if (!FState.SlotsBuilt())
    BuildSlots(LeftColumnHeight);
  const int Kit = Construction.CurrentKit;
  // It opens on the piece chosen to insert: after an undo that is the
  // piece the preview shows, not the kit's first.
  FState.Fill(Kit, Construction.Kits[Kit].KitPieceCount, Construction.CurrentPiece);
  lblKitName->setText(QString::fromStdString(Construction.KitNames[Kit]));
  // The kit's pictures may differ from what the slots last showed.
  for (TSlot &Slot : FSlots)
    Slot.Shown.reset();
  ShowSelection();
}

void TfChoose::BuildSlots(int LeftColumnHeight) {
  const TSlotLayout Layout = SlotLayout(LeftColumnHeight);
  FState.BuildSlots(Layout);
  for (int S = 1; S <= Layout.Count; ++S)
    BuildSlot(S, Layout.Top(S));
}

void TfChoose::BuildSlot(int S, int Top) {
  TSlot &Slot = FSlots[size_t(S)];
  Slot.Background = new TLabelButton("", this);
  Slot.Background->setGeometry(ImageInset, Top, SlotWidth, SlotHeight);
  Slot.Background->setPixmap(FWhiteSlot);
  Slot.Panel = new QWidget(this);
  Slot.Panel->setGeometry(2 * ImageInset, Top + ImageInset, PreviewSize, PreviewSize);
  Slot.Image = new TLabelButton("", Slot.Panel);
  Slot.Image->setGeometry(0, 0, PreviewSize, PreviewSize);
  for (TLabelButton *Target : {Slot.Background, Slot.Image}) {
    Target->OnClick = [this, S] { SelectChooserSlot(S); };
    Target->OnDoubleClick = [this] { lblOKClick(); };
    Target->show();
  }
  Slot.Panel->show();
}

// Paints one slot as the state has it, touching only what changed.
void TfChoose::ShowSlot(int S) {
  TSlot &Slot = FSlots[size_t(S)];
  if (!Slot.Image)
    return;
  const bool Blue = FState.IsSelected(S);
  if (Blue != Slot.Blue) {
    Slot.Background->setPixmap(Blue ? FBlueSlot : FWhiteSlot);
    Slot.Blue = Blue;
  }
  const TSlotPicture Picture = FState.Picture(S);
  if (Picture == Slot.Shown)
    return;
  Slot.Shown = Picture;
  const TBitmap *Bitmap = BitmapOf(Construction.Kits[FState.Kit()], Picture);
  if (Bitmap && !Bitmap->IsEmpty())
    Slot.Image->setPixmap(QPixmap::fromImage(Bitmap->Image()));
  else
    Slot.Image->clear();
}

void TfChoose::ShowSlots() {
  for (int S = 1; S <= FState.SlotCount && S <= MaxSlots; ++S)
    ShowSlot(S);
}

void TfChoose::ShowSelection() {
  ShowSlots();
  lblModel->setText(QString::fromStdString(FState.Caption()));
}

// A new selection starts a full interval on its first frame.
void TfChoose::RestartSpin() {
  SpinTimer->stop();
  ShowSelection();
  if (isVisible())
    SpinTimer->start();
}

void TfChoose::StepSpin() {
  FState.StepSpin();
  ShowSlot(FState.Slot);
}

void TfChoose::SelectChooserSlot(int Slot) {
  if (FState.Select(Slot))
    RestartSpin();
}

void TfChoose::lblModelLeftClick() {
  if (FState.StepLeft())
    RestartSpin();
}

void TfChoose::lblModelRightClick() {
  if (FState.StepRight())
    RestartSpin();
}

void TfChoose::ReturnToViewport() {
  hide();
  if (fLook) {
    fLook->show();
    fLook->raise();
  }
}

void TfChoose::lblOKClick() {
  const int Kit = Construction.ChooserKit;
  if (Kit < 1 || Kit > Construction.KitCount || !Construction.Kits[Kit].GetPiece) {
    ReturnToViewport(); // nothing was ever chosen
    return;
  }
  ChoosePiece(Kit, Construction.ChooserPiece);
  ReturnToViewport();
  Redraw(ChangedChosenPiece);
}

void TfChoose::lblCancelClick() { ReturnToViewport(); }

QLabel *TfChoose::SlotImage(int Slot) const {
  return Slot >= 1 && Slot <= MaxSlots ? FSlots[size_t(Slot)].Image : nullptr;
}

QLabel *TfChoose::SlotBackground(int Slot) const {
  return Slot >= 1 && Slot <= MaxSlots ? FSlots[size_t(Slot)].Background : nullptr;
}

bool TfChoose::SlotIsBlue(int Slot) const {
  return Slot >= 1 && Slot <= MaxSlots && FSlots[size_t(Slot)].Blue;
}
