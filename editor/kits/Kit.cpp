#include "Kit.h"

#include "model/Busy.h"
#include "model/Global.h"
#include "platform/Folder.h"
#include "platform/GlRecorder.h"
#include "platform/Library.h"
#include "platform/Messages.h"
#include "render/Construction.h"
#include "render/KitDrawings.h"
#include "render/Previews.h"
#include "render/Render.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

std::string KitsFolder() { return Construction.ProgramDir + "Kits/"; }

// The libraries the last scan found beyond the first MaxAvailableKits, and
// those it passed over because a library before them bears the same kit name.
std::vector<std::string> LeftOut, Twins;

// The kit name of a library file: its name up to the first ".".
std::string KitNameOf(const std::string &File) { return File.substr(0, File.find('.')); }

// Files, at most the first twenty of them, then how many more.
std::string Listed(const std::vector<std::string> &Files) {
  constexpr size_t Named = 20;
  std::string Names;
  for (size_t I = 0; I < Files.size() && I < Named; ++I)
    Names += (I ? ", " : "") + Files[I];
  if (Files.size() > Named)
    Names += " and " + std::to_string(Files.size() - Named) + " more";
  return Names;
}

// Tells the user which libraries the scan left out, and why.
void ReportLeftOut(size_t Found) {
  std::string Text;
  if (!Twins.empty())
    Text = "The Kits folder " + KitsFolder() +
           " holds more than one library of the same kit name; only the first of each name, "
           "in name order, is used. Left out: " + Listed(Twins) + ".";
  if (!LeftOut.empty())
    Text += std::string(Text.empty() ? "" : " ") + "The Kits folder " + KitsFolder() + " holds " +
            std::to_string(Found) + " kit libraries; only the first " +
            std::to_string(MaxAvailableKits) + " in name order can be used. Left out: " +
            Listed(LeftOut) + ".";
  ShowMessage(Text, "Kits");
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


// Removes entry K of one of the available kits' lists (names or files),
// moving the entries after it down; AvailableKitCount is left to the caller.
std::string TakeOut(std::string *List, int K) {
  std::string Entry = std::move(List[K]);
  std::move(List + K + 1, List + Construction.AvailableKitCount + 1, List + K);
  return Entry;
}

// The textures a kit made live in the set every drawing context shares; they
// go with the kit, deleted one by one (dropping the whole set would make
// every surface compile its shaders again, a quarter of a second without
// Mesa's shader disk cache).
void ReleaseTextures(const TKit &Kit) {
  std::vector<unsigned> Names = TexturesOf(Kit.Handle);
  ForgetTexturesOf(Kit.Handle);
  if (Kit.Drawings) { // and the copies its recorded drawings are drawn with
    const std::vector<unsigned> Copies = TextureCopies(*Kit.Drawings);
    Names.insert(Names.end(), Copies.begin(), Copies.end());
  }
  if (Names.empty())
    return;
  // In the context the spin frames are drawn in, as it is kept for them.
  std::unique_ptr<TGlContext> Context = fRender().UseContext(PixelFormats[3].Samples);
  if (!Context)
    return;
  glDeleteTextures(GLsizei(Names.size()), Names.data());
  Context->Release();
}

// Forgets a kit record: no library, no entry points, no pictures.
void ClearKit(TKit &Kit) { Kit = TKit(); }

} // namespace

// A kit's name says which kit a construction file means: of two libraries
// with one name only the first can be in use, or a file naming it would
// name two kits.
void ScanKits() {
  Construction.KitCount = 0;
  Construction.AvailableKitCount = 0;
  LeftOut.clear();
  Twins.clear();
  const std::vector<std::string> Files = ListFolder(KitsFolder(), LibrarySuffix);
  std::set<std::string> Seen;
  size_t Kits = 0;
  for (const std::string &File : Files) {
    if (!Seen.insert(KitNameOf(File)).second) {
      Twins.push_back(File);
      continue;
    }
    ++Kits;
    if (Construction.AvailableKitCount == MaxAvailableKits) {
      LeftOut.push_back(File);
      continue;
    }
    const int K = ++Construction.AvailableKitCount;
    Construction.AvailableKitNames[K] = KitNameOf(File);
    Construction.AvailableKitFiles[K] = File;
  }
  if (!LeftOut.empty() || !Twins.empty())
    ReportLeftOut(Kits);
}

