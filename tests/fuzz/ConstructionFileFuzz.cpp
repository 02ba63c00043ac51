// The construction-file reader end to end, as the loader runs it: a record is
// decoded, its pieces checked against the kits it names, the file applied to
// the open construction, and the construction saved and read back, which must
// give the same file. Every input is loaded twice: once where the Marbelo kit
// and an odd kit (tests/support/HostileKit.cpp, FAULT Odd) are installed, and
// once where every kit the file names is the odd kit.
//
// The input is a compact form of the 555224-byte record, so that a few bytes
// reach every part of it; missing bytes are zeros:
//   16 bytes     the record's first 16: colours, base, view count
//   2 + 2 bytes  the piece count and the kit count, as in the record
//   per kit      a byte: below 0xF0 it picks a name of KitChoices, otherwise
//                a length byte follows (255: the whole field) and the name
//   per view     a length byte as for a kit, the name, then distance, tilt,
//                turn, pan x and pan y as little-endian doubles
//   per piece    8 bytes: kit (2), piece (2), x, y, z, rotation
// Kits, views and pieces are read while their count and the input last; the
// pieces counted beyond the input repeat those it gives, so that a short
// input can fill the file to its capacity.
#include "MarbeloKit.h"
#include "model/Disk.h"
#include "model/Global.h"
#include "model/Occupancy.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char *const KitChoices[] = {"Marbelo", "Oddity"};

TKit Marbelo, Oddity;

// Ends the run so that the fuzzer keeps the input.
[[noreturn]] void Fault(const char *What) {
  std::fprintf(stderr, "ConstructionFileFuzz: %s\n", What);
  std::abort();
}

// ---- From the input to a record ------------------------------------------------

class TInput {
public:
  TInput(const uint8_t *Data, size_t Size) : Data(Data), Size(Size) {}
  bool Empty() const { return At >= Size; }
  uint8_t Byte() { return At < Size ? Data[At++] : 0; }
  void Copy(uint8_t *To, size_t Count) {
    for (size_t I = 0; I < Count; ++I)
      To[I] = Byte();
  }

private:
  const uint8_t *Data;
  size_t Size, At = 0;
};

// Record offsets, as the file lays them out.
constexpr size_t NameField = 256, ViewNamesAt = 16, ViewDoublesAt = 25616, PieceCountAt = 29616,
                 KitCountAt = 529618, KitNamesAt = 529620;
constexpr size_t PieceColumnAt(int Column) {
  constexpr size_t At[] = {29618, 154618, 279618, 342118, 404618, 467118};
  return At[Column];
}

size_t Count(const std::vector<uint8_t> &R, size_t At, int Capacity) {
  return std::min<size_t>(R[At] | R[At + 1] << 8, size_t(Capacity));
}

// A name field from a length byte (255: all of it) and that many bytes.
void CopyName(TInput &In, uint8_t *Field) {
  const uint8_t Length = In.Byte();
  In.Copy(Field, Length == 255 ? NameField : Length);
}

// The record of an input, in one buffer for the whole run.
const std::vector<uint8_t> &RecordOf(const uint8_t *Data, size_t Size) {
  static std::vector<uint8_t> R(ConstructionFileSize);
  std::memset(R.data(), 0, R.size());
  TInput In(Data, Size);
  In.Copy(&R[0], 16);
  In.Copy(&R[PieceCountAt], 2);
  In.Copy(&R[KitCountAt], 2);
  const size_t Kits = Count(R, KitCountAt, MaxKits);
  for (size_t K = 0; K < Kits && !In.Empty(); ++K) {
    uint8_t *Field = &R[KitNamesAt + K * NameField];
    const uint8_t Choice = In.Byte();
    if (Choice < 0xF0)
      std::strcpy(reinterpret_cast<char *>(Field), KitChoices[Choice % std::size(KitChoices)]);
    else
      CopyName(In, Field);
  }
  const size_t Views = Count(R, 14, MaxViews);
  for (size_t V = 0; V < Views && !In.Empty(); ++V) {
    CopyName(In, &R[ViewNamesAt + V * NameField]);
    for (size_t D = 0; D < 5; ++D)
      In.Copy(&R[ViewDoublesAt + D * MaxViews * 8 + V * 8], 8);
  }
  const size_t Pieces = Count(R, PieceCountAt, MaxPieces);
  size_t Given = 0;
  for (; Given < Pieces && !In.Empty(); ++Given) {
    In.Copy(&R[PieceColumnAt(0) + 2 * Given], 2);
    In.Copy(&R[PieceColumnAt(1) + 2 * Given], 2);
    for (int Column = 2; Column < 6; ++Column)
      R[PieceColumnAt(Column) + Given] = In.Byte();
  }
  for (size_t P = Given; Given > 0 && P < Pieces; ++P) {
    for (int Column = 0; Column < 2; ++Column)
      std::memcpy(&R[PieceColumnAt(Column) + 2 * P], &R[PieceColumnAt(Column) + 2 * (P % Given)], 2);
    for (int Column = 2; Column < 6; ++Column)
      R[PieceColumnAt(Column) + P] = R[PieceColumnAt(Column) + P % Given];
  }
  return R;
}

