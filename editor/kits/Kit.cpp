#include "Kit.h"

#include "model/Global.h"
#include "platform/Folder.h"
#include "platform/Library.h"
#include "platform/Messages.h"
#include "render/Busy.h"
#include "render/Previews.h"

#include <algorithm>
#include <utility>

namespace {

std::string KitsFolder() { return Construction.ProgramDir + "Kits/"; }

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
bool OpenKit(TKit &Kit, const std::string &Name) {
  const std::string Path = KitPath(Name);
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

// Forgets a kit record: no library, no entry points, no pictures.
void ClearKit(TKit &Kit) { Kit = TKit(); }

} // namespace

std::string KitPath(const std::string &Name) { return KitsFolder() + Name + LibrarySuffix; }

void ScanKits() {
  Construction.KitCount = 0;
  Construction.AvailableKitCount = 0;
  for (const std::string &File : ListFolder(KitsFolder(), LibrarySuffix)) {
    if (Construction.AvailableKitCount == MaxAvailableKits)
      break;
    Construction.AvailableKitNames[++Construction.AvailableKitCount] = File.substr(0, File.find('.'));
  }
}

bool LoadKit(int K) {
  if (K < 1 || K > Construction.AvailableKitCount)
    return false;
  BeginBusy();
  std::string *Available = Construction.AvailableKitNames;
  const std::string Name = std::move(Available[K]);
  std::move(Available + K + 1, Available + Construction.AvailableKitCount + 1, Available + K);
  --Construction.AvailableKitCount;
  const int N = Construction.KitCount + 1;
  TKit &Kit = Construction.Kits[N];
  const bool Opened = OpenKit(Kit, Name);
  if (Opened) {
    Construction.KitCount = uint16_t(N);
    Construction.KitNames[N] = Name;
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
  FreeLibrary(Construction.Kits[K].Handle);
  std::string Name = std::move(Construction.KitNames[K]);
  for (int I = K; I < Construction.KitCount; ++I) {
    Construction.KitNames[I] = std::move(Construction.KitNames[I + 1]);
    std::swap(Construction.Kits[I], Construction.Kits[I + 1]);
  }
  ClearKit(Construction.Kits[Construction.KitCount]);
  for (int N = 1; N <= Construction.PieceCount; ++N)
    if (Construction.Pieces[N].Kit >= K)
      --Construction.Pieces[N].Kit;
  --Construction.KitCount;
  Construction.AvailableKitNames[++Construction.AvailableKitCount] = std::move(Name);

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
