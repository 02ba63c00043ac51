#include "Start.h"

#include "Artwork.h"
#include "Base.h"
#include "ConstructionFile.h"
#include "DataFolder.h"
#include "Dimensions.h"
#include "LabelButton.h"
#include "NewConstruction.h"
#include "model/Global.h"
#include "platform/Cursor.h"
#include "platform/Folder.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/Version.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

#include <filesystem>
#include <utility>

TfStart *fStart = nullptr;

namespace {

constexpr int ClientWidth = 637, ClientHeight = 422;
constexpr int ButtonWidth = 200;

QFont ArialFont(int Pixels, bool Bold) {
  QFont Font("Arial");
  Font.setPixelSize(Pixels);
  Font.setBold(Bold);
  return Font;
}

// Re-creates a label's font from its description, anti-aliased.
void AntiAlias(QLabel *Label) {
  QFont Font = Label->font();
  Font.setStyleStrategy(QFont::PreferAntialias);
  Label->setFont(Font);
  Label->repaint();
}

} // namespace

TfStart::TfStart() {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle("Stavemont");
  setFixedSize(ClientWidth, ClientHeight);
  setAutoFillBackground(true);
  QPalette Palette = palette();
  Palette.setColor(QPalette::Window, Qt::white);
  setPalette(Palette);

  auto *imgSplash = new QLabel(this);
  imgSplash->setPixmap(ArtworkPicture("Splash"));
  imgSplash->setGeometry(0, 0, ClientWidth, 120);

  lblTitleShadow = new QLabel("Stavemont", this);
  lblTitleShadow->setFont(ArialFont(32, true));
  lblTitleShadow->setStyleSheet("color: white");
  lblTitleShadow->setGeometry(25, 39, 400, 44);
  lblTitle = new QLabel("Stavemont", this);
  lblTitle->setFont(ArialFont(32, true));
  lblTitle->setStyleSheet("color: black");
  lblTitle->setGeometry(24, 38, 400, 44);

  lblVersion = new QLabel("v. ", this);
  lblVersion->setFont(ArialFont(13, false));
  lblVersion->setGeometry(24, 128, 300, 20);
  lblNotice = new QLabel("Build constructions of toy bricks, brick by brick.", this);
  lblNotice->setFont(ArialFont(13, false));
  lblNotice->setGeometry(24, 148, 590, 20);

  lblLoadConstruction = AddButton("Load construction", 24, 190, imgLoadConstruction);
  lblNewConstruction = AddButton("New construction", 24, 230, imgNewConstruction);
  lblCloseStart = AddButton("Close", 24, 270, imgCloseStart);
  // OK keeps the left buttons' margin from the right edge.
  lblOKStart = AddButton("OK", ClientWidth - 24 - ButtonWidth, 330, imgOKStart);

  edWidth = AddDimension("Width:", 190, lWidth, imgWidth, MaxBaseSide);
  edLength = AddDimension("Length:", 230, lLength, imgLength, MaxBaseSide);
  edHeight = AddDimension("Height:", 270, lHeight, imgHeight, MaxBaseHeight);
  ShowDimensions(false);

  lblStatus = new QLabel(this);
  lblStatus->setFont(ArialFont(13, false));
  lblStatus->setGeometry(24, 320, 400, 20);

  lblSiteLink = new TLabelButton(SiteAddress, this);
  lblSiteLink->setFont(ArialFont(16, true));
  lblSiteLink->setStyleSheet("color: rgb(30, 16, 190)");
  lblSiteLink->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblSiteLink->setGeometry(24, 380, 400, 24);
  lblSiteLink->setCursor(Qt::PointingHandCursor);
  lblSiteLink->OnClick = [] { QDesktopServices::openUrl(QUrl(SiteAddress)); };
  lblSiteLink->OnMouseEnter = [this] {
    QFont Font = lblSiteLink->font();
    Font.setUnderline(true);
    lblSiteLink->setFont(Font);
  };
  lblSiteLink->OnMouseLeave = [this] {
    QFont Font = lblSiteLink->font();
    Font.setUnderline(false);
    lblSiteLink->setFont(Font);
  };

  // Enter in any of the three fields presses OK.
  for (QLineEdit *Edit : {edWidth, edLength, edHeight})
    connect(Edit, &QLineEdit::returnPressed, this, [this] { lblOKStartClick(); });
  lblNewConstruction->OnClick = [this] { lblNewConstructionClick(); };
  lblOKStart->OnClick = [this] { lblOKStartClick(); };
  lblLoadConstruction->OnClick = [this] { lblLoadConstructionClick(); };
  lblCloseStart->OnClick = [this] { lblCloseStartClick(); };

  if (const QScreen *Screen = QGuiApplication::primaryScreen())
    move(Screen->geometry().center() - rect().center());
}

TLabelButton *TfStart::AddButton(const QString &Caption, int X, int Y, QLabel *&Image) {
  Image = new QLabel(this);
  Image->setPixmap(ArtworkPicture("BaseButtonWhite"));
  Image->setGeometry(X, Y, ButtonWidth, 30);
  Image->setScaledContents(true);
  auto *Button = new TLabelButton(Caption, this);
  Button->setGeometry(X, Y, ButtonWidth, 30);
  Button->Image = Image;
  return Button;
}