// ---- Loading ---------------------------------------------------------------------

// Calls Visit(X, Y, Z) for every solid cell of placed piece N.
template <typename TVisit> void ForEachCell(uint16_t N, TVisit Visit) {
  const TPlacedPiece &P = Construction.Pieces[N];
  const TKit &Kit = Construction.Kits[P.Kit];
  uint8_t SX = 0, SY = 0, SZ = 0;
  Kit.GetPiece(uint8_t(P.Piece), &SX, &SY, &SZ);
  for (int I = 0; I < SX; ++I)
    for (int J = 0; J < SY; ++J)
      for (int K = 0; K < SZ; ++K) {
        uint8_t Filled = 0;
        Kit.GetPieceVolume(uint8_t(P.Piece), uint8_t(I + 1), uint8_t(J + 1), uint8_t(K + 1), &Filled);
        const KitApi::TCellOffset D = RotateFootprint(P.Rotation, I, J, SX, SY);
        if (Filled == 1)
          Visit(P.X + D.Dx, P.Y + D.Dy, P.Z + K);
      }
}

struct TCell {
  int X, Y, Z;
  uint16_t Value;
};

// Every cell of the grid that is not 0, and what it holds.
std::vector<TCell> Taken;

// The construction the file is loaded over: a base of other proportions
// whose corners hold what a closed construction left there.
void OpenOther(const TConstructionFile &File) {
  for (const TCell &C : Taken)
    Construction.Occupancy[C.X][C.Y][C.Z] = 0;
  Taken.clear();
  Construction.BaseWidth = File.BaseLength;
  Construction.BaseLength = File.BaseWidth;
  Construction.BaseHeight = uint16_t(MinBaseHeight + MaxBaseHeight - File.BaseHeight);
  const int X = Construction.BaseWidth - 1, Y = Construction.BaseLength - 1,
            Z = Construction.BaseHeight - 1;
  for (const TCell &C : {TCell{X, 0, 0, 1}, TCell{0, Y, 0, 2}, TCell{0, 0, Z, 3}, TCell{X, Y, Z, 4}}) {
    Construction.Occupancy[C.X][C.Y][C.Z] = C.Value;
    Taken.push_back(C);
  }
}

// After a load each piece's cells hold its number and every other cell of
// the old construction is 0; Taken becomes the pieces' cells.
void CheckGrid() {
  std::vector<TCell> Pieces;
  for (uint16_t N = 1; N <= Construction.PieceCount; ++N)
    ForEachCell(N, [&](int X, int Y, int Z) {
      if (Construction.Occupancy[X][Y][Z] != N)
        Fault("a piece's cell holds another number");
      Construction.Occupancy[X][Y][Z] = 0;
      Pieces.push_back({X, Y, Z, N});
    });
  for (const TCell &C : Taken)
    if (Construction.Occupancy[C.X][C.Y][C.Z] != 0)
      Fault("a cell of the old construction was not emptied");
  for (const TCell &C : Pieces)
    Construction.Occupancy[C.X][C.Y][C.Z] = C.Value;
  Taken = std::move(Pieces);
}

