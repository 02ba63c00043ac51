// The Construction menu's commands and the main window's keys and closing:
// the handlers of TfBase that act on the construction.
#include "Base.h"

#include "Captures.h"
#include "Choose.h"
#include "ConstructionFile.h"
#include "DataFolder.h"
#include "Exports.h"
#include "Help.h"
#include "LabelButton.h"
#include "ListPanel.h"
#include "Recovery.h"
#include "Settings.h"
#include "Start.h"
#include "edits/ColorEdits.h"
#include "edits/History.h"
#include "kits/Kit.h"
#include "model/Global.h"
#include "platform/Folder.h"
#include "platform/Messages.h"
#include "platform/Picture.h"
#include "render/Camera.h"
#include "render/Overlay.h"
#include "render/Scene.h"
#include "viewport/Look.h"
#include "viewport/Redraw.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QScreen>
#include <QUndoStack>

#include <filesystem>
#include <utility>

namespace {

// Runs a colour dialog on Initial with its title set as it is shown; false
// when cancelled.
bool PickColor(QWidget *Parent, uint32_t Initial, const char *Title, uint32_t &Chosen) {
  QColorDialog Dialog(TfBase::ColorOf(Initial), Parent);
  Dialog.setOption(QColorDialog::DontUseNativeDialog);
  Dialog.setWindowTitle(Title);
  if (Dialog.exec() != QDialog::Accepted)
    return false;
  const QColor C = Dialog.selectedColor();
  Chosen = uint32_t(C.red()) + 256u * uint32_t(C.green()) + 65536u * uint32_t(C.blue());
  return true;
}

} // namespace

void TfBase::pConstructionClick() { pConstruction->hide(); }

void TfBase::lblUndoClick() {
  if (!EditHistory().canUndo())
    return;
  EditHistory().undo();
  AfterHistoryStep();
}

void TfBase::lblRedoClick() {
  if (!EditHistory().canRedo())
    return;
  EditHistory().redo();
  AfterHistoryStep();
}

// An undo or redo may have changed any list or kit: the chooser and the lists
// close, and the chooser refills when it opens. What the step changed has
// been drawn again by then (see Redraw).
void TfBase::AfterHistoryStep() {
  if (fChoose->isVisible())
    fChoose->lblCancelClick();
  ListPanel->HideAll();
  Construction.ChooserKit = 0;
}

void TfBase::EscapePressed() {
  if (fChoose->isVisible())
    fChoose->lblCancelClick();
  ListPanel->HideAll();
  pConstructionClick();
}

void TfBase::sColorMouseDown() {
  uint32_t Chosen = 0;
  const uint32_t Former = Construction.SceneColor;
  if (!PickColor(this, Former, "Scene Color", Chosen))
    return;
  ChangeSceneColor(Chosen);
}

void TfBase::sBaseMouseDown() {
  uint32_t Chosen = 0;
  const uint32_t Former = Construction.BaseColor;
  if (!PickColor(this, Former, "Construction Base Color", Chosen))
    return;
  ChangeBaseColor(Chosen);
}

void TfBase::lblConstructionButtonClick() {
  const QScreen *Screen = screen();
  pConstruction->setGeometry(0, 15 + ButtonHeight, LeftColumnWidth,
                             (Screen ? Screen->geometry().height() : height()) - 63);
  pConstruction->show();
  pConstruction->raise();
}

void TfBase::lblPieceLeftClick() {
  Construction.CurrentRotation = Construction.CurrentRotation % 4 + 1;
  Redraw(ChangedChosenPiece);
}

void TfBase::lblPieceRightClick() {
  Construction.CurrentRotation = Construction.CurrentRotation <= 1 ? 4 : Construction.CurrentRotation - 1;
  Redraw(ChangedChosenPiece);
}

void TfBase::lblPieceButtonCenterClick() {
  if (Construction.KitCount == 0)
    return;
  fChoose->ShowPieceChooser(pLeft->height(), LeftColumnWidth);
}

void TfBase::lblMaximizeClick() {
  fLook->Maximize();
  Redraw(ChangedViewport);
  fLook->raise();
  pConstructionClick();
}

void TfBase::lblRecenterClick() {
  RecenterCamera();
  Redraw(ChangedCamera);
  fLook->raise();
  pConstructionClick();
}