int AvailableKitNamed(const std::string &Name) {
  for (int I = Construction.AvailableKitCount; I >= 1; --I)
    if (Construction.AvailableKitNames[I] == Name)
      return I;
  return 0;
}

bool KitLeftOut(const std::string &Name) {
  return std::any_of(LeftOut.begin(), LeftOut.end(),
                     [&Name](const std::string &File) { return KitNameOf(File) == Name; });
}

bool LoadKit(int K) {
  if (K < 1 || K > Construction.AvailableKitCount)
    return false;
  const TBusy Busy;
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
    RecordKitDrawings(Kit);
    for (int P = 1; P <= Kit.KitPieceCount; ++P)
      for (int S = 1; S <= SpinSteps; ++S)
        RenderSpinFrames(N, P, S);
    if (N == 1)
      ChooseFirstPiece(1);
  }
  return Opened;
}

bool UnloadKit(int K) {
  if (K < 1 || K > Construction.KitCount || KitInUseByAPiece(K))
    return false;
  ReleaseTextures(Construction.Kits[K]);
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
  return true;
}

bool KitInUseByAPiece(int K) {
  for (int N = 1; N <= Construction.PieceCount; ++N)
    if (Construction.Pieces[N].Kit == K)
      return true;
  return false;
}

int AvailableKit(const std::string &Name, const std::string &File) {
  for (int A = 1; A <= Construction.AvailableKitCount; ++A)
    if (Construction.AvailableKitNames[A] == Name && Construction.AvailableKitFiles[A] == File)
      return A;
  return 0;
}

void ReturnLastAvailableTo(int A) {
  const int Last = Construction.AvailableKitCount;
  for (int I = Last; I > A; --I) {
    std::swap(Construction.AvailableKitNames[I], Construction.AvailableKitNames[I - 1]);
    std::swap(Construction.AvailableKitFiles[I], Construction.AvailableKitFiles[I - 1]);
  }
}

bool LoadKitStayingOffered(int A) {
  const std::string Name = Construction.AvailableKitNames[A], File = Construction.AvailableKitFiles[A];
  if (LoadKit(A))
    return true;
  const int Last = ++Construction.AvailableKitCount;
  Construction.AvailableKitNames[Last] = Name;
  Construction.AvailableKitFiles[Last] = File;
  ReturnLastAvailableTo(A);
  return false;
}

bool LoadKitAs(int A, int K) {
  if (!LoadKitStayingOffered(A))
    return false;
  const int N = Construction.KitCount;
  K = std::min(K, N);
  for (int I = N; I > K; --I) {
    std::swap(Construction.KitNames[I], Construction.KitNames[I - 1]);
    std::swap(Construction.KitFiles[I], Construction.KitFiles[I - 1]);
    std::swap(Construction.Kits[I], Construction.Kits[I - 1]);
  }
  for (int P = 1; P <= Construction.PieceCount; ++P)
    if (Construction.Pieces[P].Kit >= K)
      ++Construction.Pieces[P].Kit;
  if (N > 1 && Construction.CurrentKit >= K) // the first kit in use was chosen by LoadKit
    ++Construction.CurrentKit;
  Construction.ChooserKit = 0; // the chooser's kit may have a new number
  return true;
}

void CloseKits() {
  for (int K = 1; K <= Construction.KitCount; ++K) {
    ReleaseTextures(Construction.Kits[K]);
    FreeLibrary(Construction.Kits[K].Handle);
    ClearKit(Construction.Kits[K]);
  }
  Construction.KitCount = 0;
}