bool SameView(const TPosition &A, const TPosition &B) {
  return A.Name == B.Name && std::memcmp(&A.Distance, &B.Distance, sizeof(double)) == 0 &&
         std::memcmp(&A.Tilt, &B.Tilt, sizeof(double)) == 0 &&
         std::memcmp(&A.Turn, &B.Turn, sizeof(double)) == 0 &&
         std::memcmp(&A.PanX, &B.PanX, sizeof(double)) == 0 &&
         std::memcmp(&A.PanY, &B.PanY, sizeof(double)) == 0;
}

bool SamePiece(const TPlacedPiece &A, const TPlacedPiece &B) {
  return A.Kit == B.Kit && A.Piece == B.Piece && A.X == B.X && A.Y == B.Y && A.Z == B.Z &&
         A.Rotation == B.Rotation;
}

bool SameFile(const TConstructionFile &A, const TConstructionFile &B) {
  return A.SceneColor == B.SceneColor && A.BaseColor == B.BaseColor &&
         A.BaseWidth == B.BaseWidth && A.BaseLength == B.BaseLength &&
         A.BaseHeight == B.BaseHeight && A.KitNames == B.KitNames &&
         std::equal(A.Views.begin(), A.Views.end(), B.Views.begin(), B.Views.end(), SameView) &&
         std::equal(A.Pieces.begin(), A.Pieces.end(), B.Pieces.begin(), B.Pieces.end(), SamePiece);
}

// The kit installed under Name, or null when there is none.
using TInstalled = const TKit *(*)(const std::string &Name);

const TKit *MarbeloAndOddity(const std::string &Name) {
  return Name == KitChoices[0] ? &Marbelo : Name == KitChoices[1] ? &Oddity : nullptr;
}

const TKit *OnlyOddity(const std::string &) { return &Oddity; }

void Load(const TConstructionFile &File, TInstalled Installed) {
  // The kits the file names, in its order, as the loader loads them; a kit
  // that is not installed ends the editor.
  for (const std::string &Name : File.KitNames)
    if (!Installed(Name))
      return;
  Construction.KitCount = 0;
  for (const std::string &Name : File.KitNames) {
    const TKit &Kit = *Installed(Name);
    TKit &Into = Construction.Kits[++Construction.KitCount];
    Into.KitPieceCount = Kit.KitPieceCount;
    Into.GetPiece = Kit.GetPiece;
    Into.GetPieceVolume = Kit.GetPieceVolume;
    Construction.KitNames[Construction.KitCount] = Name;
  }
  // A check leaves nothing behind that could change the next one.
  std::string Reason, Again;
  const bool Accepted = CheckPieces(File, Reason);
  if (CheckPieces(File, Again) != Accepted || Again != Reason)
    Fault("checking the same file twice gives two answers");
  if (!Accepted) {
    if (Reason.empty())
      Fault("a refused file has no reason");
    return;
  }
  ApplyViews(File);
  ApplyColors(File);
  ApplyBase(File);
  ApplyPieces(File);
  CheckGrid();

  TConstructionFile Saved;
  if (!DecodeConstruction(EncodeConstruction(), Saved, Reason))
    Fault(("the saved construction is refused: " + Reason).c_str());
  if (!SameFile(File, Saved))
    Fault("the saved construction reads back differently");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  void *Odd = dlopen(ODD_KIT, RTLD_NOW | RTLD_LOCAL);
  const char *Missing = nullptr;
  if (!BindMarbelo(Marbelo) || !Odd || !BindKitExports(Oddity, Odd, dlsym, Missing))
    Fault("cannot load the Marbelo kit or the odd kit");
  Oddity.GetKit(&Oddity.KitPieceCount);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  TConstructionFile File;
  std::string Reason;
  if (!DecodeConstruction(RecordOf(Data, Size), File, Reason)) {
    if (Reason.empty() || !File.Views.empty())
      Fault("a refused record has no reason or was half decoded");
    return 0;
  }
  OpenOther(File);
  Load(File, MarbeloAndOddity);
  Load(File, OnlyOddity);
  return 0;
}
