#include "OpenFile.h"

#include "kits/Kit.h"
#include "model/Disk.h"
#include "model/Global.h"

namespace {

// Loads every kit File names, in file order, from the kits the last scan found.
TOpened LoadFileKits(const TConstructionFile &File,
                     const std::function<void(const std::string &)> &Loading) {
  for (const std::string &Name : File.KitNames) {
    const int Index = AvailableKitNamed(Name);
    if (Index == 0 && KitLeftOut(Name))
      return {TOpened::Refused, LeftOutReason(Name)};
    if (Index == 0)
      return {TOpened::KitMissing, Name};
    if (Loading)
      Loading(Name);
    if (!LoadKit(Index))
      return {TOpened::KitUnusable, "its kit \"" + Name + "\" cannot be used."};
  }
  return {TOpened::Opened, {}};
}

void UnloadAll() {
  while (Construction.KitCount > 0)
    UnloadKit(Construction.KitCount);
}

} // namespace

std::string LeftOutReason(const std::string &Kit) {
  return "its kit \"" + Kit + "\" is in the Kits folder but was left out: only the first " +
         std::to_string(MaxAvailableKits) + " kit libraries in name order can be used.";
}

TOpened OpenRecord(const std::vector<uint8_t> &Record,
                   const std::function<void(const std::string &)> &Loading) {
  TConstructionFile File;
  std::string Reason;
  if (!DecodeConstruction(Record, File, Reason))
    return {TOpened::Refused, Reason};
  ScanKits();
  Construction.FirstShownAvailableKit = 1;
  Construction.FirstShownKit = 1;
  TOpened Kits = LoadFileKits(File, Loading);
  if (Kits.Kind != TOpened::Opened) {
    UnloadAll();
    return Kits;
  }
  // The pieces can be checked only against the kits they come from.
  if (!CheckPieces(File, Reason)) {
    UnloadAll();
    return {TOpened::Refused, Reason};
  }
  ApplyViews(File);
  Construction.FirstShownView = 1;
  ApplyColors(File);
  ApplyBase(File);
  ApplyPieces(File);
  return {TOpened::Opened, {}};
}

TOpened OpenFile(const std::string &Path, const std::function<void(const std::string &)> &Loading) {
  std::vector<uint8_t> Record;
  std::string Reason;
  if (!ReadConstructionFile(Path, Record, Reason))
    return {TOpened::Refused, Reason};
  return OpenRecord(Record, Loading);
}
