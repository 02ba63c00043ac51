#include "Recovery.h"

#include "ConstructionFile.h"
#include "edits/History.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "platform/BackgroundWriter.h"
#include "platform/Folder.h"
#include "platform/Messages.h"
#include "platform/Process.h"
#include "platform/ReadFile.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int EveryMilliseconds = 30000;
constexpr const char *Suffix = ".recovery";
// A recovery file is the construction's record followed by the name of the
// file it belonged to (none for a construction never saved).
constexpr size_t MaxNameBytes = 4096;

std::vector<uint8_t> Snapshot() {
  std::vector<uint8_t> Bytes = EncodeConstruction();
  Bytes.insert(Bytes.end(), Construction.FileName.begin(), Construction.FileName.end());
  return Bytes;
}

class TRecovery : public QObject {
public:
  TRecovery() {
    QUndoStack &History = EditHistory();
    FSoon.setSingleShot(true);
    connect(&FSoon, &QTimer::timeout, this, [this] { Write(); });
    connect(&FEvery, &QTimer::timeout, this, [this] { Write(); });
    FEvery.start(EveryMilliseconds);
    // Written once the edit (and its drawing) is done.
    connect(&History, &QUndoStack::indexChanged, this, [this] { FSoon.start(0); });
    connect(&History, &QUndoStack::cleanChanged, this, [this](bool Clean) {
      if (Clean)
        Discard();
    });
  }

  void Discard() {
    FSoon.stop();
    FWriter.Remove(RecoveryFile());
    FWritten.clear();
  }

private:
  // Writes the construction unless it is saved, or the file already holds
  // it (and was written).
  void Write() {
    if (EditHistory().isClean())
      return;
    std::vector<uint8_t> Now = Snapshot();
    if (Now == FWritten && !FWriter.LastFailed())
      return;
    std::error_code Ignored;
    fs::create_directories(RecoveryFolder(), Ignored);
    FWritten = Now;
    FWriter.Write(RecoveryFile(), std::move(Now));
  }

  QTimer FSoon, FEvery;
  TBackgroundWriter FWriter;
  std::vector<uint8_t> FWritten;
};

std::unique_ptr<TRecovery> &Keeper() {
  static std::unique_ptr<TRecovery> K;
  return K;
}

// A recovery file left behind: its path and when it was written.
struct TLeft {
  std::string Path;
  long long Seconds;
};

// The process that kept a recovery file, from its name "<process>.recovery".
int KeeperOf(const fs::path &File) {
  const std::string Stem = File.stem().string();
  if (File.extension() != Suffix || Stem.empty() ||
      !std::all_of(Stem.begin(), Stem.end(), [](char C) { return C >= '0' && C <= '9'; }) ||
      Stem.size() > 9)
    return 0;
  return std::stoi(Stem);
}

std::vector<TLeft> LeftBehind() {
  std::vector<TLeft> Files;
  std::error_code Error;
  for (const auto &Entry : fs::directory_iterator(RecoveryFolder(), Error)) {
    const int Process = KeeperOf(Entry.path());
    if (Process == 0 || Process == ProcessId() || !ProcessEnded(Process))
      continue;
    const TFileStamp Stamp = FileStampOf(Entry.path().string());
    if (Stamp.Exists)
      Files.push_back({Entry.path().string(), Stamp.Seconds});
  }
  std::sort(Files.begin(), Files.end(), [](const TLeft &A, const TLeft &B) { return A.Seconds > B.Seconds; });
  return Files;
}

std::string WhenText(long long Seconds) {
  return QDateTime::fromSecsSinceEpoch(Seconds).toString("yyyy-MM-dd 'at' hh:mm:ss").toStdString();
}

// Asks about one file left behind; 0 recover, 1 later, 2 discard.
int Ask(const std::string &FileName, long long Seconds) {
  const std::string Whose =
      FileName.empty() ? std::string("a construction that was never saved")
                       : "the construction \"" + FileName + "\"";
  return AskChoice("Stavemont ended before it saved the changes to " + Whose +
                       ". Recover the work as it was on " + WhenText(Seconds) + "?",
                   "Recover construction", {"Recover", "Later", "Discard"}, 1);
}

bool Recover(const TLeft &Left, const std::vector<uint8_t> &Bytes) {
  const std::vector<uint8_t> Record(Bytes.begin(), Bytes.begin() + ConstructionFileSize);
  std::string Former = std::exchange(
      Construction.FileName, std::string(Bytes.begin() + ConstructionFileSize, Bytes.end()));
  // Made this program's own before it opens: should it end too, the work
  // is offered again.
  std::error_code Error;
  fs::rename(Left.Path, RecoveryFile(), Error);
  if (RecoverConstruction(Record))
    return true;
  fs::rename(RecoveryFile(), Left.Path, Error); // still there for a later try
  Construction.FileName = std::move(Former);
  return false;
}

} // namespace

std::string RecoveryFolder() { return UserDataFolder() + "Recovery/"; }

std::string RecoveryFile() { return RecoveryFolder() + std::to_string(ProcessId()) + Suffix; }

void StartRecovery() {
  if (!Keeper())
    Keeper() = std::make_unique<TRecovery>();
}

void DiscardRecovery() {
  if (Keeper())
    Keeper()->Discard();
}

bool OfferRecovery() {
  for (const TLeft &Left : LeftBehind()) {
    std::vector<uint8_t> Bytes;
    const TFileRead Read =
        ReadRegularFile(Left.Path, ConstructionFileSize, ConstructionFileSize + MaxNameBytes, Bytes);
    if (Read.Status != TFileRead::Read)
      continue;
    const std::string FileName(Bytes.begin() + ConstructionFileSize, Bytes.end());
    switch (Ask(FileName, Left.Seconds)) {
    case 0:
      if (Recover(Left, Bytes))
        return true;
      break;
    case 2:
      std::remove(Left.Path.c_str());
      break;
    default:
      break;
    }
  }
  return false;
}
