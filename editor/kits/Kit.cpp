#include "Kit.h"

#include "model/Global.h"
#include "platform/Folder.h"
#include "platform/Library.h"
#include "platform/Messages.h"
#include "render/Busy.h"
#include "render/Previews.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

std::string KitsFolder() { return Construction.ProgramDir + "Kits/"; }

// The libraries the last scan found beyond the first MaxAvailableKits.
std::vector<std::string> LeftOut;

// The kit name of a library file: its name up to the first ".".
std::string KitNameOf(const std::string &File) { return File.substr(0, File.find('.')); }

// Tells the user which libraries the scan had no room for.
void ReportLeftOut(size_t Found) {
  constexpr size_t Named = 20;
  std::string Names;
  for (size_t I = 0; I < LeftOut.size() && I < Named; ++I)
    Names += (I ? ", " : "") + LeftOut[I];
  if (LeftOut.size() > Named)
    Names += " and " + std::to_string(LeftOut.size() - Named) + " more";
  ShowMessage("The Kits folder " + KitsFolder() + " holds " + std::to_string(Found) +
                  " kit libraries; only the first " + std::to_string(MaxAvailableKits) +
                  " in name order can be used. Left out: " + Names + ".",
              "Kits");
}

// Asks a bound kit for its catalogue and keeps its piece count. A catalogue
// the editor cannot place (no pieces, more than a kit may hold, a piece with
// no extent or larger than the largest base) gives false and the reason.
bool CheckCatalogue(TKit &Kit, std::string &Reason) {
  uint8_t Count = 0;
  Kit.GetKit(&Count);
  if (Count == 0 || Count > MaxKitPieces) {
    Reason = "the kit reports " + std::to_string(Count) + " pieces; a kit has 1 to " +
             std::to_string(MaxKitPieces) + ".";
    return false;
  }
  for (int P = 1; P <= Count; ++P) {
    uint8_t X = 0, Y = 0, Z = 0;
    Kit.GetPiece(uint8_t(P), &X, &Y, &Z);
    if (X == 0 || Y == 0 || Z == 0 || X > MaxBaseSide || Y > MaxBaseSide || Z > MaxBaseHeight) {
      Reason = "its piece " + std::to_string(P) + " measures " + std::to_string(X) + " x " +
               std::to_string(Y) + " x " + std::to_string(Z) + " cells; a piece measures 1 to " +
               std::to_string(MaxBaseSide) + " x 1 to " + std::to_string(MaxBaseSide) +
               " x 1 to " + std::to_string(MaxBaseHeight) + ".";
      return false;
    }
  }
  Kit.KitPieceCount = Count;
  return true;
}

// Opens and binds the library of the named kit into Kit and checks its
// catalogue; on failure the user is told which file and why, and nothing of
// it is kept.
bool OpenKit(TKit &Kit, const std::string &Name, const std::string &File) {
  const std::string Path = KitsFolder() + File;
  std::string Reason;
  void *Handle = LoadLibrary(Path, Reason);
  if (Handle) {
    const char *Missing = nullptr;
    if (!BindKitExports(Kit, Handle, GetExport, Missing))
      Reason = std::string("the library does not export ") + Missing + ".";
    else if (CheckCatalogue(Kit, Reason))
      return true;
    else
      Kit = TKit();
    FreeLibrary(Handle);
  }
  ShowMessage("The kit library \"" + Path + "\" cannot be used: " + Reason,
              "Error - kit: \"" + Name + "\"");
  return false;
}

// The piece to insert becomes piece 1 of the given kit, rotation 1.
void ChooseFirstPiece(int KitIndex) {
  ChoosePiece(KitIndex, 1);
  RedrawPreviews();
}

bool KitInUseByAPiece(int K) {
  for (int N = 1; N <= Construction.PieceCount; ++N)
    if (Construction.Pieces[N].Kit == K)
      return true;
  return false;
}