// The cell grid on and off; the choice is remembered for the next start.
// A setting that cannot be written raises its error with the menu open and
// the grid as it was.
void TfBase::lblGridClick() {
  WriteGridSetting(!ViewportOverlay.Grid);
  ViewportOverlay.Grid = !ViewportOverlay.Grid;
  ShowGridCaption();
  LookRender();
  pConstructionClick();
}

void TfBase::ShowGridCaption() { lblGrid->setText(ViewportOverlay.Grid ? "Hide grid" : "Show grid"); }

void TfBase::lblBackClick() {
  QFileDialog Dialog(this, "Image for background", QString::fromStdString(DataDir() + "Backgrounds/"),
                     "PNG files (*.png);;Bitmap files (*.bmp);;All background files (*.png *.bmp)");
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  Dialog.setFileMode(QFileDialog::ExistingFile);
  Dialog.setDefaultSuffix("bmp");
  if (Dialog.exec() == QDialog::Accepted && !Dialog.selectedFiles().isEmpty()) {
    const std::string Name =
        std::filesystem::path(Dialog.selectedFiles().first().toStdString()).filename().string();
    // The picture is read before it is remembered: one that cannot be read
    // is reported and never stored in the settings. Either error leaves the
    // menu open.
    const std::string Path = BackgroundPath(Name);
    const bool Exists = IsRegularFile(Path);
    const QImage Picture = Exists ? LoadPicture(Path) : QImage();
    WriteBackgroundSetting(Name);
    BackgroundName = Name;
    if (Exists)
      imgBackground = Picture;
    ShowBackground();
  }
  pConstructionClick();
}

// A save that fails raises its error before the menu closes: the menu stays
// open, as it was, for another try. A file that changed on disk since it
// was loaded or saved here (another editor saved it) is not overwritten
// without asking.
void TfBase::lblSaveClick() {
  if (Construction.FileName.empty()) {
    lblSaveAsClick();
    return;
  }
  if (FileChangedOnDisk()) {
    const int Overwrite = 0, SaveAs = 1, Cancel = 2;
    const int Answer = AskChoice("The file " + Construction.FileName +
                                     " was changed on disk since it was opened or last saved here, "
                                     "perhaps by another editor. Overwrite it with this construction?",
                                 "Stavemont", {"Overwrite", "Save as...", "Cancel"}, Cancel);
    if (Answer == SaveAs)
      lblSaveAsClick();
    if (Answer != Overwrite)
      return;
  }
  SaveConstruction();
  pConstructionClick();
}

void TfBase::lblSaveAsClick() {
  QFileDialog Dialog(this, "Save construction",
                     QString::fromStdString(DataDir() + "Constructions/"),
                     "Construction (*.cns);;All files (*)");
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setDefaultSuffix("cns");
  if (Dialog.exec() == QDialog::Accepted && !Dialog.selectedFiles().isEmpty() &&
      !Dialog.selectedFiles().first().isEmpty()) {
    // The name is kept only once the construction is written under it.
    std::string Former =
        std::exchange(Construction.FileName, Dialog.selectedFiles().first().toStdString());
    try {
      SaveConstruction();
    } catch (...) {
      Construction.FileName = std::move(Former);
      throw;
    }
  }
  pConstructionClick();
}

void TfBase::lblExportClick() {
  ChooseExportFile(this);
  pConstructionClick();
}

void TfBase::lblCaptureClick() {
  ChooseCaptureFile(this);
  pConstructionClick();
}

void TfBase::lblHelpClick() {
  OpenHelp();
  pConstructionClick();
}

// With unsaved changes Close asks first: Save goes through Save (or Save as)
// and closes only once the construction is written; Cancel goes back.
bool TfBase::MayClose() {
  if (EditHistory().isClean())
    return true;
  switch (AskToSave("Save changes to " + ShownName() + "?", "Stavemont")) {
  case TSaveAnswer::Discard:
    return true;
  case TSaveAnswer::Cancel:
    return false;
  case TSaveAnswer::Save:
    lblSaveClick(); // a failed save raises its error: the program stays
    return EditHistory().isClean();
  }
  return false;
}

// The window manager's close goes through Close. Once Close has decided to
// end, the application closes every window before it quits, this one too.
void TfBase::closeEvent(QCloseEvent *Event) {
  if (FClosing)
    return;
  Event->ignore();
  lblCloseClick();
}

void TfBase::lblCloseClick() {
  if (!MayClose())
    return;
  FClosing = true;
  DiscardRecovery();
  CloseKits();
  fStart->show();
  fStart->close();
}
