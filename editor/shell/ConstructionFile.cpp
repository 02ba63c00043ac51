#include "ConstructionFile.h"

#include "Base.h"
#include "OpenFile.h"
#include "ShowMain.h"
#include "Start.h"
#include "edits/History.h"
#include "kits/Kit.h"
#include "model/Busy.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "platform/Folder.h"
#include "platform/Messages.h"
#include "render/Previews.h"
#include "render/Scene.h"
#include "viewport/Look.h"

#include <QApplication>
#include <QUndoStack>

#include <stdexcept>

namespace {

// The file as this program last read or wrote it.
struct TOnDisk {
  std::string Path;
  TFileStamp Stamp;
} OnDisk;

void RefuseFile(const std::string &Reason) {
  ShowMessage("The file \"" + Construction.FileName + "\" cannot be opened: " + Reason,
              "Error - construction file");
}


// What a load changes before it knows whether the file is taken: the kits,
// the piece to insert (the first kit loaded chooses its piece 1), the
// chooser's piece and the status line. A refused file puts them back as
// they were.
class TLoadAttempt {
public:
  TLoadAttempt()
      : FKit(Construction.CurrentKit), FPiece(Construction.CurrentPiece),
        FRotation(Construction.CurrentRotation), FSizeX(Construction.CurrentSizeX),
        FSizeY(Construction.CurrentSizeY), FSizeZ(Construction.CurrentSizeZ),
        FAnchor(Construction.AnchorCell), FChooserKit(Construction.ChooserKit),
        FChooserPiece(Construction.ChooserPiece), FStatus(fStart->lblStatus->text().toStdString()) {}

  void Refuse(const std::string &Reason) {
    RefuseFile(Reason);
    TConstruction &C = Construction;
    C.CurrentKit = FKit;
    C.CurrentPiece = FPiece;
    C.CurrentRotation = FRotation;
    C.CurrentSizeX = FSizeX;
    C.CurrentSizeY = FSizeY;
    C.CurrentSizeZ = FSizeZ;
    C.AnchorCell = FAnchor;
    C.ChooserKit = FChooserKit;
    C.ChooserPiece = FChooserPiece;
    fStart->SetStatus(FStatus);
  }

private:
  int32_t FKit, FPiece, FRotation;
  uint8_t FSizeX, FSizeY, FSizeZ;
  int32_t FAnchor;
  uint8_t FChooserKit, FChooserPiece;
  std::string FStatus;
};

} // namespace

namespace {

// Makes Record, the record of FileName as it was when Stamp was taken, the
// open construction; refused as Attempt says, or the program ends when a kit
// the file names is missing.
bool TakeRecord(const std::vector<uint8_t> &Record, const TFileStamp &Stamp, TLoadAttempt &Attempt) {
  const auto Loading = [](const std::string &Kit) {
    fStart->SetStatus("Loading kit \"" + Kit + "\"...");
    ProcessMessages();
  };
  const TOpened Opened = OpenRecord(Record, Loading);
  switch (Opened.Kind) {
  case TOpened::KitMissing: // the program ends, as a failure; nothing more is done
    ShowMessage("This construction use the kit: \"" + Opened.Reason + "\", that can't be found",
                "Error - kit: \"" + Opened.Reason + "\" doesn't exists");
    QApplication::exit(1);
    return false;
  case TOpened::Refused:
  case TOpened::KitUnusable:
    Attempt.Refuse(Opened.Reason);
    return false;
  case TOpened::Opened:
    break;
  }
  fBase->ApplySceneColor();
  fBase->ApplyBaseColor();
  if (Construction.KitCount > 0) {
    ChoosePiece(1, 1);
    RedrawPreviews();
  }
  Construction.ChooserKit = Construction.ChooserPiece = 0;
  StartHistory();
  OnDisk = {Construction.FileName, Stamp};
  fBase->ShowTitle();
  ShowMainWindow();
  ProcessMessages();
  LookRender();
  ProcessMessages();
  return true;
}

void TakeViewportSize() {
  Construction.ViewportWidth = uint16_t(fLook->width());
  Construction.ViewportHeight = uint16_t(fLook->height());
}

} // namespace

bool LoadConstruction() {
  const TBusy Busy;
  TakeViewportSize();
  TLoadAttempt Attempt;
  const TFileStamp Stamp = FileStampOf(Construction.FileName);
  std::vector<uint8_t> Record;
  std::string Reason;
  if (!ReadConstructionFile(Construction.FileName, Record, Reason)) {
    Attempt.Refuse(Reason);
    return false;
  }
  return TakeRecord(Record, Stamp, Attempt);
}

bool RecoverConstruction(const std::vector<uint8_t> &Record) {
  const TBusy Busy;
  TakeViewportSize();
  TLoadAttempt Attempt;
  if (!TakeRecord(Record, FileStampOf(Construction.FileName), Attempt))
    return false;
  EditHistory().resetClean(); // the work was never saved
  fBase->ShowTitle();
  return true;
}

void SaveConstruction() {
  std::string Error;
  bool Saved = false;
  {
    const TBusy Busy;
    Saved = WriteConstructionFile(Construction.FileName, EncodeConstruction(), Error);
    ProcessMessages();
  }
  if (!Saved)
    throw std::runtime_error(Error);
  OnDisk = {Construction.FileName, FileStampOf(Construction.FileName)};
  EditHistory().setClean();
  fBase->ShowTitle();
}

bool FileChangedOnDisk() {
  if (Construction.FileName.empty() || OnDisk.Path != Construction.FileName)
    return false;
  const TFileStamp Now = FileStampOf(Construction.FileName);
  return Now.Exists && Now != OnDisk.Stamp;
}
