// Opening a construction file, for the editor and the command line alike:
// the record read and decoded, the Kits folder scanned afresh, the kits the
// file names loaded in file order (so that each piece's kit number names
// the right kit again), its pieces checked against them, and its views,
// colours, base and pieces taken into the construction.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TOpened {
  enum TKind {
    Opened,      // the construction is the file's now
    Refused,     // Reason says why (also: the scan left out a kit it names)
    KitUnusable, // the library of a kit it names cannot be used; Reason
                 // says which, the kit manager has told why
    KitMissing   // a kit it names is not in the Kits folder; Reason is its name
  } Kind = Refused;
  std::string Reason;
};

// Opens Record, the record of a construction file; Loading (if any) is told
// each kit's name before it loads. Anything but Opened leaves the
// construction's document as it was and no kit in use.
TOpened OpenRecord(const std::vector<uint8_t> &Record,
                   const std::function<void(const std::string &Kit)> &Loading);

// The same for the file at Path, read first.
TOpened OpenFile(const std::string &Path, const std::function<void(const std::string &Kit)> &Loading);

// Why a file naming the kit is refused when the scan left its library out.
std::string LeftOutReason(const std::string &Kit);