QLineEdit *TfStart::AddDimension(const QString &Caption, int Y, QLabel *&Label, QLabel *&Frame,
                                 int Max) {
  Label = new QLabel(Caption, this);
  Label->setFont(ArialFont(16, true));
  Label->setGeometry(260, Y, 80, 28);
  Frame = new QLabel(this);
  Frame->setPixmap(ArtworkPicture("EditFrame"));
  Frame->setGeometry(350, Y, 60, 28);
  auto *Edit = new QLineEdit("50", this);
  Edit->setMaxLength(3);
  Edit->setFrame(false);
  Edit->setFont(ArialFont(16, true));
  Edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Edit->setGeometry(356, Y + 4, 46, 20);
  auto *Range = new QLabel(QString::fromStdString(DimensionRange(MinBaseSide, Max)), this);
  Range->setFont(ArialFont(13, false));
  Range->setGeometry(420, Y, 120, 28);
  FRanges.push_back(Range);
  // An edited field is no longer marked as refused.
  connect(Edit, &QLineEdit::textEdited, this, [this, Edit, Range] { MarkRefused(Edit, Range, false); });
  MarkRefused(Edit, Range, false);
  return Edit;
}

void TfStart::MarkRefused(QLineEdit *Edit, QLabel *Range, bool Refused) {
  Edit->setStyleSheet(Refused ? "color: #c00000" : "");
  Range->setStyleSheet(Refused ? "color: #c00000; font-weight: bold" : "color: #707070");
}

void TfStart::ShowDimensions(bool Visible) {
  for (QWidget *W : std::initializer_list<QWidget *>{lWidth, lLength, lHeight, edWidth, edLength,
                                                     edHeight, imgWidth, imgLength, imgHeight,
                                                     lblOKStart, imgOKStart})
    W->setVisible(Visible);
  for (QLabel *Range : FRanges)
    Range->setVisible(Visible);
}

bool TfStart::FormCreate() {
  Construction.ProgramDir = ProgramFolder();
  if (depth() < 24) {
    QMessageBox::critical(this, "Error - display is not in True Color mode!",
                          "This program will run only in True Color mode. Use Control Panel / "
                          "Display / Settings to set your display mode to True Color.");
    ProcessMessages();
    return false;
  }
  LoadCursors(Construction.ProgramDir + "Cursors/Blue/");
  Construction.BaseWidth = Construction.BaseLength = Construction.BaseHeight = 0;
  for (QLineEdit *Edit : {edWidth, edLength, edHeight}) {
    Edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit->end(false);
  }
  lblVersion->setText(lblVersion->text() + QString::fromStdString(ReadProgramVersion()));
  for (QLabel *Label : {lblTitle, lblTitleShadow, lblVersion, lblNotice})
    AntiAlias(Label);
  return true;
}

void TfStart::ResolveHoverPictures() {
  for (TLabelButton *Button : {lblLoadConstruction, lblNewConstruction, lblCloseStart, lblOKStart}) {
    Button->ImageMouseEnter = fBase->HoverPicture("BaseButtonBlue");
    Button->ImageMouseLeave = fBase->HoverPicture("BaseButtonWhite");
  }
}

void TfStart::SetStatus(const std::string &Text) {
  lblStatus->setText(QString::fromStdString(Printable(Text)));
  lblStatus->repaint();
}

// The way back to loading a construction stays open beside the fields.
void TfStart::lblNewConstructionClick() {
  ShowDimensions(true);
  edWidth->setFocus();
}

void TfStart::lblOKStartClick() {
  if (!edWidth->isVisible())
    return;
  struct TField {
    QLineEdit *Edit;
    uint16_t &Value;
    int Max;
    const char *Name;
  };
  const TField Fields[] = {{edWidth, Construction.BaseWidth, MaxBaseSide, "Width"},
                           {edLength, Construction.BaseLength, MaxBaseSide, "Length"},
                           {edHeight, Construction.BaseHeight, MaxBaseHeight, "Height"}};
  for (size_t I = 0; I < std::size(Fields); ++I) {
    const TField &F = Fields[I];
    if (!ReadDimension(F.Edit->text().toStdString(), MinBaseSide, F.Max, F.Value)) {
      // The field is marked and the reason shown, instead of a silent refusal.
      MarkRefused(F.Edit, FRanges[I], true);
      SetStatus(DimensionNote(F.Name, MinBaseSide, F.Max));
      F.Edit->setFocus();
      return;
    }
    MarkRefused(F.Edit, FRanges[I], false);
  }
  SetStatus("");
  StartConstruction();
}

void TfStart::lblLoadConstructionClick() {
  QFileDialog Dialog(this, "Open construction",
                     QString::fromStdString(DataDir() + "Constructions/"),
                     "Constructions (*.cns);;All files (*)");
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  Dialog.setFileMode(QFileDialog::ExistingFile);
  Dialog.setAcceptMode(QFileDialog::AcceptOpen);
  Dialog.setDefaultSuffix("cns");
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
    return;
  OpenConstruction(Dialog.selectedFiles().first().toStdString());
}

void TfStart::OpenConstruction(const std::string &Path) {
  // A refused file leaves no name behind: Save must not write over it.
  // The name goes to the system byte for byte, whatever its encoding.
  std::error_code Error;
  std::filesystem::path Absolute = std::filesystem::absolute(Path, Error);
  if (Error) // no working folder: the name stays as given
    Absolute = Path;
  std::string Former =
      std::exchange(Construction.FileName, Absolute.lexically_normal().string());
  if (!LoadConstruction())
    Construction.FileName = std::move(Former);
}

void TfStart::lblCloseStartClick() { close(); }

void TfStart::closeEvent(QCloseEvent *Event) {
  QWidget::closeEvent(Event);
  QApplication::quit();
}