// Removes entry K of one of the available kits' lists (names or files),
// moving the entries after it down; AvailableKitCount is left to the caller.
std::string TakeOut(std::string *List, int K) {
  std::string Entry = std::move(List[K]);
  std::move(List + K + 1, List + Construction.AvailableKitCount + 1, List + K);
  return Entry;
}

// Forgets a kit record: no library, no entry points, no pictures.
void ClearKit(TKit &Kit) { Kit = TKit(); }

} // namespace

void ScanKits() {
  Construction.KitCount = 0;
  Construction.AvailableKitCount = 0;
  LeftOut.clear();
  const std::vector<std::string> Files = ListFolder(KitsFolder(), LibrarySuffix);
  for (const std::string &File : Files) {
    if (Construction.AvailableKitCount == MaxAvailableKits) {
      LeftOut.push_back(File);
      continue;
    }
    const int K = ++Construction.AvailableKitCount;
    Construction.AvailableKitNames[K] = KitNameOf(File);
    Construction.AvailableKitFiles[K] = File;
  }
  if (!LeftOut.empty())
    ReportLeftOut(Files.size());
}

bool KitLeftOut(const std::string &Name) {
  return std::any_of(LeftOut.begin(), LeftOut.end(),
                     [&Name](const std::string &File) { return KitNameOf(File) == Name; });
}

bool LoadKit(int K) {
  if (K < 1 || K > Construction.AvailableKitCount)
    return false;
  BeginBusy();
  const std::string Name = TakeOut(Construction.AvailableKitNames, K);
  std::string File = TakeOut(Construction.AvailableKitFiles, K);
  if (File.empty()) // a name put in the list by hand: the library of that name
    File = Name + LibrarySuffix;
  --Construction.AvailableKitCount;
  const int N = Construction.KitCount + 1;
  TKit &Kit = Construction.Kits[N];
  const bool Opened = OpenKit(Kit, Name, File);
  if (Opened) {
    Construction.KitCount = uint16_t(N);
    Construction.KitNames[N] = Name;
    Construction.KitFiles[N] = File;
    for (int P = 1; P <= Kit.KitPieceCount; ++P)
      for (int S = 1; S <= SpinSteps; ++S)
        RenderSpinFrames(N, P, S);
    if (N == 1)
      ChooseFirstPiece(1);
  }
  EndBusy();
  return Opened;
}

void UnloadKit(int K) {
  if (KitInUseByAPiece(K))
    return;
  // The few textures the kit made stay in the shared set: dropping the set
  // would make every surface compile its shaders again, a quarter of a
  // second without Mesa's shader disk cache, at each removal.
  FreeLibrary(Construction.Kits[K].Handle);
  std::string Name = std::move(Construction.KitNames[K]);
  std::string File = std::move(Construction.KitFiles[K]);
  for (int I = K; I < Construction.KitCount; ++I) {
    Construction.KitNames[I] = std::move(Construction.KitNames[I + 1]);
    Construction.KitFiles[I] = std::move(Construction.KitFiles[I + 1]);
    std::swap(Construction.Kits[I], Construction.Kits[I + 1]);
  }
  ClearKit(Construction.Kits[Construction.KitCount]);
  for (int N = 1; N <= Construction.PieceCount; ++N)
    if (Construction.Pieces[N].Kit >= K)
      --Construction.Pieces[N].Kit;
  --Construction.KitCount;
  ++Construction.AvailableKitCount;
  Construction.AvailableKitNames[Construction.AvailableKitCount] = std::move(Name);
  Construction.AvailableKitFiles[Construction.AvailableKitCount] = std::move(File);

  if (Construction.KitCount == 0) {
    Construction.CurrentKit = 0;
    Construction.ChooserKit = 0;
    RedrawPreviews();
  } else if (Construction.CurrentKit == K) {
    // The kit that followed the removed one takes its place; when none
    // followed, the kit now last is chosen.
    Construction.ChooserKit = uint8_t(Construction.CurrentKit + 1);
    ChooseFirstPiece(std::min<int>(K, Construction.KitCount));
  } else if (Construction.CurrentKit > K) {
    ChooseFirstPiece(Construction.CurrentKit - 1);
  }
}
